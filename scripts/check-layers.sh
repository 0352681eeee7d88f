#!/usr/bin/env bash
# The layers hold only as long as nobody includes across them:
#   game/          the rules: the standard library and game/ only (no Qt, no
#                  OpenGL, no other folder of ours), so they build and test
#                  headless;
#   scene/engine/  the scene engine: of our own headers only its own; nothing
#                  of the game, the windows, the program or the network
#                  (game/, scene/ outside the engine, ui/, app/, net/, audio/).
# Prints every offending line and fails when there is one.
#
#   scripts/check-layers.sh [source root]
source "$(dirname "${BASH_SOURCE[0]}")/check-common.sh" "$@"

# Standard headers are lowercase words without a dot or a folder (<vector>,
# <cstdint>); everything else in angle brackets is a library of the platform.
while IFS= read -r hit; do
    include=${hit#*#include}
    include=$(echo "$include" | sed 's/^[[:space:]]*//; s/[[:space:]]*\(\/\/.*\)\?$//')
    case "$include" in
    \"game/*\") ;;
    \<*\>)
        name=${include#<}
        name=${name%>}
        [[ "$name" =~ ^[a-z_0-9]+$ ]] || complain "$hit" "game/ includes only the standard library and game/"
        ;;
    *) complain "$hit" "game/ includes only the standard library and game/" ;;
    esac
done < <(grep -rn --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include' game || true)

# Within our own headers the engine reaches only itself.
while IFS= read -r hit; do
    complain "$hit" "scene/engine/ knows no game, windows, program, network or sound"
done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' scene/engine |
    grep -vE '#[[:space:]]*include[[:space:]]*"scene/engine/' || true)

[ "$status" = 0 ] && echo "layers: game/ and scene/engine/ include nothing from above them"
exit "$status"

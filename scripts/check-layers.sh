#!/usr/bin/env bash
# The layers hold only as long as nobody includes across them:
#   game/          the rules: the standard library and game/ only (no Qt, no
#                  OpenGL, no other folder of ours), so they build and test
#                  headless;
#   game/admiral/  the Admiral, the computer of the fourth level: it sees the
#                  player's board only through its chart of shot results, so
#                  neither it nor any header it reaches, however indirectly,
#                  includes the match or its state (game/Match.h,
#                  game/MatchState.h), which hold the player's hidden grid;
#   scene/engine/  the scene engine: of our own headers only its own; nothing
#                  of the game, the windows, the program or the network
#                  (game/, scene/ outside the engine, ui/, app/, net/, audio/);
#   product code   (the product rooms of check-common.sh) includes nothing of
#                  the data generator, the tests, the benchmarks or the
#                  fuzzers: what the program needs at run time lives in a
#                  product room.
# Every top-level folder of sources must be a known room.
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

# Every game/ header the Admiral's files reach, followed include by include:
# none may be the match or its state.
declare -A reached=()
pending=()
for file in game/admiral/*.h game/admiral/*.cpp; do
    [ -e "$file" ] && pending+=("$file")
done
while [ "${#pending[@]}" -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    while IFS= read -r hit; do
        header=$(echo "$hit" | sed -E 's/^[^"]*"([^"]*)".*$/\1/')
        case "$header" in
        game/Match.h | game/MatchState.h)
            complain "$file:$hit" "the Admiral sees only its chart: it never reaches the match or its state"
            continue
            ;;
        esac
        if [[ "$header" == game/* && -e "$header" && -z "${reached[$header]:-}" ]]; then
            reached[$header]=1
            pending+=("$header")
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done

# Within our own headers the engine reaches only itself.
while IFS= read -r hit; do
    complain "$hit" "scene/engine/ knows no game, windows, program, network or sound"
done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' scene/engine |
    grep -vE '#[[:space:]]*include[[:space:]]*"scene/engine/' || true)

# The product never reaches back into what builds, tests or measures it.
others=$(IFS='|' && echo "${other_rooms[*]}")
while IFS= read -r hit; do
    complain "$hit" "product code includes nothing of ${other_rooms[*]}"
done < <(grep -rnE --include='*.h' --include='*.cpp' \
    "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($others)/" "${product_rooms[@]}" || true)

# A folder of sources in neither list would escape the checks above. Build
# folders (a CMakeCache.txt at their top) hold generated sources, not rooms.
for dir in */; do
    dir=${dir%/}
    [ -e "$dir/CMakeCache.txt" ] && continue
    [[ " ${product_rooms[*]} ${other_rooms[*]} " == *" $dir "* ]] && continue
    if [ -n "$(find "$dir" \( -name '*.h' -o -name '*.cpp' \) -print -quit)" ]; then
        complain "$dir/" "a folder of sources no check knows: add it to the rooms in scripts/check-common.sh"
    fi
done

[ "$status" = 0 ] &&
    echo "layers: game/ and scene/engine/ include nothing from above them, the Admiral no match," \
        "the product nothing of ${other_rooms[*]}"
exit "$status"

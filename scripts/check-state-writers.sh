#!/usr/bin/env bash
# The match state has one writer, the Match (game/Match*): everything else
# reads it through the const Match::state() and asks for a change by a named
# call. The compiler refuses a write through the const reference; this check
# finds the ways around it in the program's sources (tests set their matches
# up through tests/support/MatchSetup.h, and so do the benchmarks; neither is
# checked):
#   - a writable MatchState reference or pointer;
#   - a const_cast or a copy-and-assign back through state();
#   - an assignment to a field of the state, or a call that changes one of
#     its arrays, written on the result of state().
# Prints every offending line and fails when there is one.
#
#   scripts/check-state-writers.sh [source root]
source "$(dirname "${BASH_SOURCE[0]}")/check-common.sh" "$@"

folders=("${product_rooms[@]}" tools)
sources() {
    grep -rnE --include='*.h' --include='*.cpp' "$1" "${folders[@]}" 2>/dev/null |
        grep -vE '^game/Match[A-Za-z]*\.(h|cpp):' | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' || true
}

while IFS= read -r hit; do
    [ -n "$hit" ] && complain "$hit" "a writable MatchState outside game/Match*"
done < <(sources '(^|[^[:alnum:]_])MatchState[[:space:]]*[&*]' | grep -vE 'const[[:space:]]+MatchState[[:space:]]*[&*]')

while IFS= read -r hit; do
    [ -n "$hit" ] && complain "$hit" "const_cast of the match state"
done < <(sources 'const_cast<[^>]*MatchState')

# A field of the state, assigned or changed on what state() returned.
while IFS= read -r hit; do
    [ -n "$hit" ] && complain "$hit" "writes a field of the match state; ask the Match by a named call"
done < <(sources 'state\(\)\.[A-Za-z_]+(\[[^]]*\])*(\.[A-Za-z_]+)?[[:space:]]*([-+*/|&^]?=[^=]|\+\+|--)|state\(\)\.[A-Za-z_]+\.(fill|swap)\(')

[ "$status" = 0 ] && echo "state: only game/Match* writes the match state"
exit "$status"

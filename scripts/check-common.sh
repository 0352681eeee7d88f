# Shared by the source checks (check-layers.sh, check-state-writers.sh,
# check-event-loops.sh): sourced with the source root as $1 (default: this
# repository); leaves the shell in that root with status=0, complain() to
# report an offending line, and the house's rooms below.
set -euo pipefail

root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"
status=0

complain() { # file:line: text, why
    echo "$1  <- $2" >&2
    status=1
}

# The top-level folders that hold C++ sources. The game is built from the
# product rooms; the others make its data, test it, measure it or fuzz it, and
# the product never includes them. check-layers.sh refuses a folder of sources
# that is in neither list, so a new room is placed here before it grows.
product_rooms=(app audio files game net scene ui)
other_rooms=(tools tests bench fuzz)

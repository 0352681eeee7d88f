# Shared by the source checks (check-layers.sh, check-state-writers.sh):
# sourced with the source root as $1 (default: this repository); leaves the
# shell in that root with status=0 and complain() to report an offending line.
set -euo pipefail

root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"
status=0

complain() { # file:line: text, why
    echo "$1  <- $2" >&2
    status=1
}

#!/bin/sh
# Runs a fuzz target without touching the repository's corpus.
#   run_fuzzer.sh fuzz <binary> <corpus dir> <seconds>   fuzz for a while on a copy of the corpus
#   run_fuzzer.sh runs <binary> <corpus dir> <count> <finds dir>
#                                                        fuzz for <count> executions (the long runs
#                                                        outside the test command); a crash input is
#                                                        copied to <finds dir> to be kept as a regression
#   run_fuzzer.sh replay <binary> <dir>...                run every file of the dirs once
#
# Every mode runs under the same memory limits: a process over 1 GiB resident, or one allocation
# over 256 MiB, is a finding. No loader of ours needs that much for any file the game accepts, so a
# small file that makes a loader allocate gigabytes is caught here and not in a player's session.
set -eu
mode=$1
binary=$2
shift 2
limits="-rss_limit_mb=1024 -malloc_limit_mb=256"
case "$mode" in
fuzz | runs)
    corpus=$1
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/corpus" "$work/artifacts"
    cp "$corpus"/* "$work/corpus/"
    if [ "$mode" = fuzz ]; then
        budget="-max_total_time=$2"
    else
        budget="-runs=$2 -print_final_stats=1"
        finds=$3
    fi
    # A crash leaves its input in $work/artifacts; it is printed so it can be kept as a regression.
    # shellcheck disable=SC2086
    if ! "$binary" $budget $limits -timeout=10 -artifact_prefix="$work/artifacts/" "$work/corpus"; then
        for f in "$work"/artifacts/*; do
            [ -f "$f" ] || continue
            echo "crash input $(basename "$f") (base64):" && base64 "$f"
            if [ "$mode" = runs ]; then mkdir -p "$finds" && cp "$f" "$finds/"; fi
        done
        exit 1
    fi
    ;;
replay)
    files=$(find "$@" -type f ! -name '.*' | sort)
    [ -n "$files" ] || { echo "nothing to replay"; exit 1; }
    # shellcheck disable=SC2086
    "$binary" $limits $files
    ;;
*)
    echo "usage: $0 fuzz|runs|replay ..." >&2
    exit 2
    ;;
esac

#!/bin/sh
# Runs a fuzz target for ctest without touching the repository.
#   run_fuzzer.sh fuzz <binary> <corpus dir> <seconds>   fuzz for a while on a copy of the corpus
#   run_fuzzer.sh replay <binary> <dir>...                run every file of the dirs once
set -eu
mode=$1
binary=$2
shift 2
case "$mode" in
fuzz)
    corpus=$1
    seconds=$2
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/corpus" "$work/artifacts"
    cp "$corpus"/* "$work/corpus/"
    # A crash leaves its input in $work/artifacts; it is printed so it can be kept as a regression.
    if ! "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$work/artifacts/" "$work/corpus"; then
        for f in "$work"/artifacts/*; do
            [ -f "$f" ] && echo "crash input $(basename "$f") (base64):" && base64 "$f"
        done
        exit 1
    fi
    ;;
replay)
    files=$(find "$@" -type f ! -name '.*' | sort)
    [ -n "$files" ] || { echo "nothing to replay"; exit 1; }
    # shellcheck disable=SC2086
    "$binary" -rss_limit_mb=2048 $files
    ;;
*)
    echo "usage: $0 fuzz|replay ..." >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# The program as a desktop session ends it: for each of SIGTERM (kill, a
# logout), SIGINT (Ctrl+C in its terminal) and SIGHUP (the terminal closed), a
# fresh copy of the runtime folder, the game started there on the current X
# display and, once its window shows, in a match, the signal. Passes when the
# program ends by itself with exit status 0 every time and has stored "Song"
# in vtx.ini. Last, a start without a sound device (an audio driver that
# cannot open): the menu must show with the game's notice over it, and
# SIGTERM must end it there.
#
#   signal_test.sh <runtime folder> <artefact folder>
#
# Waits are bounded; nothing here measures time.
set -euo pipefail
# Job control: the game runs in its own process group, as a program started
# from a terminal does, so SIGINT is not ignored for it as for a background job.
set -m

run_dir=$1
art_dir=$2
mkdir -p "$art_dir"
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
    rm -rf "$work"
}
trap cleanup EXIT

for run in TERM INT HUP TERM-nosound; do
    signal=${run%%-*}
    driver=dummy
    [ "$run" = TERM-nosound ] && driver=no-such-sound-device
    rm -rf "$work"/game && mkdir "$work"/game
    cp -r "$run_dir"/. "$work"/game/
    rm -f "$work"/game/vtx.ini "$work"/game/hscore.dat "$work"/game/clients.cfg
    (
        cd "$work"/game
        SDL_AUDIODRIVER=$driver exec ./vortalix3d > "$art_dir/signal-$run.log" 2>&1
    ) &
    pid=$!
    wid=
    for _ in $(seq 1 100); do
        wid=$(xdotool search --onlyvisible --pid "$pid" --name "^Vortalix 3D$" 2>/dev/null | head -1 || true)
        [ -n "$wid" ] && break
        sleep 0.2
    done
    [ -n "$wid" ] || { echo "$run: the main window did not appear"; exit 1; }
    sleep 2 # the first frames
    if [ "$run" = TERM-nosound ]; then
        # The notice is a second window of ours, up while the menu shows.
        windows=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l || true)
        [ "$windows" -ge 2 ] || { echo "$run: no notice over the menu"; exit 1; }
    else
        # Single, so a match is running when the signal comes.
        eval "$(xdotool getwindowgeometry --shell "$wid")"
        xdotool mousemove $((X + 685)) $((Y + 300))
        sleep 0.15
        xdotool click 1
        sleep 1
    fi
    kill -s "$signal" "$pid"
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then echo "$run: the program did not end"; exit 1; fi
    status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || { echo "$run: exit status $status"; exit 1; }
    grep -qi '^Song=' "$work"/game/vtx.ini ||
        { echo "$run: vtx.ini holds no Song"; cat "$work"/game/vtx.ini 2>/dev/null; exit 1; }
    echo "ok: $run: SIG$signal ended the program with status 0, $(grep -i '^Song=' "$work"/game/vtx.ini | tr -d '\r')"
done

#!/usr/bin/env bash
# Takes pictures of the real program as a player sees it, driven by real
# mouse input (xdotool) on an X display:
#   battle-ten-shots.png   the first view after the player's ten shots
#   larger-window.png      the same battle with the window made 1.6 times larger
#   won.png, lost.png      the result over the last picture of a match
#
#   scripts/take-screenshots.sh [build folder] [output folder]   defaults: build, build/artifacts/screens
#
# Needs an X display; without one it runs itself under xvfb-run. What the
# program's state is (whose turn, shots, the result) is read from its probe
# file (VTX_TEST_PROBE). Takes a few minutes: the computer fires once a second.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
case "$build" in /*) ;; *) build=$root/$build ;; esac
out=${2:-$build/artifacts/screens}
case "$out" in /*) ;; *) out=$PWD/$out ;; esac
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$out"
fi
[ -x "$build/run/vortalix3d" ] || { echo "no program in $build/run (build it first)" >&2; exit 1; }
mkdir -p "$out"

source "$root/scripts/drive-window.sh"
scratch_folder
cp -r "$build/run"/. "$work"/
cd "$work"

launch() {
    rm -f "$work"/vtx.ini "$work"/hscore.dat "$work"/clients.cfg "$work/probe"
    VTX_TEST_PROBE="$work/probe" SDL_AUDIODRIVER=dummy ./vortalix3d > /dev/null 2>&1 &
    pid=$!
    find_main_window || { echo "no main window" >&2; exit 1; }
    wid=$(xdotool search --onlyvisible --name "^Vortalix 3D$" | head -1)
    sleep 1
}
probe() { awk -F= -v k="$1" '$1 == k {print $2}' "$work/probe" 2>/dev/null; }
over() { [ "$(probe won)" = 1 ] || [ "$(probe lost)" = 1 ]; }
# Waits (bounded) until the player may shoot or the match is over.
wait_turn() {
    for _ in $(seq 1 600); do
        over && return 0
        [ "$(probe turn)" = 1 ] && [ "$(probe fight)" = 1 ] && return 0
        sleep 0.1
    done
    return 1
}
snap() { # the window as it is on the screen
    sleep 1.5
    find_main_window
    import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" "$out/$1"
    echo "$out/$1"
}
# Enemy cell centres (window pixels, rows 1..10 by columns 1..10) in the first
# view, for a viewer at ($1, $2) of $3 x $4 pixels: the camera at the rig
# (10, 10, 10) plus (-0.9, 10.3, -7.5) looking at the origin, vertical field of
# view 2 * atan(50/100).
enemy_cells() {
    awk -v vx="$1" -v vy="$2" -v vw="$3" -v vh="$4" 'BEGIN {
        ex = 9.1; ey = 20.3; ez = 2.5; len = sqrt(ex*ex + ey*ey + ez*ez);
        fx = -ex / len; fy = -ey / len; fz = -ez / len;
        rx = -fz; rz = fx; rl = sqrt(rx*rx + rz*rz); rx /= rl; rz /= rl;
        ux = -rz*fy; uy = rz*fx - rx*fz; uz = rx*fy;
        t = 50 / 100; aspect = vw / vh;
        for (r = 1; r <= 10; r++) for (c = 1; c <= 10; c++) {
            px = c - 5 - ex; py = 0.1 - ey; pz = r - 11 - ez;
            cx = px*rx + pz*rz; cy = px*ux + py*uy + pz*uz; cz = px*fx + py*fy + pz*fz;
            printf "%d,%d\n", vx + (cx / (cz * t * aspect) + 1) / 2 * vw + 0.5, vy + (1 - cy / (cz * t)) / 2 * vh + 0.5;
        }
    }'
}
# The player as a player plays to win: cells of one colour of the chessboard
# first, the four neighbours of a hit next, never a cell that cannot hold a
# deck (ships are straight and never touch: the cells diagonal to a hit, beside
# a line of hits, and around a sunk ship). hunt VX VY VW VH LIMIT fires until
# the match is over or LIMIT shots were fired; what it knows lasts through the
# match.
declare -A tried=()
hunt_stack=()
ship_hits=()
new_match() { tried=(); hunt_stack=(); ship_hits=(); }
water_around() { # marks the 8 cells around r,c as tried
    local dr dc
    for dr in -1 0 1; do for dc in -1 0 1; do tried[$(($1 + dr)),$(($2 + dc))]=1; done; done
}
hunt() {
    local -a px
    mapfile -t px < <(enemy_cells "$1" "$2" "$3" "$4")
    local limit=$5 fired=0 next cand r c p before d sunk h first
    while ! over && [ "$fired" -lt "$limit" ]; do
        next=
        while [ ${#hunt_stack[@]} -gt 0 ]; do
            cand=${hunt_stack[-1]}
            unset 'hunt_stack[-1]'
            [ -z "${tried[$cand]:-}" ] && { next=$cand; break; }
        done
        if [ -z "$next" ]; then
            for parity in 0 1; do
                for r in $(seq 1 10); do for c in $(seq 1 10); do
                    [ -z "$next" ] && [ $(((r + c) % 2)) = "$parity" ] && [ -z "${tried[$r,$c]:-}" ] && next=$r,$c
                done; done
            done
        fi
        [ -n "$next" ] || return 0
        tried[$next]=1
        r=${next%,*} c=${next#*,}
        wait_turn
        over && break
        before=$(probe shots)
        sunk=$(probe enemysunk)
        p=${px[$(((r - 1) * 10 + c - 1))]}
        click_at "${p%,*}" "${p#*,}"
        sleep 0.5
        fired=$((fired + 1))
        if [ "$(probe shots)" != "$before" ] && [ "$(probe turn)" = 1 ]; then
            ship_hits+=("$r,$c")
            if [ "$(probe enemysunk)" != "$sunk" ]; then
                for h in "${ship_hits[@]}"; do water_around "${h%,*}" "${h#*,}"; done
                ship_hits=()
                hunt_stack=()
                continue
            fi
            for d in -1,-1 -1,1 1,-1 1,1; do tried[$((r + ${d%,*})),$((c + ${d#*,}))]=1; done
            if [ ${#ship_hits[@]} -ge 2 ]; then # the line is known: its sides are water
                first=${ship_hits[0]}
                for h in "${ship_hits[@]}"; do
                    if [ "${first%,*}" = "${h%,*}" ] && [ "$first" != "$h" ]; then
                        tried[$((${h%,*} - 1)),${h#*,}]=1 tried[$((${h%,*} + 1)),${h#*,}]=1
                        tried[$((${first%,*} - 1)),${first#*,}]=1 tried[$((${first%,*} + 1)),${first#*,}]=1
                    elif [ "$first" != "$h" ]; then
                        tried[${h%,*},$((${h#*,} - 1))]=1 tried[${h%,*},$((${h#*,} + 1))]=1
                        tried[${first%,*},$((${first#*,} - 1))]=1 tried[${first%,*},$((${first#*,} + 1))]=1
                    fi
                done
            fi
            [ "$r" -gt 1 ] && hunt_stack+=("$((r - 1)),$c")
            [ "$r" -lt 10 ] && hunt_stack+=("$((r + 1)),$c")
            [ "$c" -gt 1 ] && hunt_stack+=("$r,$((c - 1))")
            [ "$c" -lt 10 ] && hunt_stack+=("$r,$((c + 1))")
        fi
    done
}
fight() {
    button 288 # Single
    sleep 1.5
    button 368 # Fight
    wait_turn
}

# A match: ten shots, the window made larger, then on to the end.
launch
new_match
fight
hunt 13 42 616 547 10
wait_turn
xdotool mousemove $((win_x + 700)) $((win_y + 580))
snap battle-ten-shots.png
xdotool windowmove "$wid" 0 0
xdotool windowsize "$wid" 1202 968
snap larger-window.png
hunt 21 67 985 875 200
for _ in $(seq 1 600); do over && break; sleep 0.1; done
xdotool mousemove 0 0
result=$([ "$(probe won)" = 1 ] && echo won || echo lost)
snap "$result.png"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=

# The other result.
launch
fight
new_match
if [ "$result" = lost ]; then
    hunt 13 42 616 547 200
else
    # Shots at the same cell miss again and again once it is known water.
    for cell in $(enemy_cells 13 42 616 547); do
        while ! over; do
            wait_turn
            over && break
            before=$(probe shots)
            click_at "${cell%,*}" "${cell#*,}"
            sleep 0.4
            [ "$(probe shots)" = "$before" ] && break # a deck already hit: the next cell
        done
        over && break
    done
fi
for _ in $(seq 1 600); do over && break; sleep 0.1; done
xdotool mousemove 0 0
other=$([ "$(probe won)" = 1 ] && echo won || echo lost)
snap "$other.png"
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=

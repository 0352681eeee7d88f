#!/usr/bin/env bash
# The program as a player starts it: a fresh copy of the runtime folder, the
# game launched there on the current X display, real clicks on its buttons and
# on enemy cells, screenshots, then Exit twice. Passes when the program ends by
# itself and has stored "Song" in vtx.ini.
#
#   launch_test.sh <runtime folder> <artefact folder>
#
# Waits are bounded; nothing here measures time.
set -euo pipefail

run_dir=$1
art_dir=$2
mkdir -p "$art_dir"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/drive-window.sh"
scratch_folder

cp -r "$run_dir"/. "$work"/
rm -f "$work"/vtx.ini "$work"/hscore.dat "$work"/clients.cfg
cd "$work"
# No sound card on a test machine: SDL's silent driver keeps the start quiet.
SDL_AUDIODRIVER=dummy ./vortalix3d > "$art_dir/launch.log" 2>&1 &
pid=$!

find_main_window || { echo "the main window did not appear"; exit 1; }
sleep 3 # let the first frames draw
echo "main window at $win_x,$win_y size ${win_w}x${win_h}"
[ "$win_w" -eq 751 ] && [ "$win_h" -eq 605 ] || { echo "unexpected window size"; exit 1; }

shot() { import -window root "$art_dir/$1.png"; }

shot 01-first-screen
button 288 # Single
sleep 2
shot 02-single
button 368 # Fight
sleep 2

# Enemy cell centres on screen, from the camera at its start: the camera at
# (9.1, 20.3, 2.5) looking at the origin, vertical field of view 2 * atan(50/100),
# the viewer at (13, 42), 616 x 547 pixels.
cells=$(awk 'BEGIN {
    ex = 9.1; ey = 20.3; ez = 2.5; len = sqrt(ex*ex + ey*ey + ez*ez);
    fx = -ex / len; fy = -ey / len; fz = -ez / len;          # forward
    rx = -fz; ry = 0; rz = fx; rl = sqrt(rx*rx + rz*rz); rx /= rl; rz /= rl;   # right = f x up
    ux = ry*fz - rz*fy; uy = rz*fx - rx*fz; uz = rx*fy - ry*fx;               # up = r x f
    t = 50 / 100; aspect = 616 / 547;
    for (r = 1; r <= 10; r++) for (c = 1; c <= 10; c++) {
        px = c - 5 - ex; py = 0.1 - ey; pz = r - 11 - ez;
        cx = px*rx + py*ry + pz*rz; cy = px*ux + py*uy + pz*uz; cz = px*fx + py*fy + pz*fz;
        sx = 13 + (cx / (cz * t * aspect) + 1) / 2 * 616;
        sy = 42 + (1 - cy / (cz * t)) / 2 * 547;
        printf "%d,%d\n", sx + 0.5, sy + 0.5;
    }
}')

n=0
for cell in $cells; do
    click_at "${cell%,*}" "${cell#*,}"
    n=$((n + 1))
    # The computer answers a miss once a second until it misses itself.
    sleep 1.2
    [ "$n" -eq 12 ] && shot 03-battle
    [ "$n" -ge 40 ] && break
done
shot 04-battle-later

leave_match # Exit ends the match (after its question)
sleep 1
shot 05-after-exit
button 488 # Exit in the menu quits
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then echo "the program did not end after Exit"; exit 1; fi
wait "$pid" || { echo "the program ended with an error"; exit 1; }
pid=
grep -qi '^Song=' vtx.ini || { echo "vtx.ini holds no Song"; cat vtx.ini 2>/dev/null; exit 1; }
echo "ok: Song stored, $(grep -i '^Song=' vtx.ini | tr -d '\r')"

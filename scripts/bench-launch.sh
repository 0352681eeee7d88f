#!/usr/bin/env bash
# Measures the real program as a player starts it:
#   - launch to first drawn frame (the program writes the moment its first
#     frame was swapped into the file named by VTX_BENCH_FIRST_FRAME), over
#     several launches;
#   - peak resident memory (VmHWM) over a scripted match against the computer
#     (Single, Fight, thirty clicks on enemy cells, Exit, Exit);
#   - CPU used in the menu over ten seconds with nothing touched (the mouse
#     parked outside the window), and the resident memory 3 s after launch;
#   - CPU used in a battle in which nothing happens over ten seconds: the
#     player's turn after the computer's first shots, the pointer resting
#     over the view; at the window's first size and at the largest (the
#     whole 1280 x 1024 screen, as F11 makes it, its view
#     1051 x 926 pixels); then both again after the player has shot until
#     the computer set an own cell on fire;
#   - resident memory with and without the software OpenGL driver's own
#     libraries (their code is mapped whatever the game does);
#   - when the knavalbattle package is installed, the same launch and memory
#     figures for that 2D peer, in the same run.
#
#   scripts/bench-launch.sh [build folder]      default: build
#
# Needs an X display; without one it runs itself under xvfb-run. Prints
# figures only; nothing here passes or fails on a time.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
case "$build" in /*) ;; *) build=$root/$build ;; esac
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build"
fi
[ -x "$build/run/vortalix3d" ] || { echo "no program in $build/run (build it first)" >&2; exit 1; }

source "$root/scripts/drive-window.sh"
scratch_folder
cp -r "$build/run"/. "$work"/
rm -f "$work"/vtx.ini "$work"/hscore.dat "$work"/clients.cfg
cd "$work"

now_ms() { date +%s%3N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)

launch() { # starts the program, sets pid and the launch moment
    rm -f "$work/first-frame"
    start_ms=$(now_ms)
    VTX_BENCH_FIRST_FRAME="$work/first-frame" VTX_TEST_PROBE="${probe:-}" SDL_AUDIODRIVER=dummy ./vortalix3d > /dev/null 2>&1 &
    pid=$!
}

wait_first_frame() { # prints milliseconds from launch to the first swapped frame
    for _ in $(seq 1 300); do
        [ -s "$work/first-frame" ] && break
        sleep 0.05
    done
    [ -s "$work/first-frame" ] || { echo "no first frame" >&2; return 1; }
    echo $(($(head -1 "$work/first-frame") - start_ms))
}

# Resident kB of the program's mappings, leaving out the OpenGL driver's
# libraries (the software rasteriser and the compiler it brings).
own_resident_kb() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / { skip = ($6 ~ /(dri|gallium|LLVM|glapi|GLX|GLdispatch|libGL|libEGL)/) }
         /^Rss:/ && !skip { sum += $2 } END { print sum + 0 }' "/proc/$pid/smaps"
}

peak_kb=0
sample_memory() {
    local hwm
    hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    [ -n "$hwm" ] && [ "$hwm" -gt "$peak_kb" ] && peak_kb=$hwm
    return 0
}

wait_exit() {
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sample_memory
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
    wait "$pid" 2>/dev/null || true
    pid=
}

# 1. Launch to first frame.
firsts=()
for _ in 1 2 3 4 5; do
    launch
    firsts+=("$(wait_first_frame)")
    find_main_window || { echo "no main window" >&2; exit 1; }
    sleep 0.5
    button 488 # Exit
    wait_exit
done
sorted=$(printf '%s\n' "${firsts[@]}" | sort -n)
median=$(echo "$sorted" | sed -n 3p)
echo "launch to first frame: median ${median} ms over 5 launches (all: $(echo $sorted | tr '\n' ' '))"

# 1b. The same for KNavalBattle, a 2D peer, when its package is installed: launch
# to its mapped window, and its whole resident memory 3 s after launch.
peer=/usr/games/knavalbattle
if [ -x "$peer" ] && command -v dbus-run-session > /dev/null; then
    peer_firsts=()
    peer_kb=0
    for _ in 1 2 3 4 5; do
        start_ms=$(now_ms)
        dbus-run-session -- "$peer" > /dev/null 2>&1 &
        session=$!
        for _ in $(seq 1 1000); do
            [ -n "$(xdotool search --onlyvisible --class knavalbattle 2> /dev/null | head -1)" ] && break
            sleep 0.01
        done
        peer_firsts+=($(($(now_ms) - start_ms)))
        sleep 3
        peer_pid=$(pgrep -f "^$peer" | head -1 || true)
        [ -n "$peer_pid" ] && peer_kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$peer_pid/status")
        pkill -f "^$peer" || true
        wait "$session" 2> /dev/null || true
    done
    sorted=$(printf '%s\n' "${peer_firsts[@]}" | sort -n)
    peer_median=$(echo "$sorted" | sed -n 3p)
    echo "KNavalBattle: launch to its mapped window: median ${peer_median} ms over 5 launches (all: $(echo $sorted | tr '\n' ' ')); Vortalix 3D / KNavalBattle: $(awk -v a="$median" -v b="$peer_median" 'BEGIN { printf "%.2f", a / b }')"
    echo "KNavalBattle: resident memory 3 s after launch: $((peer_kb / 1024)) MiB"
fi

start_battle() { # a fresh program: Single, then Fight
    launch
    wait_first_frame > /dev/null
    find_main_window || { echo "no main window" >&2; exit 1; }
    sleep 1
    button 288 # Single
    sleep 1
    button 368 # Fight
}

# 2. Peak memory over a scripted match.
peak_kb=0
start_battle
# Enemy cell centres on screen from the first view: the camera at the rig
# (10, 10, 10) plus (-0.9, 10.3, -7.5), looking at the origin, vertical field of
# view 2 * atan(50/100), the viewer at (13, 42), 616 x 547 pixels.
cells=$(awk 'BEGIN {
    ex = 9.1; ey = 20.3; ez = 2.5; len = sqrt(ex*ex + ey*ey + ez*ez);
    fx = -ex / len; fy = -ey / len; fz = -ez / len;
    rx = -fz; rz = fx; rl = sqrt(rx*rx + rz*rz); rx /= rl; rz /= rl;
    ux = -rz*fy; uy = rz*fx - rx*fz; uz = rx*fy;
    t = 50 / 100; aspect = 616 / 547;
    for (r = 2; r <= 9; r += 2) for (c = 1; c <= 10; c++) {
        px = c - 5 - ex; py = 0.1 - ey; pz = r - 11 - ez;
        cx = px*rx + pz*rz; cy = px*ux + py*uy + pz*uz; cz = px*fx + py*fy + pz*fz;
        printf "%d,%d\n", 13 + (cx / (cz * t * aspect) + 1) / 2 * 616 + 0.5, 42 + (1 - cy / (cz * t)) / 2 * 547 + 0.5;
    }
}')
n=0
for cell in $cells; do
    click_at "${cell%,*}" "${cell#*,}"
    sample_memory
    sleep 1
    n=$((n + 1))
    [ "$n" -ge 30 ] && break
done
sample_memory
leave_match # Exit ends the match
sleep 1
button 488 # Exit quits
wait_exit
echo "peak resident memory over a scripted match: $((peak_kb / 1024)) MiB (${peak_kb} kB)"

# 3. Idle CPU in the menu and resident memory 3 s after launch.
xdotool mousemove 0 0
launch
wait_first_frame > /dev/null
sleep 3
rss_kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
own_kb=$(own_resident_kb)
t0=$(cpu_ticks)
w0=$(now_ms)
sleep 10
t1=$(cpu_ticks)
w1=$(now_ms)
find_main_window || { echo "no main window" >&2; exit 1; }
button 488 # Exit
wait_exit
echo "resident memory 3 s after launch: $((rss_kb / 1024)) MiB (${rss_kb} kB), without the OpenGL driver's libraries $((own_kb / 1024)) MiB"
echo "CPU in the menu, nothing touched: $(((t1 - t0) * 100000 / hz / (w1 - w0))) % of one core over $(((w1 - w0) / 1000)) s"

# 4. Idle CPU in a battle: Single, Fight, then the player's turn (the probe
# file says so) with the pointer still over the view's middle, away from the
# strips at the window's top and bottom that scroll the camera. largest: the
# window first made as large as F11 makes it on a 1280 x 1024 screen (the
# whole screen: the 751 x 605 window scaled by 1024 / 605, the view taking
# the 8 pixels of width left beside the panel).
probe=$work/probe
idle_battle() {
    local size=$1 factor=1 wid
    rm -f "$work/probe"
    rm -f "$work/vtx.ini" # a window made larger before is kept there
    start_battle
    for _ in $(seq 1 300); do
        grep -q '^turn=1$' "$work/probe" 2>/dev/null && grep -q '^fight=1$' "$work/probe" && break
        sleep 0.1
    done
    grep -q '^turn=1$' "$work/probe" || { echo "the player's turn never came" >&2; exit 1; }
    if [ "$burning_wanted" = 1 ]; then
        # Shots at the enemy until the computer has set an own cell on fire.
        for cell in $cells; do
            [ "$(awk -F= '/^ownhit=/ {print $2}' "$work/probe")" -ge 1 ] 2>/dev/null && break
            click_at "${cell%,*}" "${cell#*,}"
            for _ in $(seq 1 50); do
                sleep 0.1
                grep -q '^turn=1$' "$work/probe" && break
            done
            sleep 1
        done
    fi
    if [ "$size" = largest ]; then
        wid=$(xdotool search --onlyvisible --name "^Vortalix 3D$" | head -1)
        xdotool windowmove "$wid" 0 0
        xdotool windowsize "$wid" 1280 1024
        sleep 1
        find_main_window || { echo "no main window" >&2; exit 1; }
        factor=$(awk -v h="$win_h" 'BEGIN { print h / 605 }')
    fi
    xdotool mousemove $(awk -v x="$win_x" -v y="$win_y" -v f="$factor" 'BEGIN { printf "%d %d", x + 320 * f, y + 300 * f }')
    sleep 2
    local f0 t0 w0 f1 t1 w1 burning enemy_hit own_kb
    f0=$(awk -F= '/^frames=/ {print $2}' "$work/probe")
    t0=$(cpu_ticks)
    w0=$(now_ms)
    sleep 10
    t1=$(cpu_ticks)
    w1=$(now_ms)
    f1=$(awk -F= '/^frames=/ {print $2}' "$work/probe")
    burning=$(awk -F= '/^ownhit=/ {print $2}' "$work/probe")
    enemy_hit=$(awk -F= '/^enemyhits=/ {print $2}' "$work/probe")
    own_kb=$(own_resident_kb)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
    echo "CPU in a battle, nothing happening, ${size} view (${win_w} x ${win_h} window; player's turn, ${burning} own and ${enemy_hit} enemy cells burning): $(((t1 - t0) * 100000 / hz / (w1 - w0))) % of one core over $(((w1 - w0) / 1000)) s, $(((f1 - f0) * 1000 / (w1 - w0))) frames a second; resident without the OpenGL driver's libraries $((own_kb / 1024)) MiB"
}
# Each size also with flames: an idle battle after the computer has hit.
for size in default largest; do
    burning_wanted=0
    idle_battle "$size"
    burning_wanted=1
    idle_battle "$size"
done

#!/usr/bin/env bash
# The real program played from the keyboard alone: real X key events (xdotool)
# from Single to the win or loss message, then the program left with Esc, the
# pointer resting over the 3D view all the while. A
# second start with LANGUAGE=de must show German: its status line, and its
# menu captions, whose extents on the screenshot differ from the English ones
# where the words do and stay centred on their buttons.
#
#   keys_test.sh <runtime folder> <artefact folder>
#
# Waits are bounded; nothing here measures time.
set -euo pipefail

run_dir=$(cd "$1" && pwd)
mkdir -p "$2"
art_dir=$(cd "$2" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/drive-window.sh"
scratch_folder

shot() { import -window root "$art_dir/$1.png"; }
# The probe's value of a key ("turn", "won", "status", ...).
probe() { sed -n "s/^$1=//p" "$work/probe" 2>/dev/null | head -1; }
wait_probe() { # key value [tries of 0.1 s]
    for _ in $(seq 1 "${3:-100}"); do
        [ "$(probe "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    return 1
}
start() { # extra environment for the program
    cp -r "$run_dir"/. "$work"/game
    rm -f "$work"/game/vtx.ini "$work"/game/hscore.dat "$work"/game/clients.cfg "$work/probe"
    (cd "$work/game" && env SDL_AUDIODRIVER=dummy VTX_TEST_PROBE="$work/probe" "$@" ./vortalix3d \
        > "$art_dir/keys.log" 2>&1) &
    pid=$!
    find_main_window || { echo "the main window did not appear"; exit 1; }
    wid=$(xdotool search --onlyvisible --name "^Vortalix 3D$" | head -1)
    sleep 3 # the first frames
    # The pointer rests over the middle of the 3D view, whose native window
    # the X server hands the keys to when no window manager moves the focus:
    # they must reach the game all the same.
    xdotool mousemove $((win_x + 320)) $((win_y + 315))
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    wait_probe inprogress 0 || { echo "no probe from the program"; exit 1; }
}
stop() {
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then echo "the program did not end after Esc"; exit 1; fi
    wait "$pid" || { echo "the program ended with an error"; exit 1; }
    pid=
    rm -rf "$work/game"
}
# XTEST keys go to the window with the input focus, as a player's do.
key() { xdotool key "$@"; sleep 0.05; }

# ---------------------------------------------------------------- English
start env LANG=C LANGUAGE=
shot keys-01-menu
key ctrl+n
wait_probe inprogress 1 30 || { echo "Ctrl+N started no match"; exit 1; }
key f
wait_probe fight 1 30 || { echo "F started no battle"; exit 1; }
# Sweep the enemy board line by line as seen, shooting each cell; a key
# goes only while it is the player's turn.
player_turn() {
    for _ in $(seq 1 300); do
        [ "$(probe won)" = 1 ] || [ "$(probe lost)" = 1 ] && return 1
        [ "$(probe turn)" = 1 ] && return 0
        sleep 0.1
    done
    echo "the turn never came back"; exit 1
}
over=0
player_turn || over=1
if [ "$over" = 0 ]; then
    key Prior Home
    for row in $(seq 1 10); do
        for column in $(seq 1 10); do
            player_turn || { over=1; break 2; }
            shots=$(probe shots)
            key Return
            for _ in $(seq 1 30); do [ "$(probe shots)" != "$shots" ] && break; sleep 0.1; done
            [ "$(probe shots)" != "$shots" ] || { echo "Enter shot nothing at $row,$column"; exit 1; }
            [ "$row" = 1 ] && [ "$column" = 3 ] && shot keys-02-battle
            player_turn || { over=1; break 2; }
            if [ "$column" -lt 10 ]; then key Right; else key Down Home; fi
        done
    done
fi
for _ in $(seq 1 100); do
    [ "$(probe won)" = 1 ] || [ "$(probe lost)" = 1 ] && break
    sleep 0.1
done
result=lost
[ "$(probe won)" = 1 ] && result=won
[ "$(probe lost)" = 1 ] || [ "$result" = won ] || { echo "the match did not end"; exit 1; }
sleep 1
shot keys-03-$result
echo "the match ended: $result after $(probe shots) shots"
# A win opens the score window: Esc closes it; Esc in the menu asks, Y quits.
if [ "$result" = won ]; then
    wait_probe scores 1 50 || { echo "no score window after the win"; exit 1; }
    score=$(xdotool search --onlyvisible --name "^HighScores$" | head -1)
    xdotool windowfocus --sync "$score" 2>/dev/null || true
    xdotool key Escape
    wait_probe scores 0 50 || { echo "Esc did not close the score window"; exit 1; }
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
fi
key Escape
sleep 0.3
key y
stop

# ----------------------------------------------------------------- German
caption_extents() { # screenshot -> "left width" of each menu caption
    local top
    for top in 288 328 368 408 448 488; do
        convert "$1" -crop 71x24+$((win_x + 650))+$((win_y + top)) +repage -colorspace gray \
            -threshold 92% -trim -format '%X %w\n' info: 2>/dev/null | tr -d '+' || echo "0 0"
    done
}
caption_extents "$art_dir/keys-01-menu.png" > "$work/en.txt"
start env LANG=de_DE.UTF-8 LANGUAGE=de
shot keys-04-menu-de
caption_extents "$art_dir/keys-04-menu-de.png" > "$work/de.txt"
key ctrl+n
wait_probe inprogress 1 30 || { echo "Ctrl+N started no match"; exit 1; }
key f
for _ in $(seq 1 100); do
    status=$(probe status)
    case "$status" in "Dein Zug" | "Zug des Gegners" | "Daneben!" | "Computer trifft!!!" | "Computer daneben!!!") break ;; esac
    sleep 0.1
done
echo "German status line: $status"
case "$status" in "Dein Zug" | "Zug des Gegners" | "Daneben!" | "Computer trifft!!!" | "Computer daneben!!!") ;;
*) echo "the status line is not German"; exit 1 ;; esac
key Escape # asks whether to leave the match
sleep 0.3
key y # leaves
sleep 0.6 # past the double-click time
key Escape # asks whether to quit
sleep 0.3
key y # quits
stop
paste "$work/en.txt" "$work/de.txt" | awk '
    { n++; el = $1; ew = $2; dl = $3; dw = $4
      if (n == 3) next # Fight is switched off in the menu: its grey caption is not measured
      printf "button %d: English at %d, %d wide; German at %d, %d wide\n", n, el, ew, dl, dw
      if (dw < 8) { print "no German caption on button " n; bad = 1 }
      if (dl < 1 || dl + dw > 70) { print "German caption off its face on button " n; bad = 1 }
      # Centred: the margins left and right of the German caption agree.
      m = (71 - dl - dw) - dl; if (m < -4 || m > 4) { print "German caption not centred on button " n; bad = 1 }
      if (ew != dw) differ++ }
    END { if (differ < 4) { print "the German captions look like the English ones"; bad = 1 }; exit bad }'
echo "ok: a whole match by keys ($result), German on the buttons and the status line"

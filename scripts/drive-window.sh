# Shared by the scripts that start the real program and drive its main window
# with xdotool (tests/app/launch_test.sh, tests/app/install_test.sh,
# scripts/bench-launch.sh). Source it; it defines:
#
#   scratch_folder     makes $work (a temporary folder) and sets $pid empty;
#                      on exit the program in $pid is ended and $work removed
#   find_main_window   waits (bounded) for the visible main window and sets
#                      win_x, win_y, win_w, win_h; returns 1 when it does not
#                      appear, or when the program in $pid (if set) has ended
#   click_at X Y       clicks at window coordinates
#   button TOP         clicks the menu button whose top is TOP (288 Single,
#                      328 Network, 368 Fight, 408 Options, 448 Scores, 488 Exit)
#   leave_match        Exit in a running match: clicks Exit, answers "Leave
#                      this match?" with Yes and waits out the double-click time

scratch_folder() {
    work=$(mktemp -d)
    pid=
    trap 'if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi; rm -rf "$work"' EXIT
}

find_main_window() {
    local wid=
    for _ in $(seq 1 100); do
        wid=$(xdotool search --onlyvisible --name "^Vortalix 3D$" 2>/dev/null | head -1 || true)
        [ -n "$wid" ] && break
        if [ -n "${pid:-}" ] && ! kill -0 "$pid" 2>/dev/null; then break; fi
        sleep 0.2
    done
    [ -n "$wid" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
}

click_at() {
    xdotool mousemove $((win_x + $1)) $((win_y + $2))
    sleep 0.15
    xdotool click 1
}

button() { click_at 685 $(($1 + 12)); }

leave_match() {
    button 488
    local mess=
    for _ in $(seq 1 25); do
        mess=$(xdotool search --onlyvisible --name "^Message$" 2>/dev/null | head -1 || true)
        [ -n "$mess" ] && break
        sleep 0.2
    done
    if [ -n "$mess" ]; then
        eval "$(xdotool getwindowgeometry --shell "$mess")"
        xdotool mousemove $((X + 105)) $((Y + 153)) # Yes
        sleep 0.15
        xdotool click 1
    fi
    sleep 0.6
}

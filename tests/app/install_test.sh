#!/usr/bin/env bash
# The game as a player installs it, then starts it from any folder.
#
#   install_test.sh install <build folder> <artefact folder>
#       cmake --install into a temporary folder with DESTDIR; the files in
#       place; the desktop entry and the AppStream metadata validated.
#   install_test.sh package <build folder> <artefact folder>
#       cpack -G DEB; its contents and dependencies; unpacked with dpkg-deb -x
#       (never installed on the machine).
#
# Then, for both: --version, --help and an unknown option with no display at
# all; the installed program started from another folder with a fresh HOME on
# the current X display, Exit clicked: it ends by itself and keeps vtx.ini
# with "Song" in ~/.local/share/vortalix3d. The install run also takes the
# screenshots of the README (menu, options window, a battle) into the
# artefact folder. Waits are bounded; nothing here measures time.
set -euo pipefail

mode=$1
build=$(cd "$2" && pwd)
art_dir=$3
mkdir -p "$art_dir"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/drive-window.sh"
scratch_folder
fail() { echo "FAIL: $*"; exit 1; }
root=$work/root

case "$mode" in
install)
    DESTDIR=$root cmake --install "$build" --prefix /opt/vtx > "$art_dir/install.log"
    prefix=$root/opt/vtx
    for f in bin/vortalix3d share/vortalix3d/DATA/font.bmp share/vortalix3d/DATA/ship1t.md2 \
             share/vortalix3d/data/panel1.jpg share/vortalix3d/sounds/bomb.mp3 \
             share/applications/org.vortalix3d.Vortalix3D.desktop \
             share/metainfo/org.vortalix3d.Vortalix3D.metainfo.xml; do
        [ -f "$prefix/$f" ] || fail "not installed: $f"
    done
    ls "$prefix"/share/vortalix3d/Music/*.mid > /dev/null || fail "no songs installed"
    for size in 48 64 128 256; do
        icon=$prefix/share/icons/hicolor/${size}x${size}/apps/vortalix3d.png
        [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size"
    done
    # Only the generated data: no player's files, no texture folder.
    [ -z "$(find "$prefix/share/vortalix3d" -maxdepth 1 -type f)" ] || fail "stray files in the data folder"
    desktop-file-validate "$prefix/share/applications/org.vortalix3d.Vortalix3D.desktop" || fail "desktop entry"
    appstreamcli validate --no-net "$prefix/share/metainfo/org.vortalix3d.Vortalix3D.metainfo.xml" ||
        fail "AppStream metadata"
    ;;
package)
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg") > "$art_dir/cpack.log" 2>&1 ||
        { cat "$art_dir/cpack.log"; fail "cpack"; }
    deb=$(ls "$work"/pkg/vortalix3d_*.deb)
    dpkg-deb -c "$deb" > "$art_dir/contents.txt"
    for f in ./usr/bin/vortalix3d ./usr/share/vortalix3d/DATA/font.bmp ./usr/share/applications/ \
             ./usr/share/icons/hicolor/256x256/apps/vortalix3d.png; do
        grep -q " $f" "$art_dir/contents.txt" || fail "not in the package: $f"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # Found by shlibdeps from the program's libraries, and the sound font by name.
    for dep in libc6 libqt6widgets6 libqt6opengl6 libsdl2-mixer timgm6mb-soundfont; do
        grep -q "$dep" <<< "$depends" || fail "dependency $dep not named"
    done
    dpkg-deb -x "$deb" "$root"
    prefix=$root/usr
    ;;
*)
    echo "usage: $0 install|package <build folder> <artefact folder>" >&2
    exit 2
    ;;
esac

program=$prefix/bin/vortalix3d
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY)
"${nodisplay[@]}" "$program" --version | grep -q '^Vortalix 3D [0-9]' || fail "--version"
"${nodisplay[@]}" "$program" --help | grep -q -- '--version' || fail "--help"
set +e
"${nodisplay[@]}" "$program" --bogus > "$work/out" 2> "$work/err"
status=$?
set -e
[ "$status" -eq 2 ] && [ ! -s "$work/out" ] && grep -q 'unknown option "--bogus"' "$work/err" ||
    fail "an unknown option: status $status, $(cat "$work/err")"

# A fresh player starting the game from an unrelated folder.
home=$work/home
elsewhere=$work/elsewhere
mkdir -p "$home" "$elsewhere"
cd "$elsewhere"
# The packaged one is also given a toolkit option, which it must leave to Qt.
qt_options=()
[ "$mode" = package ] && qt_options=(-display "$DISPLAY")
env -u XDG_DATA_HOME HOME="$home" SDL_AUDIODRIVER=dummy "$program" "${qt_options[@]}" > "$art_dir/$mode-run.log" 2>&1 &
pid=$!

find_main_window || { cat "$art_dir/$mode-run.log"; fail "the main window did not appear"; }
sleep 3 # let the first frames draw
[ -d "$home/.local/share/vortalix3d" ] || fail "the player's folder was not made at the start"

shot() { import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage -quality 90 "$art_dir/$1.jpg"; }

if [ "$mode" = install ]; then
    shot menu
    button 408 # Options
    opt=
    for _ in $(seq 1 25); do
        opt=$(xdotool search --onlyvisible --name "^Options$" 2>/dev/null | head -1 || true)
        [ -n "$opt" ] && break
        sleep 0.2
    done
    [ -n "$opt" ] || fail "the options window did not appear"
    sleep 1
    shot options
    eval "$(xdotool getwindowgeometry --shell "$opt")"
    xdotool mousemove $((X + 153)) $((Y + 292)) # its Close button
    sleep 0.15
    xdotool click 1
    sleep 1

    button 288 # Single
    sleep 2
    button 368 # Fight
    sleep 2
    # Enemy cell centres from the camera at its start (as tests/app/launch_test.sh),
    # shot row by row: a hit fires again, a miss lets the computer answer.
    cells=$(awk 'BEGIN {
        ex = 9.1; ey = 20.3; ez = 2.5; len = sqrt(ex*ex + ey*ey + ez*ez);
        fx = -ex / len; fy = -ey / len; fz = -ez / len;
        rx = -fz; ry = 0; rz = fx; rl = sqrt(rx*rx + rz*rz); rx /= rl; rz /= rl;
        ux = ry*fz - rz*fy; uy = rz*fx - rx*fz; uz = rx*fy - ry*fx;
        t = 50 / 100; aspect = 616 / 547;
        for (r = 1; r <= 10; r++) for (c = 1; c <= 10; c++) {
            px = c - 5 - ex; py = 0.1 - ey; pz = r - 11 - ez;
            cx = px*rx + py*ry + pz*rz; cy = px*ux + py*uy + pz*uz; cz = px*fx + py*fy + pz*fz;
            printf "%d,%d\n", 13 + (cx / (cz * t * aspect) + 1) / 2 * 616 + 0.5, 42 + (1 - cy / (cz * t)) / 2 * 547 + 0.5;
        }
    }')
    n=0
    for cell in $cells; do
        click_at "${cell%,*}" "${cell#*,}"
        n=$((n + 1))
        sleep 1.2
        [ "$n" -ge 45 ] && break
    done
    xdotool mousemove $((win_x + 320)) $((win_y + 300)) # off the edge strips: no scrolling
    sleep 1
    shot battle
    leave_match # Exit ends the match
    sleep 1
fi

button 488 # Exit in the menu quits
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
wait "$pid" || fail "the program ended with an error: $(cat "$art_dir/$mode-run.log")"
pid=
ini=$home/.local/share/vortalix3d/vtx.ini
grep -qi '^Song=' "$ini" 2>/dev/null || fail "no Song in $ini"
[ -z "$(ls -A "$elsewhere")" ] || fail "files left in the folder it was started from: $(ls -A "$elsewhere")"
echo "ok ($mode): $(grep -i '^Song=' "$ini" | tr -d '\r') in $ini"

#!/usr/bin/env bash
# Builds Vortalix 3D and then plays it or runs every test.
#
#   scripts/vtx.sh play   install what is missing, build, start the game
#   scripts/vtx.sh test   install what is missing, build, run all tests
#                         (GUI and OpenGL tests under a virtual X display,
#                         the Qt-free libraries again under ASan and UBSan,
#                         and each fuzz target for a bounded time)
#   scripts/vtx.sh package  install what is missing, build, make the Debian
#                         package build/vortalix3d_<version>_<arch>.deb
#
# Works on a fresh Debian 12 machine as root, or through sudo otherwise.
# Quick when nothing has changed: packages are installed only when missing
# and the builds are incremental.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools libgl-dev libglm-dev libgl1-mesa-dri
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-mixer-dev timgm6mb-soundfont libmp3lame-dev fonts-dejavu-core
    xvfb xauth xdotool x11-utils imagemagick iproute2 python3
    desktop-file-utils appstream dpkg-dev file
    clang-14 libclang-rt-14-dev
)

install_missing() {
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    local dir=$1; shift
    cmake -S "$root" -B "$dir" -G Ninja "$@" > /dev/null
    cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
play)
    install_missing
    build "$root/build"
    cd "$root/build/run"
    exec ./vortalix3d
    ;;
test)
    install_missing
    build "$root/build"
    # One virtual display for the whole run; tests with windows and OpenGL use it.
    # -noreset: by default the X server resets whenever its last client leaves,
    # and a test binary that connects during that reset is refused; between
    # two tests that moment comes often.
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        ctest --test-dir "$root/build" --output-on-failure -j "$jobs" --timeout 600

    # The Qt-free libraries once more, under AddressSanitizer and UBSan.
    build "$root/build-asan" -DVTX_PURE_ONLY=ON -DVTX_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

    # Fuzz targets, each for a bounded time over its kept corpus.
    if [ -f "$root/fuzz/CMakeLists.txt" ]; then
        build "$root/build-fuzz" -DVTX_PURE_ONLY=ON -DVTX_FUZZ=ON \
            -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo
        ctest --test-dir "$root/build-fuzz" --output-on-failure -L fuzz
    fi
    ;;
package)
    install_missing
    build "$root/build"
    cd "$root/build"
    cpack -G DEB
    ;;
*)
    echo "usage: $0 play|test|package" >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Set-up for a fresh Debian 12 or Ubuntu machine: installs what is missing, builds,
# then either starts Zenkodo ("run") or runs every test headless ("test").
set -euo pipefail

cd "$(dirname "$0")/.."

# Build tools and libraries (rsvg-convert renders the icon; dpkg-dev and file let CPack build
# the .deb), plus the independent readers the tests check our files with (among them the
# desktop entry and AppStream validators) and the consoles' engines they run the exported
# programs in (Duktape's duk, Lua 5.3, LuaJIT; QuickJS comes from the npm registry into the
# build tree when the tests run).
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl1-mesa-dev libgif-dev libpng-dev libminizip-dev zlib1g-dev libbenchmark-dev
    librsvg2-bin dpkg-dev file
    unzip desktop-file-utils appstream
    lua5.3 lua5.1 luajit duktape nodejs node-acorn python3
)
# Debian's npm goes with Debian's nodejs; a Node.js from elsewhere brings its own npm.
command -v npm >/dev/null 2>&1 || packages+=(npm)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --parallel
}

case "${1:-}" in
run)
    install_missing
    build
    exec build/src/app/zenkodo
    ;;
test)
    install_missing
    build
    # Offscreen and with private home folders (set per test by CTest): nothing touches
    # the real user's workspace, and no display is needed.
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel 2
    ;;
*)
    echo "usage: scripts/dev.sh run|test" >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the screenshots of the four pages (docs/code.png, sprite.png, help.png,
# system.png) from the real window on Qt's offscreen platform. Run it by hand when the look
# changes and commit the pictures: scripts/screenshots.sh [BUILD_DIR], default build/.
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build}

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target zenkodo_screenshots

# A fresh workspace in a private home, so the pictures show the default settings and the
# user's own files stay out of them.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    "$build/dist/zenkodo_screenshots" docs
ls -l docs/*.png

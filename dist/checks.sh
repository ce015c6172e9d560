#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The install and packaging checks CTest runs: what an install into a DESTDIR holds, that
# the desktop tools accept the desktop entry and the metainfo, the version option, and that
# the screenshot renderer still draws the four pages.
# Exit status 77 tells CTest a check was skipped because its tool is not installed.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need() {
    command -v "$1" >/dev/null || {
        echo "SKIP: $1 is not installed (scripts/dev.sh installs it)"
        exit 77
    }
}

check=$1
shift
case "$check" in
install)
    # install CMAKE BUILD_DIR DESTDIR APP_ID: installs with prefix /usr into DESTDIR and
    # checks that every file is there and the program carries no RPATH.
    cmake=$1 build=$2 destdir=$3 id=$4
    rm -rf "$destdir"
    DESTDIR="$destdir" "$cmake" --install "$build" --prefix /usr >/dev/null
    root="$destdir/usr"
    for f in \
        bin/zenkodo \
        "share/applications/$id.desktop" \
        "share/metainfo/$id.metainfo.xml" \
        "share/icons/hicolor/scalable/apps/$id.svg" \
        "share/icons/hicolor/48x48/apps/$id.png" \
        "share/icons/hicolor/128x128/apps/$id.png" \
        "share/icons/hicolor/256x256/apps/$id.png" \
        share/man/man1/zenkodo.1 \
        share/doc/zenkodo/copyright; do
        [ -s "$root/$f" ] || fail "the install lacks $f"
    done
    [ -x "$root/bin/zenkodo" ] || fail "bin/zenkodo is not executable"
    for size in 48 128 256; do
        file "$root/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
            fail "the ${size}x$size icon is not a $size x $size PNG"
    done
    if readelf -d "$root/bin/zenkodo" | grep -E "\((RPATH|RUNPATH)\)"; then
        fail "bin/zenkodo carries an RPATH"
    fi
    # The one id names the desktop entry's icon and window class and the metainfo.
    grep -qx "Icon=$id" "$root/share/applications/$id.desktop" || fail "desktop entry: Icon is not $id"
    grep -qx "StartupWMClass=$id" "$root/share/applications/$id.desktop" ||
        fail "desktop entry: StartupWMClass is not $id"
    grep -qx "Exec=zenkodo" "$root/share/applications/$id.desktop" || fail "desktop entry: Exec is not zenkodo"
    grep -q "<id>$id</id>" "$root/share/metainfo/$id.metainfo.xml" || fail "metainfo: id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$root/share/metainfo/$id.metainfo.xml" ||
        fail "metainfo: launchable is not $id.desktop"
    echo "install into $destdir holds every file"
    ;;
desktop)
    need desktop-file-validate
    desktop-file-validate "$1"
    ;;
metainfo)
    need appstreamcli
    appstreamcli validate --no-net "$1"
    ;;
version)
    # version PROGRAM VERSION: prints "zenkodo VERSION" and nothing else, status 0, no display.
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none "$1" --version) ||
        fail "zenkodo --version ended with status $?"
    [ "$out" = "zenkodo $2" ] || fail "zenkodo --version printed '$out', not 'zenkodo $2'"
    echo "$out"
    ;;
screenshots)
    # screenshots PROGRAM FOLDER: the four pages at the designed window size.
    rm -rf "$2"
    "$1" "$2"
    for page in code sprite help system; do
        file "$2/$page.png" | grep -q "PNG image data, 384 x 567," || fail "$page.png is not a 384 x 567 PNG"
    done
    echo "four pages rendered"
    ;;
*)
    fail "unknown check $check"
    ;;
esac

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Set-up for a fresh Debian 12 or Ubuntu machine: installs what is missing, builds,
# then starts Zenkodo ("run"), runs every test headless ("test"), runs every test in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer ("sanitize"), or runs each
# libFuzzer target for a while ("fuzz [seconds]", 60 by default).
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
    libx11-dev libxtst-dev
    librsvg2-bin dpkg-dev file
    unzip desktop-file-utils appstream
    lua5.3 lua5.1 luajit duktape nodejs node-acorn python3
)
# Debian's npm goes with Debian's nodejs; a Node.js from elsewhere brings its own npm.
command -v npm >/dev/null 2>&1 || packages+=(npm)
# The fuzz targets need clang and its libFuzzer and sanitizer runtimes.
fuzz_packages=(clang-14 libclang-rt-14-dev)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
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

# Every test in a second build with the sanitizers; the first finding stops its test.
# Leak reports are off because Qt's gesture code keeps a small allocation until exit.
sanitize() {
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENKODO_SANITIZE=ON \
        -DZENKODO_BUILD_BENCH=OFF
    cmake --build build-asan --parallel
    echo "== test suite with AddressSanitizer and UndefinedBehaviorSanitizer"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
        ctest --test-dir build-asan --output-on-failure --parallel 2
}

# One fuzz target for a bounded time from its seeds in fuzz/corpus/; what it learns stays
# in build-fuzz/runs/, and a crash leaves its input there with the report.
fuzz_one() {
    local target="$1" seconds="$2"
    local work="build-fuzz/runs/$target"
    rm -rf "$work"
    mkdir -p "$work/corpus"
    if UBSAN_OPTIONS=print_stacktrace=1 "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "fuzz/corpus/$target" \
        >"$work/log" 2>&1; then
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
        echo "$target: ${runs:-?} executions in ${seconds} s, no failure, corpus $(ls "$work/corpus" | wc -l) inputs"
    else
        echo "$target: FAILED; the report, then the input that failed ($work):"
        grep -v '^#[0-9]' "$work/log" | tail -40
        ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null || true
        return 1
    fi
}

# Every fuzz target, two at a time (one per core).
fuzz() {
    local seconds="${1:-60}"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
        -DZENKODO_FUZZ=ON -DZENKODO_BUILD_TESTS=OFF -DZENKODO_BUILD_BENCH=OFF
    cmake --build build-fuzz --parallel --target fuzz
    echo "== fuzz targets, ${seconds} s each"
    local targets=() passed=0 failed=0
    for src in fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$src" .cpp)")
    done
    for ((i = 0; i < ${#targets[@]}; i += 2)); do
        local pids=()
        for t in "${targets[@]:i:2}"; do
            fuzz_one "$t" "$seconds" >"build-fuzz/runs-$t.out" 2>&1 &
            pids+=($!)
        done
        for ((k = 0; k < ${#pids[@]}; k++)); do
            local t="${targets[i + k]}"
            if wait "${pids[k]}"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
            cat "build-fuzz/runs-$t.out"
        done
    done
    echo "fuzz: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
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
sanitize)
    install_missing
    sanitize
    ;;
fuzz)
    install_missing "${fuzz_packages[@]}"
    fuzz "${2:-60}"
    ;;
*)
    echo "usage: scripts/dev.sh run|test|sanitize|fuzz [seconds]" >&2
    exit 2
    ;;
esac

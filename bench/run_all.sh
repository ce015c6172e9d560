#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs every benchmark niced (the machine may be shared), one JSON file each in the build
# folder's bench/results/, then prints the table of ratios to their floors.
# Usage: bench/run_all.sh [build folder] (default: build)
set -e
build=${1:-build}
out="$build/bench/results"
mkdir -p "$out"
# The keystrokes are short and the noisiest: five runs each, and their medians.
(cd "$build/bench" && nice ./bench_editor --benchmark_repetitions=5 --benchmark_out=results/bench_editor.json \
    --benchmark_out_format=json) >&2
for b in bench_files bench_window bench_search bench_run bench_sprite bench_export bench_backup; do
    (cd "$build/bench" && nice ./$b --benchmark_out="results/$b.json" --benchmark_out_format=json) >&2
done
python3 "$(dirname "$0")/ratios.py" "$out"/*.json

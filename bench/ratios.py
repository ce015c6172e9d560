#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Pairs each benchmark with its floor from Google Benchmark JSON files and prints the
ratios as a Markdown table: CPU time (steady on a loaded machine) and wall time (what a
user waits, syncs included)."""

import json
import re
import sys

# (pattern of the measured path, its floor with \1.. from the pattern, goal or None)
PAIRS = [
    (r"Keystroke/(\w+)/(10000|1000000)", r"Keystroke/\1/10", 1.2),
    (r"Floor/Repaint/(10000|1000000)", r"Floor/Repaint/10", 1.2),
    (r"Scroll/Drag/1000000", r"Scroll/Drag/30", 1.2),
    (r"Paint/(Cols\d+)/1000000", r"Paint/\1/19", 1.2),
    (r"Paste/100000Into/(\d+)", r"Floor/SplitLines/100000", None),
    (r"Paste/100000Into/1000000", r"Paste/100000Into/1000", 1.2),
    (r"Load/(.*)", r"Floor/ReadAndDecode/\1", 2.0),
    (r"Save/(.*)", r"Floor/EncodeWriteSync/\1", 1.5),
    (r"Window/(Save|Close)/100", r"Floor/WriteTextFile/100", None),
    (r"Search/(Fi|Fn|Rn)/1000000", r"Floor/ScanLines/1000000", 2.0),
    (r"Search/JpListShown/1000000", r"Floor/ScanFunctions/1000000", None),
    (r"Run/Tic80Js/1000000", r"Floor/EncodeCrLfWriteSync/1000000", 1.15),
    (r"FloodFill/(\w+)/255", r"Floor/TouchEveryPixel/255", None),
    (r"UndoSnapshot/255", r"Floor/CopySheet/255", None),
    (r"CanvasPaint/(\d+)", r"Floor/ScaledImage/\1", None),
    (r"Export/Tic80/(\w+)", r"Floor/GiflibLibpng/Tic80/\1", 1.25),
    (r"Export/Liko12/(\w+)", r"Floor/WriteText/Liko12/\1", 1.25),
    (r"Export/Pixilang/(\w+)", r"Floor/Giflib/Pixilang/\1", 1.25),
    (r"Backup/(\w+)", r"Floor/Deflate6/\1", 1.1),
]

SUFFIX = re.compile(r"/(min_time|real_time|iterations)[^/]*")
SCALE = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def load(paths):
    runs = {}
    medians = set()
    for path in paths:
        with open(path) as f:
            data = json.load(f)
        for b in data["benchmarks"]:
            if b.get("error_occurred"):
                continue
            name = b.get("run_name", b["name"])
            if b.get("run_type") == "aggregate":
                if b.get("aggregate_name") != "median":
                    continue
                medians.add(name)
            elif name in medians:
                continue  # repeated: the median stands for it
            k = SCALE[b["time_unit"]]
            runs[SUFFIX.sub("", name)] = (b["cpu_time"] * k, b["real_time"] * k)
    return runs, data["context"]


def ms(v):
    return f"{v:.3g}" if v < 100 else f"{v:.0f}"


def main():
    runs, _ = load(sys.argv[1:])
    print("| path | CPU ms | floor | floor CPU ms | ratio CPU | ratio wall | goal |")
    print("|---|---:|---|---:|---:|---:|---:|")
    for name, (cpu, wall) in runs.items():
        for pattern, floor, goal in PAIRS:
            m = re.fullmatch(pattern, name)
            if not m:
                continue
            fname = m.expand(floor)
            if fname not in runs:
                continue
            fcpu, fwall = runs[fname]
            g = f"{goal:g}" if goal else ""
            print(f"| `{name}` | {ms(cpu)} | `{fname}` | {ms(fcpu)} | {cpu / fcpu:.2f} | {wall / fwall:.2f} | {g} |")


if __name__ == "__main__":
    main()

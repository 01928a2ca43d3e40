#!/usr/bin/env python3
"""Times tools that read a picture, work on it and write it, and prints each one's cost of the work
alone: its run with the operation less its run doing the same reading and writing without it.
Runs are timed by compare.py's rules (tiny-input start-up taken off, alternating runs, fastest
counts), all tools of a case in the same run. Prints our work time over each peer's.

Usage: net_compare.py RUNS STEM TINY_STEM CASES.json
Commands name their input as {file} plus their own extension ({file}.v, {file}.ppm), so each tool
reads the format that suits it best.
CASES.json: [{"label": ..., "ours": "name",
              "tools": {"name": {"work": [...], "io": [...]}, ...}}]
"""
import json
import sys

from compare import work_times


def main():
    runs, stem, tiny = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    with open(sys.argv[4]) as f:
        cases = json.load(f)
    for case in cases:
        commands = {}
        for name, tool in case["tools"].items():
            commands[(name, "work")] = tool["work"]
            commands[(name, "io")] = tool["io"]
        times = {name: min(runs_of) for name, runs_of in work_times(commands, stem, tiny, runs).items()}
        net = {name: times[(name, "work")] - times[(name, "io")] for name in case["tools"]}
        ours = case["ours"]
        print(f"{case['label']}: ours {net[ours] * 1000:.1f} ms "
              f"(with reading {times[(ours, 'work')] * 1000:.1f} ms)")
        for name in case["tools"]:
            if name != ours:
                print(f"    {name:<40} {net[name] * 1000:7.1f} ms   ours/peer {net[ours] / net[name]:.3f}")


if __name__ == "__main__":
    main()

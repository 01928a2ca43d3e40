#!/usr/bin/env python3
"""Times our command and peer commands the same way, in the same run, and prints our cost over
each peer's.

Every command names its input as {file}. It is timed on the real input and on a tiny one, and the
tiny run's time is taken off, so process start-up (large under Wine) does not blur the work. Runs
of all commands alternate; the fastest run of each counts.

Usage: compare.py RUNS FILE TINY_FILE CASES.json
CASES.json: [{"label": ..., "ours": [...], "peers": {"name": [...], ...}}]
"""
import json
import subprocess
import sys
import time


def run_once(command, path):
    command = [part.replace("{file}", path) for part in command]
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start


def work_times(commands, path, tiny, runs):
    best = {(name, p): float("inf") for name in commands for p in (path, tiny)}
    for _ in range(runs):
        for name, command in commands.items():
            for p in (path, tiny):
                best[name, p] = min(best[name, p], run_once(command, p))
    return {name: best[name, path] - best[name, tiny] for name in commands}


def main():
    runs, path, tiny = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    with open(sys.argv[4]) as f:
        cases = json.load(f)
    for case in cases:
        commands = {"ours": case["ours"], **case["peers"]}
        times = work_times(commands, path, tiny, runs)
        print(f"{case['label']}: ours {times['ours'] * 1000:.1f} ms")
        for name in case["peers"]:
            print(f"    {name:<34} {times[name] * 1000:7.1f} ms   ours/peer {times['ours'] / times[name]:.3f}")


if __name__ == "__main__":
    main()

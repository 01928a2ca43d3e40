#!/usr/bin/env python3
"""Times our command and peer commands the same way, in the same run, and prints our cost over
each peer's.

A command names its input as {file}: a picture, or a folder of pictures. In a folder's command
{files} stands for the folder's files (sorted), given to one process. A command written as
{"each": [...]} runs once per file of the folder, {file} naming each file, as a script would.

Every command is also timed on a tiny input (one tiny picture, or a folder holding one), which
costs one start-up of the command and next to no work. Each command is charged exactly its own
start-ups: one for a plain command, one per file for an "each" command; so a peer that starts a
process per file carries neither more nor fewer start-ups than it really has. Runs of all commands
alternate; the fastest tiny run gives the start-up, and the real runs, less their start-ups, give
the work: the minimum and the median are printed, with our ratio to each peer for both.

The processor time of the same runs (user and system time of the command's processes, start-ups
taken off the same way) is printed beside the wall-clock time: on a machine loaded by others, a
command of one thread gets a smaller share of the processors than a peer that runs several, and
the wall-clock ratio then measures the scheduler as much as the work.

Usage: compare.py RUNS FILE TINY_FILE CASES.json
CASES.json: [{"label": ..., "ours": COMMAND, "peers": {"name": COMMAND, ...}}]
COMMAND: [...] or {"each": [...]}
"""
import json
import os
import resource
import statistics
import subprocess
import sys
import time


def files_of(path):
    if not os.path.isdir(path):
        return [path]
    return sorted(os.path.join(path, name) for name in os.listdir(path)
                  if os.path.isfile(os.path.join(path, name)))


def expand(command, path):
    out = []
    for part in command:
        if part == "{files}":
            out.extend(files_of(path))
        else:
            out.append(part.replace("{file}", path))
    return out


def invocations(command, path):
    """The processes one run of the command starts, as argument lists."""
    if isinstance(command, dict):
        return [expand(command["each"], f) for f in files_of(path)]
    return [expand(command, path)]


def processor_time():
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime


def run_once(command, path):
    """Wall-clock and processor seconds of one run."""
    runs = invocations(command, path)
    start, start_processor = time.perf_counter(), processor_time()
    for argv in runs:
        subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start, processor_time() - start_processor


def work_and_processor_times(commands, path, tiny, runs):
    """Each command's work (start-ups taken off) in every run, in seconds: wall-clock and processor."""
    real = {name: [] for name in commands}
    startup = {name: (float("inf"), float("inf")) for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            real[name].append(run_once(command, path))
            tiny_run = run_once(command, tiny)
            startup[name] = tuple(min(a, b) for a, b in zip(startup[name], tiny_run))
    def less_startups(name, kind):
        count = len(invocations(commands[name], path))
        return [t[kind] - count * startup[name][kind] for t in real[name]]
    return ({name: less_startups(name, 0) for name in commands},
            {name: less_startups(name, 1) for name in commands})


def work_times(commands, path, tiny, runs):
    """Each command's work (start-ups taken off) in every run, in wall-clock seconds."""
    return work_and_processor_times(commands, path, tiny, runs)[0]


def best(times):
    return min(times)


def middle(times):
    return statistics.median(times)


def main():
    runs, path, tiny = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    with open(sys.argv[4]) as f:
        cases = json.load(f)
    for case in cases:
        commands = {"ours": case["ours"], **case["peers"]}
        times, processor = work_and_processor_times(commands, path, tiny, runs)
        ours = times["ours"]
        # Work done by processes the command does not wait for (a program another one starts under
        # Wine) is not in its processor time: then only the wall-clock line stands.
        processor_measured = middle(processor["ours"]) >= 0.1 * middle(ours)
        kinds = (("", times), ("  processor time", processor)) if processor_measured else (("", times),)
        own = (f" (processor time min {best(processor['ours']) * 1000:.1f} ms,"
               f" median {middle(processor['ours']) * 1000:.1f} ms)" if processor_measured else
               " (its processor time is not measurable here)")
        print(f"{case['label']}: ours min {best(ours) * 1000:.1f} ms, median {middle(ours) * 1000:.1f} ms{own}")
        for name in case["peers"]:
            for label, kind in kinds:
                peer, mine = kind[name], kind["ours"]
                print(f"    {name + label:<40} min {best(peer) * 1000:8.1f} ms  median {middle(peer) * 1000:8.1f} ms"
                      f"   ours/peer min {best(mine) / best(peer):.3f}  median {middle(mine) / middle(peer):.3f}")


if __name__ == "__main__":
    main()

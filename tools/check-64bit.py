#!/usr/bin/env python3
"""Finds 64-bit truncations in the Windows sources on any machine: every C++ source that a Windows
tree compiles is checked again by clang, syntax only, as 64-bit Windows code with
-Wshorten-64-to-32 (a pointer, handle or size that would pass through a 32-bit integer).
Usage: check-64bit.py <Windows build tree>  (configured with compile_commands.json)"""
import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

MINGW64 = "x86_64-w64-mingw32-g++-posix"


def libstdcxx_includes():
    """The 64-bit MinGW compiler's own C++ headers, which clang does not find by itself."""
    probe = subprocess.run([MINGW64, "-E", "-v", "-x", "c++", "-"], input="", capture_output=True, text=True)
    listed = re.search(r"#include <\.\.\.> search starts here:\n(.*?)End of search list", probe.stderr, re.S)
    if not listed:
        sys.exit(f"check-64bit: {MINGW64} did not list its include folders")
    return [os.path.normpath(p.strip()) for p in listed.group(1).splitlines() if "/c++" in p]


def clang_command(entry, includes):
    words = shlex.split(entry["command"])[1:]
    kept, skip_next = [], False
    for word in words:
        if skip_next:
            skip_next = False
        elif word == "-o":
            skip_next = True
        elif word != "-c":
            kept.append(word)
    return (["clang++", "--target=x86_64-w64-mingw32", "-fsyntax-only", "-nostdinc++"] +
            [f"-isystem{p}" for p in includes] + kept + ["-Wno-everything", "-Wshorten-64-to-32"])


def main():
    tree = sys.argv[1] if len(sys.argv) > 1 else "build/win32"
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(tree, "compile_commands.json")) as f:
        entries = [e for e in json.load(f)
                   if e["file"].endswith(".cpp") and e["file"].startswith(top + "/") and "/.deps/" not in e["file"]]
    includes = libstdcxx_includes()

    def check(entry):
        result = subprocess.run(clang_command(entry, includes), cwd=entry["directory"], capture_output=True, text=True)
        return result.returncode, result.stderr

    with ThreadPoolExecutor(os.cpu_count()) as pool:
        results = list(pool.map(check, entries))
    bad = [err for rc, err in results if rc != 0 or err.strip()]
    for err in bad:
        sys.stdout.write(err)
    print(f"check-64bit: {len(entries) - len(bad)} of {len(entries)} sources clean as 64-bit Windows code")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())

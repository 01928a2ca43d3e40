#!/usr/bin/env python3
"""Keeps the folders' layers pointing one way: every quoted #include of a source folder must name
a header of its own folder or of a folder it stands on, as declared below. An include that points
up or sideways fails the check, with the file, the line and the rooms it joins.
Usage: check-layers.py [source root]   (prints each folder's includes of the others with -v)"""
import os
import re
import sys

# Each folder and the folders directly beneath it; a folder stands on everything beneath those
# too. Lowest first. Folders side by side (records and shelltree, or the programs beside
# Vireldan) may not reach each other.
STANDS_ON = {
    "platform": [],
    "framework": ["platform"],
    "imagelib": ["framework"],
    "records": ["imagelib"],
    "shelltree": ["framework"],
    # Vireldan's own rooms: what its parts promise each other, the window pieces several of them
    # use, the file-transfer engine; the output features and the image windows side by side, the
    # thumbnail browser, which opens pictures in both and starts their jobs; the program itself.
    "contracts": ["records", "shelltree"],
    "common_ui": ["contracts"],
    "transfer": ["common_ui"],
    "output": ["transfer"],
    "viewer": ["transfer"],
    "browser": ["output", "viewer"],
    "app": ["browser"],
    # The programs and libraries beside Vireldan, on the lower rooms only.
    "mailer": ["imagelib"],
    "helpfile": ["platform"],
    "cachetool": ["records", "shelltree"],
    "screensaver": ["records"],
    "installer": ["records"],
    "uninstaller": ["installer"],
}

SOURCE_SUFFIXES = (".h", ".cpp", ".c", ".rc")
# Folders of the tree that are not rooms: the build's trees and scripts, the tests and benchmarks.
NOT_ROOMS = {"build", "bench", "cmake", "tests", "tools"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def beneath(folder, seen=None):
    """Every folder the folder stands on, directly or not."""
    seen = set() if seen is None else seen
    for lower in STANDS_ON[folder]:
        if lower not in seen:
            seen.add(lower)
            beneath(lower, seen)
    return seen


def source_files(root):
    for folder in STANDS_ON:
        for path, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield folder, os.path.join(path, name)


def has_sources(root, folder):
    return any(name.endswith(SOURCE_SUFFIXES) for _, _, names in os.walk(os.path.join(root, folder)) for name in names)


def header_homes(root):
    """Which folder holds each header name; the build finds headers by name alone."""
    homes = {}
    for folder, path in source_files(root):
        if path.endswith(".h"):
            homes.setdefault(os.path.basename(path), set()).add(folder)
    return homes


def main():
    arguments = [a for a in sys.argv[1:] if a != "-v"]
    root = arguments[0] if arguments else os.path.join(os.path.dirname(__file__), "..")
    homes = header_homes(root)
    faults, counts = [], {}
    faults += [f"{folder}/: the declared order runs in a circle through it" for folder in STANDS_ON
               if folder in beneath(folder)]
    for folder in sorted(os.listdir(root)):
        if folder in STANDS_ON or folder in NOT_ROOMS or folder.startswith(".") or not has_sources(root, folder):
            continue
        faults.append(f"{folder}/: a folder of sources with no place in the layers (tools/check-layers.py)")
    for folder, path in source_files(root):
        allowed = beneath(folder) | {folder}
        with open(path, encoding="latin-1") as source:
            for number, line in enumerate(source, 1):
                found = INCLUDE.match(line)
                if not found:
                    continue
                named = found.group(1)
                if os.path.exists(os.path.join(os.path.dirname(path), named)):
                    continue
                owners = homes.get(os.path.basename(named), set())
                if len(owners) > 1:
                    faults.append(f"{os.path.relpath(path, root)}:{number}: \"{named}\" is a header of "
                                  f"{' and '.join(sorted(owners))}: the name must be one header's")
                    continue
                for owner in owners - {folder}:
                    counts[(folder, owner)] = counts.get((folder, owner), 0) + 1
                    if owner not in allowed:
                        faults.append(f"{os.path.relpath(path, root)}:{number}: {folder}/ includes "
                                      f"\"{named}\" of {owner}/, which does not stand beneath it")
    if "-v" in sys.argv:
        for (folder, owner), count in sorted(counts.items()):
            print(f"{folder:>12} -> {owner:<12} {count}")
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-layers: {len(faults)} includes point against the folders' order", file=sys.stderr)
        return 1
    print(f"check-layers: {sum(counts.values())} includes between folders, all pointing down")
    return 0


if __name__ == "__main__":
    sys.exit(main())

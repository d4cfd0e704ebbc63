#!/usr/bin/env python3
"""Checks that every folder library includes only from itself and below,
and that no two components of the plotter (a header with its source file)
use each other, directly or through others.

Usage: check_include_layers.py SOURCE_ROOT

Each quoted #include is resolved by file name: a header beside the
including file first, otherwise every header of that name in the tree (one
of them must be allowed). A folder's tests/ and testing/ belong to the
folder. Top-level folders not named below count as bottom libraries that
anyone may use. Prints every offending include and exits with status 1.
"""
import os
import re
import sys

# Library folders and the folders each may include from (besides itself).
BOTTOM = ["fields", "portfiles", "cli"]
ALLOWED = {
    "fields": [],
    "portfiles": ["fields"],
    "cli": [],
    "solver/kernels": BOTTOM,
    "solver": BOTTOM + ["solver/kernels"],
    "plot/shell": BOTTOM,
    "plot/views": BOTTOM + ["plot/shell"],
    "plot/output": BOTTOM + ["plot/shell", "plot/views"],
    "plot/app": BOTTOM + ["plot/shell", "plot/views", "plot/output"],
    "plot/main": BOTTOM + ["plot/shell", "plot/views", "plot/output", "plot/app"],
    "convert": BOTTOM,
}
# Libraries whose components must not include each other in a circle.
CYCLE_FREE = ("plot/shell", "plot/views", "plot/output", "plot/app", "plot/main")
# Folders outside the libraries that may include anything.
ANYTHING = ("tests", "bench", "examples", "scripts", "build")
SOURCE = re.compile(r"\.(h|hpp|cpp|cc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def library_of(relative):
    """The library folder a file belongs to (the longest listed prefix),
    the top-level folder for unlisted ones."""
    best = None
    for folder in ALLOWED:
        if relative.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best if best else relative.split("/", 1)[0]


def component_cycles(uses):
    """The groups of two or more components that reach each other."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for other in uses.get(node, ()):
            if other == node:
                continue
            if other not in index:
                visit(other)
                low[node] = min(low[node], low[other])
            elif other in on_stack:
                low[node] = min(low[node], index[other])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(uses):
        if node not in index:
            visit(node)
    return groups


def main():
    root = os.path.abspath(sys.argv[1])
    headers = {}
    sources = []
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if not d.startswith(".") and d != "build"]
        for name in files:
            if SOURCE.search(name):
                path = os.path.relpath(os.path.join(folder, name), root)
                sources.append(path)
                headers.setdefault(name, []).append(path)
    faults = []
    uses = {}  # component (path without extension) -> components it includes
    for source in sorted(sources):
        library = library_of(source)
        if library not in ALLOWED:
            continue
        allowed = set(ALLOWED[library]) | {library}
        with open(os.path.join(root, source), encoding="utf-8", errors="replace") as f:
            text = f.read()
        for included in INCLUDE.findall(text):
            beside = os.path.normpath(os.path.join(os.path.dirname(source), included))
            if beside in headers.get(os.path.basename(included), []):
                candidates = [beside]
            else:
                candidates = headers.get(os.path.basename(included), [])
            if not candidates:
                continue  # a system or generated header
            if len(candidates) == 1 and "/tests/" not in source and library in CYCLE_FREE:
                uses.setdefault(os.path.splitext(source)[0], set()).add(
                    os.path.splitext(candidates[0])[0])
            owners = {library_of(c) for c in candidates}
            if not any(o in allowed or (o not in ALLOWED and o not in ANYTHING) for o in owners):
                faults.append(f"{source}: includes {included} from {', '.join(sorted(owners))}")
    for cycle in component_cycles(uses):
        faults.append("components that include each other: " + ", ".join(cycle))
    for fault in faults:
        print(fault)
    print(f"{len(sources)} files checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""include-circles.py BUILD_DIR [--deps FILE] [--root DIR] [--forbid UNIT]...

Prints the include circles left among the sources under src/, read from the dependency files the
compiler wrote for a Ninja build (`ninja -C BUILD_DIR -t deps`, or FILE holding that output).
A header and its source count as one unit: src/chart/ChartAxis stands for ChartAxis.h and
ChartAxis.cpp. Unit A reaches unit B when a source of A pulls in B's header, directly or through
other headers; units that reach each other form a circle. Exits 1 when a forbidden unit takes
part in one (by default the chart's axis, axis scale and value list), 0 otherwise.

A header without a source of its own is seen only through the sources that include it.
"""
import argparse
import os
import subprocess
import sys

DEFAULT_FORBIDDEN = ["src/chart/AxisScale", "src/chart/ChartAxis", "src/chart/ChartValueList"]


def parse_deps(text):
    """The `ninja -t deps` listing as (target, [dependency paths]) pairs, the source first."""
    entries = []
    for line in text.splitlines():
        if not line.strip():
            continue
        if not line[0].isspace():
            entries.append((line.split(":", 1)[0], []))
        elif entries:
            entries[-1][1].append(line.strip())
    return entries


def unit_graph(entries, build_dir, root):
    """Each unit under root/src with the units it reaches."""
    src = os.path.join(os.path.realpath(root), "src") + os.sep

    def unit(path):
        real = os.path.realpath(os.path.join(build_dir, path))
        if not real.startswith(src) or not os.path.exists(real):
            return None
        return os.path.splitext(os.path.relpath(real, root))[0]

    graph = {}
    for _, paths in entries:
        if not paths:
            continue
        owner = unit(paths[0])
        if owner is None:
            continue
        reached = graph.setdefault(owner, set())
        for path in paths[1:]:
            other = unit(path)
            if other is not None and other != owner:
                reached.add(other)
                graph.setdefault(other, set())
    return graph


def circles(graph):
    """The groups of two or more units that all reach one another, each sorted."""
    def reachable(start):
        seen, todo = set(), [start]
        while todo:
            for nxt in graph.get(todo.pop(), ()):
                if nxt not in seen:
                    seen.add(nxt)
                    todo.append(nxt)
        return seen

    reach = {u: reachable(u) for u in graph}
    found, placed = [], set()
    for u in sorted(graph):
        if u in placed or u not in reach[u]:
            continue
        group = sorted(v for v in reach[u] if u in reach[v])
        placed.update(group)
        found.append(group)
    return found


def main(argv):
    parser = argparse.ArgumentParser(description="Include circles among the sources.")
    parser.add_argument("build_dir")
    parser.add_argument("--deps", help="a file holding `ninja -t deps` output")
    parser.add_argument("--root", default=os.path.join(os.path.dirname(__file__), ".."))
    parser.add_argument("--forbid", action="append", help="a unit that must be in no circle")
    args = parser.parse_args(argv)
    forbidden = set(args.forbid or DEFAULT_FORBIDDEN)

    if args.deps:
        with open(args.deps, encoding="utf-8") as f:
            text = f.read()
    else:
        run = subprocess.run(["ninja", "-C", args.build_dir, "-t", "deps"],
                             capture_output=True, text=True, check=False)
        if run.returncode != 0:
            print(f"include-circles: ninja could not list the dependencies: {run.stderr.strip()}",
                  file=sys.stderr)
            return 2
        text = run.stdout
    graph = unit_graph(parse_deps(text), args.build_dir, args.root)
    if not graph:
        print(f"include-circles: no dependencies of sources under src/ in {args.build_dir}; "
              "build it first", file=sys.stderr)
        return 2

    failed = False
    groups = circles(graph)
    for group in groups:
        bad = forbidden.intersection(group)
        failed = failed or bool(bad)
        mark = f"   <- must not be in a circle: {', '.join(sorted(bad))}" if bad else ""
        print("circle: " + " <-> ".join(group) + mark)
    if not groups:
        print("include-circles: no circles")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

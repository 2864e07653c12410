"""Figures and uncovered branches from `llvm-cov export` (tests/coverage/report.sh).

figures.py figures JSON ROOT FLOORS PREFIX
    prints line and branch coverage per folder named in FLOORS and exits 1
    when one is below its floor there.
figures.py branches JSON ROOT FLOORS PREFIX
    lists the branches under PREFIX not taken both ways.
"""

import math
import os
import sys


def read_floors(path):
    """The folders to report, in order, with their floors in percent."""
    floors = []
    with open(path, encoding="utf-8") as f:
        for number, text in enumerate(f, 1):
            words = text.split("#", 1)[0].split()
            if not words:
                continue
            if len(words) != 3:
                sys.exit(f"{path}:{number}: want FOLDER LINES BRANCHES, got {text.strip()!r}")
            limits = [None if w == "-" else float(w) for w in words[1:]]
            floors.append((words[0].rstrip("/"), limits[0], limits[1]))
    return floors


def project_files(data, root):
    """The files of the export under root, by path relative to it; generated
    sources in build folders left out."""
    files = {}
    for export in data["data"]:
        for entry in export["files"]:
            relative = os.path.relpath(entry["filename"], root)
            if relative.startswith("..") or relative.startswith("build/"):
                continue
            files[relative] = entry
    return files


def in_folder(path, folder):
    return path == folder or path.startswith(folder + "/")


def percent(covered, count):
    return 100.0 * covered / count if count else 100.0


def shown(value):
    """A percentage cut, not rounded, to one decimal: 87.96 shows as 87.9, so
    that a figure never shows at its floor while below it."""
    return f"{math.floor(value * 10) / 10:5.1f}%"


def figures(files, floors, root):
    print(f"{'folder':<22} {'lines':>20} {'branches':>20}   floors")
    failed = []
    for folder, line_floor, branch_floor in floors:
        lines = [0, 0]
        branches = [0, 0]
        matched = 0
        for path, entry in files.items():
            if not in_folder(path, folder):
                continue
            matched += 1
            summary = entry["summary"]
            lines[0] += summary["lines"]["covered"]
            lines[1] += summary["lines"]["count"]
            branches[0] += summary["branches"]["covered"]
            branches[1] += summary["branches"]["count"]
        if line_floor is None:
            # A folder of constant tables: the compiler runs them, the tests
            # cannot count them. Code that appears there needs a floor.
            if lines[1] > 0:
                failed.append(f"{folder}: has code now ({lines[1]} lines): give it floors")
            elif not os.path.isdir(os.path.join(root, folder)):
                failed.append(f"{folder}: no such folder")
            else:
                print(f"{folder:<22} {'no code run (constant tables)':>41}   - -")
            continue
        if matched == 0:
            failed.append(f"{folder}: no instrumented file (moved or not built?)")
            continue
        line_pct = percent(*lines)
        branch_pct = percent(*branches)
        marks = []
        if line_pct < line_floor:
            marks.append(f"lines {shown(line_pct).strip()} < {line_floor:g}%")
        if branch_pct < branch_floor:
            marks.append(f"branches {shown(branch_pct).strip()} < {branch_floor:g}%")
        failed += [f"{folder}: {m}" for m in marks]
        print(
            f"{folder:<22} {shown(line_pct)} {lines[0]:>6}/{lines[1]:<6}"
            f"  {shown(branch_pct)} {branches[0]:>6}/{branches[1]:<6}"
            f"   {line_floor:g} {branch_floor:g}{'  BELOW' if marks else ''}"
        )
    if failed:
        print("\ncoverage below its floor (tests/coverage/floors.txt):")
        for f in failed:
            print(f"  {f}")
        return 1
    return 0


def condition_text(root, path, branch, cache):
    line_start, column_start, line_end, column_end = branch[:4]
    if path not in cache:
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            cache[path] = f.read().split("\n")
    source = cache[path]
    if line_start > len(source):
        return "?"
    if line_end == line_start:
        text = source[line_start - 1][column_start - 1 : column_end - 1]
    else:
        text = source[line_start - 1][column_start - 1 :] + " ..."
    return " ".join(text.split())


def uncovered_branches(files, root, prefix):
    cache = {}
    found = set()
    for path, entry in files.items():
        if not path.startswith(prefix):
            continue
        branches = list(entry.get("branches", []))
        for expansion in entry.get("expansions", []):
            branches += expansion.get("branches", [])
        for b in branches:
            true_count, false_count = b[4], b[5]
            if true_count and false_count:
                continue
            if not true_count and not false_count:
                missing = "never reached"
            elif not true_count:
                missing = "never true"
            else:
                missing = "never false"
            found.add((path, b[0], b[1], missing, condition_text(root, path, b, cache)))
    for path, line, column, missing, text in sorted(found):
        print(f"{path}:{line}:{column}: {missing}: {text}")
    print(f"{len(found)} branches under {prefix} not taken both ways", file=sys.stderr)
    return 0


def main(mode, json_path, root, floors_path, prefix):
    import json

    with open(json_path, encoding="utf-8") as f:
        data = json.load(f)
    files = project_files(data, root)
    if mode == "figures":
        return figures(files, read_floors(floors_path), root)
    return uncovered_branches(files, root, prefix)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

#!/usr/bin/env python3
"""What the Python package adds per line: the same lines checked through a
bare ctypes call of vx_check_line (the C API and the foreign-function call,
no objects made), through Checker.check_line (the results as dataclasses)
and through Checker.check_file. Prints its setup (machine, Python, library,
input), then per way the time per line, best of five runs.

    bench/python_overhead.py [LIBVEXALCHECK] [RECORDS]
      (default build/default/bin/libvexalcheck.so, 20000)
"""

import ctypes
import os
import platform
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
library = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    ROOT, "build", "default", "bin", "libvexalcheck.so")
records = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
os.environ["VEXAL_LIBRARY"] = os.path.abspath(library)
sys.path.insert(0, os.path.join(ROOT, "python"))

import vexal  # noqa: E402
from vexal import _checker, _library  # noqa: E402


def cpu():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor()


def commit():
    try:
        return subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"],
                              capture_output=True, text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return "unknown"


def best(run, repeat=5):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


with open(os.path.join(ROOT, "examples", "transmission.txt"), "rb") as example:
    kinds = [line.rstrip(b"\r\n") for line in example]
# The DSKO_04 records of the example, valid and faulty, over and over: the
# input of bench/host_throughput.sh.
pattern = [line for line in kinds if line.startswith(b"DSKO") and len(line) == 415]
lines = [pattern[i % len(pattern)] for i in range(records)]

print(f"machine:  {cpu()}, {os.cpu_count()} cores")
print(f"python:   {platform.python_implementation()} {platform.python_version()} "
      f"({sys.executable})")
print(f"library:  {library}, commit {commit()}")
print(f"input:    {records} DSKO_04 records of 415 characters ({len(pattern)} patterns of "
      f"examples/transmission.txt, valid and faulty), processing date 20261208")
print()

with vexal.Checker(today="20261208") as checker:
    api = _checker._api()
    handle = checker._handle
    result = ctypes.POINTER(_library.CResult)()

    def bare():
        for number, line in enumerate(lines, 1):
            api.vx_check_line(handle, line, len(line), number, ctypes.byref(result))

    def objects():
        for number, line in enumerate(lines, 1):
            checker.check_line(line, number)

    with tempfile.NamedTemporaryFile(suffix=".txt", delete=False) as file:
        file.write(b"\n".join(lines) + b"\n")
    try:
        def whole_file():
            for _ in checker.check_file(file.name):
                pass

        figures = [("bare ctypes call of vx_check_line", best(bare)),
                   ("Checker.check_line", best(objects)),
                   ("Checker.check_file", best(whole_file))]
    finally:
        os.unlink(file.name)

base = figures[0][1] / records
for name, seconds in figures:
    per_line = seconds / records
    print(f"{name:36s} {per_line * 1e6:7.2f} us/line  {records / seconds:9.0f} lines/s  "
          f"+{(per_line - base) * 1e6:5.2f} us over the bare call")

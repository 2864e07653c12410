#!/usr/bin/env python3
"""Runs the code the documents show, so that they cannot drift from the
library.

Every ```c block of docs/c-api.md is compiled against the header and
libvexalcheck and run in the source folder; a block with a main() must
exit with 0 and, when it checks the example transmission, print what
`vexal check` prints for it. Every ```python block of docs/python.md and
README.md runs with the package of the source tree; a line
`print(...)  # TEXT` promises TEXT as that print's output, and a block that
the text after it says "prints `TEXT`" must print TEXT.

Usage: check_snippets.py SOURCE_DIR LIBVEXALCHECK VEXAL C_COMPILER
"""

import os
import re
import subprocess
import sys
import tempfile

BLOCK = re.compile(r"^```(\w+)\n(.*?)^```\n", re.S | re.M)
PROMISED_PRINT = re.compile(r"^\s*print\(.*\)\s+# (.*)$")
PRINTS_AFTER = re.compile(r"\A\s*prints `([^`]*)`")


def blocks(path, language):
    """The blocks of that language, each with the text after it."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    for match in BLOCK.finditer(text):
        if match.group(1) == language:
            yield match.group(2), text[match.end():match.end() + 400]


def run(command, cwd, env=None):
    return subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True,
                          timeout=300)


def check_c(source, library, vexal, compiler, failures):
    lib_dir = os.path.dirname(os.path.abspath(library))
    expected = run([vexal, "check", "--today", "20261208", "examples/transmission.txt"], source)
    for n, (code, _) in enumerate(blocks(os.path.join(source, "docs/c-api.md"), "c"), 1):
        name = f"docs/c-api.md C block {n}"
        with tempfile.TemporaryDirectory() as work:
            program = os.path.join(work, "snippet")
            with open(program + ".c", "w", encoding="utf-8") as f:
                f.write(code)
            has_main = "int main" in code
            command = [compiler, "-std=c99", "-Wall", "-Werror", "-I",
                       os.path.join(source, "include"), program + ".c"]
            command += (["-o", program, "-L", lib_dir, "-lvexalcheck", "-Wl,-rpath," + lib_dir]
                        if has_main else ["-c", "-o", program + ".o"])
            built = run(command, work)
            if built.returncode != 0:
                failures.append(f"{name} does not compile:\n{built.stderr}")
                continue
            if not has_main:
                print(f"ok: {name} compiles")
                continue
            ran = run([program], source)
            if ran.returncode != 0:
                failures.append(f"{name} exits with {ran.returncode}: {ran.stderr}")
            elif "examples/transmission.txt" in code and ran.stdout != expected.stdout:
                failures.append(f"{name} prints other lines than vexal check:\n{ran.stdout}")
            else:
                print(f"ok: {name} compiles, runs and prints what vexal check prints")


def check_python(source, library, failures):
    env = dict(os.environ, PYTHONPATH=os.path.join(source, "python"), VEXAL_LIBRARY=library)
    for document in ("docs/python.md", "README.md"):
        for n, (code, after) in enumerate(blocks(os.path.join(source, document), "python"), 1):
            name = f"{document} Python block {n}"
            ran = run([sys.executable, "-c", code], source, env)
            if ran.returncode != 0:
                failures.append(f"{name} fails:\n{ran.stderr}")
                continue
            promised = [m.group(1) for m in map(PROMISED_PRINT.match, code.splitlines()) if m]
            after_match = PRINTS_AFTER.match(after)
            if after_match:
                promised = [after_match.group(1)]
            if promised and ran.stdout.splitlines() != promised:
                failures.append(f"{name} prints\n{ran.stdout}instead of\n" + "\n".join(promised))
                continue
            print(f"ok: {name} runs" + (" and prints what the text says" if promised else ""))


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    source, library, vexal, compiler = sys.argv[1:]
    failures = []
    check_c(source, library, vexal, compiler, failures)
    check_python(source, library, failures)
    for failure in failures:
        print("FAIL: " + failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()

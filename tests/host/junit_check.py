"""vexal check --format junit parsed by xml.etree, its counts against the
jsonl summary of the same run: a failure per finding, an error per line
error and unreadable file, a testcase per record and error, a testsuite
per file and record type.

python3 junit_check.py VEXAL FILE...
"""

import json
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def output(vexal, *args):
    run = subprocess.run([vexal, "check", "-q", "--today", "20261208", *args],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False)
    if run.returncode not in (0, 1, 2):
        sys.exit(f"vexal exited {run.returncode}")
    return run.stdout


def check(vexal, files, jobs):
    records = [json.loads(line)
               for line in output(vexal, "-j", jobs, "--format", "jsonl", *files).splitlines()]
    summary = records.pop()
    root = ElementTree.fromstring(output(vexal, "-j", jobs, "--format", "junit", *files))
    assert root.tag == "testsuites", root.tag
    suites = root.findall("testsuite")
    failures = root.findall("./testsuite/testcase/failure")
    errors = root.findall("./testsuite/testcase/error")
    cases = root.findall("./testsuite/testcase")
    expected = {
        "failures": summary["findings"],
        "errors": summary["line_errors"] + summary["unreadable_files"],
        "testcases": summary["records"] + summary["line_errors"] + summary["unreadable_files"],
    }
    got = {"failures": len(failures), "errors": len(errors), "testcases": len(cases)}
    assert got == expected, f"-j {jobs}: {got} != {expected}"
    assert int(root.get("failures")) == summary["findings"]
    for suite in suites:
        assert int(suite.get("tests")) == len(suite.findall("testcase")), suite.get("name")
        assert int(suite.get("failures")) == len(suite.findall("testcase/failure")), suite.get("name")
    # A suite per file and record type; lines of unknown type in their own
    # (jsonl does not tell the type of a line that was cut before its check
    # failed, which junit files under that type).
    kinds = {f"{r['file']} {r['record_type']}" for r in records if r["kind"] == "record"}
    unknown = {f"{r['file']} unbekannt" for r in records if r["kind"] == "error"}
    names = {s.get("name") for s in suites}
    assert len(names) == len(suites) and kinds <= names <= kinds | unknown, names
    # Every finding of the jsonl is a failure of its record, in order.
    codes = [r["code"] or r["check"] for r in records if r["kind"] == "finding"]
    by_case = {c.get("name"): [f.get("type") for f in c.findall("failure")] for c in cases}
    in_order = []
    for r in records:
        if r["kind"] == "record":
            in_order += by_case[f"{r['file']}:{r['line']}"]
    assert in_order == codes
    print(f"-j {jobs}: {len(suites)} suites, {len(cases)} testcases, {len(failures)} failures, "
          f"{len(errors)} errors, as the jsonl summary counts")


def main():
    vexal, files = sys.argv[1], sys.argv[2:]
    for jobs in ("1", "2"):
        check(vexal, files, jobs)


if __name__ == "__main__":
    main()

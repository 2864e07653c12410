"""The vexal package against the command-line program: the same findings,
key by key, errors as VexalError, and checkers that close cleanly.

ctest runs it with VEXAL_LIBRARY (libvexalcheck) and VEXAL_CLI (the vexal
program) of the build; run alone, both are looked for in build/default.
"""

import contextlib
import datetime
import gc
import io
import json
import os
import subprocess
import sys
import tempfile
import threading
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, "python"))

import vexal  # noqa: E402
from vexal import _library  # noqa: E402

EXAMPLE = os.path.join(SOURCE, "examples", "transmission.txt")
TODAY = "20261208"
CLI = os.environ.get("VEXAL_CLI", os.path.join(SOURCE, "build", "default", "bin", "vexal"))

# The keys of a jsonl "finding" that a Finding carries as attributes.
FINDING_KEYS = [
    "line", "record_type", "id", "check", "code", "problem_type", "weight", "info_type",
    "short_description", "long_description", "correction_info", "reference_topic",
    "reference_field", "field_display_name", "field_type", "field_length", "field_mask",
    "exception",
]


def example_bytes():
    with open(EXAMPLE, "rb") as file:
        return file.read()


def vexal_jsonl(path, *options):
    """The objects `vexal check --format jsonl` writes for the file."""
    run = subprocess.run([CLI, "check", "--today", TODAY, "--format", "jsonl", *options, path],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    if run.returncode not in (0, 1):
        raise AssertionError(f"vexal exited {run.returncode}: {run.stderr.decode()}")
    return [json.loads(line) for line in run.stdout.decode("utf-8").splitlines()]


class CheckFileTest(unittest.TestCase):
    def test_findings_are_those_of_vexal_check_key_by_key(self):
        expected = [o for o in vexal_jsonl(EXAMPLE) if o["kind"] == "finding"]
        with vexal.Checker(today=TODAY) as checker:
            found = [f for r in checker.check_file(EXAMPLE) for f in r.findings]
        self.assertGreater(len(expected), 50)
        self.assertEqual(len(found), len(expected))
        for finding, objects in zip(found, expected):
            for key in FINDING_KEYS:
                self.assertEqual(getattr(finding, key), objects[key],
                                 f"line {objects['line']} {objects['id']}: {key}")

    def test_records_warnings_and_errors_are_those_of_vexal_check(self):
        expected = [o for o in vexal_jsonl(EXAMPLE) if o["kind"] != "finding"]
        got = []
        with vexal.Checker(today=TODAY) as checker:
            for r in checker.check_file(EXAMPLE):
                if r.warning is not None:
                    got.append({"kind": "warning", "line": r.line, "record_type": r.record_type,
                                "message": r.warning, "expected_length": r.expected_length,
                                "actual_length": r.actual_length})
                if r.kind == "record":
                    got.append({"kind": "record", "line": r.line, "record_type": r.record_type,
                                "findings": len(r.findings)})
                elif r.kind == "error":
                    got.append({"kind": "error", "line": r.line, "message": r.error})
        summary = expected.pop()
        self.assertEqual(summary["kind"], "summary")
        for objects in expected:
            del objects["file"]
        self.assertEqual(got, expected)

    def test_the_issue_example_prints_line_type_error_warning_and_findings(self):
        with vexal.Checker(today="20241202", params={"ipMjahrSchalttag": "1201"}) as c:
            rows = [(r.line, r.record_type, r.error, r.warning,
                     [(f.check, f.code, f.id) for f in r.findings])
                    for r in c.check_file(EXAMPLE)]
            r = c.check_line(b"DSKO")
        self.assertEqual(rows[2], (3, "DSKO_04", None, None, [("P_VERNR", "DSKO042", "#P_VERNR")]))
        self.assertEqual(rows[8][:3], (9, None, 'record type cannot be told: unknown record '
                                                'identifier "ABCD" in characters 1-4'))
        self.assertEqual(r.warning, "record too short: 4 characters, its layout implies 415")

    def test_text_lines_are_those_of_the_text_format(self):
        run = subprocess.run([CLI, "check", "--today", TODAY, EXAMPLE], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=False)
        lines = []
        with vexal.Checker(today=TODAY) as checker:
            for r in checker.check_file(EXAMPLE):
                place = f"{EXAMPLE}:{r.line}: "
                if r.warning:
                    lines.append(f"{place}{r.record_type} warning: {r.warning}")
                if r.error:
                    lines.append(f"{place}error: {r.error}")
                lines += [f"{place}{r.record_type} {f.label}: {f.text}" for f in r.findings]
        self.assertEqual(lines, run.stdout.decode("utf-8").splitlines())

    def test_streams_and_file_warnings(self):
        data = example_bytes()
        with vexal.Checker(today=TODAY) as checker:
            from_file = list(checker.check_file(EXAMPLE))
            self.assertEqual(list(checker.check_stream(io.BytesIO(data))), from_file)
            utf8 = data.replace(b"Muster", "M\u00fcster".encode("utf-8"), 1)
            warnings = [r for r in checker.check_stream(io.BytesIO(utf8))
                        if r.kind == "file_warning"]
            empty = list(checker.check_stream(io.BytesIO(b"")))
        self.assertEqual(len(warnings), 1)
        self.assertIn("first line with UTF-8 characters", warnings[0].file_warning)
        self.assertEqual([(r.kind, r.line, r.file_warning) for r in empty],
                         [("file_warning", 0, "file is empty")])


class ReadmeTest(unittest.TestCase):
    def test_the_readme_sample_prints_what_the_readme_says(self):
        with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as readme:
            text = readme.read()
        code = text.split("```python\n", 1)[1].split("```", 1)[0]
        said = text.split("```python\n", 1)[1].split("prints `", 1)[1].split("`", 1)[0]
        self.assertEqual(len(code.strip().splitlines()), 3)
        printed = io.StringIO()
        here = os.getcwd()
        os.chdir(SOURCE)
        try:
            with contextlib.redirect_stdout(printed):
                exec(code, {})  # noqa: S102 - the README's own sample
        finally:
            os.chdir(here)
        self.assertEqual(printed.getvalue(), said + "\n")


class CheckLineTest(unittest.TestCase):
    def test_a_forced_type_and_the_options(self):
        line = example_bytes().split(b"\n")[0].rstrip(b"\r")
        with vexal.Checker(today=datetime.date(2026, 12, 8), record_type="DSAS_01") as c:
            forced = c.check_line(line, line_number=5)
        self.assertEqual((forced.kind, forced.line, forced.record_type), ("record", 5, "DSAS_01"))
        self.assertEqual(forced.expected_length, 463)
        with vexal.Checker(today=TODAY, level=2) as c:
            self.assertEqual(c.check_line(line.replace(b"  04", b"  03", 1)).findings, ())
        with vexal.Checker(today=TODAY) as c:
            self.assertEqual(c.check_line(b"").kind, "empty")
            self.assertEqual(c.check_line(line.decode("cp1252")).findings, ())

    def test_layouts(self):
        with vexal.Checker() as c:
            dsko = c.layout("DSKO_04")
            wage = c.layout("DSLN_01")
        self.assertEqual((dsko.field_count, dsko.record_length, dsko.built), (24, 415, True))
        self.assertEqual(dsko.entries[0].display_name, "KENNUNG")
        groups = {e.path: e for e in wage.entries if e.kind == "group"}
        self.assertEqual(groups["UV"].counter_field, "ANUV")
        self.assertIsNone(wage.record_length)

    def test_separate_checkers_in_threads_find_alike(self):
        with vexal.Checker(today=TODAY) as c:
            expected = [f.id for r in c.check_file(EXAMPLE) for f in r.findings]
        found = [None] * 3

        def run(i):
            with vexal.Checker(today=TODAY) as checker:
                found[i] = [f.id for r in checker.check_file(EXAMPLE) for f in r.findings]

        threads = [threading.Thread(target=run, args=(i,)) for i in range(3)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        self.assertEqual(found, [expected] * 3)


class ErrorTest(unittest.TestCase):
    def assert_error(self, status, text, call):
        with self.assertRaises(vexal.VexalError) as raised:
            call()
        self.assertEqual(raised.exception.status, status)
        self.assertIn(text, str(raised.exception))
        self.assertEqual(raised.exception.message, str(raised.exception))

    def test_bad_options(self):
        self.assert_error("VX_INVALID_ARGUMENT", "today wants a date JJJJMMTT",
                          lambda: vexal.Checker(today="8.12.2026"))
        self.assert_error("VX_INVALID_ARGUMENT", "unknown record type 'DSKO_99'",
                          lambda: vexal.Checker(record_type="DSKO_99"))
        self.assert_error("VX_INVALID_ARGUMENT", "level wants a number 0 or greater",
                          lambda: vexal.Checker(level=-3))
        self.assert_error("VX_LIBRARY_ERROR", "cannot load the library /nonexistent/libvexal.so",
                          lambda: vexal.Checker(library_path="/nonexistent/libvexal.so"))

    def test_failed_calls(self):
        with vexal.Checker() as c:
            self.assert_error("VX_IO_ERROR", "cannot open /nonexistent/records.txt",
                              lambda: list(c.check_file("/nonexistent/records.txt")))
            self.assert_error("VX_INVALID_ARGUMENT", "unknown record type 'DSXX'",
                              lambda: c.layout("DSXX"))

            class Broken(io.RawIOBase):
                def readinto(self, buffer):
                    raise OSError("disk gone")

            self.assert_error("VX_IO_ERROR", "read error after line 0",
                              lambda: list(c.check_stream(Broken())))


class CloseTest(unittest.TestCase):
    def test_a_closed_checker_refuses_calls_and_closes_once(self):
        checker = vexal.Checker()
        with checker:
            self.assertFalse(checker.closed)
        self.assertTrue(checker.closed)
        checker.close()
        with self.assertRaises(vexal.VexalError) as raised:
            checker.check_line(b"DSKO")
        self.assertEqual(str(raised.exception), "the checker is closed")

    def test_a_generator_left_early_closes_its_input(self):
        with vexal.Checker(today=TODAY) as c:
            results = c.check_file(EXAMPLE)
            first = next(results)
            results.close()
            self.assertEqual(first.line, 1)
            self.assertEqual(len(list(c.check_file(EXAMPLE))), 29)

    def test_a_new_input_ends_the_results_of_the_one_before(self):
        with vexal.Checker(today=TODAY) as c:
            first = c.check_file(EXAMPLE)
            next(first)
            second = c.check_stream(io.BytesIO(example_bytes()))
            self.assertEqual(list(first), [])
            self.assertEqual(len(list(second)), 29)

    def test_checkers_left_to_the_collector_free_themselves(self):
        api = vexal._checker._api()
        free = api.vx_checker_free
        freed = []
        api.vx_checker_free = lambda handle: (freed.append(handle), free(handle))
        try:
            for _ in range(20):
                vexal.Checker().check_line(b"DSKO")
            gc.collect()
        finally:
            api.vx_checker_free = free
        self.assertEqual(len(freed), 20)


class LibraryTest(unittest.TestCase):
    def test_finds_the_library_by_variable_beside_itself_and_in_the_build_tree(self):
        with tempfile.TemporaryDirectory() as root:
            package = os.path.join(root, "python", "vexal")
            os.makedirs(package)
            self.assertEqual(_library.candidates(package, {"VEXAL_LIBRARY": "/x/lib.so"}),
                             ["/x/lib.so"])
            build = os.path.join(root, "build", "default", "bin")
            os.makedirs(build)
            name = _library.LIBRARY_NAME
            self.assertEqual(_library.candidates(package, {}),
                             [os.path.join(package, name), os.path.join(root, "python", name),
                              os.path.join(build, name)])
            self.assertIsNone(_library.find(package, {}))
            open(os.path.join(build, name), "w").close()
            self.assertEqual(_library.find(package, {}), os.path.join(build, name))
            open(os.path.join(root, "python", name), "w").close()
            self.assertEqual(_library.find(package, {}), os.path.join(root, "python", name))


if __name__ == "__main__":
    unittest.main()

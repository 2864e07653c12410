"""The package refuses misuse before it reaches the library, and turns
what a stream does wrong into a VexalError instead of a crash or a silent
wrong result.

ctest runs it with VEXAL_LIBRARY (libvexalcheck) of the build; run alone,
it is looked for in build/default.
"""

import io
import os
import subprocess
import sys
import threading
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, "python"))

import vexal  # noqa: E402
from vexal import _checker  # noqa: E402

EXAMPLE = os.path.join(SOURCE, "examples", "transmission.txt")
TODAY = "20261208"


def example_bytes():
    with open(EXAMPLE, "rb") as file:
        return file.read()


class OptionTest(unittest.TestCase):
    CASES = [
        ("level of str", dict(level="1"), TypeError),
        ("level of bool", dict(level=True), TypeError),
        ("negative level", dict(level=-1), vexal.VexalError),
        ("level beyond an int", dict(level=2**31), vexal.VexalError),
        ("today of int", dict(today=20261208), TypeError),
        ("NUL in today", dict(today="20261208\0junk"), vexal.VexalError),
        ("None as a parameter value", dict(params={"ipMjahrSchalttag": None}), TypeError),
        ("a parameter that is no pair", dict(params=["ipMjahrSchalttag=1201"]), TypeError),
        ("NUL in a parameter", dict(params={"ipMjahr\0": "1201"}), vexal.VexalError),
        ("empty parameter name", dict(params={"": "1"}), vexal.VexalError),
        ("record type of int", dict(record_type=4), TypeError),
        ("NUL in the record type", dict(record_type="DSKO_04\0"), vexal.VexalError),
        ("NUL in the library path", dict(library_path="lib\0vexal.so"), vexal.VexalError),
    ]

    def test_bad_options_are_refused_before_the_library_sees_them(self):
        for name, options, error in self.CASES:
            with self.subTest(name):
                with self.assertRaises(error):
                    vexal.Checker(**{"today": TODAY, **options})


class LineTest(unittest.TestCase):
    def test_lines_and_line_numbers_of_the_wrong_kind(self):
        with vexal.Checker(today=TODAY) as checker:
            for line, number, error in [(123, 1, TypeError), (None, 1, TypeError),
                                        (b"DSKO", 2**63, vexal.VexalError),
                                        (b"DSKO", -2**63 - 1, vexal.VexalError),
                                        (b"DSKO", "1", TypeError)]:
                with self.subTest(line=line, number=number):
                    with self.assertRaises(error):
                        checker.check_line(line, number)
            # The edges of the range pass.
            self.assertEqual(checker.check_line(b"DSKO", 2**63 - 1).line, 2**63 - 1)


class Greedy:
    """A stream whose read() gives more than it is asked for."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        data, self.data = self.data, b""
        return data * 3


class Failing:
    def read(self, size):
        raise OSError("the disk went away")


class StreamTest(unittest.TestCase):
    def test_text_streams_are_refused(self):
        with vexal.Checker(today=TODAY) as checker:
            for stream in [io.StringIO("DSKO\n"), open(EXAMPLE, encoding="latin-1")]:
                with self.subTest(stream=type(stream).__name__), stream:
                    with self.assertRaises(TypeError):
                        checker.check_stream(stream)
            with self.assertRaises(TypeError):
                checker.check_stream(object())

    def test_a_read_giving_more_than_asked_ends_the_check(self):
        with vexal.Checker(today=TODAY) as checker:
            with self.assertRaises(vexal.VexalError) as raised:
                list(checker.check_stream(Greedy(example_bytes() * 50)))
            self.assertEqual(raised.exception.status, "VX_IO_ERROR")
            self.assertIn("more than asked for", raised.exception.message)
            # The checker goes on working.
            self.assertTrue(list(checker.check_stream(io.BytesIO(example_bytes()))))

    def test_a_failing_read_is_the_cause_of_the_error(self):
        with vexal.Checker(today=TODAY) as checker:
            with self.assertRaises(vexal.VexalError) as raised:
                list(checker.check_stream(Failing()))
            self.assertIsInstance(raised.exception.__cause__, OSError)
            self.assertIn("the disk went away", raised.exception.message)

    def test_a_read_that_checks_on_the_same_checker_is_refused(self):
        with vexal.Checker(today=TODAY) as checker:

            class Reentrant:
                def read(self, size):
                    list(checker.check_file(EXAMPLE))
                    return b""

            with self.assertRaises(vexal.VexalError) as raised:
                list(checker.check_stream(Reentrant()))
            self.assertIsInstance(raised.exception.__cause__, vexal.VexalError)
            self.assertEqual(raised.exception.__cause__.status, "VX_BUSY")
            self.assertTrue(list(checker.check_file(EXAMPLE)))


class ThreadTest(unittest.TestCase):
    def test_a_second_thread_is_refused_while_a_call_runs(self):
        reading = threading.Event()
        tried = threading.Event()

        class Held:
            def __init__(self):
                self.data = example_bytes()

            def read(self, size):
                reading.set()
                tried.wait(10)
                data, self.data = self.data[:size], self.data[size:]
                return data

        with vexal.Checker(today=TODAY) as checker:
            results = []
            worker = threading.Thread(
                target=lambda: results.extend(checker.check_stream(Held())))
            worker.start()
            reading.wait(10)
            with self.assertRaises(vexal.VexalError) as raised:
                checker.check_line(b"DSKO")
            tried.set()
            worker.join()
            self.assertEqual(raised.exception.status, "VX_BUSY")
            self.assertEqual(len(results), len(list(checker.check_file(EXAMPLE))))


class LibraryTest(unittest.TestCase):
    def run_python(self, code, library):
        environment = dict(os.environ, VEXAL_LIBRARY=library)
        return subprocess.run([sys.executable, "-c", code], env=environment,
                              capture_output=True, text=True, cwd=os.path.join(SOURCE, "python"))

    def test_a_library_without_the_api_is_a_vexal_error(self):
        vexalcheck = _checker._library.find()
        libvexal = os.path.join(os.path.dirname(vexalcheck),
                                "vexal.dll" if os.name == "nt" else "libvexal.so")
        done = self.run_python(
            "import vexal\n"
            "try:\n vexal.Checker()\nexcept vexal.VexalError as e:\n print(e.status, e.message)\n",
            libvexal)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("VX_LIBRARY_ERROR", done.stdout)
        self.assertIn("vx_status_name", done.stdout)

    def test_a_library_of_another_version_is_a_vexal_error(self):
        done = self.run_python(
            "import vexal\nfrom vexal import _checker\n_checker._VERSION = '0.9'\n"
            "try:\n vexal.Checker()\nexcept vexal.VexalError as e:\n print(e.status, e.message)\n",
            _checker._library.find())
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("VX_LIBRARY_ERROR", done.stdout)
        self.assertIn("needs 0.9", done.stdout)


if __name__ == "__main__":
    unittest.main()

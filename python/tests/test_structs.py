"""The package's ctypes structures against vexal/check.h: a C program made
from the structures' own field lists prints what the compiler lays out,
sizes and offsets, and every one must match. A field missing from a mirror
shows as a smaller struct, a wrong type as a wrong offset or size.

ctest gives the C compiler as VEXAL_C_COMPILER; run alone, cc is used.
"""

import ctypes
import dataclasses
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, "python"))

import vexal  # noqa: E402
from vexal import _library  # noqa: E402

# Each mirror and the C struct it stands for.
MIRRORS = [
    (_library.Param, "vx_param"),
    (_library.Options, "vx_options"),
    (_library.CFinding, "vx_finding"),
    (_library.CResult, "vx_result"),
    (_library.CLayoutEntry, "vx_layout_entry"),
    (_library.CLayout, "vx_layout"),
]


def c_layouts(compiler):
    """{struct: (size, [(field, offset, size), ...])} as the compiler lays
    them out, for the fields the mirrors name."""
    lines = ["#include <stddef.h>", "#include <stdio.h>", "#include \"vexal/check.h\"",
             "int main(void) {"]
    for mirror, name in MIRRORS:
        lines.append('  printf("%s %%zu\\n", sizeof(%s));' % (name, name))
        for field, _ in mirror._fields_:
            lines.append('  printf("%s.%s %%zu %%zu\\n", offsetof(%s, %s), sizeof(((%s*)0)->%s));'
                         % (name, field, name, field, name, field))
    lines += ["  return 0;", "}"]
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "layout.c")
        program = os.path.join(work, "layout")
        with open(source, "w") as file:
            file.write("\n".join(lines) + "\n")
        subprocess.run([compiler, "-std=c99", "-I", os.path.join(SOURCE, "include"), source,
                        "-o", program], check=True)
        out = subprocess.run([program], check=True, capture_output=True, text=True).stdout
    layouts = {}
    for line in out.splitlines():
        words = line.split()
        if "." not in words[0]:
            layouts[words[0]] = (int(words[1]), [])
        else:
            struct, field = words[0].split(".")
            layouts[struct][1].append((field, int(words[1]), int(words[2])))
    return layouts


class StructLayoutTest(unittest.TestCase):
    def test_every_mirror_lays_out_as_the_header(self):
        compiler = os.environ.get("VEXAL_C_COMPILER") or shutil.which("cc")
        if not compiler:
            self.skipTest("no C compiler (set VEXAL_C_COMPILER)")
        layouts = c_layouts(compiler)
        for mirror, name in MIRRORS:
            with self.subTest(struct=name):
                size, fields = layouts[name]
                self.assertEqual(ctypes.sizeof(mirror), size)
                mirrored = [(field, getattr(mirror, field).offset, getattr(mirror, field).size)
                            for field, _ in mirror._fields_]
                self.assertEqual(mirrored, fields)

    def test_a_finding_carries_every_field_of_vx_finding_in_its_order(self):
        # line and record_type come from the result; the rest from vx_finding.
        names = [field.name for field in dataclasses.fields(vexal.Finding)]
        self.assertEqual(names[:2], ["line", "record_type"])
        self.assertEqual(names[2:], [field for field, _ in _library.CFinding._fields_])


class RecordTypeTest(unittest.TestCase):
    def test_the_library_lays_out_every_record_type_of_the_list(self):
        with open(os.path.join(SOURCE, "src", "frame", "record_types.h")) as file:
            listed = re.findall(r"^  X\(([A-Z]+_[0-9]+)\)", file.read(), re.MULTILINE)
        self.assertGreaterEqual(len(listed), 5)
        with vexal.Checker(today="20261208") as checker:
            for record_type in listed:
                with self.subTest(record_type=record_type):
                    layout = checker.layout(record_type)
                    self.assertEqual(layout.record_type, record_type)
                    self.assertTrue(layout.built)


if __name__ == "__main__":
    unittest.main()

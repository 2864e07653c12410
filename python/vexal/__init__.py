"""vexal: checks records of the accident-insurance reporting procedure
(DSKO_04, DSAS_01, DSAS_02, DSLN_01, DSLN_02) with the rule sets of
libvexal, through the C API of libvexalcheck. Pure ctypes, no build step.

    import vexal
    with vexal.Checker(today="20241202", params={"ipMjahrSchalttag": "1201"}) as c:
        for r in c.check_file("examples/transmission.txt"):
            print(r.line, r.record_type, r.error, r.warning,
                  [(f.check, f.code, f.id) for f in r.findings])

libvexalcheck is found through VEXAL_LIBRARY, beside the package, or in the
build folders of the source tree the package stands in.
"""

from ._checker import _VERSION as __version__
from ._checker import Checker, Finding, Layout, LayoutEntry, Result, VexalError

__all__ = ["Checker", "Finding", "Layout", "LayoutEntry", "Result", "VexalError"]

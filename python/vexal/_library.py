"""Finding and loading libvexalcheck, and the C API's declarations."""

import ctypes
import os
import sys

LIBRARY_NAME = "vexalcheck.dll" if sys.platform == "win32" else "libvexalcheck.so"


def candidates(package_folder=None, environment=None):
    """The paths tried for libvexalcheck, in order.

    VEXAL_LIBRARY when it is set (and then nothing else); else beside the
    package (in its folder and in the folder that holds it, as an install
    lays them out); else in the build folders of the source tree the package
    stands in (build/default first).
    """
    environment = os.environ if environment is None else environment
    if environment.get("VEXAL_LIBRARY"):
        return [environment["VEXAL_LIBRARY"]]
    package_folder = package_folder or os.path.dirname(os.path.abspath(__file__))
    parent = os.path.dirname(package_folder)
    paths = [os.path.join(package_folder, LIBRARY_NAME), os.path.join(parent, LIBRARY_NAME)]
    build = os.path.join(os.path.dirname(parent), "build")
    presets = ["default"]
    if os.path.isdir(build):
        presets += sorted(name for name in os.listdir(build) if name != "default")
    paths += [os.path.join(build, preset, "bin", LIBRARY_NAME) for preset in presets]
    return paths


def find(package_folder=None, environment=None):
    """The first candidate that exists, or None."""
    for path in candidates(package_folder, environment):
        if os.path.isfile(path):
            return path
    return None


class Param(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("value", ctypes.c_char_p)]


class Options(ctypes.Structure):
    _fields_ = [
        ("size", ctypes.c_size_t),
        ("library_path", ctypes.c_char_p),
        ("today", ctypes.c_char_p),
        ("params", ctypes.POINTER(Param)),
        ("param_count", ctypes.c_size_t),
        ("level", ctypes.c_int),
        ("record_type", ctypes.c_char_p),
    ]


class CFinding(ctypes.Structure):
    _fields_ = [
        ("id", ctypes.c_char_p),
        ("check", ctypes.c_char_p),
        ("code", ctypes.c_char_p),
        ("problem_type", ctypes.c_int),
        ("weight", ctypes.c_int),
        ("info_type", ctypes.c_int),
        ("short_description", ctypes.c_char_p),
        ("long_description", ctypes.c_char_p),
        ("correction_info", ctypes.c_char_p),
        ("reference_topic", ctypes.c_char_p),
        ("reference_field", ctypes.c_char_p),
        ("field_display_name", ctypes.c_char_p),
        ("field_type", ctypes.c_int),
        ("field_length", ctypes.c_int),
        ("field_mask", ctypes.c_char_p),
        ("exception", ctypes.c_char_p),
        ("label", ctypes.c_char_p),
        ("text", ctypes.c_char_p),
    ]


class CResult(ctypes.Structure):
    _fields_ = [
        ("kind", ctypes.c_int),
        ("line", ctypes.c_longlong),
        ("record_type", ctypes.c_char_p),
        ("warning", ctypes.c_char_p),
        ("expected_length", ctypes.c_size_t),
        ("actual_length", ctypes.c_size_t),
        ("error", ctypes.c_char_p),
        ("file_warning", ctypes.c_char_p),
        ("finding_count", ctypes.c_size_t),
        ("findings", ctypes.POINTER(CFinding)),
    ]


class CLayoutEntry(ctypes.Structure):
    _fields_ = [
        ("is_group", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("path", ctypes.c_char_p),
        ("name", ctypes.c_char_p),
        ("position", ctypes.c_size_t),
        ("after", ctypes.c_char_p),
        ("length", ctypes.c_size_t),
        ("type", ctypes.c_char_p),
        ("display_name", ctypes.c_char_p),
        ("occurrence_length", ctypes.c_longlong),
        ("counter_field", ctypes.c_char_p),
        ("occurs", ctypes.c_char_p),
    ]


class CLayout(ctypes.Structure):
    _fields_ = [
        ("record_type", ctypes.c_char_p),
        ("built", ctypes.c_int),
        ("field_count", ctypes.c_size_t),
        ("minimum_length", ctypes.c_size_t),
        ("record_length", ctypes.c_longlong),
        ("entry_count", ctypes.c_size_t),
        ("entries", ctypes.POINTER(CLayoutEntry)),
    ]


READ_CALLBACK = ctypes.CFUNCTYPE(
    ctypes.c_longlong, ctypes.c_void_p, ctypes.POINTER(ctypes.c_char), ctypes.c_size_t)


def load(path):
    """libvexalcheck at path, its functions declared."""
    library = ctypes.CDLL(path)
    checker = ctypes.c_void_p
    declarations = {
        "vx_status_name": (ctypes.c_char_p, [ctypes.c_int]),
        "vx_version": (ctypes.c_char_p, []),
        "vx_options_init": (None, [ctypes.POINTER(Options)]),
        "vx_checker_new": (ctypes.c_int, [ctypes.POINTER(Options), ctypes.POINTER(checker),
                                          ctypes.c_char_p, ctypes.c_size_t]),
        "vx_checker_free": (None, [checker]),
        "vx_checker_message": (ctypes.c_char_p, [checker]),
        "vx_check_line": (ctypes.c_int, [checker, ctypes.c_char_p, ctypes.c_size_t,
                                         ctypes.c_longlong, ctypes.POINTER(ctypes.POINTER(CResult))]),
        "vx_input_open_file": (ctypes.c_int, [checker, ctypes.c_char_p]),
        "vx_input_open_stream": (ctypes.c_int, [checker, READ_CALLBACK, ctypes.c_void_p]),
        "vx_input_next": (ctypes.c_int, [checker, ctypes.POINTER(ctypes.POINTER(CResult))]),
        "vx_input_close": (None, [checker]),
        "vx_checker_layout": (ctypes.c_int, [checker, ctypes.c_char_p,
                                             ctypes.POINTER(ctypes.POINTER(CLayout))]),
    }
    missing = [name for name in declarations if not hasattr(library, name)]
    if missing:
        raise LookupError("not libvexalcheck: it lacks " + ", ".join(missing))
    for name, (restype, argtypes) in declarations.items():
        function = getattr(library, name)
        function.restype = restype
        function.argtypes = argtypes
    return library

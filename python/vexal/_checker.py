"""Checker and its results: the C API of libvexalcheck as Python objects."""

import contextlib
import ctypes
import datetime
import io
import os
import threading
from dataclasses import dataclass
from typing import Iterator, Optional, Tuple

from . import _library

_KINDS = {0: "empty", 1: "record", 2: "error", 3: "file_warning"}
_OK = 0
_VERSION = "1.0"  # the libvexalcheck this package is made for
_INT_MAX = 2**31 - 1
_LONG_LONG = range(-2**63, 2**63)

_loaded = None
_loading = threading.Lock()


class VexalError(Exception):
    """A call of libvexalcheck failed: status is its name ("VX_IO_ERROR"),
    message says why."""

    def __init__(self, status, message):
        super().__init__(message)
        self.status = status
        self.message = message


def _api():
    """libvexalcheck, loaded on first use."""
    global _loaded
    with _loading:
        if _loaded is None:
            path = _library.find()
            if path is None:
                raise VexalError(
                    "VX_LIBRARY_ERROR",
                    "libvexalcheck not found; tried: " + ", ".join(_library.candidates())
                    + " (set VEXAL_LIBRARY to its path)")
            try:
                loaded = _library.load(path)
            except (OSError, LookupError) as error:
                raise VexalError("VX_LIBRARY_ERROR", f"cannot load {path}: {error}") from None
            version = loaded.vx_version().decode("utf-8", "replace")
            if version != _VERSION:
                raise VexalError("VX_LIBRARY_ERROR",
                                 f"{path} is libvexalcheck {version}; this package needs "
                                 f"{_VERSION}")
            _loaded = loaded
        return _loaded


def _text(value):
    return None if value is None else value.decode("utf-8")


@dataclass(slots=True)
class Finding:
    """A failed rule or a field that does not conform. Its attributes are the
    keys of a "finding" object of `vexal check --format jsonl` (without kind
    and file), and label and text as the text format prints them:
    "FILE:LINE: RECORD-TYPE label: text"."""

    line: int
    record_type: str
    id: Optional[str]
    check: Optional[str]
    code: Optional[str]
    problem_type: int
    weight: int
    info_type: int
    short_description: Optional[str]
    long_description: Optional[str]
    correction_info: Optional[str]
    reference_topic: Optional[str]
    reference_field: Optional[str]
    field_display_name: Optional[str]
    field_type: Optional[int]
    field_length: Optional[int]
    field_mask: Optional[str]
    exception: Optional[str]
    label: str
    text: str


@dataclass(slots=True)
class Result:
    """What one line gave, or a warning about the whole file.

    kind is "record" (checked; findings when it has faults), "error" (not
    checked; error says why), "file_warning" (file_warning says what; line 0
    when it concerns no line) or "empty" (an empty line given to
    check_line). warning is the length warning of a line whose length
    differs from its layout; both lengths are set whenever record_type is.
    """

    kind: str
    line: int
    record_type: Optional[str]
    warning: Optional[str]
    expected_length: Optional[int]
    actual_length: Optional[int]
    error: Optional[str]
    file_warning: Optional[str]
    findings: Tuple[Finding, ...]


@dataclass(slots=True)
class LayoutEntry:
    """A field or a group of a record layout, in record order."""

    kind: str  # "field" or "group"
    path: str
    name: str
    depth: int
    position: int  # 1-based; from the end of `after` when it is set
    after: Optional[str]
    length: Optional[int]  # fields
    type: Optional[str]  # fields: "alphanumeric" or "numeric"
    display_name: Optional[str]  # fields
    occurrence_length: Optional[int]  # groups; None when it varies
    counter_field: Optional[str]  # groups
    occurs: Optional[str]  # groups, in words


@dataclass(slots=True)
class Layout:
    record_type: str
    built: bool
    field_count: int
    minimum_length: int
    record_length: Optional[int]  # None when groups vary in size
    entries: Tuple[LayoutEntry, ...]


def _number(value):
    # -1 stands for none in vx_finding's numbers.
    return None if value < 0 else value


# How each field of vx_finding becomes the Finding attribute of the same
# name, in their common order: texts decoded, numbers that may be absent
# None, the others as they are.
_FINDING_FIELDS = tuple(
    (name, _text if kind is ctypes.c_char_p else
     _number if name in ("field_type", "field_length") else None)
    for name, kind in _library.CFinding._fields_)


def _finding(line, record_type, f):
    return Finding(line, record_type, *(
        getattr(f, name) if convert is None else convert(getattr(f, name))
        for name, convert in _FINDING_FIELDS))


def _result(r):
    record_type = _text(r.record_type)
    cut = record_type is not None
    line = r.line
    count = r.finding_count
    findings = r.findings
    return Result(
        _KINDS.get(r.kind, str(r.kind)), line, record_type, _text(r.warning),
        r.expected_length if cut else None, r.actual_length if cut else None, _text(r.error),
        _text(r.file_warning),
        tuple(_finding(line, record_type, findings[i]) for i in range(count)))


def _text_option(name, value):
    """A text option as UTF-8 bytes for C: a str (or bytes), without NUL."""
    if isinstance(value, str):
        value = value.encode("utf-8")
    elif not isinstance(value, bytes):
        raise TypeError(f"{name} must be a str, not {type(value).__name__}")
    if b"\0" in value:
        raise _invalid(f"{name} holds a NUL character")
    return value


def _invalid(message):
    return VexalError("VX_INVALID_ARGUMENT", message)


def _date(today):
    if today is None:
        return None
    if isinstance(today, (datetime.date, datetime.datetime)):
        return today.strftime("%Y%m%d").encode()
    return _text_option("today", today)


def _pairs(params):
    """The init parameters as (name, value) bytes, checked."""
    if params is None:
        return []
    items = params.items() if isinstance(params, dict) else params
    pairs = []
    for item in items:
        if not isinstance(item, (tuple, list)) or len(item) != 2:
            raise TypeError(f"params wants NAME=VALUE pairs, not {item!r}")
        name = _text_option("a parameter name", item[0])
        if not name:
            raise _invalid("a parameter name is empty")
        pairs.append((name, _text_option(f"parameter {item[0]}", item[1])))
    return pairs


class Checker:
    """Checks record lines with the rule sets of libvexal through
    libvexalcheck.

        with vexal.Checker(today="20241202") as c:
            for r in c.check_file("examples/transmission.txt"):
                print(r.line, r.record_type, r.error, r.warning,
                      [(f.check, f.code, f.id) for f in r.findings])

    today is the processing date ("JJJJMMTT" or a datetime.date; default the
    local date), params the init parameters (a dict or pairs; after the
    default ipMjahrSchalttag=1201), level the problem-weight level,
    record_type forces every line to be checked as that type, library_path
    names libvexal (default: beside libvexalcheck). Errors raise VexalError.

    A checker serves one call at a time: a call while another runs on it
    (from a second thread, or from the read() of the stream it reads)
    raises VexalError with status VX_BUSY instead of waiting; separate
    checkers check in parallel. It reads one file or stream at a time:
    starting another check_file() or check_stream() ends the one before.
    Close it (or use it in a with block) to release its rule sets.

    Options of the wrong type raise TypeError, and texts holding NUL or a
    level out of range VexalError (VX_INVALID_ARGUMENT), before anything
    reaches the library.
    """

    def __init__(self, today=None, params=None, level=1, record_type=None, library_path=None):
        self._handle = None
        if isinstance(level, bool) or not isinstance(level, int):
            raise TypeError(f"level must be an int, not {type(level).__name__}")
        if not 0 <= level <= _INT_MAX:
            raise _invalid(f"level wants a number 0 or greater, not {level}")
        today = _date(today)
        pairs = _pairs(params)
        record_type = None if record_type is None else _text_option("record_type", record_type)
        if library_path is not None:
            library_path = os.fsencode(library_path)
            if b"\0" in library_path:
                raise _invalid("library_path holds a NUL character")
        self._api = _api()
        options = _library.Options()
        self._api.vx_options_init(ctypes.byref(options))
        options.today = today
        array = (_library.Param * max(len(pairs), 1))()
        for i, (name, value) in enumerate(pairs):
            array[i].name = name
            array[i].value = value
        options.params = array
        options.param_count = len(pairs)
        options.level = level
        options.record_type = record_type or None
        options.library_path = library_path or None
        handle = ctypes.c_void_p()
        message = ctypes.create_string_buffer(1024)
        status = self._api.vx_checker_new(ctypes.byref(options), ctypes.byref(handle), message,
                                          len(message))
        if status != _OK:
            raise VexalError(self._status_name(status), message.value.decode("utf-8", "replace"))
        self._handle = handle
        self._reader = None  # the read callback of an open stream, kept alive
        self._read_error = None  # what the stream's read() raised
        self._input = 0  # counts the files and streams opened
        self._busy = threading.Lock()  # held while a call runs and its result is read

    # --- lifetime

    def close(self):
        """Frees the checker; closing twice does nothing. Raises VexalError
        (VX_BUSY) while another call runs on it."""
        if self._handle is None:
            return
        with self._using():
            self._api.vx_checker_free(self._handle)
            self._handle = None
            self._reader = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def __del__(self):
        if getattr(self, "_handle", None) is not None:
            self.close()

    @property
    def closed(self):
        return self._handle is None

    # --- checking

    def check_line(self, line, line_number=1) -> Result:
        """Checks one record line given as bytes (Windows-1252, without line
        end) or str (encoded as Windows-1252)."""
        if isinstance(line, str):
            line = line.encode("cp1252")
        elif not isinstance(line, (bytes, bytearray, memoryview)):
            raise TypeError(f"check_line wants bytes or str, not {type(line).__name__}")
        if isinstance(line_number, bool) or not isinstance(line_number, int):
            raise TypeError(f"line_number must be an int, not {type(line_number).__name__}")
        if line_number not in _LONG_LONG:
            raise _invalid(f"line_number {line_number} does not fit 64 bits")
        data = bytes(line)
        result = ctypes.POINTER(_library.CResult)()
        with self._using():
            self._call(self._api.vx_check_line, data, len(data), line_number,
                       ctypes.byref(result))
            return _result(result.contents)

    def check_file(self, path) -> Iterator[Result]:
        """The results of every line of a file, in order: a file warning
        before the line that shows it; empty lines give none."""
        path = os.fsencode(path)
        if b"\0" in path:
            raise _invalid("path holds a NUL character")
        with self._using():
            self._call(self._api.vx_input_open_file, path)
            self._input += 1
        return self._results(self._input)

    def check_stream(self, stream) -> Iterator[Result]:
        """The same for a binary stream (anything with readinto() or
        read() that gives bytes). A text stream raises TypeError; read()
        giving more than it was asked for, or anything but bytes, ends the
        check with VexalError, as does an exception of read(), which the
        VexalError carries as its cause."""
        if isinstance(stream, io.TextIOBase):
            raise TypeError("check_stream wants a binary stream (open the file with 'rb')")
        if not (hasattr(stream, "readinto") or hasattr(stream, "read")):
            raise TypeError("check_stream wants a stream with readinto() or read()")

        def read(_context, buffer, size):
            try:
                if hasattr(stream, "readinto"):
                    address = ctypes.cast(buffer, ctypes.c_void_p).value
                    view = (ctypes.c_char * size).from_address(address)
                    got = stream.readinto(memoryview(view).cast("B")) or 0
                    if not 0 <= got <= size:
                        raise VexalError("VX_IO_ERROR",
                                         f"readinto() reported {got} bytes for room of {size}")
                    return got
                data = stream.read(size)
                if isinstance(data, str):
                    raise TypeError("read() gave str: check_stream wants a binary stream")
                data = bytes(data or b"")
                if len(data) > size:
                    raise VexalError("VX_IO_ERROR",
                                     f"read({size}) gave {len(data)} bytes, more than asked for")
                ctypes.memmove(buffer, data, len(data))
                return len(data)
            except BaseException as error:  # the check stops with a read error
                self._read_error = error
                return -1

        callback = _library.READ_CALLBACK(read)
        with self._using():
            self._call(self._api.vx_input_open_stream, callback, None)
            self._reader = callback
            self._read_error = None
            self._input += 1
        return self._results(self._input)

    def _results(self, serial):
        """The results of the input opened as number serial; they end when
        another input is opened."""
        result = ctypes.POINTER(_library.CResult)()
        try:
            while self._input == serial:
                with self._using():
                    try:
                        self._call(self._api.vx_input_next, ctypes.byref(result))
                    except VexalError as error:
                        cause, self._read_error = self._read_error, None
                        if cause is None:
                            raise
                        raise VexalError(error.status, f"{error.message}: "
                                         f"{type(cause).__name__}: {cause}") from cause
                    if not result:
                        return
                    converted = _result(result.contents)
                yield converted
        finally:
            if self._input == serial and self._handle is not None and \
                    self._busy.acquire(blocking=False):
                try:
                    self._api.vx_input_close(self._handle)
                    self._reader = None
                finally:
                    self._busy.release()

    # --- layouts

    def layout(self, record_type) -> Layout:
        """The record layout of a record type ("DSKO_04", ...)."""
        layout = ctypes.POINTER(_library.CLayout)()
        record_type = _text_option("record_type", record_type)
        with self._using():
            self._call(self._api.vx_checker_layout, record_type, ctypes.byref(layout))
            return self._layout(layout.contents)

    @staticmethod
    def _layout(made):
        entries = []
        for i in range(made.entry_count):
            e = made.entries[i]
            group = bool(e.is_group)
            entries.append(LayoutEntry(
                kind="group" if group else "field", path=_text(e.path), name=_text(e.name),
                depth=e.depth, position=e.position, after=_text(e.after),
                length=None if group else e.length, type=_text(e.type),
                display_name=_text(e.display_name),
                occurrence_length=(e.occurrence_length
                                   if group and e.occurrence_length >= 0 else None),
                counter_field=_text(e.counter_field), occurs=_text(e.occurs)))
        return Layout(record_type=_text(made.record_type), built=bool(made.built),
                      field_count=made.field_count, minimum_length=made.minimum_length,
                      record_length=None if made.record_length < 0 else made.record_length,
                      entries=tuple(entries))

    # --- calls

    @contextlib.contextmanager
    def _using(self):
        """Holds the checker for one call and the reading of its result."""
        if self._handle is None:
            raise VexalError("VX_INVALID_ARGUMENT", "the checker is closed")
        if not self._busy.acquire(blocking=False):
            raise VexalError("VX_BUSY", "the checker is in use by another call (another "
                                        "thread, or the read() of the stream it reads)")
        try:
            yield
        finally:
            self._busy.release()

    def _call(self, function, *arguments):
        status = function(self._handle, *arguments)
        if status != _OK:
            message = self._api.vx_checker_message(self._handle).decode("utf-8", "replace")
            raise VexalError(self._status_name(status), message)

    def _status_name(self, status):
        return self._api.vx_status_name(status).decode()

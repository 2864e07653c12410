// libFuzzer target: any bytes as a stream read through the C API's read
// callback, checked by vx_check_stream() or taken result by result with
// vx_input_open_stream() and vx_input_next(). The input starts with a
// header that says how to read the rest:
//
//   byte 0       bits 0-2: the checker (0 and 6-7 tell the record type,
//                1-5 force DSKO_04, DSAS_01, DSAS_02, DSLN_01, DSLN_02);
//                bit 3: result by result instead of vx_check_stream();
//                bit 4: the read callback fails at the cut offset;
//                bit 5: the result callback stops after the cut-th result
//                (vx_check_stream() only); bit 6: the failure is a
//                negative value other than -1
//   byte 1       n - 1, the number of read sizes (1 to 16)
//   n bytes      the read sizes, taken in turn: 1 to 255 bytes, 0 for as
//                many as the reader asks for
//   byte n + 2   the cut: where reading fails (a 256th of the content),
//                or after how many results the check stops
//   the rest     the content: record lines, LF, CR LF or CR, random bytes
//
// The callback never returns 0 before the end (0 is the end). What every
// check must keep, whatever the bytes: results come in input order with
// line numbers that grow, exactly one for each non-empty line (a line cut
// off by a read error is none); a file warning about a line comes right
// before it, one about the file as a whole only when there are no records;
// texts are NUL-terminated UTF-8; a record's lengths, record type and
// findings agree with vx_check_line() on the same bytes; a failing read
// gives VX_IO_ERROR and a stopping callback VX_STOPPED. A broken rule
// aborts (__builtin_trap), so that libFuzzer keeps the input.
// tests/fuzz/stream_seeds holds starting inputs from
// examples/transmission.txt.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vexal/check.h"

namespace {

[[noreturn]] void fail(const char* what, long long line = -1) {
  std::fprintf(stderr, "check_stream_fuzzer: %s (line %lld)\n", what, line);
  __builtin_trap();
}

void require(bool condition, const char* what, long long line = -1) {
  if (!condition) fail(what, line);
}

constexpr const char* kRecordTypes[] = {"DSKO_04", "DSAS_01", "DSAS_02", "DSLN_01", "DSLN_02"};

bool isRecordType(const char* name) {
  for (const char* type : kRecordTypes) {
    if (std::strcmp(type, name) == 0) return true;
  }
  return false;
}

// Whether the NUL-terminated text is well-formed UTF-8: no overlong form,
// no surrogate, nothing above U+10FFFF.
bool validUtf8(const char* text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s != 0) {
    const unsigned char c = *s;
    int more;
    std::uint32_t code;
    if (c < 0x80) {
      ++s;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      more = 1;
      code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2;
      code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3;
      code = c & 0x07;
    } else {
      return false;
    }
    for (int i = 1; i <= more; ++i) {
      if ((s[i] & 0xC0) != 0x80) return false;
      code = (code << 6) | (s[i] & 0x3F);
    }
    if ((more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (more == 3 && (code < 0x10000 || code > 0x10FFFF))) {
      return false;
    }
    s += more + 1;
  }
  return true;
}

// A text handed out: NULL, or NUL-terminated UTF-8 (reading it to its NUL
// lets AddressSanitizer see a missing one).
void requireText(const char* text, long long line) {
  if (text != nullptr) require(validUtf8(text), "text is no UTF-8", line);
}

void requireNonEmptyText(const char* text, const char* what, long long line) {
  require(text != nullptr && *text != '\0', what, line);
  requireText(text, line);
}

// A line of the content as the check must see it.
struct Line {
  long long number;
  std::string_view bytes;  // without its line end
};

// How the check must split the content: at LF, CR LF and a CR alone (a
// CR as the very last byte belongs to the line end); the last line
// without line end only when reading ended without failing, and then a
// last CR is no line end of its own either.
struct Split {
  std::vector<Line> lines;     // the non-empty ones
  long long first_cr_end = 0;  // the first line ended by a CR alone, or 0
  long long count = 0;         // all lines, empty ones included
};

Split expectedLines(std::string_view content, bool read_fails) {
  Split split;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = start;
    while (end < content.size() && content[end] != '\n' &&
           !(content[end] == '\r' && end + 1 < content.size() && content[end + 1] != '\n')) {
      ++end;
    }
    if (end == content.size() && read_fails) break;
    std::string_view bytes = content.substr(start, end - start);
    const bool cr_alone = end < content.size() && content[end] == '\r';
    if (!cr_alone && !bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
    ++split.count;
    if (cr_alone && split.first_cr_end == 0) split.first_cr_end = split.count;
    if (!bytes.empty()) split.lines.push_back({split.count, bytes});
    start = end + 1;
  }
  return split;
}

// What the stream gives the read callback.
struct Reader {
  std::string_view content;  // the bytes to hand out before the end or failure
  const std::uint8_t* sizes;
  std::size_t size_count;
  std::size_t next_size = 0;
  std::size_t position = 0;
  bool fails = false;
  long long failure = -1;
};

long long readPiece(void* context, char* buffer, std::size_t size) {
  Reader& reader = *static_cast<Reader*>(context);
  require(buffer != nullptr && size > 0, "read asked for no bytes");
  const std::size_t left = reader.content.size() - reader.position;
  if (left == 0) return reader.fails ? reader.failure : 0;
  std::size_t piece = reader.sizes[reader.next_size++ % reader.size_count];
  if (piece == 0 || piece > size) piece = size;
  if (piece > left) piece = left;
  std::memcpy(buffer, reader.content.data() + reader.position, piece);
  reader.position += piece;
  return static_cast<long long>(piece);
}

// A result reduced to what must equal vx_check_line()'s.
struct Summary {
  int kind;
  std::string record_type, warning, error;
  std::size_t expected_length, actual_length;
  std::vector<std::string> findings;  // id and code

  bool operator==(const Summary&) const = default;
};

std::string orNull(const char* text) { return text != nullptr ? text : "<null>"; }

Summary summarize(const vx_result& result) {
  Summary summary{result.kind,          orNull(result.record_type),
                  orNull(result.warning), orNull(result.error),
                  result.expected_length, result.actual_length,
                  {}};
  for (std::size_t i = 0; i < result.finding_count; ++i) {
    summary.findings.push_back(orNull(result.findings[i].id) + " " +
                               orNull(result.findings[i].code));
  }
  return summary;
}

// Follows the results of one check against the lines it must give.
struct Watch {
  const Split* split;
  const char* forced;  // the forced record type, or NULL
  std::size_t next_line = 0;
  long long last_line = 0;   // of the last line's result
  int line_warnings = 0;     // file warnings about a line: not Latin-1, CR alone
  bool cr_warning_seen = false;
  bool ended_warning_seen = false;
  std::size_t results = 0;
  std::size_t stop_after = 0;  // 0: never stop
  vx_checker* checker = nullptr;
  bool try_busy = false;

  void finding(const vx_finding& f, long long line) {
    requireNonEmptyText(f.id, "finding without id", line);
    requireNonEmptyText(f.check, "finding without check", line);
    const char* hash = std::strrchr(f.id, '#');
    require(std::strcmp(f.check, hash != nullptr ? hash + 1 : f.id) == 0,
            "check is not the end of the id", line);
    for (const char* text :
         {f.code, f.short_description, f.long_description, f.correction_info, f.reference_topic,
          f.reference_field, f.field_display_name, f.field_mask, f.exception}) {
      requireText(text, line);
    }
    requireNonEmptyText(f.label, "finding without label", line);
    requireNonEmptyText(f.text, "finding without text", line);
    require(f.problem_type == 1 || f.problem_type == 2, "problem type", line);
    require(f.info_type >= 0 && f.info_type <= 3, "info type", line);
    require(f.field_length >= -1, "field length", line);
  }

  // A result of the check; returns the line it is about (null for a file
  // warning).
  const Line* take(const vx_result& r) {
    ++results;
    const long long line = r.line;
    require(r.kind == VX_KIND_RECORD || r.kind == VX_KIND_ERROR || r.kind == VX_KIND_FILE_WARNING,
            "kind of a stream result", line);
    require(!ended_warning_seen, "a result after the warning about the whole file", line);
    for (const char* text : {r.record_type, r.warning, r.error, r.file_warning}) {
      requireText(text, line);
    }
    const std::vector<Line>& lines = split->lines;
    if (r.kind == VX_KIND_FILE_WARNING) {
      requireNonEmptyText(r.file_warning, "file warning without text", line);
      require(r.finding_count == 0 && r.record_type == nullptr && r.error == nullptr,
              "file warning with a line's texts", line);
      if (line == 0) {
        require(next_line == 0 && lines.empty(), "file warning about a file with records", line);
        ended_warning_seen = true;
        return nullptr;
      }
      // Each said once, right before the first line that shows it: a line
      // not Latin-1 (the next result's), or the first CR alone, which may
      // end an empty line that gives no result.
      require(++line_warnings <= 2, "more than two warnings about lines", line);
      require(line > last_line && line <= split->count, "file warning out of order", line);
      if (line == split->first_cr_end) cr_warning_seen = true;
      if (next_line >= lines.size() || line != lines[next_line].number) {
        require(line == split->first_cr_end, "file warning about a line that gives no result",
                line);
      }
      return nullptr;
    }
    require(next_line < lines.size(), "more results than non-empty lines", line);
    const Line& expected = lines[next_line++];
    require(line == expected.number, "line number out of order", line);
    last_line = line;
    require(r.file_warning == nullptr, "a line's result with a file warning", line);
    if (r.kind == VX_KIND_ERROR) {
      requireNonEmptyText(r.error, "error result without error", line);
      require(r.finding_count == 0, "error result with findings", line);
    } else {
      require(r.error == nullptr, "record result with an error", line);
      require(r.record_type != nullptr, "record result without record type", line);
    }
    if (r.record_type != nullptr) {
      require(isRecordType(r.record_type), "unknown record type", line);
      if (forced != nullptr) require(std::strcmp(forced, r.record_type) == 0, "not forced", line);
      require(r.actual_length == expected.bytes.size(), "actual length", line);
      require(r.expected_length > 0, "expected length", line);
      require((r.warning != nullptr) == (r.actual_length != r.expected_length),
              "length warning does not match the lengths", line);
    } else {
      require(r.warning == nullptr, "length warning without record type", line);
    }
    require(r.finding_count == 0 || r.findings != nullptr, "findings missing", line);
    for (std::size_t i = 0; i < r.finding_count; ++i) finding(r.findings[i], line);
    return &expected;
  }

  // The end of a check that neither failed nor stopped: every line seen.
  void ended() const {
    require(next_line == split->lines.size(), "fewer results than non-empty lines");
    require(split->first_cr_end == 0 || cr_warning_seen, "no warning about a CR alone");
    require(!split->lines.empty() || ended_warning_seen,
            "no warning about a file without records");
  }
};

int onResult(void* context, const vx_result* result) {
  Watch& watch = *static_cast<Watch*>(context);
  require(result != nullptr, "null result");
  watch.take(*result);
  if (watch.try_busy) {
    // The checker is in use: a call from its own callback is refused.
    const vx_result* other = nullptr;
    require(vx_check_line(watch.checker, "x", 1, 1, &other) == VX_BUSY, "not busy in callback");
    require(other == nullptr, "busy call handed out a result");
    watch.try_busy = false;
  }
  return watch.stop_after != 0 && watch.results >= watch.stop_after ? 1 : 0;
}

void requireMessage(vx_checker* checker, const char* part) {
  const char* message = vx_checker_message(checker);
  requireNonEmptyText(message, "failed call without message", -1);
  require(std::strstr(message, part) != nullptr, "message does not say why");
}

struct FreeChecker {
  void operator()(vx_checker* checker) const { vx_checker_free(checker); }
};
using CheckerPtr = std::unique_ptr<vx_checker, FreeChecker>;

// The checker that tells record types, then one for each forced type;
// freed at exit, so that the leak check sees nothing of them.
std::vector<CheckerPtr> makeCheckers() {
  std::vector<CheckerPtr> checkers;
  for (int i = 0; i <= 5; ++i) {
    vx_options options;
    vx_options_init(&options);
    options.today = "20261208";
    options.record_type = i == 0 ? nullptr : kRecordTypes[i - 1];
    vx_checker* checker = nullptr;
    char message[512];
    if (vx_checker_new(&options, &checker, message, sizeof message) != VX_OK) {
      std::fprintf(stderr, "check_stream_fuzzer: no checker: %s\n", message);
      std::abort();
    }
    checkers.emplace_back(checker);
  }
  return checkers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<CheckerPtr> checkers = makeCheckers();
  if (size < 3) return 0;
  const std::uint8_t flags = data[0];
  const std::size_t size_count = data[1] % 16 + 1;
  if (size < 2 + size_count + 1) return 0;
  const std::uint8_t* sizes = data + 2;
  const std::uint8_t cut = data[2 + size_count];
  const std::string_view content(reinterpret_cast<const char*>(data) + 3 + size_count,
                                 size - 3 - size_count);

  const int choice = flags & 7;
  const bool forced = choice >= 1 && choice <= 5;
  vx_checker* checker = checkers[forced ? choice : 0].get();
  const bool one_by_one = (flags & 8) != 0;
  const bool read_fails = (flags & 16) != 0;
  const bool stops = (flags & 32) != 0 && !one_by_one;

  Reader reader{content.substr(0, read_fails ? content.size() * cut / 256 : content.size()),
                sizes, size_count};
  reader.fails = read_fails;
  reader.failure = (flags & 64) != 0 ? -1 - static_cast<long long>(cut) * 1000003 : -1;

  const Split split = expectedLines(reader.content, read_fails);
  Watch watch{&split, forced ? kRecordTypes[choice - 1] : nullptr};
  watch.checker = checker;
  watch.stop_after = stops ? cut % 8 + 1 : 0;

  vx_status status;
  if (!one_by_one) {
    watch.try_busy = (cut & 1) != 0;
    status = vx_check_stream(checker, readPiece, &reader, onResult, &watch);
  } else {
    require(vx_input_open_stream(checker, readPiece, &reader) == VX_OK, "cannot open stream");
    for (;;) {
      const vx_result* result = nullptr;
      status = vx_input_next(checker, &result);
      if (status != VX_OK) {
        require(result == nullptr, "failed next with a result");
        break;
      }
      if (result == nullptr) break;
      const Line* line = watch.take(*result);
      if (line == nullptr) continue;
      // Between two results the checker takes single lines: the same
      // bytes alone must give the same result.
      const Summary streamed = summarize(*result);
      const vx_result* single = nullptr;
      require(vx_check_line(checker, line->bytes.data(), line->bytes.size(), line->number,
                            &single) == VX_OK && single != nullptr,
              "vx_check_line between results failed", line->number);
      require(single->line == line->number, "vx_check_line's line number", line->number);
      require(summarize(*single) == streamed, "stream and single line differ", line->number);
    }
    vx_input_close(checker);
  }

  if (read_fails && (!stops || watch.results < watch.stop_after)) {
    require(status == VX_IO_ERROR, "a failing read gives no VX_IO_ERROR");
    require(watch.next_line == split.lines.size(), "lines before the read failure missing");
    requireMessage(checker, "read error after line");
  } else if (stops && watch.results >= watch.stop_after) {
    require(status == VX_STOPPED, "a stopping callback gives no VX_STOPPED");
    require(watch.results == watch.stop_after, "results after the stop");
    requireMessage(checker, "stopped");
  } else {
    require(status == VX_OK, "a stream that reads gives no VX_OK");
    require(*vx_checker_message(checker) == '\0', "a message after success");
    watch.ended();
  }
  return 0;
}

// What a file or stream of record lines gives a check, in input order:
// its lines with their results, warnings about the file as a whole, and a
// read failure. Every front end reads its input through this one stream.

#ifndef VEXAL_HOST_CORE_RESULT_STREAM_H_
#define VEXAL_HOST_CORE_RESULT_STREAM_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/input_encoding.h"
#include "core/line_reader.h"

namespace vexal::core {

class Checker;
struct LineResult;

// One line of the input.
struct InputLine {
  std::string_view bytes;  // without its line end; empty for an overlong line
  long number = 0;         // 1-based
  // Set when the line is longer than any record may be: its length, and
  // the limit. Such a line is not checked.
  std::size_t overlong_length = 0;
  std::size_t max_line_length = 0;
  // Bytes of the input up to the end of this line, its line end included.
  std::uint64_t end_offset = 0;

  bool overlong() const { return overlong_length > 0; }
  // An empty line gives no result; it only counts in the line numbers.
  bool empty() const { return bytes.empty() && !overlong(); }
};

// One piece of the stream.
struct StreamItem {
  enum class Kind {
    kLine,         // line: a line of the input, empty ones included
    kFileWarning,  // the file is not Latin-1, or its lines end with CR alone
                   // (warning_line is the first line showing it, and comes
                   // next), or it holds no records (0)
    kReadFailure,  // reading failed: "read error after line 3: ..."; the last item
  };

  Kind kind = Kind::kLine;
  InputLine line;
  long warning_line = 0;
  std::string message;  // of a warning or failure, Latin-1
};

// Reads one file or stream for a check: splits it into lines (at LF, CR LF
// and a CR alone), watches whether it is Latin-1 and how its lines end,
// and tells at its end what the file as a whole gives. A file warning about a line comes right
// before that line; the warning about a file without records, or a read failure, after the last
// line. Checks a line when its result is asked for, with the checker it
// was given, so that a reader handing lines to other threads' checkers
// passes none. Borrows source and checker; owns the reader. Not
// thread-safe.
class ResultStream {
 public:
  explicit ResultStream(ByteSource& source, Checker* checker = nullptr,
                        std::size_t max_line_length = LineReader::kDefaultMaxLineLength);

  // The next item, valid until the next call; false after the last.
  bool next(StreamItem& item);
  // The result of the line item next() gave last (an empty line gives an
  // empty result), valid until the checker checks again. Needs a checker.
  const LineResult& result(const StreamItem& item);

 private:
  enum class State { kReading, kLinePending, kEnded };

  ByteSource& source_;
  Checker* checker_;
  LineReader reader_;
  EncodingWatch encoding_;
  State state_ = State::kReading;
  std::vector<std::string> pending_;  // warnings before the line, last first
  bool warned_cr_ = false;
  bool holds_records_ = false;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_RESULT_STREAM_H_

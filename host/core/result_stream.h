// The record lines of one file or stream, as a check takes them.

#ifndef VEXAL_HOST_CORE_LINE_SOURCE_H_
#define VEXAL_HOST_CORE_LINE_SOURCE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/input_encoding.h"
#include "core/line_reader.h"

namespace vexal::core {

// One line of the input.
struct InputLine {
  std::string_view bytes;  // without its line end; empty for an overlong line
  long number = 0;         // 1-based
  // Set when the line is longer than any record may be: its length, and
  // the limit. Such a line is not checked.
  std::size_t overlong_length = 0;
  std::size_t max_line_length = 0;
  // A warning about the whole file (Latin-1) that this line is the first
  // to show: the file is not Latin-1. Reported before the line.
  std::string file_warning;
  // Bytes of the input up to the end of this line, its line end included.
  std::uint64_t end_offset = 0;

  bool overlong() const { return overlong_length > 0; }
};

// Reads the lines of one file for a check: splits them with a LineReader,
// watches whether the file is Latin-1 (unless told that the caller does),
// and tells at its end what the file as a whole gives (a read error, no
// records at all). Borrows the source; owns the reader. Not thread-safe.
class LineSource {
 public:
  enum class Encoding { kWatch, kLeaveToCaller };

  explicit LineSource(ByteSource& source, Encoding encoding = Encoding::kWatch,
                      std::size_t max_line_length = LineReader::kDefaultMaxLineLength);

  // The next line, valid until the next call; false at the end of the
  // input (or after a read error).
  bool next(InputLine& line);

  // After the end: why reading failed ("read error after line 3: ..."),
  // else empty.
  std::string failure() const;
  // After the end of a readable file without records: "file is empty" or
  // "file holds only empty lines"; else empty.
  std::string endWarning() const;

 private:
  ByteSource& source_;
  LineReader reader_;
  EncodingWatch encoding_;
  bool watch_encoding_;
  bool holds_records_ = false;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_LINE_SOURCE_H_

// Record files are Latin-1 (Windows-1252). Files saved by today's editors
// are often UTF-8 or UTF-16, and their records then read as shifted or
// unknown; this tells such a file apart without changing what is checked.

#ifndef VEXAL_HOST_CORE_INPUT_ENCODING_H_
#define VEXAL_HOST_CORE_INPUT_ENCODING_H_

#include <string>
#include <string_view>

namespace vexal::core {

// Looks at the lines of one file, in order, and warns once when they are
// not Latin-1: the file starts with a UTF-16 or UTF-8 byte-order mark, or
// like UTF-16 without one (every other byte zero), or a line holds UTF-8
// multi-byte characters and no byte that UTF-8 could not
// hold (a Latin-1 line with an umlaut followed by plain letters is no valid
// UTF-8, so it is not mistaken for one). One per file; not thread-safe.
class EncodingWatch {
 public:
  // The warning (Latin-1) that this line, the 1-based line_number of the
  // file, gives; empty when none, and always after the first warning.
  std::string inspect(std::string_view line, long line_number);

 private:
  bool warned_ = false;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_INPUT_ENCODING_H_

#include "core/line_source.h"

namespace vexal::core {

LineSource::LineSource(ByteSource& source, Encoding encoding, std::size_t max_line_length)
    : source_(source),
      reader_(source, LineReader::kDefaultBufferSize, max_line_length),
      watch_encoding_(encoding == Encoding::kWatch) {}

bool LineSource::next(InputLine& line) {
  std::string_view bytes;
  if (!reader_.next(bytes)) return false;
  line.bytes = bytes;
  line.number = reader_.lineNumber();
  line.overlong_length = reader_.overlongLength();
  line.max_line_length = reader_.maxLineLength();
  line.end_offset = reader_.offset();
  line.file_warning.clear();
  if (line.overlong()) {
    holds_records_ = true;
  } else if (!bytes.empty()) {
    holds_records_ = true;
    if (watch_encoding_) line.file_warning = encoding_.inspect(bytes, line.number);
  }
  return true;
}

std::string LineSource::failure() const {
  if (!source_.failed()) return {};
  std::string reason = source_.failure();
  return "read error after line " + std::to_string(reader_.lineNumber()) +
         (reason.empty() ? "" : ": " + reason);
}

std::string LineSource::endWarning() const {
  if (holds_records_ || source_.failed()) return {};
  return reader_.lineNumber() == 0 ? "file is empty" : "file holds only empty lines";
}

}  // namespace vexal::core

#include "core/result_stream.h"

#include "core/checker.h"

namespace vexal::core {

ResultStream::ResultStream(ByteSource& source, Checker* checker, std::size_t max_line_length)
    : source_(source),
      checker_(checker),
      reader_(source, LineReader::kDefaultBufferSize, max_line_length) {}

bool ResultStream::next(StreamItem& item) {
  if (state_ == State::kLinePending) {
    // The line whose file warning went out last; the reader still holds it.
    state_ = State::kReading;
    item.kind = StreamItem::Kind::kLine;
    return true;
  }
  if (state_ == State::kEnded) return false;
  std::string_view bytes;
  if (!reader_.next(bytes)) {
    state_ = State::kEnded;
    item.line = InputLine();
    if (source_.failed()) {
      std::string reason = source_.failure();
      item.kind = StreamItem::Kind::kReadFailure;
      item.message = "read error after line " + std::to_string(reader_.lineNumber()) +
                     (reason.empty() ? "" : ": " + reason);
      return true;
    }
    if (holds_records_) return false;
    item.kind = StreamItem::Kind::kFileWarning;
    item.warning_line = 0;
    item.message = reader_.lineNumber() == 0 ? "file is empty" : "file holds only empty lines";
    return true;
  }
  InputLine& line = item.line;
  line.bytes = bytes;
  line.number = reader_.lineNumber();
  line.overlong_length = reader_.overlongLength();
  line.max_line_length = reader_.maxLineLength();
  line.end_offset = reader_.offset();
  item.kind = StreamItem::Kind::kLine;
  if (line.overlong()) {
    holds_records_ = true;
  } else if (!bytes.empty()) {
    holds_records_ = true;
    std::string warning = encoding_.inspect(bytes, line.number);
    if (!warning.empty()) {
      item.kind = StreamItem::Kind::kFileWarning;
      item.warning_line = line.number;
      item.message = std::move(warning);
      state_ = State::kLinePending;
    }
  }
  return true;
}

const LineResult& ResultStream::result(const StreamItem& item) {
  return checker_->check(item.line);
}

}  // namespace vexal::core

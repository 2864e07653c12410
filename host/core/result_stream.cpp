#include "core/result_stream.h"

#include "core/checker.h"

namespace vexal::core {

ResultStream::ResultStream(ByteSource& source, Checker* checker, std::size_t max_line_length)
    : source_(source),
      checker_(checker),
      reader_(source, LineReader::kDefaultBufferSize, max_line_length) {}

bool ResultStream::next(StreamItem& item) {
  if (state_ == State::kLinePending) {
    // The reader still holds the line whose file warnings went out first.
    if (!pending_.empty()) {
      item.kind = StreamItem::Kind::kFileWarning;
      item.warning_line = item.line.number;
      item.message = std::move(pending_.back());
      pending_.pop_back();
      return true;
    }
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
  // Warnings about the file that this line is the first to show, in the
  // order they go out (kept in reverse).
  if (reader_.endedByCr() && !warned_cr_) {
    warned_cr_ = true;
    pending_.push_back("line " + std::to_string(line.number) +
                       " ends with a CR alone (the line ends of old Macintosh files), not LF "
                       "or CR LF: lines are split at every such CR");
  }
  if (!bytes.empty()) {
    std::string warning = encoding_.inspect(bytes, line.number);
    if (!warning.empty()) pending_.push_back(std::move(warning));
  }
  if (line.overlong() || !bytes.empty()) holds_records_ = true;
  if (!pending_.empty()) {
    state_ = State::kLinePending;
    return next(item);
  }
  return true;
}

const LineResult& ResultStream::result(const StreamItem& item) {
  return checker_->check(item.line);
}

}  // namespace vexal::core

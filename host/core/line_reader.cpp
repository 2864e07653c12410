#include "core/line_reader.h"

#include <cerrno>
#include <cstring>

namespace vexal::core {

std::size_t FileSource::read(char* buffer, std::size_t size) {
  errno = 0;
  const std::size_t got = std::fread(buffer, 1, size, file_);
  if (got < size && std::ferror(file_) != 0 && error_ == 0) error_ = errno;
  return got;
}

bool FileSource::failed() const { return std::ferror(file_) != 0; }

std::string FileSource::failure() const {
  return error_ != 0 ? std::string(std::strerror(error_)) : std::string();
}

LineReader::LineReader(ByteSource& source, std::size_t buffer_size, std::size_t max_line_length)
    : source_(source),
      buffer_(new char[buffer_size > 0 ? buffer_size : 1]),
      capacity_(buffer_size > 0 ? buffer_size : 1),
      max_line_length_(max_line_length) {}

bool LineReader::next(std::string_view& line) {
  overlong_length_ = 0;
  ended_by_cr_ = false;
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const void* lf =
        scanned_ < available ? std::memchr(start + scanned_, '\n', available - scanned_) : nullptr;
    // A CR ends a line of its own unless an LF follows it: look before the
    // LF, or, without one, before the last byte read, whose successor may
    // still come (at the end of the input a last CR ends the last line).
    const std::size_t lf_at = lf != nullptr ? static_cast<const char*>(lf) - start : available;
    const std::size_t cr_end = lf != nullptr || available == 0 ? lf_at : available - 1;
    if (cr_scanned_ < cr_end) {
      const void* cr = std::memchr(start + cr_scanned_, '\r', cr_end - cr_scanned_);
      if (cr != nullptr && static_cast<const char*>(cr) - start + 1 == lf_at) {
        cr = nullptr;  // CR LF
      }
      if (cr != nullptr) {
        ended_by_cr_ = true;
        return take(line, static_cast<const char*>(cr) - start);
      }
      cr_scanned_ = lf != nullptr ? lf_at : cr_end;
    }
    if (lf != nullptr) {
      // An overlong line counts its CR with it.
      std::size_t length = lf_at;
      if (length <= max_line_length_ && length > 0 && start[length - 1] == '\r') --length;
      return take(line, length, lf_at + 1);
    }
    scanned_ = available;
    if (available > max_line_length_) {
      skipOverlongLine();
      line = std::string_view();
      ++line_number_;
      return true;
    }
    if (!at_end_ && refill()) continue;
    // A line cut off by a read error is no line of the input.
    if (available == 0 || source_.failed()) return false;
    // The last line, without a line end; refill() may have moved it.
    start = buffer_.get() + begin_;
    const std::size_t length = start[available - 1] == '\r' ? available - 1 : available;
    return take(line, length, available);
  }
}

bool LineReader::take(std::string_view& line, std::size_t length, std::size_t consumed) {
  const char* start = buffer_.get() + begin_;
  if (length > max_line_length_) {
    overlong_length_ = length;
    line = std::string_view();
  } else {
    line = std::string_view(start, length);
  }
  begin_ += consumed;
  offset_ += consumed;
  scanned_ = 0;
  cr_scanned_ = 0;
  ++line_number_;
  return true;
}

void LineReader::skipOverlongLine() {
  std::size_t length = 0;
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    if (const void* lf = std::memchr(start, '\n', available)) {
      std::size_t rest = static_cast<const char*>(lf) - start;
      length += rest;
      begin_ += rest + 1;
      offset_ += rest + 1;
      break;
    }
    length += available;
    offset_ += available;
    begin_ = end_;
    if (at_end_ || !refill()) break;
  }
  scanned_ = 0;
  cr_scanned_ = 0;
  overlong_length_ = length;
}

bool LineReader::refill() {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == capacity_) {
    std::size_t grown = capacity_ * 2;
    std::unique_ptr<char[]> bigger(new char[grown]);
    std::memcpy(bigger.get(), buffer_.get(), end_);
    buffer_ = std::move(bigger);
    capacity_ = grown;
  }
  std::size_t got = source_.read(buffer_.get() + end_, capacity_ - end_);
  if (got == 0) {
    at_end_ = true;
    return false;
  }
  end_ += got;
  return true;
}

}  // namespace vexal::core

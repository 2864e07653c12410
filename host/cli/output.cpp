#include "cli/output.h"

namespace vexal::cli {

Output::Output(std::FILE* stream) : stream_(stream) {
  if (stream_ != nullptr) buffer_.reserve(kFlushSize + (64 << 10));
}

Output::~Output() { flush(); }

void Output::write(std::string_view text) {
  if (stream_ == nullptr || text.size() < kFlushSize / 4) {
    buffer_.append(text);
    written();
    return;
  }
  flush();
  if (before_write_) before_write_();
  if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) failed_ = true;
}

void Output::flush() {
  if (stream_ == nullptr) return;
  if (!buffer_.empty()) {
    if (before_write_) before_write_();
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size()) failed_ = true;
    buffer_.clear();
  }
  if (std::fflush(stream_) != 0) failed_ = true;
}

}  // namespace vexal::cli

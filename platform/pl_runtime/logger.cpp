#include "pl/logger.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace pl {

LogStream::~LogStream() {
  if (sink_ == nullptr) return;
  try {
    sink_->write(level_, std::string_view(buffer_, size_));
  } catch (...) {
    // A sink that fails (out of memory) loses this line; the check goes on.
  }
}

LogStream& LogStream::operator<<(std::string_view text) {
  if (sink_ == nullptr) return *this;
  std::size_t n = std::min(text.size(), kCapacity - size_);
  std::memcpy(buffer_ + size_, text.data(), n);
  size_ += n;
  return *this;
}

LogStream& LogStream::operator<<(long long number) {
  if (sink_ == nullptr) return *this;
  char digits[24];
  int n = std::snprintf(digits, sizeof digits, "%lld", number);
  return *this << std::string_view(digits, static_cast<std::size_t>(n));
}

Logger::Logger() = default;

void Logger::Keeper::write(LogLevel, std::string_view line) { lines.emplace_back(line); }

}  // namespace pl

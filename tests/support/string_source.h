// A byte source over a string, for tests of code that reads lines from a
// core::ByteSource.

#ifndef VEXAL_TESTS_SUPPORT_STRING_SOURCE_H_
#define VEXAL_TESTS_SUPPORT_STRING_SOURCE_H_

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "core/line_reader.h"

namespace vexal::test {

// Hands out the bytes in blocks of at most `block` bytes, so that lines
// straddle reads. After `fail_after` bytes it stops with a read error whose
// text is "disk gone"; `fail_after` may be the size of the bytes, for a
// source that fails after all of them.
class StringSource final : public core::ByteSource {
 public:
  static constexpr std::size_t kNever = std::string::npos;

  explicit StringSource(std::string bytes, std::size_t block = kNever,
                        std::size_t fail_after = kNever)
      : bytes_(std::move(bytes)), block_(block), fail_after_(fail_after) {}
  std::size_t read(char* buffer, std::size_t size) override {
    if (at_ >= fail_after_) {
      failed_ = true;
      return 0;
    }
    std::size_t n = std::min({size, block_, bytes_.size() - at_, fail_after_ - at_});
    bytes_.copy(buffer, n, at_);
    at_ += n;
    return n;
  }
  bool failed() const override { return failed_; }
  std::string failure() const override { return failed_ ? "disk gone" : ""; }

 private:
  std::string bytes_;
  std::size_t block_;
  std::size_t fail_after_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

}  // namespace vexal::test

#endif  // VEXAL_TESTS_SUPPORT_STRING_SOURCE_H_

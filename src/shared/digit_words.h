// Digits tested eight bytes at a time, for rule code that reads fields of
// digits on their bytes.

#ifndef VEXAL_SHARED_DIGIT_WORDS_H_
#define VEXAL_SHARED_DIGIT_WORDS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vexal::shared {

// Whether each of the eight bytes of a word is a digit "0" to "9": a byte
// below "0" sets its top bit when "0" is taken away, one above "9" when 0x46
// is added, and one from 0x80 on has it already. A carry or borrow crosses
// into the next byte only from a byte that is no digit.
inline bool eightDigits(std::uint64_t word) {
  constexpr std::uint64_t kZeros = 0x3030303030303030u;
  constexpr std::uint64_t kAboveNine = 0x4646464646464646u;
  constexpr std::uint64_t kTops = 0x8080808080808080u;
  return ((word | (word - kZeros) | (word + kAboveNine)) & kTops) == 0;
}

// The eight bytes of text from `at` on as a word; text holds them.
inline std::uint64_t wordAt(std::string_view text, std::size_t at) {
  std::uint64_t word;
  std::memcpy(&word, text.data() + at, sizeof word);
  return word;
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_DIGIT_WORDS_H_

// Digits tested eight bytes at a time and read as numbers, days and times
// of day, for rule code that reads fields of digits on their bytes.

#ifndef VEXAL_SHARED_DIGIT_WORDS_H_
#define VEXAL_SHARED_DIGIT_WORDS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <tuple>

#include "pl/value.h"

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

// Bytes known to be digits, read as a number.
inline int numberOf(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

// A day "JJJJMMTT" of eight bytes known to be digits, as createDateValue
// reads it; false when it is no valid day.
struct Day {
  int year;
  int month;
  int day;
};
inline bool readDay(std::string_view digits, Day* day) {
  *day = {numberOf(digits.substr(0, 4)), numberOf(digits.substr(4, 2)),
          numberOf(digits.substr(6, 2))};
  return pl::DateValue::isValidDate(day->year, day->month, day->day);
}

// Whether a valid day comes after `today`: two valid days order as their
// year, month and day do.
inline bool isAfter(const Day& day, const pl::DateValue& today) {
  return std::tuple(day.year, day.month, day.day) >
         std::tuple(today.year(), today.month(), today.day());
}

// Whether six bytes known to be digits are a time of day "SSmmss".
inline bool isTimeOfDay(std::string_view digits) {
  return numberOf(digits.substr(0, 2)) <= 23 && numberOf(digits.substr(2, 2)) <= 59 &&
         numberOf(digits.substr(4, 2)) <= 59;
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_DIGIT_WORDS_H_

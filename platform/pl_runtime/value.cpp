#include "pl/value.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "pl/arena.h"
#include "pl/blanks.h"
#include "pl/functions.h"

namespace pl {
namespace {

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
// 2^63, exactly representable as long double.
constexpr long double kTwoPow63 = 9223372036854775808.0L;
// The longest text a NumberValue can hold (its buffer minus the NUL).
constexpr std::size_t kMaxNumberText = 46;

// Writes the decimal digits of an int64 (with '-' when negative); returns
// the length. out needs 21 bytes.
std::size_t writeInt64(std::int64_t value, char* out) {
  char digits[20];
  std::size_t n = 0;
  // Work on the negative side so that INT64_MIN needs no special case.
  std::int64_t rest = value < 0 ? value : -value;
  do {
    digits[n++] = static_cast<char>('0' - rest % 10);
    rest /= 10;
  } while (rest != 0);
  std::size_t size = 0;
  if (value < 0) out[size++] = '-';
  while (n > 0) out[size++] = digits[--n];
  return size;
}

// Rounds |x| to 18 significant digits: fills digits[0..17] and returns the
// decimal exponent of the first digit (x = d.ddd... * 10^exponent). Reads
// the output of %Le without depending on the locale's decimal point.
int significantDigits(long double magnitude, char* digits) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
  std::size_t n = 0;
  const char* p = buffer;
  for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
    if (*p >= '0' && *p <= '9' && n < 18) digits[n++] = *p;
  }
  while (n < 18) digits[n++] = '0';
  int exponent = 0;
  if (*p != '\0') {
    ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    for (; *p >= '0' && *p <= '9'; ++p) {
      if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
    }
    if (negative) exponent = -exponent;
  }
  return exponent;
}

// Formats a number as plain decimal text into out (at least 47 bytes,
// NUL-terminated); returns the length, at most kMaxNumberText.
std::size_t formatNumber(long double x, char* out) {
  auto finish = [out](const char* text, std::size_t size) {
    if (size > kMaxNumberText) size = kMaxNumberText;
    std::memcpy(out, text, size);
    out[size] = '\0';
    return size;
  };
  if (std::isnan(x)) return finish("nan", 3);
  if (std::isinf(x)) return x > 0 ? finish("inf", 3) : finish("-inf", 4);

  bool negative = x < 0;
  long double magnitude = negative ? -x : x;

  if (x == std::trunc(x)) {
    if (magnitude < kTwoPow63 || x == -kTwoPow63) {
      std::size_t size = writeInt64(static_cast<std::int64_t>(x), out);
      out[size] = '\0';
      return size;
    }
    if (magnitude < 1e45L) {
      // No decimal point is printed, so the locale does not matter.
      char buffer[64];
      int size = std::snprintf(buffer, sizeof buffer, "%.0Lf", x);
      return finish(buffer, size > 0 ? static_cast<std::size_t>(size) : 0);
    }
    // Too long for plain digits: d.ddde+N.
    char digits[18];
    int exponent = significantDigits(magnitude, digits);
    std::size_t last = 18;
    while (last > 1 && digits[last - 1] == '0') --last;
    char buffer[64];
    std::size_t size = 0;
    if (negative) buffer[size++] = '-';
    buffer[size++] = digits[0];
    if (last > 1) {
      buffer[size++] = '.';
      for (std::size_t i = 1; i < last; ++i) buffer[size++] = digits[i];
    }
    buffer[size++] = 'e';
    buffer[size++] = '+';
    size += writeInt64(exponent, buffer + size);
    return finish(buffer, size);
  }

  // A fraction: 18 significant digits, written out without an exponent.
  char digits[18];
  int exponent = significantDigits(magnitude, digits);
  // Room for the sign, up to 19 integer digits or "0." with leading zeros
  // (cut to the buffer below), and 18 digits.
  char buffer[96];
  std::size_t size = 0;
  if (negative) buffer[size++] = '-';
  std::size_t point;
  if (exponent >= 0) {
    // Non-whole numbers are below 2^63, so exponent <= 18.
    int integer_digits = exponent + 1 > 40 ? 40 : exponent + 1;
    for (int i = 0; i < integer_digits; ++i) buffer[size++] = i < 18 ? digits[i] : '0';
    point = size;
    buffer[size++] = '.';
    for (int i = integer_digits; i < 18; ++i) buffer[size++] = digits[i];
  } else {
    buffer[size++] = '0';
    point = size;
    buffer[size++] = '.';
    int zeros = -exponent - 1;
    if (zeros > 50) zeros = 50;
    for (int i = 0; i < zeros; ++i) buffer[size++] = '0';
    for (int i = 0; i < 18; ++i) buffer[size++] = digits[i];
  }
  if (size > kMaxNumberText) size = kMaxNumberText;  // digits beyond the buffer are dropped
  while (size > point + 1 && buffer[size - 1] == '0') --size;
  if (size == point + 1) size = point;  // nothing after the point
  if (size == point) {
    // All significant digits fell away ("0" or e.g. "12" after cutting).
    std::string_view whole(buffer, size);
    if (whole == "-0") return finish("0", 1);
  }
  return finish(buffer, size);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

void writeDigits(unsigned value, int count, char* out) {
  for (int i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

unsigned magnitudeOf(int value) {
  return value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
}

std::uint64_t load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Whether size bytes at p are one or more digits 0-9. Eight bytes at a
// time: each has the high nibble 3 and a low nibble that stays below 10
// (adding 6 does not carry into the high nibble). The last word ends with
// the text and may overlap the one before.
bool digitsOnly(const char* p, std::size_t size) {
  if (size < 8) {
    if (size >= 4) {
      // Two half words, the second ending with the text.
      auto fourDigits = [](const char* at) {
        std::uint32_t x;
        std::memcpy(&x, at, sizeof x);
        constexpr std::uint32_t kHigh = 0xF0F0F0F0u, kThrees = 0x30303030u;
        return (x & kHigh) == kThrees && ((x + 0x06060606u) & kHigh) == kThrees;
      };
      return fourDigits(p) && fourDigits(p + size - 4);
    }
    if (size == 0) return false;
    for (std::size_t i = 0; i < size; ++i) {
      if (p[i] < '0' || p[i] > '9') return false;
    }
    return true;
  }
  auto eightDigits = [](std::uint64_t x) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kThrees = 0x3030303030303030u;
    return (x & kHigh) == kThrees && ((x + 0x0606060606060606u) & kHigh) == kThrees;
  };
  for (std::size_t i = 0; i + 8 < size; i += 8) {
    if (!eightDigits(load(p + i))) return false;
  }
  return eightDigits(load(p + size - 8));
}

}  // namespace

bool Functions::isDigits(std::string_view text) { return digitsOnly(text.data(), text.size()); }

bool StringValue::learnDigits() const {
  // A value that knows and keeps nothing scans, as any text would.
  if (facts_ == 0) return digitsOnly(data_, size_);
  // Digits leave no blank at either end.
  bool digits;
  if (((facts_ & kFirstKnown) != 0 && first_ != 0) ||
      ((facts_ & kEndKnown) != 0 && end_ != size_)) {
    digits = false;
  } else {
    digits = digitsOnly(data_, size_);
  }
  if (keeps()) facts_ |= digits ? kDigitsKnown | kDigits : kDigitsKnown;
  return digits;
}

std::size_t StringValue::learnFirstNonBlank() const {
  if (facts_ == 0) return pl::firstNonBlank(view());
  const std::size_t first = (facts_ & kDigits) != 0 ? 0 : pl::firstNonBlank(view());
  if (keeps()) {
    first_ = static_cast<std::uint16_t>(first);
    facts_ |= kFirstKnown;
  }
  return first;
}

std::size_t StringValue::learnEndOfNonBlank() const {
  if (facts_ == 0) return pl::endOfNonBlank(view());
  std::size_t end;
  if ((facts_ & kDigits) != 0) {
    end = size_;
  } else if ((facts_ & kFirstKnown) != 0 && first_ == size_) {
    end = 0;  // only blanks
  } else {
    end = pl::endOfNonBlank(view());
  }
  if (keeps()) {
    end_ = static_cast<std::uint16_t>(end);
    facts_ |= kEndKnown;
  }
  return end;
}

const char* StringValue::terminate() const {
  data_ = arena_->copyText(data_, size_);
  arena_ = nullptr;
  return data_;
}

std::int64_t StringValue::getLong() const {
  if (size_ == 0) return 0;
  std::int64_t value = 0;
  bool overflow = false;
  for (std::size_t i = 0; i < size_; ++i) {
    unsigned char c = static_cast<unsigned char>(data_[i]);
    if (c < '0' || c > '9') return 0;
    int digit = c - '0';
    if (overflow) continue;
    if (value > (kInt64Max - digit) / 10) {
      overflow = true;
    } else {
      value = value * 10 + digit;
    }
  }
  return overflow ? kInt64Max : value;
}

std::string_view NumberValue::text() const {
  if (text_size_ == kNotFormatted) {
    text_size_ = static_cast<unsigned char>(formatNumber(number_, text_));
  }
  return {text_, text_size_};
}

const char* NumberValue::getString() const {
  text();
  return text_;
}

std::int64_t NumberValue::getLong() const {
  if (std::isnan(number_)) return 0;
  if (number_ >= kTwoPow63) return kInt64Max;
  if (number_ <= -kTwoPow63) return kInt64Min;
  return static_cast<std::int64_t>(number_);  // truncates toward zero
}

DateValue::DateValue(int year, int month, int day)
    : Value(Kind::kDate), year_(year), month_(month), day_(day) {
  // Count from March 1st so that the leap day ends the counting year.
  std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  std::int64_t m = (static_cast<std::int64_t>(month) + 9) % 12;  // March = 0
  if (m < 0) m += 12;
  serial_ = 365 * y + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400) + (153 * m + 2) / 5 +
            static_cast<std::int64_t>(day) - 1;
}

const char* DateValue::getString() const {
  if (text_[0] == '\0') {
    writeDigits(magnitudeOf(year_) % 10000, 4, text_);
    writeDigits(magnitudeOf(month_) % 100, 2, text_ + 4);
    writeDigits(magnitudeOf(day_) % 100, 2, text_ + 6);
    text_[8] = '\0';
  }
  return text_;
}

bool DateValue::isValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int limit = kDays[month - 1];
  if (month == 2 && (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))) limit = 29;
  return day <= limit;
}

}  // namespace pl

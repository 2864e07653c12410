// Values of the rule language.
//
// Every value is made by a RuntimeContext and lives in its arena until the
// host resets the context; values are never freed one by one and have
// trivial destructors. Values are immutable once made, so the context may
// hand out shared instances (the two booleans, the invalid value, the
// numbers 0 and 1).
//
// Code that looks at a value's kind asks is<T>() and as<T>() rather than
// comparing kinds and casting by hand:
//
//   if (const pl::StringValue* text = pl::as<pl::StringValue>(v)) ...

#ifndef VEXAL_RUNTIME_PL_VALUE_H_
#define VEXAL_RUNTIME_PL_VALUE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pl/types.h"

namespace pl {

class Arena;

class Value {
 public:
  enum class Kind : unsigned char {
    kInvalid,  // a field the record does not supply
    kString,
    kNumber,
    kBool,
    kDate,
    kIntervalRange,
    kSequenceRange,
    kRangeSeries,
  };

  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;

  Kind getKind() const { return kind_; }
  bool isInvalid() const { return kind_ == Kind::kInvalid; }

  // The value as text: a string's bytes, a number's plain decimal digits, a
  // date as "JJJJMMTT", "true"/"false" for booleans, "" for the invalid
  // value. NUL-terminated; valid as long as the value.
  virtual const char* getString() const = 0;
  // The value as a 64-bit integer: numbers are truncated, numeric texts
  // read, anything else is 0.
  virtual std::int64_t getLong() const = 0;
  // True for the boolean true and for numbers other than 0.
  virtual bool isTrue() const = 0;

 protected:
  explicit Value(Kind kind) : kind_(kind) {}
  ~Value() = default;

 private:
  Kind kind_;
};

class InvalidValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kInvalid;

  InvalidValue() : Value(Kind::kInvalid) {}
  const char* getString() const override { return ""; }
  std::int64_t getLong() const override { return 0; }
  bool isTrue() const override { return false; }
};

// Latin-1 bytes with an explicit length; may contain NUL bytes. A text is
// either made NUL-terminated, or it is a view of bytes that belong to
// something living at least as long (the record's line, another value): a
// view is copied with a NUL into its arena the first time getString() asks
// for the terminated form, so that making one copies nothing.
class StringValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kString;

  // data[size] is a NUL.
  StringValue(const char* data, std::size_t size)
      : Value(Kind::kString), data_(data), size_(size) {}
  // A view of size bytes at data; getString() terminates it in `arena`.
  StringValue(const char* data, std::size_t size, Arena* arena)
      : Value(Kind::kString), data_(data), size_(size), arena_(arena) {}

  // The bytes; not necessarily followed by a NUL (getString() is).
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::string_view view() const { return {data_, size_}; }

  const char* getString() const override { return arena_ == nullptr ? data_ : terminate(); }
  std::int64_t getLong() const override;
  bool isTrue() const override { return false; }

  // Facts about the bytes: numeric, and where the blanks at either end
  // stop. Each is found on its first ask, with what is known already as a
  // shortcut (a text of digits has no blanks at its ends).
  //
  // A value that keeps its facts (keepFacts()) answers every later ask
  // without scanning; only numbers are kept, nothing that points
  // elsewhere. Keeping them is for the maker of the value to decide, since
  // it needs the bytes to stay as they are for as long as the value lives:
  // the values the record makes of its fields view bytes that a new line of
  // the same cut overwrites in place.
  //
  // A non-empty text of the digits 0-9 only (NUMERISCH).
  bool isDigits() const {
    if ((facts_ & kDigitsKnown) != 0) return (facts_ & kDigits) != 0;
    return learnDigits();
  }
  // The position of the first byte that is no blank; size() when there is
  // none.
  std::size_t firstNonBlank() const {
    if ((facts_ & kFirstKnown) != 0) return first_;
    return learnFirstNonBlank();
  }
  // One past the last byte that is no blank; 0 when there is none.
  std::size_t endOfNonBlank() const {
    if ((facts_ & kEndKnown) != 0) return end_;
    return learnEndOfNonBlank();
  }
  // Empty or only blanks.
  bool isBlank() const { return firstNonBlank() == size_; }

  // From now on the value keeps the facts it finds; its bytes must not
  // change while it lives. Texts beyond 64 KiB keep none.
  void keepFacts() const { facts_ |= kKeeps; }
  // Whether the value keeps its facts.
  bool keepsFacts() const { return (facts_ & kKeeps) != 0; }
  // Forgets what the value found, for a maker that has changed its bytes.
  void forgetFacts() const { facts_ &= kKeeps; }
  // Tells the value that its bytes neither start nor end with a blank, as
  // the maker of a trimmed text knows, and lets it keep its facts.
  void knowTrimmed() const {
    facts_ |= kKeeps;
    if (size_ > kMaxFactSize) return;
    first_ = 0;
    end_ = static_cast<std::uint16_t>(size_);
    facts_ |= kFirstKnown | kEndKnown;
  }

 private:
  static constexpr std::size_t kMaxFactSize = 0xFFFF;
  enum : unsigned char {
    kKeeps = 1,
    kFirstKnown = 2,
    kEndKnown = 4,
    kDigitsKnown = 8,
    kDigits = 16,
  };

  // Copies a view into its arena with a NUL; later calls read the copy.
  const char* terminate() const;
  // Find a fact, keep it when the value keeps facts, and answer.
  bool learnDigits() const;
  std::size_t learnFirstNonBlank() const;
  std::size_t learnEndOfNonBlank() const;
  bool keeps() const { return (facts_ & kKeeps) != 0 && size_ <= kMaxFactSize; }

  // The facts known so far (the k... bits); first_ and end_ count only
  // when their bits are set. They fill the room the base class leaves, so
  // that a text value is no larger for them.
  mutable unsigned char facts_ = 0;
  mutable std::uint16_t first_;
  mutable std::uint16_t end_;
  mutable const char* data_;
  std::size_t size_;
  mutable Arena* arena_ = nullptr;  // null once the bytes are NUL-terminated
};

class NumberValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kNumber;

  explicit NumberValue(long double number) : Value(Kind::kNumber), number_(number) {}
  long double get() const { return number_; }
  // The plain decimal text, formatted on first use.
  std::string_view text() const;

  const char* getString() const override;
  std::int64_t getLong() const override;
  bool isTrue() const override { return number_ != 0; }

 private:
  static constexpr unsigned char kNotFormatted = 0xFF;
  long double number_;
  mutable unsigned char text_size_ = kNotFormatted;
  mutable char text_[47];
};

class BoolValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kBool;

  explicit BoolValue(bool value) : Value(Kind::kBool), value_(value) {}
  bool get() const { return value_; }
  const char* getString() const override { return value_ ? "true" : "false"; }
  std::int64_t getLong() const override { return value_ ? 1 : 0; }
  bool isTrue() const override { return value_; }

 private:
  bool value_;
};

// A Gregorian calendar day.
class DateValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kDate;

  // Expects a valid date; RuntimeContext::createDateValue checks.
  DateValue(int year, int month, int day);
  int year() const { return year_; }
  int month() const { return month_; }
  int day() const { return day_; }
  // Days since 0000-03-01; orders dates.
  std::int64_t serial() const { return serial_; }

  // "JJJJMMTT", written on first use.
  const char* getString() const override;
  std::int64_t getLong() const override { return serial_; }
  bool isTrue() const override { return false; }

  static bool isValidDate(int year, int month, int day);

 private:
  int year_, month_, day_;
  std::int64_t serial_;
  mutable char text_[12] = {};  // empty until written
};

// Numbers from low to high; bounds per IntervalType.
class IntervalRangeValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kIntervalRange;

  IntervalRangeValue(const Value* low, const Value* high, IntervalType type)
      : Value(Kind::kIntervalRange), low_(low), high_(high), type_(type) {}
  const Value* low() const { return low_; }
  const Value* high() const { return high_; }
  IntervalType type() const { return type_; }
  const char* getString() const override { return ""; }
  std::int64_t getLong() const override { return 0; }
  bool isTrue() const override { return false; }

 private:
  const Value* low_;
  const Value* high_;
  IntervalType type_;
};

// first, second, ... up to last, in steps of second - first.
class SequenceRangeValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kSequenceRange;

  SequenceRangeValue(const Value* first, const Value* second, const Value* last)
      : Value(Kind::kSequenceRange), first_(first), second_(second), last_(last) {}
  const Value* first() const { return first_; }
  const Value* second() const { return second_; }
  const Value* last() const { return last_; }
  const char* getString() const override { return ""; }
  std::int64_t getLong() const override { return 0; }
  bool isTrue() const override { return false; }

 private:
  const Value* first_;
  const Value* second_;
  const Value* last_;
};

// A list of values; contains() tests equality with any member.
class RangeSeriesValue final : public Value {
 public:
  static constexpr Kind kKind = Kind::kRangeSeries;

  RangeSeriesValue(const Value* const* members, std::size_t count)
      : Value(Kind::kRangeSeries), members_(members), count_(count) {}
  std::size_t size() const { return count_; }
  const Value* at(std::size_t i) const { return members_[i]; }
  const char* getString() const override { return ""; }
  std::int64_t getLong() const override { return 0; }
  bool isTrue() const override { return false; }

 private:
  const Value* const* members_;
  std::size_t count_;
};

// Whether v is a value of class T (StringValue, NumberValue, ...); false
// for null.
template <class T>
bool is(const Value* v) {
  return v != nullptr && v->getKind() == T::kKind;
}

// v as a value of class T, or null when it is another kind of value.
template <class T>
const T* as(const Value* v) {
  return is<T>(v) ? static_cast<const T*>(v) : nullptr;
}
template <class T>
T* as(Value* v) {
  return is<T>(v) ? static_cast<T*>(v) : nullptr;
}

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_VALUE_H_

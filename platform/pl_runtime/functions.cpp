#include "pl/functions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace pl {
namespace {

using Kind = Value::Kind;

bool isInvalid(const Value* v) { return v == nullptr || v->isInvalid(); }

bool isNumericBytes(std::string_view text) { return Functions::isDigits(text); }

bool isRange(const Value* v) {
  Kind kind = v->getKind();
  return kind == Kind::kIntervalRange || kind == Kind::kSequenceRange || kind == Kind::kRangeSeries;
}

// The bytes of a value as a text operand: a string's bytes (NULs
// included), a number's decimal text, "true"/"false", "JJJJMMTT", and ""
// for ranges.
std::string_view bytesOf(const Value* v) {
  switch (v->getKind()) {
    case Kind::kString:
      return static_cast<const StringValue*>(v)->view();
    case Kind::kNumber:
      return static_cast<const NumberValue*>(v)->text();
    default:
      return std::string_view(v->getString());
  }
}

// The value of a digit string; exact up to 19 digits, long double beyond.
long double digitValue(std::string_view digits) {
  std::size_t i = 0;
  while (i + 1 < digits.size() && digits[i] == '0') ++i;
  std::uint64_t exact = 0;
  std::size_t n = 0;
  for (; i < digits.size() && n < 19; ++i, ++n) exact = exact * 10 + (digits[i] - '0');
  long double value = static_cast<long double>(exact);
  for (; i < digits.size(); ++i) value = value * 10 + (digits[i] - '0');
  return value;
}

// The value of eight digits, the first the most significant, as one word
// read from memory (little-endian): pairs, then quadruples, then the eight.
std::uint64_t eightDigitsValue(std::uint64_t word) {
  word -= 0x3030303030303030u;
  word = word * 10 + (word >> 8);
  constexpr std::uint64_t kMask = 0x000000FF000000FFu;
  constexpr std::uint64_t kHundredsAndMillions = 100 + (1000000ull << 32);
  constexpr std::uint64_t kOnesAndTenThousands = 1 + (10000ull << 32);
  return ((word & kMask) * kHundredsAndMillions + ((word >> 16) & kMask) * kOnesAndTenThousands) >>
         32;
}

// The value of a text of one to 19 digits 0-9, known to be digits.
std::uint64_t digitsValue(std::string_view digits) {
  const char* p = digits.data();
  std::size_t n = digits.size();
  std::uint64_t value = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (n >= 8) {
      auto load = [](const char* at) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        return word;
      };
      // The digits before the last multiple of eight: the first word with
      // its head moved to the end and zeros in front.
      if (const std::size_t head = n % 8; head != 0) {
        value =
            eightDigitsValue((load(p) << (8 * (8 - head))) | (0x3030303030303030u >> (8 * head)));
        p += head;
        n -= head;
      }
      for (; n != 0; n -= 8, p += 8) value = value * 100000000u + eightDigitsValue(load(p));
      return value;
    }
  }
  for (std::size_t i = 0; i < n; ++i) value = value * 10 + static_cast<unsigned>(p[i] - '0');
  return value;
}

// The value of a text of up to 18 digits; false for any other text. A
// short text is tested and read in one pass; a longer one is tested a
// word at a time (or known to be digits) and then read eight digits at a
// time.
bool readDigitText(const StringValue& s, std::uint64_t* value) {
  // Without kept facts, testing and reading in one pass is cheaper.
  if (s.size() < 8 || !s.keepsFacts()) return Functions::readDigits(s.view(), value);
  if (!s.isDigits()) return false;
  *value = digitsValue(s.view());
  return true;
}

// Reads a number operand: a NumberValue or a numeric text. False for
// anything else, the invalid value included.
bool readNumberValue(const Value* v, long double* out) {
  if (isInvalid(v)) return false;
  if (const auto* n = as<NumberValue>(v)) {
    *out = n->get();
    return true;
  }
  if (const auto* s = as<StringValue>(v)) {
    if (!s->isDigits()) return false;
    *out = digitValue(s->view());
    return true;
  }
  return false;
}

// Appends the value's text for a message, cut to a readable length.
void appendQuoted(std::string& message, const Value* v) {
  std::string_view text = bytesOf(v);
  constexpr std::size_t kMaxShown = 80;
  message += '"';
  if (text.size() > kMaxShown) {
    message.append(text.data(), kMaxShown);
    message += "...";
  } else {
    message.append(text.data(), text.size());
  }
  message += '"';
}

// Throws kWrongType "<what>: <the value>." for a value of the wrong kind.
[[noreturn]] void throwWrongKind(const char* what, const Value* v) {
  std::string message = what;
  message += ": ";
  if (isRange(v)) {
    message += "Bereichswert";
  } else {
    appendQuoted(message, v);
  }
  message += '.';
  throw PlausiException(ExceptionType::kWrongType, std::move(message));
}

[[noreturn]] void throwNotNumeric(const Value* v) { throwWrongKind("Kein numerischer Wert", v); }

[[noreturn]] void throwNotDate(const Value* v) { throwWrongKind("Kein Datumswert", v); }

// A number operand of a computation; the caller has ruled out the invalid
// value.
long double numberOf(const Value* v) {
  long double number;
  if (!readNumberValue(v, &number)) throwNotNumeric(v);
  return number;
}

using Order = Functions::Order;

// A value as an operand of a comparison. Texts keep their bytes, so that a
// literal compares without being made into a value first.
struct Operand {
  enum class Class : unsigned char { kInvalid, kText, kNumber, kBool, kDate, kOther };
  Class cls = Class::kInvalid;
  std::string_view text;    // kText
  long double number = 0;   // kNumber
  bool flag = false;        // kBool
  std::int64_t serial = 0;  // kDate
};

Operand operandOf(const Value* v) {
  Operand op;
  if (isInvalid(v)) return op;
  if (const auto* s = as<StringValue>(v)) {
    op.cls = Operand::Class::kText;
    op.text = s->view();
  } else if (const auto* n = as<NumberValue>(v)) {
    op.cls = Operand::Class::kNumber;
    op.number = n->get();
  } else if (const auto* b = as<BoolValue>(v)) {
    op.cls = Operand::Class::kBool;
    op.flag = b->get();
  } else if (const auto* d = as<DateValue>(v)) {
    op.cls = Operand::Class::kDate;
    op.serial = d->serial();
  } else {
    op.cls = Operand::Class::kOther;
  }
  return op;
}

Operand textOperand(std::string_view text) {
  Operand op;
  op.cls = Operand::Class::kText;
  op.text = text;
  return op;
}

Operand numberOperand(long double number) {
  Operand op;
  op.cls = Operand::Class::kNumber;
  op.number = number;
  return op;
}

bool isTextOrNumber(const Operand& op) {
  return op.cls == Operand::Class::kText || op.cls == Operand::Class::kNumber;
}

// A number operand, or a numeric text read as a number.
bool readNumber(const Operand& op, long double* out) {
  if (op.cls == Operand::Class::kNumber) {
    *out = op.number;
    return true;
  }
  if (op.cls == Operand::Class::kText && isNumericBytes(op.text)) {
    *out = digitValue(op.text);
    return true;
  }
  return false;
}

Order compareNumbers(long double a, long double b) {
  if (a < b) return Order::kLess;
  if (a > b) return Order::kGreater;
  if (a == b) return Order::kEqual;
  return Order::kUnordered;  // NaN
}

Order compareBytes(std::string_view a, std::string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  int c = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (c != 0) return c < 0 ? Order::kLess : Order::kGreater;
  if (a.size() == b.size()) return Order::kEqual;
  return a.size() < b.size() ? Order::kLess : Order::kGreater;
}

// Two texts compare as bytes, two numbers numerically, a text and a number
// numerically when the text is numeric; dates by day. Anything else, and
// the invalid value, is unordered.
Order compare(const Operand& a, const Operand& b) {
  using Class = Operand::Class;
  if (a.cls == Class::kText && b.cls == Class::kText) return compareBytes(a.text, b.text);
  if (isTextOrNumber(a) && isTextOrNumber(b)) {
    long double x, y;
    if (!readNumber(a, &x) || !readNumber(b, &y)) return Order::kUnordered;
    return compareNumbers(x, y);
  }
  if (a.cls == Class::kDate && b.cls == Class::kDate) {
    return a.serial < b.serial ? Order::kLess
                               : (a.serial > b.serial ? Order::kGreater : Order::kEqual);
  }
  return Order::kUnordered;
}

// eq: as compare, and besides booleans by value; the invalid value equals
// only itself.
bool equal(const Operand& a, const Operand& b) {
  using Class = Operand::Class;
  if (a.cls == Class::kInvalid || b.cls == Class::kInvalid) {
    return a.cls == Class::kInvalid && b.cls == Class::kInvalid;
  }
  if (a.cls == Class::kBool && b.cls == Class::kBool) return a.flag == b.flag;
  return compare(a, b) == Order::kEqual;
}

Value* makeText(RuntimeContext* ctx, std::string_view text) {
  return ctx->createStringValue(text.data(), text.size());
}

// A new text of `size` bytes in the arena; the caller fills it.
Value* makeFilledText(RuntimeContext* ctx, std::size_t size, char** out) {
  char* data = static_cast<char*>(ctx->arena().allocate(size + 1, 1));
  data[size] = '\0';
  *out = data;
  return ctx->arena().make<StringValue>(data, size);
}

const DateValue& dateOperand(const Value* v) {
  if (v->getKind() != Kind::kDate) throwNotDate(v);
  return *static_cast<const DateValue*>(v);
}

Value* zeroPadded(RuntimeContext* ctx, int value, int width) {
  char* out;
  Value* result = makeFilledText(ctx, static_cast<std::size_t>(width), &out);
  unsigned rest = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  return result;
}

unsigned twoDigits(std::string_view text, std::size_t at) {
  return static_cast<unsigned>(text[at] - '0') * 10 + static_cast<unsigned>(text[at + 1] - '0');
}

bool containsInRange(const Value* range, const Value* v);

bool containsInterval(const IntervalRangeValue* range, const Value* v) {
  long double x, low, high;
  if (!readNumberValue(v, &x) || !readNumberValue(range->low(), &low) ||
      !readNumberValue(range->high(), &high)) {
    return false;
  }
  switch (range->type()) {
    case IntervalType::kClosed:
      return low <= x && x <= high;
    case IntervalType::kOpenLow:
      return low < x && x <= high;
    case IntervalType::kOpenHigh:
      return low <= x && x < high;
    case IntervalType::kOpen:
      return low < x && x < high;
  }
  return false;
}

bool containsInSequence(const SequenceRangeValue* range, const Value* v) {
  long double x, first, second, last;
  if (!readNumberValue(v, &x) || !readNumberValue(range->first(), &first) ||
      !readNumberValue(range->second(), &second) || !readNumberValue(range->last(), &last)) {
    return false;
  }
  long double step = second - first;
  if (step == 0) return x == first;
  if (step > 0) {
    if (!(first <= x && x <= last)) return false;
  } else if (step < 0) {
    if (!(last <= x && x <= first)) return false;
  } else {
    return false;  // NaN
  }
  // fmodl is exact, so whole-number sequences are tested without rounding.
  return std::fmod(x - first, step) == 0;
}

bool containsInRange(const Value* range, const Value* v) {
  switch (range->getKind()) {
    case Kind::kIntervalRange:
      return containsInterval(static_cast<const IntervalRangeValue*>(range), v);
    case Kind::kSequenceRange:
      return containsInSequence(static_cast<const SequenceRangeValue*>(range), v);
    case Kind::kRangeSeries: {
      auto* series = static_cast<const RangeSeriesValue*>(range);
      for (std::size_t i = 0; i < series->size(); ++i) {
        const Value* member = series->at(i);
        if (member != nullptr && isRange(member)) {
          // A series may list ranges besides single values: (1..5, 9).
          if (containsInRange(member, v)) return true;
        } else if (Functions::equals(member, v)) {
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

}  // namespace

Functions::Order Functions::order(const Value* a, const Value* b) {
  return compare(operandOf(a), operandOf(b));
}

Functions::Order Functions::orderText(const Value* a, std::string_view text) {
  return compare(operandOf(a), textOperand(text));
}

bool Functions::readDigits(std::string_view text, std::uint64_t* value) {
  if (text.empty() || text.size() > 19) return false;
  std::uint64_t result = 0;
  for (char c : text) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
    if (digit > 9) return false;
    result = result * 10 + digit;
  }
  *value = result;
  return true;
}

Functions::Order Functions::orderNumber(const Value* a, long double number) {
  // A text of up to 18 digits is read exactly as an integer.
  if (const StringValue* s = as<StringValue>(a); s != nullptr && s->size() <= 18) {
    std::uint64_t digits;
    if (!readDigitText(*s, &digits)) return Order::kUnordered;
    return compareNumbers(static_cast<long double>(digits), number);
  }
  if (const NumberValue* n = as<NumberValue>(a)) return compareNumbers(n->get(), number);
  return compare(operandOf(a), numberOperand(number));
}

Functions::Order Functions::orderIntegerOther(const Value* a, std::int64_t number) {
  if (const StringValue* s = as<StringValue>(a); s != nullptr && s->size() <= 18) {
    std::uint64_t digits;
    if (!readDigitText(*s, &digits)) return Order::kUnordered;
    // Below 10^18, so within an int64.
    const auto x = static_cast<std::int64_t>(digits);
    return x < number ? Order::kLess : (x > number ? Order::kGreater : Order::kEqual);
  }
  return orderNumber(a, static_cast<long double>(number));
}

bool Functions::equals(const Value* a, const Value* b) { return equal(operandOf(a), operandOf(b)); }

bool Functions::equalsTextOther(const Value* a, std::string_view text) {
  return equal(operandOf(a), textOperand(text));
}

std::optional<std::size_t> Functions::lengthOfOther(const Value* v) {
  if (isInvalid(v)) return std::nullopt;
  return bytesOf(v).size();
}

std::string_view Functions::textOfOther(const Value* v) {
  if (isInvalid(v)) return {};
  return bytesOf(v);
}

bool Functions::conformsByMask(const Value* v, FieldType type, const char* mask,
                               std::size_t digits) {
  if (isInvalid(v)) return true;
  if (!is<StringValue>(v) && !is<NumberValue>(v)) return false;
  std::string_view text = bytesOf(v);
  const StringValue* string = as<StringValue>(v);
  // NUMERISCH of the text; a text value knows it once asked.
  auto numeric = [&] { return string != nullptr ? string->isDigits() : isNumericBytes(text); };
  switch (type) {
    case FieldType::kAlphanumeric:
      return true;
    case FieldType::kNumeric: {
      if (mask != nullptr) {
        if (mask[0] != '0') return false;
        digits = std::strspn(mask + 1, "#");
        if (mask[1 + digits] != '\0') return false;
      }
      return digits != 0 && text.size() <= digits && numeric();
    }
    case FieldType::kDateTime: {
      if (mask == nullptr) return false;
      std::string_view format(mask);
      if (format == "JJJJMMTT") {
        if (text.size() != 8 || !numeric()) return false;
        int year = static_cast<int>(twoDigits(text, 0) * 100 + twoDigits(text, 2));
        int month = static_cast<int>(twoDigits(text, 4));
        int day = static_cast<int>(twoDigits(text, 6));
        return DateValue::isValidDate(year, month, day);
      }
      if (format == "SSmmss") {
        if (text.size() != 6 || !numeric()) return false;
        return twoDigits(text, 0) <= 23 && twoDigits(text, 2) <= 59 && twoDigits(text, 4) <= 59;
      }
      return false;
    }
    default:
      return false;
  }
}

Value* Functions::HEUTE(RuntimeContext* ctx) {
  // Values are immutable: every call shares the context's own.
  return const_cast<DateValue*>(&ctx->processingDate());
}

Value* Functions::not_(RuntimeContext* ctx, const Value* v) {
  if (isInvalid(v)) return ctx->createInvalidValue();
  return ctx->createBoolValue(!v->isTrue());
}

Value* Functions::NUMERISCH(RuntimeContext* ctx, const Value* v) {
  return ctx->createBoolValue(isNumericText(v));
}

Value* Functions::WERTLAENGE(RuntimeContext* ctx, const Value* v) {
  std::optional<std::size_t> size = length(v);
  if (!size) return ctx->createInvalidValue();
  return ctx->createNumberValue(static_cast<long double>(*size));
}

Value* Functions::GROSSBUCHSTABEN(RuntimeContext* ctx, const Value* v) {
  if (isInvalid(v)) return ctx->createInvalidValue();
  std::string_view text = bytesOf(v);
  char* out;
  Value* result = makeFilledText(ctx, text.size(), &out);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(Functions::upperCase(static_cast<unsigned char>(text[i])));
  }
  return result;
}

Value* Functions::ALS_GANZZAHL(RuntimeContext* ctx, const Value* v) {
  if (isInvalid(v)) return ctx->createInvalidValue();
  return ctx->createNumberValue(std::trunc(numberOf(v)));
}

Value* Functions::JAHR(RuntimeContext* ctx, const Value* date) {
  if (isInvalid(date)) return ctx->createInvalidValue();
  return ctx->createNumberValue(dateOperand(date).year());
}

Value* Functions::JAHR_ALS_ZEICHENKETTE(RuntimeContext* ctx, const Value* date) {
  if (isInvalid(date)) return ctx->createInvalidValue();
  return zeroPadded(ctx, dateOperand(date).year(), 4);
}

Value* Functions::MONAT_ALS_ZEICHENKETTE(RuntimeContext* ctx, const Value* date) {
  if (isInvalid(date)) return ctx->createInvalidValue();
  return zeroPadded(ctx, dateOperand(date).month(), 2);
}

Value* Functions::TAG_ALS_ZEICHENKETTE(RuntimeContext* ctx, const Value* date) {
  if (isInvalid(date)) return ctx->createInvalidValue();
  return zeroPadded(ctx, dateOperand(date).day(), 2);
}

Value* Functions::eq(RuntimeContext* ctx, const Value* a, const Value* b) {
  return ctx->createBoolValue(equals(a, b));
}

Value* Functions::ne(RuntimeContext* ctx, const Value* a, const Value* b) {
  return ctx->createBoolValue(!equals(a, b));
}

Value* Functions::lt(RuntimeContext* ctx, const Value* a, const Value* b) {
  return ctx->createBoolValue(order(a, b) == Order::kLess);
}

Value* Functions::le(RuntimeContext* ctx, const Value* a, const Value* b) {
  Order o = order(a, b);
  return ctx->createBoolValue(o == Order::kLess || o == Order::kEqual);
}

Value* Functions::gt(RuntimeContext* ctx, const Value* a, const Value* b) {
  return ctx->createBoolValue(order(a, b) == Order::kGreater);
}

Value* Functions::ge(RuntimeContext* ctx, const Value* a, const Value* b) {
  Order o = order(a, b);
  return ctx->createBoolValue(o == Order::kGreater || o == Order::kEqual);
}

Value* Functions::plus(RuntimeContext* ctx, const Value* a, const Value* b) {
  if (isInvalid(a) || isInvalid(b)) return ctx->createInvalidValue();
  long double x = numberOf(a);
  long double y = numberOf(b);
  return ctx->createNumberValue(x + y);
}

Value* Functions::minus(RuntimeContext* ctx, const Value* a, const Value* b) {
  if (isInvalid(a) || isInvalid(b)) return ctx->createInvalidValue();
  long double x = numberOf(a);
  long double y = numberOf(b);
  return ctx->createNumberValue(x - y);
}

Value* Functions::mult(RuntimeContext* ctx, const Value* a, const Value* b) {
  if (isInvalid(a) || isInvalid(b)) return ctx->createInvalidValue();
  long double x = numberOf(a);
  long double y = numberOf(b);
  return ctx->createNumberValue(x * y);
}

Value* Functions::MODULO(RuntimeContext* ctx, const Value* a, const Value* b) {
  if (isInvalid(a) || isInvalid(b)) return ctx->createInvalidValue();
  long double x = numberOf(a);
  long double y = numberOf(b);
  if (y == 0) throw PlausiException(ExceptionType::kArithmetic, "Division durch Null.");
  return ctx->createNumberValue(std::fmod(x, y));
}

Value* Functions::KONKATENIEREN(RuntimeContext* ctx, const Value* a, const Value* b) {
  if (isInvalid(a) || isInvalid(b)) return ctx->createInvalidValue();
  std::string_view first = bytesOf(a);
  std::string_view second = bytesOf(b);
  char* out;
  Value* result = makeFilledText(ctx, first.size() + second.size(), &out);
  if (!first.empty()) std::memcpy(out, first.data(), first.size());
  if (!second.empty()) std::memcpy(out + first.size(), second.data(), second.size());
  return result;
}

Value* Functions::BEGINNT_MIT(RuntimeContext* ctx, const Value* text, const Value* prefix) {
  if (isInvalid(text) || isInvalid(prefix)) return ctx->createBoolValue(false);
  return ctx->createBoolValue(bytesOf(text).starts_with(bytesOf(prefix)));
}

Value* Functions::ENDET_AUF(RuntimeContext* ctx, const Value* text, const Value* suffix) {
  if (isInvalid(text) || isInvalid(suffix)) return ctx->createBoolValue(false);
  return ctx->createBoolValue(bytesOf(text).ends_with(bytesOf(suffix)));
}

Value* Functions::contains(RuntimeContext* ctx, const Value* range, const Value* v) {
  if (isInvalid(range) || !isRange(range)) {
    throw PlausiException(ExceptionType::kWrongType, "Kein Bereichswert.");
  }
  if (isInvalid(v)) return ctx->createBoolValue(false);
  return ctx->createBoolValue(containsInRange(range, v));
}

Value* Functions::TEIL(RuntimeContext* ctx, const Value* text, const Value* start,
                       const Value* length) {
  if (isInvalid(text) || isInvalid(start) || isInvalid(length)) return ctx->createInvalidValue();
  long double from = std::trunc(numberOf(start));
  long double count = std::trunc(numberOf(length));
  std::string_view bytes = bytesOf(text);
  long double size = static_cast<long double>(bytes.size());
  if (std::isnan(from)) from = 0;
  if (!(count > 0) || from > size) return makeText(ctx, {});
  // The sum of two whole long doubles is exact whenever it is below 2^64,
  // so the last position is exact wherever it matters; beyond, it is far
  // past the end of any text.
  long double last = from + count - 1;
  if (std::isnan(last)) return makeText(ctx, {});  // -inf + inf
  long double first = from < 1 ? 1 : from;
  if (last > size) last = size;
  if (last < first) return makeText(ctx, {});
  auto begin = static_cast<std::size_t>(first);
  auto end = static_cast<std::size_t>(last);
  // Part of the text's own bytes, which outlive the result.
  return ctx->createStringView(bytes.substr(begin - 1, end - begin + 1));
}

Value* Functions::ERSETZEN(RuntimeContext* ctx, const Value* text, const Value* search,
                           const Value* replacement) {
  if (isInvalid(text) || isInvalid(search) || isInvalid(replacement)) {
    return ctx->createInvalidValue();
  }
  std::string_view source = bytesOf(text);
  std::string_view pattern = bytesOf(search);
  std::string_view with = bytesOf(replacement);

  std::size_t hits = 0;
  if (!pattern.empty()) {
    for (std::size_t at = source.find(pattern); at != std::string_view::npos;
         at = source.find(pattern, at + pattern.size())) {
      ++hits;
    }
  }
  if (hits == 0) {
    if (text->getKind() == Kind::kString) return const_cast<Value*>(text);
    return makeText(ctx, source);
  }

  std::size_t size = source.size() - hits * pattern.size() + hits * with.size();
  char* out;
  Value* result = makeFilledText(ctx, size, &out);
  std::size_t done = 0;
  for (std::size_t at = source.find(pattern); at != std::string_view::npos;
       at = source.find(pattern, done)) {
    std::size_t keep = at - done;
    if (keep != 0) std::memcpy(out, source.data() + done, keep);
    out += keep;
    if (!with.empty()) std::memcpy(out, with.data(), with.size());
    out += with.size();
    done = at + pattern.size();
  }
  std::size_t rest = source.size() - done;
  if (rest != 0) std::memcpy(out, source.data() + done, rest);
  return result;
}

Value* Functions::isTypeConform(RuntimeContext* ctx, const Value* v, FieldType type,
                                const char* mask) {
  return ctx->createBoolValue(conforms(v, type, mask));
}

}  // namespace pl

// The built-in functions of the rule language.

#ifndef VEXAL_RUNTIME_PL_FUNCTIONS_H_
#define VEXAL_RUNTIME_PL_FUNCTIONS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "pl/types.h"
#include "pl/value.h"

namespace pl {

class RuntimeContext;

// Every result lives in the context's arena (booleans and the invalid
// value are shared instances).
//
// Texts and numbers: a text counts as a number where it is numeric (one
// or more digits 0-9 and nothing else); arithmetic takes numeric texts as
// numbers and throws PlausiException for anything else but the invalid
// value. An operation that yields a value (length, substring, concatenation,
// replacement, arithmetic, conversions) gives the invalid value when an
// operand is invalid; predicates answer false.
//
// Comparisons: two texts compare as bytes, two numbers numerically, a text
// and a number numerically when the text is numeric and otherwise as
// unequal and unordered; dates compare by day, booleans by equality. The
// invalid value equals only itself and is never ordered; ne is always the
// negation of eq.
class Functions {
 public:
  // The processing date of the context.
  static Value* HEUTE(RuntimeContext* ctx);

  // The rule language's `not`: the negation of isTrue (invalid stays
  // invalid).
  static Value* not_(RuntimeContext* ctx, const Value* v);
  // True for a non-empty text of digits only, and for numbers.
  static Value* NUMERISCH(RuntimeContext* ctx, const Value* v);
  // The number of characters of the text, trailing blanks included.
  static Value* WERTLAENGE(RuntimeContext* ctx, const Value* v);
  // Upper case in Windows-1252 (a-z, à-þ without ÷, š œ ž ÿ); ß stays.
  static Value* GROSSBUCHSTABEN(RuntimeContext* ctx, const Value* v);
  // The integer of a numeric text or number.
  static Value* ALS_GANZZAHL(RuntimeContext* ctx, const Value* v);
  static Value* JAHR(RuntimeContext* ctx, const Value* date);
  // "JJJJ", "MM" and "TT" of a date, zero-padded.
  static Value* JAHR_ALS_ZEICHENKETTE(RuntimeContext* ctx, const Value* date);
  static Value* MONAT_ALS_ZEICHENKETTE(RuntimeContext* ctx, const Value* date);
  static Value* TAG_ALS_ZEICHENKETTE(RuntimeContext* ctx, const Value* date);

  static Value* eq(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* ne(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* lt(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* le(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* gt(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* ge(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* plus(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* minus(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* mult(RuntimeContext* ctx, const Value* a, const Value* b);
  // The remainder of a / b with the sign of a; throws for b = 0.
  static Value* MODULO(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* KONKATENIEREN(RuntimeContext* ctx, const Value* a, const Value* b);
  static Value* BEGINNT_MIT(RuntimeContext* ctx, const Value* text, const Value* prefix);
  static Value* ENDET_AUF(RuntimeContext* ctx, const Value* text, const Value* suffix);
  // Whether the range (interval, sequence or series) holds the value.
  static Value* contains(RuntimeContext* ctx, const Value* range, const Value* v);

  // The characters from the 1-based position start on, at most length of
  // them, clipped to the text; a start beyond the end gives "".
  static Value* TEIL(RuntimeContext* ctx, const Value* text, const Value* start,
                     const Value* length);
  // Every occurrence of search replaced, left to right.
  static Value* ERSETZEN(RuntimeContext* ctx, const Value* text, const Value* search,
                         const Value* replacement);
  // Whether the value fits the field type and mask: type 0 any text; type 2
  // with "0" and n "#" one to n digits; type 4 with "JJJJMMTT" a valid date
  // of eight digits, with "SSmmss" six digits forming 00:00:00 to 23:59:59.
  // True for the invalid value; false for any other type and mask.
  static Value* isTypeConform(RuntimeContext* ctx, const Value* v, FieldType type,
                              const char* mask);

  // --- The rules above as plain answers, without making values. The
  // built-in functions answer through these, and so does any rule code that
  // compares a value with a literal in place: a faster comparison is
  // written here once.

  // How a orders against b under lt/le/gt/ge.
  enum class Order : signed char { kLess, kEqual, kGreater, kUnordered };
  static Order order(const Value* a, const Value* b);
  // As order(a, createStringValue(text)) and order(a, createNumberValue(n)).
  static Order orderText(const Value* a, std::string_view text);
  static Order orderNumber(const Value* a, long double number);
  // orderNumber() for a whole number, which needs no floating point for a
  // text of digits.
  static Order orderInteger(const Value* a, std::int64_t number) {
    // The short texts rules compare with numbers (years, counts, flags)
    // are read here in one pass; they need no kept facts.
    if (const StringValue* s = as<StringValue>(a); s != nullptr && s->size() < 8) {
      if (s->size() == 0) return Order::kUnordered;
      std::int64_t x = 0;
      for (const char c : s->view()) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
        if (digit > 9) return Order::kUnordered;
        x = x * 10 + digit;
      }
      return x < number ? Order::kLess : (x > number ? Order::kGreater : Order::kEqual);
    }
    return orderIntegerOther(a, number);
  }
  // eq(a, b); eq(a, createStringValue(text)); eq(a, createNumberValue(n)).
  static bool equals(const Value* a, const Value* b);
  static bool equalsText(const Value* a, std::string_view text) {
    // Two texts are equal when their bytes are; literals are short enough
    // to compare without a call.
    if (const StringValue* s = as<StringValue>(a)) {
      if (s->size() != text.size()) return false;
      if (text.size() > 16) return s->view() == text;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (s->data()[i] != text[i]) return false;
      }
      return true;
    }
    return equalsTextOther(a, text);
  }
  static bool equalsNumber(const Value* a, long double number) {
    return orderNumber(a, number) == Order::kEqual;
  }
  // NUMERISCH(v).
  static bool isNumericText(const Value* v) {
    if (const StringValue* s = as<StringValue>(v)) return s->isDigits();
    return is<NumberValue>(v);
  }
  // A non-empty text of the digits 0-9 only: what makes a text numeric.
  static bool isDigits(std::string_view text);
  // What WERTLAENGE answers; nullopt for the invalid value.
  static std::optional<std::size_t> length(const Value* v) {
    if (const StringValue* s = as<StringValue>(v)) return s->size();
    return lengthOfOther(v);
  }
  // The bytes a value stands for as a text operand: a string's bytes, a
  // number's decimal text, "true"/"false", "JJJJMMTT", "" for the invalid
  // value and for ranges. Valid as long as the value.
  static std::string_view text(const Value* v) {
    if (const StringValue* s = as<StringValue>(v)) return s->view();
    return textOfOther(v);
  }
  // isTypeConform(v, type, mask).
  static bool conforms(const Value* v, FieldType type, const char* mask) {
    // Any text is alphanumeric: the answer of most field checks.
    if (type == FieldType::kAlphanumeric && is<StringValue>(v)) return true;
    return conformsByMask(v, type, mask);
  }
  // isTypeConform(v, kNumeric, mask) for the mask "0" followed by `digits`
  // "#": one to `digits` digits (never, for no "#").
  static bool conformsToDigits(const Value* v, std::size_t digits) {
    if (const StringValue* s = as<StringValue>(v)) {
      // A numeric field's text is asked again by its procedure's tests.
      s->keepFacts();
      return digits != 0 && s->size() <= digits && s->isDigits();
    }
    return conformsByMask(v, FieldType::kNumeric, nullptr, digits);
  }

  // conforms() past its shortcuts; a numeric mask may be given by its
  // digit count instead (mask null).
  static bool conformsByMask(const Value* v, FieldType type, const char* mask,
                             std::size_t digits = 0);
  // The value of a text of one to 19 digits 0-9; false for any other
  // text.
  static bool readDigits(std::string_view text, std::uint64_t* value);
  // equalsText() past its shortcut.
  static bool equalsTextOther(const Value* a, std::string_view text);
  // length() and text() of a value that is no text.
  static std::optional<std::size_t> lengthOfOther(const Value* v);
  static Order orderIntegerOther(const Value* a, std::int64_t number);
  static std::string_view textOfOther(const Value* v);

  // The character GROSSBUCHSTABEN makes of one character.
  static constexpr unsigned char upperCase(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
      case 0x9A:
        return 0x8A;  // s with caron
      case 0x9C:
        return 0x8C;  // oe ligature
      case 0x9E:
        return 0x8E;  // z with caron
      case 0xFF:
        return 0x9F;  // y with diaeresis
      default:
        return c;
    }
  }
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_FUNCTIONS_H_

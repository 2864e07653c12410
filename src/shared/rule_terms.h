// The terms rule code is written in: missing, present, equal to a literal,
// too long, numeric. Each answers exactly what the rule language's built-in
// comparison would (eq with the invalid value or a string value, gt of
// WERTLAENGE, NUMERISCH), through the runtime's comparison rules, without
// making values.

#ifndef VEXAL_SHARED_RULE_TERMS_H_
#define VEXAL_SHARED_RULE_TERMS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

using Order = pl::Functions::Order;

// The bytes of a text value; the text form of any other value.
inline std::string_view textOf(const pl::Value* v) { return pl::Functions::text(v); }

// The record does not supply the field: the value equals the invalid value.
inline bool isMissing(const pl::Value* v) { return v->isInvalid(); }
inline bool isPresent(const pl::Value* v) { return !v->isInvalid(); }

// eq(v, "literal").
inline bool equalsText(const pl::Value* v, std::string_view literal) {
  return pl::Functions::equalsText(v, literal);
}

// contains(range series of the literals, v): equal to any of them.
template <class Literals>
bool isOneOfImpl(const pl::Value* v, const Literals& literals) {
  for (std::string_view literal : literals) {
    if (equalsText(v, literal)) return true;
  }
  return false;
}
inline bool isOneOf(const pl::Value* v, std::initializer_list<std::string_view> literals) {
  return isOneOfImpl(v, literals);
}
inline bool isOneOf(const pl::Value* v, std::span<const std::string_view> literals) {
  return isOneOfImpl(v, literals);
}

// The value compared with a plain number (gt, lt, le, ge, eq), as the rule
// language compares a field with a number.
inline bool isGreaterThan(const pl::Value* v, long double number) {
  return pl::Functions::orderNumber(v, number) == Order::kGreater;
}
inline bool isLessThan(const pl::Value* v, long double number) {
  return pl::Functions::orderNumber(v, number) == Order::kLess;
}
inline bool isAtMost(const pl::Value* v, long double number) {
  Order order = pl::Functions::orderNumber(v, number);
  return order == Order::kLess || order == Order::kEqual;
}
inline bool isAtLeast(const pl::Value* v, long double number) {
  Order order = pl::Functions::orderNumber(v, number);
  return order == Order::kGreater || order == Order::kEqual;
}
inline bool equalsNumber(const pl::Value* v, long double number) {
  return pl::Functions::equalsNumber(v, number);
}
// The same for whole numbers, compared without floating point where the
// value is a text.
template <std::integral N>
bool isGreaterThan(const pl::Value* v, N number) {
  return pl::Functions::orderInteger(v, static_cast<std::int64_t>(number)) == Order::kGreater;
}
template <std::integral N>
bool isLessThan(const pl::Value* v, N number) {
  return pl::Functions::orderInteger(v, static_cast<std::int64_t>(number)) == Order::kLess;
}
template <std::integral N>
bool isAtMost(const pl::Value* v, N number) {
  Order order = pl::Functions::orderInteger(v, static_cast<std::int64_t>(number));
  return order == Order::kLess || order == Order::kEqual;
}
template <std::integral N>
bool isAtLeast(const pl::Value* v, N number) {
  Order order = pl::Functions::orderInteger(v, static_cast<std::int64_t>(number));
  return order == Order::kGreater || order == Order::kEqual;
}
template <std::integral N>
bool equalsNumber(const pl::Value* v, N number) {
  return pl::Functions::orderInteger(v, static_cast<std::int64_t>(number)) == Order::kEqual;
}

// gt(WERTLAENGE(v), maximum); false for a missing value.
inline bool isLongerThan(const pl::Value* v, std::size_t maximum) {
  std::optional<std::size_t> length = pl::Functions::length(v);
  return length && *length > maximum;
}

// lt(WERTLAENGE(v), minimum); false for a missing value.
inline bool isShorterThan(const pl::Value* v, std::size_t minimum) {
  std::optional<std::size_t> length = pl::Functions::length(v);
  return length && *length < minimum;
}

// eq(WERTLAENGE(v), length); false for a missing value.
inline bool hasLength(const pl::Value* v, std::size_t length) {
  std::optional<std::size_t> size = pl::Functions::length(v);
  return size && *size == length;
}

// TEIL(v, start, length) for a start of 1 or more: the characters from the
// 1-based position start on, at most length of them.
inline pl::Value* part(pl::RuntimeContext* ctx, pl::Value* v, std::size_t start,
                       std::size_t length) {
  if (const pl::StringValue* text = pl::as<pl::StringValue>(v)) {
    std::string_view bytes = text->view();
    if (start > bytes.size()) return ctx->createStringView(std::string_view());
    return ctx->createStringView(bytes.substr(start - 1, length));
  }
  return pl::Functions::TEIL(ctx, v, ctx->createNumberValue(static_cast<long double>(start)),
                             ctx->createNumberValue(static_cast<long double>(length)));
}

// NUMERISCH(v).
inline bool isNumeric(const pl::Value* v) { return pl::Functions::isNumericText(v); }

// A truth value returned by a rule function equals true.
inline bool isTrue(const pl::Value* v) {
  const pl::BoolValue* flag = pl::as<pl::BoolValue>(v);
  return flag != nullptr && flag->get();
}

// isTypeConform(v, type, mask).
inline bool conforms(const pl::Value* v, pl::FieldType type, const char* mask) {
  return pl::Functions::conforms(v, type, mask);
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_RULE_TERMS_H_

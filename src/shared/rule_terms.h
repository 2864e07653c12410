// The terms rule functions are written in: missing, present, equal to a
// literal, too long, numeric. Each answers exactly what the rule language's
// built-in comparison would (Functions::eq with the invalid value or a
// string value, gt of WERTLAENGE, NUMERISCH) but reads text values in
// place, without making values.

#ifndef VEXAL_SHARED_RULE_TERMS_H_
#define VEXAL_SHARED_RULE_TERMS_H_

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>

#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

// The bytes of a text value; the text form of any other value.
inline std::string_view textOf(const pl::Value* v) {
  if (v->getKind() == pl::Value::Kind::kString)
    return static_cast<const pl::StringValue*>(v)->view();
  return v->getString();
}

// The record does not supply the field: the value equals the invalid value.
inline bool isMissing(const pl::Value* v) { return v->isInvalid(); }
inline bool isPresent(const pl::Value* v) { return !v->isInvalid(); }

// eq(v, "literal"): texts compare as bytes, anything else as the runtime
// compares it with a text.
inline bool equalsText(pl::RuntimeContext* ctx, const pl::Value* v, std::string_view literal) {
  if (v->getKind() == pl::Value::Kind::kString) {
    return static_cast<const pl::StringValue*>(v)->view() == literal;
  }
  return pl::Functions::eq(ctx, v, ctx->createStringValue(literal))->isTrue();
}

// contains(range series of the literals, v): equalsText with any of them.
template <class Literals>
bool isOneOfImpl(pl::RuntimeContext* ctx, const pl::Value* v, const Literals& literals) {
  for (std::string_view literal : literals) {
    if (equalsText(ctx, v, literal)) return true;
  }
  return false;
}
inline bool isOneOf(pl::RuntimeContext* ctx, const pl::Value* v,
                    std::initializer_list<std::string_view> literals) {
  return isOneOfImpl(ctx, v, literals);
}
inline bool isOneOf(pl::RuntimeContext* ctx, const pl::Value* v,
                    std::span<const std::string_view> literals) {
  return isOneOfImpl(ctx, v, literals);
}

namespace rule_terms_internal {

// How a value orders against a plain number, as the runtime compares them:
// a text numerically when it is numeric, otherwise neither equal nor
// ordered. Texts of up to 18 digits are read in place; anything else goes
// to the built-in comparison.
enum class Order { kLess, kEqual, kGreater, kUnordered, kAskBuiltin };

inline Order orderAgainst(const pl::Value* v, long double number) {
  if (v->getKind() != pl::Value::Kind::kString) return Order::kAskBuiltin;
  std::string_view text = static_cast<const pl::StringValue*>(v)->view();
  if (text.size() > 18) return Order::kAskBuiltin;
  if (text.empty()) return Order::kUnordered;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return Order::kUnordered;
    value = value * 10 + (c - '0');
  }
  long double x = static_cast<long double>(value);
  return x < number ? Order::kLess : x > number ? Order::kGreater : Order::kEqual;
}

template <pl::Value* (*Builtin)(pl::RuntimeContext*, const pl::Value*, const pl::Value*)>
bool compare(pl::RuntimeContext* ctx, const pl::Value* v, long double number,
             std::initializer_list<Order> holds) {
  Order order = orderAgainst(v, number);
  if (order == Order::kAskBuiltin) {
    return Builtin(ctx, v, ctx->createNumberValue(number))->isTrue();
  }
  for (Order o : holds) {
    if (o == order) return true;
  }
  return false;
}

}  // namespace rule_terms_internal

// The value compared with a plain number (gt, lt, le, ge, eq), as the rule
// language compares a field with a number.
inline bool isGreaterThan(pl::RuntimeContext* ctx, const pl::Value* v, long double number) {
  using namespace rule_terms_internal;
  return compare<&pl::Functions::gt>(ctx, v, number, {Order::kGreater});
}
inline bool isLessThan(pl::RuntimeContext* ctx, const pl::Value* v, long double number) {
  using namespace rule_terms_internal;
  return compare<&pl::Functions::lt>(ctx, v, number, {Order::kLess});
}
inline bool isAtMost(pl::RuntimeContext* ctx, const pl::Value* v, long double number) {
  using namespace rule_terms_internal;
  return compare<&pl::Functions::le>(ctx, v, number, {Order::kLess, Order::kEqual});
}
inline bool isAtLeast(pl::RuntimeContext* ctx, const pl::Value* v, long double number) {
  using namespace rule_terms_internal;
  return compare<&pl::Functions::ge>(ctx, v, number, {Order::kGreater, Order::kEqual});
}
inline bool equalsNumber(pl::RuntimeContext* ctx, const pl::Value* v, long double number) {
  using namespace rule_terms_internal;
  return compare<&pl::Functions::eq>(ctx, v, number, {Order::kEqual});
}

// gt(WERTLAENGE(v), maximum); false for a missing value.
inline bool isLongerThan(pl::RuntimeContext* ctx, const pl::Value* v, std::size_t maximum) {
  if (v->getKind() == pl::Value::Kind::kString) {
    return static_cast<const pl::StringValue*>(v)->size() > maximum;
  }
  return pl::Functions::gt(ctx, pl::Functions::WERTLAENGE(ctx, v),
                           ctx->createNumberValue(static_cast<long double>(maximum)))
      ->isTrue();
}

// lt(WERTLAENGE(v), minimum); false for a missing value.
inline bool isShorterThan(pl::RuntimeContext* ctx, const pl::Value* v, std::size_t minimum) {
  if (v->getKind() == pl::Value::Kind::kString) {
    return static_cast<const pl::StringValue*>(v)->size() < minimum;
  }
  return pl::Functions::lt(ctx, pl::Functions::WERTLAENGE(ctx, v),
                           ctx->createNumberValue(static_cast<long double>(minimum)))
      ->isTrue();
}

// TEIL(v, start, length) for a start of 1 or more: the characters from the
// 1-based position start on, at most length of them.
inline pl::Value* part(pl::RuntimeContext* ctx, pl::Value* v, std::size_t start,
                       std::size_t length) {
  if (v->getKind() == pl::Value::Kind::kString) {
    std::string_view text = static_cast<const pl::StringValue*>(v)->view();
    if (start > text.size()) return ctx->createStringValue(std::string_view());
    return ctx->createStringValue(text.substr(start - 1, length));
  }
  return pl::Functions::TEIL(ctx, v, ctx->createNumberValue(static_cast<long double>(start)),
                             ctx->createNumberValue(static_cast<long double>(length)));
}

// NUMERISCH(v).
inline bool isNumeric(const pl::Value* v) { return pl::Functions::isNumericText(v); }

// A truth value returned by a rule function equals true.
inline bool isTrue(pl::RuntimeContext* ctx, const pl::Value* v) {
  return pl::Functions::eq(ctx, v, ctx->createBoolValue(true))->isTrue();
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_RULE_TERMS_H_

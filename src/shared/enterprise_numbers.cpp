// The check digit is computed on the bytes when the text is all digits;
// anything else goes through the rule language's own steps (TEIL and a
// product per character), so that its answers, and its errors, stay those
// of the language.

#include "shared/enterprise_numbers.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "machinery/rule_function.h"
#include "pl/functions.h"
#include "shared/digit_words.h"
#include "shared/rule_terms.h"

namespace vexal::shared {
namespace {

using machinery::FunctionName;
using machinery::ruleFunction;
using pl::Functions;

bool isZerosText(const pl::Value* v) {
  return textOf(v).find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

std::optional<int> unrsCheckDigitOf(std::string_view digits) {
  long sum = 0;
  if (digits.size() == 11) {
    // The eleven digits of an enterprise number: tested as two words, the
    // second ending with them, and summed by position.
    if (!eightDigits(wordAt(digits, 0)) || !eightDigits(wordAt(digits, 3))) return std::nullopt;
    auto d = [&](std::size_t i) { return static_cast<long>(digits[i] - '0'); };
    sum = 4 * (d(0) + d(2) + d(4) + d(6) + d(8) + d(10)) + 9 * (d(1) + d(3) + d(5) + d(7) + d(9));
    const long digit = 10 - sum % 10;
    return digit == 10 ? 0 : static_cast<int>(digit);
  }
  // Weights 4, 9, 4, 9, ... from the left; one pass tests and sums.
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(digits[i]) - '0');
    if (digit > 9) return std::nullopt;
    sum += static_cast<long>(digit) * (i % 2 == 0 ? 4 : 9);
  }
  const long digit = 10 - sum % 10;
  return digit == 10 ? 0 : static_cast<int>(digit);
}

bool isZeros(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  if (!ctx->hasSectionObserver()) return isZerosText(Zeichenkette);
  return isTrue(F_IstNullen(ctx, Zeichenkette));
}

pl::Value* F_GibUnrsPruefziffer(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_GibUnrsPruefziffer");
  return ruleFunction(ctx, kName, [&]() -> pl::Value* {
    if (const pl::StringValue* text = pl::as<pl::StringValue>(wert)) {
      if (const std::optional<int> digit = unrsCheckDigitOf(text->view())) {
        return ctx->createNumberValue(*digit);
      }
    }
    // The loop as the rule language spells it.
    pl::Value* one = ctx->createNumberValue(1);
    pl::Value* sum = ctx->createNumberValue(0);
    pl::Value* weight = ctx->createNumberValue(4);
    for (pl::Value* position = one;
         Functions::le(ctx, position, Functions::WERTLAENGE(ctx, wert))->isTrue();
         position = Functions::plus(ctx, position, one)) {
      sum = Functions::plus(
          ctx, sum, Functions::mult(ctx, Functions::TEIL(ctx, wert, position, one), weight));
      weight = ctx->createNumberValue(equalsNumber(weight, 4) ? 9 : 4);
    }
    pl::Value* digit = Functions::minus(ctx, ctx->createNumberValue(10),
                                        Functions::MODULO(ctx, sum, ctx->createNumberValue(10)));
    return equalsNumber(digit, 10) ? ctx->createNumberValue(0) : digit;
  });
}

pl::Value* F_IstNullen(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  static constexpr FunctionName kName("F_IstNullen");
  return ruleFunction(ctx, kName, [&] { return ctx->createBoolValue(isZerosText(Zeichenkette)); });
}

}  // namespace vexal::shared

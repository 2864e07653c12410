// The check digit is computed on the bytes when the text is all digits;
// anything else goes through the rule language's own steps (TEIL and a
// product per character), so that its answers, and its errors, stay those
// of the language.

#include "shared/enterprise_numbers.h"

#include <string_view>

#include "machinery/rule_function.h"
#include "pl/functions.h"
#include "shared/rule_terms.h"

namespace vexal::shared {
namespace {

using machinery::FunctionName;
using machinery::ruleFunction;
using pl::Functions;

pl::Value* checkDigitOf(pl::RuntimeContext* ctx, long sum) {
  long digit = 10 - sum % 10;
  return ctx->createNumberValue(digit == 10 ? 0 : digit);
}

bool isDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

pl::Value* F_GibUnrsPruefziffer(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_GibUnrsPruefziffer");
  return ruleFunction(ctx, kName, [&]() -> pl::Value* {
    if (const pl::StringValue* text = pl::as<pl::StringValue>(wert);
        text && isDigits(text->view())) {
      long sum = 0;
      long weight = 4;
      for (char c : text->view()) {
        sum += (c - '0') * weight;
        weight = weight == 4 ? 9 : 4;
      }
      return checkDigitOf(ctx, sum);
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
  return ruleFunction(ctx, kName, [&] {
    return ctx->createBoolValue(textOf(Zeichenkette).find_first_not_of('0') ==
                                std::string_view::npos);
  });
}

}  // namespace vexal::shared

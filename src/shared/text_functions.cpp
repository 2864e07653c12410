// The text functions scan the bytes of their text directly: the rule
// language spells them as loops of one TEIL per character, which gives the
// same answers (a missing text has no characters, so the loops do not run).

#include "shared/text_functions.h"

#include <string_view>

#include "machinery/rule_function.h"
#include "shared/blanks.h"
#include "shared/rule_terms.h"

namespace vexal::shared {

using machinery::FunctionName;
using machinery::ruleFunction;

pl::Value* F_IstLeerzeichen(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  static constexpr FunctionName kName("F_IstLeerzeichen");
  return ruleFunction(ctx, kName, [&] {
    if (isMissing(Zeichenkette)) return ctx->createBoolValue(true);
    std::string_view text = textOf(Zeichenkette);
    return ctx->createBoolValue(firstNonBlank(text) == text.size());
  });
}

pl::Value* F_IstLinksbündig(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  // The error line spells the name without the umlaut.
  static constexpr FunctionName kName(kIstLinksbuendigName, "F_IstLinksbue__ndig");
  return ruleFunction(ctx, kName, [&] {
    if (isMissing(Zeichenkette)) return ctx->createBoolValue(true);
    std::string_view text = textOf(Zeichenkette);
    std::size_t first = firstNonBlank(text);
    bool indented = first != text.size() && first > 0;
    return ctx->createBoolValue(!indented);
  });
}

pl::Value* F_Trim(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  static constexpr FunctionName kName("F_Trim");
  return ruleFunction(ctx, kName, [&]() -> pl::Value* {
    if (isMissing(Zeichenkette)) return Zeichenkette;
    std::string_view text = textOf(Zeichenkette);
    std::size_t first = firstNonBlank(text);
    std::size_t end = first == text.size() ? first : endOfNonBlank(text);
    if (first == 0 && end == text.size()) return Zeichenkette;
    // The trimmed text is part of the value's own bytes.
    return ctx->createStringView(text.substr(first, end - first));
  });
}

}  // namespace vexal::shared

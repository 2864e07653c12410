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
  return ruleFunction(ctx, kName,
                      [&] { return ctx->createBoolValue(text_facts::isBlank(Zeichenkette)); });
}

pl::Value* F_IstLinksbündig(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  // The error line spells the name without the umlaut.
  static constexpr FunctionName kName(kIstLinksbuendigName, "F_IstLinksbue__ndig");
  return ruleFunction(
      ctx, kName, [&] { return ctx->createBoolValue(text_facts::isLeftAligned(Zeichenkette)); });
}

pl::Value* F_Trim(pl::RuntimeContext* ctx, pl::Value* Zeichenkette) {
  static constexpr FunctionName kName("F_Trim");
  return ruleFunction(ctx, kName, [&]() -> pl::Value* {
    if (isMissing(Zeichenkette)) return Zeichenkette;
    const text_facts::BlankEnds ends = text_facts::blankEnds(Zeichenkette);
    std::string_view text = textOf(Zeichenkette);
    if (ends.first == 0 && ends.end == text.size()) return Zeichenkette;
    // The trimmed text is part of the value's own bytes, and has no blank
    // at either end.
    const std::size_t length = ends.end > ends.first ? ends.end - ends.first : 0;
    pl::Value* trimmed = ctx->createStringView(text.substr(ends.first, length));
    static_cast<pl::StringValue*>(trimmed)->knowTrimmed();
    return trimmed;
  });
}

}  // namespace vexal::shared

// The text rule functions every record type uses. Each takes one text
// (init-parameter name "Zeichenkette" when called by name), runs in its
// section "Funktion <name>" and logs and rethrows what goes wrong, like any
// rule function. Positions are 1-based.

#ifndef VEXAL_SHARED_TEXT_FUNCTIONS_H_
#define VEXAL_SHARED_TEXT_FUNCTIONS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "machinery/by_name.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"
#include "shared/blanks.h"

namespace vexal::shared {

// True for a text of blanks only and for the empty text.
pl::Value* F_IstLeerzeichen(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// False exactly when the text starts with one or more blanks followed by a
// non-blank character.
pl::Value* F_IstLinksbündig(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// The text without leading and trailing blanks.
pl::Value* F_Trim(pl::RuntimeContext* ctx, pl::Value* Zeichenkette);

// What the three answer, without their section: a rule step may ask these
// directly where no section observer listens. A text value answers from
// the facts it keeps (pl::StringValue::firstNonBlank); any other value is
// scanned as text.
namespace text_facts {

struct BlankEnds {
  std::size_t first;  // the first byte that is no blank; the size when none is
  std::size_t end;    // one past the last byte that is no blank; 0 when none is
};

// A value that does not keep its facts would find them anew on every ask:
// its bytes are scanned here, without a call.
inline BlankEnds blankEnds(const pl::Value* v) {
  const pl::StringValue* s = pl::as<pl::StringValue>(v);
  if (s != nullptr && s->keepsFacts()) {
    const std::size_t first = s->firstNonBlank();
    return {first, first == s->size() ? 0 : s->endOfNonBlank()};
  }
  std::string_view text = pl::Functions::text(v);
  const std::size_t first = firstNonBlank(text);
  return {first, first == text.size() ? 0 : endOfNonBlank(text)};
}

// F_IstLeerzeichen: missing, empty or only blanks.
inline bool isBlank(const pl::Value* v) {
  const pl::StringValue* s = pl::as<pl::StringValue>(v);
  if (s != nullptr && s->keepsFacts()) return s->isBlank();
  if (v->isInvalid()) return true;
  std::string_view text = pl::Functions::text(v);
  return firstNonBlank(text) == text.size();
}

// F_IstLinksbündig: no blank before the first other character.
inline bool isLeftAligned(const pl::Value* v) {
  if (v->isInvalid()) return true;
  const pl::StringValue* s = pl::as<pl::StringValue>(v);
  std::string_view text = pl::Functions::text(v);
  const std::size_t first =
      s != nullptr && s->keepsFacts() ? s->firstNonBlank() : firstNonBlank(text);
  return first == 0 || first == text.size();
}

// The bytes of F_Trim(s), part of the bytes of s.
inline std::string_view trimmedText(const pl::StringValue& s) {
  const BlankEnds ends = blankEnds(&s);
  return s.view().substr(ends.first, ends.end > ends.first ? ends.end - ends.first : 0);
}

// The length of F_Trim(v); nullopt for a missing value.
inline std::optional<std::size_t> trimmedLength(const pl::Value* v) {
  if (v->isInvalid()) return std::nullopt;
  const BlankEnds ends = blankEnds(v);
  return ends.end > ends.first ? ends.end - ends.first : 0;
}

}  // namespace text_facts

// The answers of F_IstLeerzeichen, F_IstLinksbündig and WERTLAENGE(F_Trim)
// for rule code: from the facts of the value, or by calling the function
// when a section observer listens, which then sees its section as before.
inline bool isBlank(pl::RuntimeContext* ctx, pl::Value* v) {
  if (ctx->hasSectionObserver()) {
    const pl::BoolValue* flag = pl::as<pl::BoolValue>(F_IstLeerzeichen(ctx, v));
    return flag != nullptr && flag->get();
  }
  return text_facts::isBlank(v);
}
inline bool isLeftAligned(pl::RuntimeContext* ctx, pl::Value* v) {
  if (ctx->hasSectionObserver()) {
    const pl::BoolValue* flag = pl::as<pl::BoolValue>(F_IstLinksbündig(ctx, v));
    return flag != nullptr && flag->get();
  }
  return text_facts::isLeftAligned(v);
}
// nullopt for a missing value, as WERTLAENGE gives the invalid value.
inline std::optional<std::size_t> trimmedLength(pl::RuntimeContext* ctx, pl::Value* v) {
  if (ctx->hasSectionObserver()) return pl::Functions::length(F_Trim(ctx, v));
  return text_facts::trimmedLength(v);
}

// NUMERISCH(F_Trim(v)) and eq(F_Trim(v), literal) for rule code: on the
// bytes of a text when no section observer listens, else through F_Trim.
inline bool isTrimmedNumeric(pl::RuntimeContext* ctx, pl::Value* v) {
  if (const auto* s = pl::as<pl::StringValue>(v); s != nullptr && !ctx->hasSectionObserver()) {
    const std::string_view trimmed = text_facts::trimmedText(*s);
    // Untrimmed, the value itself is asked, and keeps the answer if it may.
    return trimmed.size() == s->size() ? s->isDigits() : pl::Functions::isDigits(trimmed);
  }
  return pl::Functions::isNumericText(F_Trim(ctx, v));
}
inline bool trimmedEquals(pl::RuntimeContext* ctx, pl::Value* v, std::string_view literal) {
  if (const auto* s = pl::as<pl::StringValue>(v); s != nullptr && !ctx->hasSectionObserver()) {
    return text_facts::trimmedText(*s) == literal;
  }
  return pl::Functions::equalsText(F_Trim(ctx, v), literal);
}

// The by-name key of F_IstLinksbündig, in Latin-1.
inline constexpr char kIstLinksbuendigName[] = "F_IstLinksb\xFCndig";

// The three as every record type's rule set offers them by name.
inline constexpr std::array kTextFunctions = {
    machinery::byName<&F_IstLeerzeichen>("F_IstLeerzeichen", "Zeichenkette"),
    machinery::byName<&F_IstLinksbündig>(kIstLinksbuendigName, "Zeichenkette"),
    machinery::byName<&F_Trim>("F_Trim", "Zeichenkette"),
};

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_TEXT_FUNCTIONS_H_

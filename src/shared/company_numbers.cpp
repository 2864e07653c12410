// The check digit is computed on the bytes when the text is all digits,
// and the release of a reporting year from the processing date when the
// switch day is a valid "MMTT"; anything else goes through the rule
// language's own steps (one TEIL and one product per character; dates made
// of texts), so that its answers, and its exceptions, stay exactly those
// of the language.

#include "shared/company_numbers.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "machinery/rule_function.h"
#include "pl/functions.h"
#include "shared/digit_words.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"

namespace vexal::shared {
namespace {

using machinery::FunctionName;
using machinery::ruleFunction;
using pl::Functions;

bool allDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

pl::Value* checkDigitOfDigits(pl::RuntimeContext* ctx, std::string_view digits) {
  // The digit sum of twice a digit.
  static constexpr unsigned kDoubled[] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
  unsigned long sum = 0;
  bool doubled = false;  // the weights run 1, 2, 1, 2, ...
  for (char c : digits) {
    const unsigned digit = static_cast<unsigned>(c - '0');
    sum += doubled ? kDoubled[digit] : digit;
    doubled = !doubled;
  }
  static constexpr char kDigits[] = "0123456789";
  return ctx->createStringView(std::string_view(kDigits + sum % 10, 1));
}

// The loop as the rule language spells it.
pl::Value* checkDigitByLoop(pl::RuntimeContext* ctx, pl::Value* wert) {
  pl::Value* one = ctx->createNumberValue(1);
  pl::Value* sum = ctx->createNumberValue(0);
  pl::Value* weight = one;
  pl::Value* length = Functions::WERTLAENGE(ctx, wert);
  for (pl::Value* i = one; Functions::le(ctx, i, length)->isTrue();
       i = Functions::plus(ctx, i, one)) {
    pl::Value* product = Functions::mult(ctx, Functions::TEIL(ctx, wert, i, one), weight);
    pl::Value* product_length = Functions::WERTLAENGE(ctx, product);
    for (pl::Value* j = one; Functions::le(ctx, j, product_length)->isTrue();
         j = Functions::plus(ctx, j, one)) {
      sum = Functions::plus(ctx, sum, Functions::TEIL(ctx, product, j, one));
    }
    weight = Functions::eq(ctx, weight, one)->isTrue() ? ctx->createNumberValue(2) : one;
  }
  return Functions::TEIL(ctx, sum, Functions::WERTLAENGE(ctx, sum), one);
}

// The eighth character p of t is the check digit g or the last character of
// g + 5. `digits` are the characters the check digit is computed of.
bool acceptsCheckDigit(pl::RuntimeContext* ctx, pl::Value* t, pl::Value* digits) {
  pl::Value* g = F_GibBbnrPruefziffer(ctx, digits);
  std::string_view check = textOf(g);
  std::string_view number = textOf(t);
  if (pl::is<pl::StringValue>(g) && check.size() == 1 && allDigits(check) && number.size() == 8) {
    int p = number[7] - '0';
    int digit = check[0] - '0';
    return p == digit || p == (digit + 5) % 10;
  }
  pl::Value* p = Functions::ALS_GANZZAHL(ctx, part(ctx, t, 8, 1));
  if (Functions::eq(ctx, p, g)->isTrue()) return true;
  pl::Value* h = Functions::plus(ctx, g, ctx->createNumberValue(5));
  pl::Value* last =
      Functions::TEIL(ctx, h, Functions::WERTLAENGE(ctx, h), ctx->createNumberValue(1));
  return Functions::eq(ctx, p, last)->isTrue();
}

// ALS_GANZZAHL(TEIL(t, 1, 3)) is 0 or lies between 100 and 110: numbers
// with these prefixes are not given out. t holds eight digits.
bool hasRefusedPrefix(std::string_view t) {
  int prefix = (t[0] - '0') * 100 + (t[1] - '0') * 10 + (t[2] - '0');
  return prefix == 0 || (prefix > 99 && prefix < 111);
}

// Steps 1 and 2 of both company-number rules: exactly 15 characters,
// left-aligned.
bool hasFieldShape(pl::RuntimeContext* ctx, pl::Value* bbnr) {
  if (isLongerThan(bbnr, 15) || isShorterThan(bbnr, 15)) return false;
  return isTrue(F_IstLinksbündig(ctx, bbnr));
}

pl::Value* resultNumber(pl::RuntimeContext* ctx, bool valid) {
  return ctx->createNumberValue(valid ? 1 : 0);
}

// The switch day "MMTT" as month and day, when it is a valid day of `year`.
bool readSwitchDay(std::string_view text, int year, int* month, int* day) {
  if (text.size() != 4 || !allDigits(text)) return false;
  *month = (text[0] - '0') * 10 + (text[1] - '0');
  *day = (text[2] - '0') * 10 + (text[3] - '0');
  return pl::DateValue::isValidDate(year, *month, *day);
}

// The release as the rule language spells it: the switch day and today as
// dates of the current year ("JJJJMMTT"), compared. Raises the runtime's
// error for a switch day that is no date.
pl::Value* releasedByTheLanguage(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr,
                                 pl::Value* paramSchalttag) {
  pl::Value* today = Functions::HEUTE(ctx);
  pl::Value* year = Functions::JAHR_ALS_ZEICHENKETTE(ctx, today);
  pl::Value* switch_day = Functions::KONKATENIEREN(ctx, year, paramSchalttag);
  pl::Value* today_text = Functions::KONKATENIEREN(
      ctx, Functions::KONKATENIEREN(ctx, year, Functions::MONAT_ALS_ZEICHENKETTE(ctx, today)),
      Functions::TAG_ALS_ZEICHENKETTE(ctx, today));
  pl::Value* highest = Functions::JAHR(ctx, today);
  if (Functions::gt(ctx, ctx->createDateValue(today_text, "JJJJMMTT"),
                    ctx->createDateValue(switch_day, "JJJJMMTT"))
          ->isTrue()) {
    highest = Functions::plus(ctx, highest, ctx->createNumberValue(1));
  }
  return ctx->createBoolValue(!Functions::gt(ctx, paramMeldejahr, highest)->isTrue());
}

}  // namespace

pl::Value* F_GibBbnrPruefziffer(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_GibBbnrPruefziffer");
  return ruleFunction(ctx, kName, [&] {
    if (pl::is<pl::StringValue>(wert)) {
      std::string_view text = textOf(wert);
      if (allDigits(text)) return checkDigitOfDigits(ctx, text);
    }
    return checkDigitByLoop(ctx, wert);
  });
}

namespace {

// F_PruefeBetriebsnummer of a text, on its bytes: the same steps, without
// the values and sections of the functions they call.
bool isCompanyNumber(std::string_view bbnr) {
  // Fifteen characters, left-aligned, trimmed to eight digits: that is,
  // eight digits and seven blanks.
  if (bbnr.size() != 15 || !eightDigits(wordAt(bbnr, 0)) ||
      std::memcmp(bbnr.data() + 8, "       ", 7) != 0) {
    return false;
  }
  const std::string_view t = bbnr.substr(0, 8);
  if (hasRefusedPrefix(t)) return false;
  static constexpr unsigned kDoubled[] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
  unsigned sum = 0;
  for (std::size_t i = 0; i < 7; ++i) {
    const auto digit = static_cast<unsigned>(t[i] - '0');
    sum += i % 2 == 1 ? kDoubled[digit] : digit;
  }
  const unsigned check = sum % 10;
  const auto p = static_cast<unsigned>(t[7] - '0');
  return p == check || p == (check + 5) % 10;
}

}  // namespace

pl::Value* F_PruefeBetriebsnummer(pl::RuntimeContext* ctx, pl::Value* bbnr) {
  static constexpr FunctionName kName("F_PruefeBetriebsnummer");
  return ruleFunction(ctx, kName, [&] {
    // Unobserved, the functions the steps call leave no trace: a text is
    // answered on its bytes.
    if (const auto* text = pl::as<pl::StringValue>(bbnr); text && !ctx->hasSectionObserver()) {
      return resultNumber(ctx, isCompanyNumber(text->view()));
    }
    if (!hasFieldShape(ctx, bbnr)) return resultNumber(ctx, false);
    pl::Value* t = F_Trim(ctx, bbnr);
    if (!isNumeric(t) || isLongerThan(t, 8) || isShorterThan(t, 8)) {
      return resultNumber(ctx, false);
    }
    // Numeric and eight characters long: a text of eight digits.
    if (hasRefusedPrefix(textOf(t))) return resultNumber(ctx, false);
    return resultNumber(ctx, acceptsCheckDigit(ctx, t, part(ctx, t, 1, 7)));
  });
}

pl::Value* F_PruefeGesonderteBetriebsnummer(pl::RuntimeContext* ctx, pl::Value* bbnr) {
  static constexpr FunctionName kName("F_PruefeGesonderteBetriebsnummer");
  return ruleFunction(ctx, kName, [&] {
    if (!hasFieldShape(ctx, bbnr)) return resultNumber(ctx, false);
    pl::Value* t = F_Trim(ctx, bbnr);
    if (isMissing(t) || isLongerThan(t, 8) || isShorterThan(t, 8)) {
      return resultNumber(ctx, false);
    }
    if (!equalsText(part(ctx, t, 1, 1), "A") || !isNumeric(part(ctx, t, 2, 7))) {
      return resultNumber(ctx, false);
    }
    return resultNumber(ctx, acceptsCheckDigit(ctx, t, part(ctx, t, 2, 6)));
  });
}

namespace {

// The release from a valid switch day, given as text; nullopt for any
// other.
std::optional<bool> releasedOnSwitchDay(pl::RuntimeContext* ctx, const pl::Value* paramMeldejahr,
                                        std::string_view paramSchalttag) {
  const pl::DateValue& today = ctx->processingDate();
  int highest = today.year();
  int month, day;
  if (!readSwitchDay(paramSchalttag, today.year(), &month, &day)) return std::nullopt;
  if (today.month() > month || (today.month() == month && today.day() > day)) highest += 1;
  return !isGreaterThan(paramMeldejahr, highest);
}

std::optional<bool> releasedOnSwitchDay(pl::RuntimeContext* ctx, const pl::Value* paramMeldejahr,
                                        const pl::Value* paramSchalttag) {
  if (!pl::is<pl::StringValue>(paramSchalttag)) return std::nullopt;
  return releasedOnSwitchDay(ctx, paramMeldejahr, textOf(paramSchalttag));
}

}  // namespace

pl::Value* F_IstMjahrFreigeschaltet(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr,
                                    pl::Value* paramSchalttag) {
  static constexpr FunctionName kName("F_IstMjahrFreigeschaltet");
  return ruleFunction(ctx, kName, [&] {
    if (const std::optional<bool> released =
            releasedOnSwitchDay(ctx, paramMeldejahr, paramSchalttag)) {
      return ctx->createBoolValue(*released);
    }
    return releasedByTheLanguage(ctx, paramMeldejahr, paramSchalttag);
  });
}

bool isCompanyNumber(pl::RuntimeContext* ctx, pl::Value* bbnr) {
  if (const auto* text = pl::as<pl::StringValue>(bbnr); text && !ctx->hasSectionObserver()) {
    return isCompanyNumber(text->view());
  }
  return !equalsNumber(F_PruefeBetriebsnummer(ctx, bbnr), 0);
}

bool isReleasedYear(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr,
                    pl::LocalVariable* paramSchalttag) {
  // Unobserved, a switch day is read where the variable keeps it.
  if (!ctx->hasSectionObserver()) {
    if (const std::optional<std::string_view> held = paramSchalttag->heldText()) {
      if (const std::optional<bool> released = releasedOnSwitchDay(ctx, paramMeldejahr, *held)) {
        return *released;
      }
    }
  }
  return isReleasedYear(ctx, paramMeldejahr, paramSchalttag->get(ctx));
}

bool isReleasedYear(pl::RuntimeContext* ctx, pl::Value* paramMeldejahr, pl::Value* paramSchalttag) {
  if (!ctx->hasSectionObserver()) {
    if (const std::optional<bool> released =
            releasedOnSwitchDay(ctx, paramMeldejahr, paramSchalttag)) {
      return *released;
    }
  }
  return isTrue(F_IstMjahrFreigeschaltet(ctx, paramMeldejahr, paramSchalttag));
}

}  // namespace vexal::shared

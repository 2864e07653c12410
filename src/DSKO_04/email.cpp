// The e-mail address tests of DSKO_04. "§" counts as an at-sign alike
// with "@".

#include <array>
#include <cstddef>
#include <string_view>

#include "DSKO_04/DSKO_04.h"
#include "machinery/rule_function.h"
#include "shared/rule_terms.h"

namespace DSKO_04 {
namespace {

using vexal::machinery::FunctionName;
using vexal::machinery::ruleFunction;
using vexal::shared::isMissing;
using vexal::shared::textOf;

// The 95 characters an address may hold, by Latin-1 code.
constexpr std::array<bool, 256> makeEmailCharacters() {
  std::array<bool, 256> allowed{};
  auto allow = [&](unsigned from, unsigned to) {
    for (unsigned c = from; c <= to; ++c) allowed[c] = true;
  };
  allow(0x21, 0x5A);  // ! to Z: signs, digits, : ; < = > ? @, capitals
  allow(0x5E, 0x7A);  // ^ _ ` and the small letters
  for (unsigned c : {0xA7u, 0xC4u, 0xD6u, 0xDCu, 0xDFu, 0xE4u, 0xF6u, 0xFCu}) allowed[c] = true;
  return allowed;
}
constexpr std::array<bool, 256> kEmailCharacters = makeEmailCharacters();

constexpr bool isAtSign(char c) { return c == '@' || c == '\xA7'; }

// Per Latin-1 code: kAllowed for the characters an address may hold,
// kAtSign besides for the at-signs, both allowed.
enum : unsigned char { kAllowed = 1, kAtSign = 2 };
constexpr std::array<unsigned char, 256> makeEmailClasses() {
  std::array<unsigned char, 256> classes{};
  for (unsigned c = 0; c < 256; ++c) {
    if (kEmailCharacters[c]) classes[c] = kAllowed;
    if (isAtSign(static_cast<char>(c))) classes[c] |= kAtSign;
  }
  return classes;
}
constexpr std::array<unsigned char, 256> kEmailClasses = makeEmailClasses();
static_assert(kEmailClasses['@'] == (kAllowed | kAtSign) &&
              kEmailClasses[0xA7] == (kAllowed | kAtSign));

}  // namespace

EmailAnswers emailAnswers(std::string_view text) {
  // One table read per character: every class has kAllowed set exactly
  // when all characters are allowed, and the at-signs are counted.
  unsigned all = kAllowed;
  std::size_t at_signs = 0;
  for (char c : text) {
    const unsigned character = kEmailClasses[static_cast<unsigned char>(c)];
    all &= character;
    at_signs += character >> 1;
  }
  const bool inner = !text.empty() && !isAtSign(text.front()) && !isAtSign(text.back());
  return {all == kAllowed, inner && at_signs == 1};
}

pl::Value* F_IstErlaubteEmailZeichen(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_IstErlaubteEmailZeichen");
  return ruleFunction(ctx, kName, [&] {
    if (isMissing(wert)) return ctx->createBoolValue(true);
    for (char c : textOf(wert)) {
      if (!kEmailCharacters[static_cast<unsigned char>(c)]) return ctx->createBoolValue(false);
    }
    return ctx->createBoolValue(true);
  });
}

// Exactly one at-sign, neither first nor last.
pl::Value* F_IstErlaubteEmail(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_IstErlaubteEmail");
  return ruleFunction(ctx, kName, [&] {
    if (isMissing(wert)) return ctx->createBoolValue(false);
    std::string_view text = textOf(wert);
    if (text.empty() || isAtSign(text.front()) || isAtSign(text.back())) {
      return ctx->createBoolValue(false);
    }
    std::size_t at_signs = 0;
    for (char c : text) at_signs += isAtSign(c) ? 1 : 0;
    return ctx->createBoolValue(at_signs == 1);
  });
}

}  // namespace DSKO_04

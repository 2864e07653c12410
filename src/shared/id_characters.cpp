#include "shared/id_characters.h"

#include <array>
#include <string_view>

#include "machinery/rule_function.h"
#include "pl/functions.h"
#include "shared/blanks.h"
#include "shared/rule_terms.h"

namespace vexal::shared {
namespace {

constexpr std::array<bool, 256> characterTable(const char* characters) {
  std::array<bool, 256> table{};
  for (; *characters != '\0'; ++characters) table[static_cast<unsigned char>(*characters)] = true;
  return table;
}

// The 40 characters of an id.
constexpr std::array<bool, 256> kIdCharacters =
    characterTable("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-/");

// The characters whose upper case is one of them.
constexpr std::array<bool, 256> upperCaseIn(const std::array<bool, 256>& table) {
  std::array<bool, 256> result{};
  for (unsigned c = 0; c < 256; ++c) {
    result[c] = table[pl::Functions::upperCase(static_cast<unsigned char>(c))];
  }
  return result;
}
constexpr std::array<bool, 256> kIdCharactersInAnyCase = upperCaseIn(kIdCharacters);

bool conformsOrTells(pl::RuntimeContext* ctx, const pl::Value* wert,
                     pl::LocalVariable* hf_fehlertext) {
  if (isMissing(wert)) return true;
  // GROSSBUCHSTABEN(TEIL(wert, i, 1)), character by character; blanks are
  // allowed, so the padding at the end needs no look.
  std::string_view text = textOf(wert);
  for (char c : text.substr(0, endOfNonBlank(text))) {
    if (kIdCharactersInAnyCase[static_cast<unsigned char>(c)]) continue;
    unsigned char upper = pl::Functions::upperCase(static_cast<unsigned char>(c));
    char message[] = "Zeichen \"?\" unzul\xE4ssig.";
    message[9] = static_cast<char>(upper);
    hf_fehlertext->set(ctx->createStringValue(std::string_view(message, sizeof message - 1)));
    return false;
  }
  return true;
}

}  // namespace

pl::Value* F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert,
                                pl::LocalVariable* hf_fehlertext) {
  static constexpr machinery::FunctionName kName("F_IstDsIdVoIdKonform");
  return machinery::ruleFunction(
      ctx, kName, [&] { return ctx->createBoolValue(conformsOrTells(ctx, wert, hf_fehlertext)); });
}

bool isIdConform(pl::RuntimeContext* ctx, pl::Value* wert, pl::LocalVariable* hf_fehlertext) {
  if (!ctx->hasSectionObserver()) return conformsOrTells(ctx, wert, hf_fehlertext);
  return isTrue(F_IstDsIdVoIdKonform(ctx, wert, hf_fehlertext));
}

}  // namespace vexal::shared

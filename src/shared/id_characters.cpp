#include "shared/id_characters.h"

#include <array>
#include <string_view>

#include "machinery/rule_function.h"
#include "pl/functions.h"
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

}  // namespace

pl::Value* F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert,
                                pl::LocalVariable* hf_fehlertext) {
  static constexpr machinery::FunctionName kName("F_IstDsIdVoIdKonform");
  return machinery::ruleFunction(ctx, kName, [&] {
    if (isMissing(wert)) return ctx->createBoolValue(true);
    // GROSSBUCHSTABEN(TEIL(wert, i, 1)), character by character.
    for (char c : textOf(wert)) {
      unsigned char upper = pl::Functions::upperCase(static_cast<unsigned char>(c));
      if (kIdCharacters[upper]) continue;
      char text[] = "Zeichen \"?\" unzul\xE4ssig.";
      text[9] = static_cast<char>(upper);
      hf_fehlertext->set(ctx->createStringValue(std::string_view(text, sizeof text - 1)));
      return ctx->createBoolValue(false);
    }
    return ctx->createBoolValue(true);
  });
}

}  // namespace vexal::shared

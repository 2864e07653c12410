#include "shared/id_characters.h"

#include <array>
#include <cstddef>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Whether every byte of a text of sixteen bytes or more is plainly an id
// character: a letter of either case, a digit, a blank, ".", "-" or "/".
// Blanks included, the padding of a field is taken along with the id.
bool isPlainId(std::string_view text) {
#ifdef __SSE2__
  static_assert(kIdCharactersInAnyCase['a'] && kIdCharactersInAnyCase['z'] &&
                kIdCharactersInAnyCase['A'] && kIdCharactersInAnyCase['Z'] &&
                kIdCharactersInAnyCase['-'] && kIdCharactersInAnyCase['.'] &&
                kIdCharactersInAnyCase['/'] && kIdCharactersInAnyCase['0'] &&
                kIdCharactersInAnyCase['9'] && kIdCharactersInAnyCase[' ']);
  if (text.size() < 16) return false;
  // Bytes compare as signed: those from 0x80 on fall below every range.
  auto within = [](__m128i bytes, char low, char high) {
    return _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>(low - 1))),
                         _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(high + 1))));
  };
  auto plain = [&](std::size_t at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
    // Letters of either case: with the bit of lower case set, 'a' to 'z'.
    const __m128i letters = within(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), 'a', 'z');
    const __m128i signs_digits = within(bytes, '-', '9');
    const __m128i blanks = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
    return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(letters, signs_digits), blanks)) == 0xFFFF;
  };
  std::size_t i = 0;
  for (; i + 16 <= text.size(); i += 16) {
    if (!plain(i)) return false;
  }
  // The last sixteen bytes, overlapping those seen.
  return i == text.size() || plain(text.size() - 16);
#else
  static_cast<void>(text);
  return false;
#endif
}

bool conformsOrTells(pl::RuntimeContext* ctx, const pl::Value* wert,
                     pl::LocalVariable* hf_fehlertext) {
  if (isMissing(wert)) return true;
  // GROSSBUCHSTABEN(TEIL(wert, i, 1)), character by character; blanks are
  // allowed, so the padding at the end needs no look.
  std::string_view text = textOf(wert);
  if (isPlainId(text)) return true;
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

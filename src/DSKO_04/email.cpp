// The e-mail address tests of DSKO_04. "§" counts as an at-sign alike
// with "@".

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The answers gathered over an address, a word or a character at a time.
struct Tally {
  unsigned all = kAllowed;  // kAllowed while every character is allowed
  std::size_t at_signs = 0;

  // One table read per character.
  void addBytes(const char* from, const char* to) {
    for (; from != to; ++from) {
      const unsigned character = kEmailClasses[static_cast<unsigned char>(*from)];
      all &= character;
      at_signs += character >> 1;
    }
  }

  // Eight characters below 0x80 at once, those whose byte has its top bit
  // in `mask`: the ASCII characters allowed are "!" to "Z" and "^" to "z",
  // and "@" is the only ASCII at-sign. For a byte b below 0x80, b + (0x80
  // - n) has its top bit exactly when b >= n, and carries into no other
  // byte.
  void addAsciiWord(std::uint64_t word, std::uint64_t mask) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    auto atLeast = [&](unsigned n) { return (word + (0x80 - n) * kOnes) & mask; };
    const std::uint64_t refused =
        (mask & ~atLeast(0x21)) | atLeast(0x7B) | (atLeast(0x5B) & ~atLeast(0x5E));
    if (refused != 0) all = 0;
    // The bytes of word ^ "@@@@@@@@" that are 0: those without a top bit
    // once 0x7F is added.
    const std::uint64_t at = ~((word ^ ('@' * kOnes)) + 0x7F * kOnes) & mask;
    at_signs += ((at >> 7) * kOnes) >> 56;  // the sum of the eight 0/1 bytes
  }
};

constexpr std::uint64_t kTopBits = 0x8080808080808080u;

std::uint64_t wordAt(std::string_view text, std::size_t at) {
  std::uint64_t word;
  std::memcpy(&word, text.data() + at, sizeof word);
  return word;
}

}  // namespace

EmailAnswers emailAnswers(std::string_view text) {
  Tally tally;
  std::size_t done = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Words without a byte from 0x80 on are read at once; any other word
    // character by character.
    const std::size_t size = text.size();
    for (; done + 8 <= size; done += 8) {
      const std::uint64_t word = wordAt(text, done);
      if ((word & kTopBits) == 0) {
        tally.addAsciiWord(word, kTopBits);
      } else {
        tally.addBytes(text.data() + done, text.data() + done + 8);
      }
    }
    if (done < size && size >= 8) {
      // The word that ends the text; its first bytes, at its low end, are
      // counted already.
      const std::uint64_t word = wordAt(text, size - 8);
      const std::uint64_t mask = kTopBits << (8 * (8 - (size - done)));
      if ((word & mask) == 0) {
        tally.addAsciiWord(word, mask);
      } else {
        tally.addBytes(text.data() + done, text.data() + size);
      }
      done = size;
    }
  }
  tally.addBytes(text.data() + done, text.data() + text.size());
  const bool inner = !text.empty() && !isAtSign(text.front()) && !isAtSign(text.back());
  return {tally.all == kAllowed, inner && tally.at_signs == 1};
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

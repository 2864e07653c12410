#include "shared/carrier_numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <type_traits>

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

constexpr std::string_view kAnnex20[] = {
    "01064065", "01627953", "01681222", "02379637", "03701377", "07235792", "08270878", "09322747",
    "13174962", "13385729", "14066582", "15141364", "15186676", "15250094", "16716004", "18477668",
    "18484827", "18484877", "18626026", "18645029", "20345417", "21204943", "26125562", "28143238",
    "29029801", "29086457", "29139336", "29214533", "31608112", "32064004", "34239086", "37916971",
    "39892693", "44861264", "47009510", "47042806", "49005902", "52717470", "52738475", "52742028",
    "53149588", "55423519", "61635458", "63800761", "66337061", "67334480", "67545123", "72305544",
    "87108525", "87661207", "88270171", "90276713", "98705576", "99011352",
};

constexpr std::string_view kAnnex7[] = {
    "01064065", "01681222", "02379637", "03701377", "07235792", "14066582", "15141364", "15186676",
    "15250094", "16716004", "18477668", "18484827", "18484877", "18626026", "20345417", "21204943",
    "26125562", "28143238", "29029801", "29086457", "31608112", "32064004", "34239086", "37916971",
    "44861264", "49005902", "52717470", "52738475", "52742028", "53149588", "55423519", "61635458",
    "63800761", "66337061", "67334480", "87661207", "88270171", "90276713", "99011352",
};

constexpr std::string_view kAnnex19b[] = {
    "01064065", "01627953", "01681222", "02379637", "03701377", "07235792", "09322747",
    "13385729", "16716004", "18477668", "18626026", "18645029", "20345417", "21204943",
    "26125562", "28143238", "29086457", "29214533", "34239086", "44861264", "53149588",
    "55423519", "67334480", "87661207", "88270171", "90276713", "98705576",
};

#define DIGITS "0123456789"
#define LETTERS "ABCDEFGHIJKLMNOPQRSTUVWXYZ"

// Tested in this order.
constexpr MembershipNumberRule kRules[] = {
    {"01064065", 6, 6, DIGITS},           {"01681222", 6, 12, DIGITS "-/P"},
    {"07235792", 10, 13, DIGITS "./"},    {"14066582", 11, 20, DIGITS " -.M"},
    {"15141364", 9, 9, DIGITS},           {"15186676", 10, 10, nullptr},
    {"15250094", 10, 10, DIGITS},         {"16716004", 5, 11, DIGITS "."},
    {"18477668", 5, 9, DIGITS},           {"18484827", 7, 20, DIGITS " -.M"},
    {"18484877", 7, 20, DIGITS " -.M"},   {"18626026", 14, 14, DIGITS "."},
    {"29029801", 7, 20, DIGITS " -.M"},   {"29086457", 14, 14, DIGITS "."},
    {"31608112", 7, 20, DIGITS " -.M"},   {"32064004", 10, 10, DIGITS "-"},
    {"37916971", 8, 16, DIGITS " -"},     {"44861264", 10, 13, DIGITS "./"},
    {"49005902", 4, 10, DIGITS},          {"52717470", 7, 20, DIGITS " -.M"},
    {"52738475", 7, 8, DIGITS ",."},      {"52742028", 9, 9, DIGITS},
    {"53149588", 10, 11, DIGITS LETTERS}, {"55423519", 3, 7, DIGITS},
    {"61635458", 7, 20, DIGITS " -./M"},  {"63800761", 11, 20, DIGITS " -.M"},
    {"66337061", 4, 4, DIGITS},           {"67334480", 10, 17, DIGITS " "},
    {"87661207", 6, 6, DIGITS},           {"88270171", 6, 6, DIGITS},
    {"90276713", 9, 9, DIGITS},           {"99011352", 8, 8, DIGITS},
};

// The lists stand in ascending order, as the annexes give them.
static_assert(std::is_sorted(std::begin(kAnnex20), std::end(kAnnex20)));
static_assert(std::is_sorted(std::begin(kAnnex7), std::end(kAnnex7)));
static_assert(std::is_sorted(std::begin(kAnnex19b), std::end(kAnnex19b)));

#undef DIGITS
#undef LETTERS

// Per rule: the characters whose upper case the rule allows.
using CharacterTable = std::array<bool, 256>;
constexpr std::array<CharacterTable, std::size(kRules)> ruleCharacters() {
  std::array<CharacterTable, std::size(kRules)> tables{};
  for (std::size_t i = 0; i < tables.size(); ++i) {
    if (kRules[i].characters == nullptr) continue;
    CharacterTable allowed{};
    for (const char* c = kRules[i].characters; *c != '\0'; ++c) {
      allowed[static_cast<unsigned char>(*c)] = true;
    }
    for (unsigned c = 0; c < 256; ++c) {
      tables[i][c] = allowed[Functions::upperCase(static_cast<unsigned char>(c))];
    }
  }
  return tables;
}
constexpr auto kRuleCharacters = ruleCharacters();

// A carrier number's eight bytes as one integer; the integers order as the
// texts do.
constexpr std::uint64_t keyOf(std::string_view carrier) {
  if (!std::is_constant_evaluated() && carrier.size() == 8) {
    std::uint64_t word;
    std::memcpy(&word, carrier.data(), 8);
    if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(word);
    return word;
  }
  std::uint64_t key = 0;
  for (char c : carrier) key = key << 8 | static_cast<unsigned char>(c);
  return key;
}

template <std::size_t N>
constexpr std::array<std::uint64_t, N> keysOf(const std::string_view (&list)[N]) {
  std::array<std::uint64_t, N> keys{};
  for (std::size_t i = 0; i < N; ++i) {
    if (list[i].size() != 8) throw "a carrier number has eight characters";
    keys[i] = keyOf(list[i]);
  }
  return keys;
}

// Keys found by hashing: 128 slots, each 0 or one more than the index of
// the key that hashes there, or before it when that slot was taken
// (linear probing). Tables at most half full keep the probes short.
template <std::size_t N>
struct KeyTable {
  static constexpr std::size_t kSlots = 128;
  static_assert(N <= kSlots / 2);
  std::array<std::uint64_t, N> keys{};
  std::array<unsigned char, kSlots> slots{};

  static constexpr std::size_t slotOf(std::uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 57);
  }
  // The index of the key, or -1.
  constexpr int find(std::uint64_t key) const {
    for (std::size_t s = slotOf(key);; s = (s + 1) % kSlots) {
      const unsigned at = slots[s];
      if (at == 0) return -1;
      if (keys[at - 1] == key) return static_cast<int>(at - 1);
    }
  }
};

template <std::size_t N>
constexpr KeyTable<N> keyTable(const std::array<std::uint64_t, N>& keys) {
  KeyTable<N> table{};
  table.keys = keys;
  for (std::size_t i = 0; i < N; ++i) {
    std::size_t s = KeyTable<N>::slotOf(keys[i]);
    while (table.slots[s] != 0) s = (s + 1) % KeyTable<N>::kSlots;
    table.slots[s] = static_cast<unsigned char>(i + 1);
  }
  return table;
}

constexpr auto kAnnex20Keys = keyTable(keysOf(kAnnex20));
constexpr auto kAnnex7Keys = keyTable(keysOf(kAnnex7));
constexpr auto kAnnex19bKeys = keyTable(keysOf(kAnnex19b));

constexpr std::array<std::uint64_t, std::size(kRules)> ruleKeys() {
  std::array<std::uint64_t, std::size(kRules)> keys{};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (kRules[i].carrier.size() != 8) throw "a carrier number has eight characters";
    keys[i] = keyOf(kRules[i].carrier);
    if (i > 0 && keys[i - 1] >= keys[i]) throw "the rules are in ascending order of carriers";
  }
  return keys;
}
constexpr auto kRuleKeys = keyTable(ruleKeys());

// Finds an eight-byte text among the keys.
template <std::size_t N>
bool hasKey(const KeyTable<N>& keys, std::string_view text) {
  return text.size() == 8 && keys.find(keyOf(text)) >= 0;
}

// contains() of the list's range series: a text is one of the eight-byte
// numbers or none.
template <std::size_t N>
bool isListed(const pl::Value* v, std::span<const std::string_view> list, const KeyTable<N>& keys) {
  if (pl::is<pl::StringValue>(v)) return hasKey(keys, textOf(v));
  return isOneOf(v, list);
}

const MembershipNumberRule* ruleOfText(std::string_view text) {
  if (text.size() != 8) return nullptr;
  const int found = kRuleKeys.find(keyOf(text));
  return found < 0 ? nullptr : &kRules[found];
}

// The rule of the carrier that eq() finds equal to `carrier`, or null.
const MembershipNumberRule* ruleOf(const pl::Value* carrier) {
  if (pl::is<pl::StringValue>(carrier)) return ruleOfText(textOf(carrier));
  for (const MembershipNumberRule& rule : kRules) {
    if (equalsText(carrier, rule.carrier)) return &rule;
  }
  return nullptr;
}

bool allowsEach(const MembershipNumberRule& rule, std::string_view mnr) {
  const CharacterTable& allowed = kRuleCharacters[static_cast<std::size_t>(&rule - kRules)];
  for (char c : mnr) {
    if (!allowed[static_cast<unsigned char>(c)]) return false;
  }
  return true;
}

// Annex 7 of a trimmed text; the two carriers leave it after their years.
bool isAnnex7InYear(std::string_view trimmed, const pl::Value* mjahr) {
  if (!hasKey(kAnnex7Keys, trimmed)) return false;
  if (mjahr == nullptr || !isNumeric(mjahr)) return true;
  if (trimmed == "18477668" && isGreaterThan(mjahr, 2018)) return false;
  if (trimmed == "52738475" && isGreaterThan(mjahr, 2019)) return false;
  return true;
}

}  // namespace

std::string_view trimmedCarrier(const pl::StringValue& field) {
  // A number of eight characters at the start of a field padded with
  // blanks, as carriers and company numbers stand, needs no scan for its
  // ends.
  const std::string_view bytes = field.view();
  if (bytes.size() == 15 && bytes[0] != ' ' && bytes[7] != ' ' &&
      std::memcmp(bytes.data() + 8, "       ", 7) == 0) {
    return bytes.substr(0, 8);
  }
  return text_facts::trimmedText(field);
}

const MembershipNumberRule* membershipNumberRuleOf(std::string_view carrier) {
  return ruleOfText(carrier);
}

bool allowsCharacters(const MembershipNumberRule& rule, std::string_view mnr) {
  return rule.characters == nullptr || allowsEach(rule, mnr);
}

bool isAnnex20Carrier(pl::RuntimeContext* ctx, pl::Value* wert) {
  if (const auto* text = pl::as<pl::StringValue>(wert); text && !ctx->hasSectionObserver()) {
    return hasKey(kAnnex20Keys, trimmedCarrier(*text));
  }
  return isTrue(F_IstBbnrAnlage20(ctx, wert));
}

bool isAnnex7Carrier(pl::RuntimeContext* ctx, pl::Value* paramBbnr, const pl::Value* mjahr) {
  if (const auto* text = pl::as<pl::StringValue>(paramBbnr); text && !ctx->hasSectionObserver()) {
    return isAnnex7InYear(trimmedCarrier(*text), mjahr);
  }
  return isTrue(F_IstBbnrAnlage7(ctx, paramBbnr, mjahr));
}

const std::span<const std::string_view> kAnnex20Carriers(kAnnex20);
const std::span<const std::string_view> kAnnex7Carriers(kAnnex7);
const std::span<const std::string_view> kAnnex19bCarriers(kAnnex19b);
const std::span<const MembershipNumberRule> kMembershipNumberRules(kRules);

pl::Value* F_IstBbnrAnlage20(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_IstBbnrAnlage20");
  return ruleFunction(ctx, kName, [&] {
    return ctx->createBoolValue(isListed(F_Trim(ctx, wert), kAnnex20Carriers, kAnnex20Keys));
  });
}

pl::Value* F_IstBbnrAnlage19b(pl::RuntimeContext* ctx, pl::Value* wert) {
  static constexpr FunctionName kName("F_IstBbnrAnlage19b");
  return ruleFunction(ctx, kName, [&] {
    return ctx->createBoolValue(isListed(F_Trim(ctx, wert), kAnnex19bCarriers, kAnnex19bKeys));
  });
}

bool isAnnex7Carrier(std::string_view trimmed) { return hasKey(kAnnex7Keys, trimmed); }

pl::Value* F_IstBbnrAnlage7(pl::RuntimeContext* ctx, pl::Value* paramBbnr, const pl::Value* mjahr) {
  static constexpr FunctionName kName("F_IstBbnrAnlage7");
  return ruleFunction(ctx, kName, [&] {
    pl::Value* t = F_Trim(ctx, paramBbnr);
    if (pl::is<pl::StringValue>(t)) return ctx->createBoolValue(isAnnex7InYear(textOf(t), mjahr));
    // Another value compares with the numbers as the language compares.
    bool listed = isOneOf(t, kAnnex7Carriers);
    if (listed && mjahr != nullptr && isNumeric(mjahr)) {
      if (equalsText(t, "18477668") && isGreaterThan(mjahr, 2018)) listed = false;
      if (equalsText(t, "52738475") && isGreaterThan(mjahr, 2019)) listed = false;
    }
    return ctx->createBoolValue(listed);
  });
}

pl::Value* F_GibZulaessigeMNRLaenge(pl::RuntimeContext* ctx, pl::Value* uvtraeger,
                                    pl::Value* mnrLaenge) {
  static constexpr FunctionName kName("F_GibZulaessigeMNRLaenge");
  return ruleFunction(ctx, kName, [&] {
    const MembershipNumberRule* rule = ruleOf(uvtraeger);
    if (rule == nullptr) return ctx->createInvalidValue();
    bool allowed =
        !isLessThan(mnrLaenge, rule->min_length) && !isGreaterThan(mnrLaenge, rule->max_length);
    return ctx->createBoolValue(allowed);
  });
}

pl::Value* F_IstMNRZeichenZulaessig(pl::RuntimeContext* ctx, pl::Value* uvtraeger, pl::Value* mnr) {
  static constexpr FunctionName kName("F_IstMNRZeichenZulaessig");
  return ruleFunction(ctx, kName, [&] {
    // GROSSBUCHSTABEN(mnr), character by character.
    const MembershipNumberRule* rule = ruleOf(uvtraeger);
    if (rule == nullptr || rule->characters == nullptr || isMissing(mnr)) {
      return ctx->createBoolValue(true);
    }
    return ctx->createBoolValue(allowsEach(*rule, textOf(mnr)));
  });
}

}  // namespace vexal::shared

// Carrier numbers of annexes 20 and 7, the membership-number rules of the
// carriers, and the characters allowed in record and process ids.

#include "shared/carrier_numbers.h"
#include "shared/id_characters.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "shared/rule_terms.h"
#include "shared/text_functions.h"
#include "support/harness.h"
#include "support/rule_cases.h"

namespace {

using namespace vexal::shared;

#define DIGITS "0123456789"

std::set<std::string_view> asSet(std::span<const std::string_view> carriers) {
  return {carriers.begin(), carriers.end()};
}

const MembershipNumberRule* ruleOf(std::string_view carrier) {
  for (const MembershipNumberRule& rule : kMembershipNumberRules) {
    if (rule.carrier == carrier) return &rule;
  }
  return nullptr;
}

std::set<char> characterSet(const char* s) {
  return s ? std::set<char>(s, s + std::strlen(s)) : std::set<char>{};
}

class CarrierNumbersTest : public ::testing::Test {
 protected:
  CarrierNumbersTest() { ctx.setSectionObserver(&sections); }
  pl::Value* text(std::string_view s) { return ctx.createStringValue(s); }
  void expectOwnSection(const std::string& name) {
    ASSERT_FALSE(sections.started.empty());
    EXPECT_EQ(sections.started.front(), "Funktion " + name + "|0");
    EXPECT_TRUE(sections.balanced());
    EXPECT_EQ(ctx.getSectionDepth(), 0u);
  }
  pl::RuntimeContext ctx;
  vexal::testing::SectionTracker sections;
};

// Each list: carrier numbers of eight digits, in ascending order, each
// once.
// The in-place answer for a trimmed text agrees with the function over
// every listed number, the carriers of the other annexes and near misses.
TEST_F(CarrierNumbersTest, Annex7AnswerInPlaceAgreesWithTheFunction) {
  std::vector<std::string> texts = {"", "4700951", "470095100", "47009510", "0106406 "};
  for (std::span<const std::string_view> carriers : {kAnnex20Carriers, kAnnex19bCarriers}) {
    for (std::string_view carrier : carriers) {
      texts.emplace_back(carrier);
      texts.push_back(std::string(carrier.substr(0, 7)) + "9");
    }
  }
  for (const std::string& t : texts) {
    EXPECT_EQ(isAnnex7Carrier(t), F_IstBbnrAnlage7(&ctx, text(t), nullptr)->isTrue()) << t;
  }
}

// Unobserved, rule code answers annex membership and the membership-number
// rules on the bytes: the same answers as the functions, over padded,
// indented and near-miss carriers and reporting years around the two ends.
TEST_F(CarrierNumbersTest, AnswersForRuleCodeAgreeWithTheFunctions) {
  std::vector<std::string> carriers = {"", "        ", "4700951", "470095100", " 18477668"};
  for (std::string_view carrier : kAnnex20Carriers) {
    carriers.emplace_back(carrier);
    carriers.push_back(std::string(carrier) + "       ");
    carriers.push_back(std::string(carrier.substr(0, 7)) + "9");
  }
  pl::RuntimeContext quiet;
  for (const std::string& carrier : carriers) {
    pl::Value* observed = text(carrier);
    pl::Value* bytes = quiet.createStringValue(carrier);
    EXPECT_EQ(isAnnex20Carrier(&quiet, bytes), F_IstBbnrAnlage20(&ctx, observed)->isTrue())
        << carrier;
    for (const char* year : {"2018", "2019", "2020", "20X9", "-"}) {
      const bool missing = std::string(year) == "-";
      pl::Value* mjahr = missing ? ctx.createInvalidValue() : text(year);
      pl::Value* quiet_mjahr = missing ? quiet.createInvalidValue() : quiet.createStringValue(year);
      EXPECT_EQ(isAnnex7Carrier(&quiet, bytes, quiet_mjahr),
                F_IstBbnrAnlage7(&ctx, observed, mjahr)->isTrue())
          << carrier << " " << year;
    }
    const MembershipNumberRule* rule = membershipNumberRuleOf(textOf(F_Trim(&quiet, bytes)));
    for (const char* mnr : {"12345", "123456789", "12.34/5", "ab-12", "1234567890123"}) {
      pl::Value* m = text(mnr);
      pl::Value* length = ctx.createNumberValue(static_cast<long double>(std::strlen(mnr)));
      pl::Value* by_length = F_GibZulaessigeMNRLaenge(&ctx, F_Trim(&ctx, observed), length);
      ASSERT_EQ(rule == nullptr, by_length->isInvalid()) << carrier;
      if (rule == nullptr) continue;
      const std::size_t size = std::strlen(mnr);
      EXPECT_EQ(size >= rule->min_length && size <= rule->max_length, by_length->isTrue())
          << carrier << " " << mnr;
      EXPECT_EQ(allowsCharacters(*rule, mnr),
                F_IstMNRZeichenZulaessig(&ctx, F_Trim(&ctx, observed), m)->isTrue())
          << carrier << " " << mnr;
    }
  }
}

// A carrier given as a number (by name, say) compares with the annex's
// numbers as the language compares, and the two carriers still leave
// annex 7 with their years; the missing value is in no annex.
TEST_F(CarrierNumbersTest, CarriersGivenAsNumbersKeepTheYearsOfAnnex7) {
  auto annex7 = [&](long double number, const char* year) {
    return F_IstBbnrAnlage7(&ctx, ctx.createNumberValue(number), text(year))->isTrue();
  };
  EXPECT_TRUE(annex7(18477668, "2018"));
  EXPECT_FALSE(annex7(18477668, "2019"));
  EXPECT_TRUE(annex7(52738475, "2019"));
  EXPECT_FALSE(annex7(52738475, "2020"));
  EXPECT_TRUE(annex7(1064065, "2030"));
  EXPECT_FALSE(annex7(12345678, "2018"));
  EXPECT_FALSE(F_IstBbnrAnlage20(&ctx, ctx.createInvalidValue())->isTrue());
  EXPECT_FALSE(F_IstBbnrAnlage7(&ctx, ctx.createInvalidValue(), text("2018"))->isTrue());
}

TEST_F(CarrierNumbersTest, ListsHoldSortedCarrierNumbersOfEightDigits) {
  for (std::span<const std::string_view> carriers :
       {kAnnex20Carriers, kAnnex7Carriers, kAnnex19bCarriers}) {
    for (std::string_view carrier : carriers) {
      EXPECT_EQ(carrier.size(), 8u) << carrier;
      EXPECT_EQ(carrier.find_first_not_of(DIGITS), std::string_view::npos) << carrier;
    }
    EXPECT_TRUE(std::adjacent_find(carriers.begin(), carriers.end(), std::greater_equal<>()) ==
                carriers.end());
  }
  EXPECT_EQ(kAnnex20Carriers.size(), 54u);
  EXPECT_EQ(kAnnex7Carriers.size(), 39u);
  EXPECT_EQ(kAnnex19bCarriers.size(), 27u);
  // Annexes 7 and 19b name carriers of annex 20 only.
  const std::set<std::string_view> annex20 = asSet(kAnnex20Carriers);
  for (std::span<const std::string_view> carriers : {kAnnex7Carriers, kAnnex19bCarriers}) {
    const std::set<std::string_view> part = asSet(carriers);
    EXPECT_TRUE(std::includes(annex20.begin(), annex20.end(), part.begin(), part.end()));
  }
}

struct AnnexSample {
  const char* carrier;
  bool annex20, annex7, annex19b;
};

// Carriers chosen from the annexes, and numbers that are none.
const AnnexSample kAnnexSamples[] = {
    {"01064065", true, true, true},    {"15141364", true, true, false},
    {"14066582", true, true, false},   {"02379637", true, true, true},
    {"99011352", true, true, false},   {"47009510", true, false, false},
    {"01627953", true, false, true},   {"98705576", true, false, true},
    {"08270878", true, false, false},  {"12345671", false, false, false},
    {"01064066", false, false, false}, {"30517264", false, false, false},
};

TEST_F(CarrierNumbersTest, SampledCarriersStandInTheirAnnexes) {
  const std::set<std::string_view> annex20 = asSet(kAnnex20Carriers);
  const std::set<std::string_view> annex7 = asSet(kAnnex7Carriers);
  const std::set<std::string_view> annex19b = asSet(kAnnex19bCarriers);
  for (const AnnexSample& sample : kAnnexSamples) {
    EXPECT_EQ(annex20.count(sample.carrier) == 1, sample.annex20) << sample.carrier;
    EXPECT_EQ(annex7.count(sample.carrier) == 1, sample.annex7) << sample.carrier;
    EXPECT_EQ(annex19b.count(sample.carrier) == 1, sample.annex19b) << sample.carrier;
    EXPECT_EQ(F_IstBbnrAnlage19b(&ctx, text(sample.carrier))->isTrue(), sample.annex19b)
        << sample.carrier;
  }
}

// The rules: one a carrier of annex 7, in ascending order; lengths within
// the 20 characters of the membership number; every character set holds
// the digits.
TEST_F(CarrierNumbersTest, RulesBelongToCarriersOfAnnex7) {
  const std::set<std::string_view> annex7 = asSet(kAnnex7Carriers);
  EXPECT_EQ(kMembershipNumberRules.size(), 32u);
  std::string_view previous;
  for (const MembershipNumberRule& rule : kMembershipNumberRules) {
    EXPECT_EQ(annex7.count(rule.carrier), 1u) << rule.carrier;
    EXPECT_LT(previous, rule.carrier);
    previous = rule.carrier;
    EXPECT_LE(1u, rule.min_length) << rule.carrier;
    EXPECT_LE(rule.min_length, rule.max_length) << rule.carrier;
    EXPECT_LE(rule.max_length, 20u) << rule.carrier;
    if (rule.characters != nullptr) {
      EXPECT_EQ(std::string(DIGITS).find_first_not_of(rule.characters), std::string::npos)
          << rule.carrier;
    }
  }
}

struct RuleSample {
  const char* carrier;
  unsigned min_length, max_length;
  const char* characters;  // null: any
};

// Rules chosen by hand, from the narrowest to the widest.
const RuleSample kRuleSamples[] = {
    {"15141364", 9, 9, DIGITS},          {"01064065", 6, 6, DIGITS},
    {"66337061", 4, 4, DIGITS},          {"01681222", 6, 12, DIGITS "-/P"},
    {"52738475", 7, 8, DIGITS ",."},     {"53149588", 10, 11, DIGITS "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {"15186676", 10, 10, nullptr},       {"14066582", 11, 20, DIGITS " -.M"},
    {"61635458", 7, 20, DIGITS " -.M/"},
};

TEST_F(CarrierNumbersTest, SampledRulesHoldTheirCarriersBounds) {
  for (const RuleSample& sample : kRuleSamples) {
    const MembershipNumberRule* rule = ruleOf(sample.carrier);
    ASSERT_NE(rule, nullptr) << sample.carrier;
    EXPECT_EQ(rule->min_length, sample.min_length) << sample.carrier;
    EXPECT_EQ(rule->max_length, sample.max_length) << sample.carrier;
    EXPECT_EQ(rule->characters == nullptr, sample.characters == nullptr) << sample.carrier;
    EXPECT_EQ(characterSet(rule->characters), characterSet(sample.characters)) << sample.carrier;
  }
  // Carriers of annex 7 and of annex 20 only without a rule.
  for (const char* carrier : {"02379637", "03701377", "47009510", "12345671"})
    EXPECT_EQ(ruleOf(carrier), nullptr) << carrier;
}

TEST_F(CarrierNumbersTest, AnnexMembershipOfEveryCarrierTrimmed) {
  const std::set<std::string_view> annex7 = asSet(kAnnex7Carriers);
  for (std::string_view carrier : kAnnex20Carriers) {
    for (std::string padded :
         {std::string(carrier), std::string(carrier) + "       ", " " + std::string(carrier)}) {
      EXPECT_TRUE(F_IstBbnrAnlage20(&ctx, text(padded))->isTrue()) << padded;
      EXPECT_EQ(F_IstBbnrAnlage7(&ctx, text(padded), nullptr)->isTrue(), annex7.count(carrier) == 1)
          << padded;
    }
  }
  for (pl::Value* other :
       {text("01064066"), text("1064065"), text("010640650"), text(""), ctx.createInvalidValue()}) {
    EXPECT_FALSE(F_IstBbnrAnlage20(&ctx, other)->isTrue()) << textOf(other);
    EXPECT_FALSE(F_IstBbnrAnlage7(&ctx, other, nullptr)->isTrue()) << textOf(other);
  }
}

struct YearCase {
  const char* name;
  const char* bbnr;
  const char* mjahr;  // null: no reporting year; "-": the invalid value
  bool allowed;
};
class Annex7YearTest : public CarrierNumbersTest, public ::testing::WithParamInterface<YearCase> {};

TEST_P(Annex7YearTest, TwoCarriersEndWithAReportingYear) {
  const YearCase& c = GetParam();
  const pl::Value* mjahr = c.mjahr == nullptr            ? nullptr
                           : std::string(c.mjahr) == "-" ? ctx.createInvalidValue()
                                                         : text(c.mjahr);
  pl::Value* result = F_IstBbnrAnlage7(&ctx, text(c.bbnr), mjahr);
  ASSERT_EQ(result->getKind(), pl::Value::Kind::kBool);
  EXPECT_EQ(result->isTrue(), c.allowed);
  expectOwnSection("F_IstBbnrAnlage7");
}

// clang-format off
const YearCase kYearCases[] = {
    {"Carrier18477668In2018", "18477668", "2018", true},
    {"Carrier18477668In2019", "18477668", "2019", false},
    {"Carrier18477668PaddedIn2030", "18477668       ", "2030", false},
    {"Carrier18477668YearNotNumeric", "18477668", "2019 ", true},
    {"Carrier18477668YearMissing", "18477668", "-", true},
    {"Carrier18477668NoYear", "18477668", nullptr, true},
    {"Carrier52738475In2019", "52738475", "2019", true},
    {"Carrier52738475In2020", "52738475", "2020", false},
    {"OtherCarrierIn2030", "01064065", "2030", true},
    {"Annex20OnlyIn2017", "01627953", "2017", false}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Years, Annex7YearTest, ::testing::ValuesIn(kYearCases),
                         vexal::testing::RowName());

TEST_F(CarrierNumbersTest, MembershipNumberLengthWithinTheCarriersBounds) {
  for (const MembershipNumberRule& rule : kMembershipNumberRules) {
    auto allowed = [&](long length) {
      pl::Value* result =
          F_GibZulaessigeMNRLaenge(&ctx, text(rule.carrier), ctx.createNumberValue(length));
      EXPECT_EQ(result->getKind(), pl::Value::Kind::kBool) << rule.carrier;
      return result->isTrue();
    };
    EXPECT_FALSE(allowed(rule.min_length - 1)) << rule.carrier;
    EXPECT_TRUE(allowed(rule.min_length)) << rule.carrier;
    EXPECT_TRUE(allowed(rule.max_length)) << rule.carrier;
    EXPECT_FALSE(allowed(rule.max_length + 1)) << rule.carrier;
  }
  // A carrier without a rule, inside or outside the annexes: no answer.
  EXPECT_TRUE(
      F_GibZulaessigeMNRLaenge(&ctx, text("01627953"), ctx.createNumberValue(8))->isInvalid());
  EXPECT_TRUE(
      F_GibZulaessigeMNRLaenge(&ctx, text("12345678"), ctx.createNumberValue(8))->isInvalid());
  // A length given as digits compares as a number; a missing one is
  // neither below nor above the bounds.
  EXPECT_TRUE(F_GibZulaessigeMNRLaenge(&ctx, text("15141364"), text("9"))->isTrue());
  EXPECT_TRUE(F_GibZulaessigeMNRLaenge(&ctx, text("15141364"), ctx.createInvalidValue())->isTrue());
}

// A carrier given as a number (by name, say) equals the text of its digits:
// it finds the same rule as the text, and a number of another carrier none.
TEST_F(CarrierNumbersTest, CarriersGivenAsNumbersFindTheirRule) {
  for (const MembershipNumberRule& rule : kMembershipNumberRules) {
    pl::Value* as_number =
        ctx.createNumberValue(static_cast<long double>(std::stoll(std::string(rule.carrier))));
    for (long length : {3L, 9L, 14L, 21L}) {
      pl::Value* n = ctx.createNumberValue(length);
      pl::Value* by_text = F_GibZulaessigeMNRLaenge(&ctx, text(rule.carrier), n);
      pl::Value* by_number = F_GibZulaessigeMNRLaenge(&ctx, as_number, n);
      EXPECT_EQ(by_number->getKind(), by_text->getKind()) << rule.carrier;
      EXPECT_EQ(by_number->isTrue(), by_text->isTrue()) << rule.carrier << " " << length;
    }
    for (const char* mnr : {"123456789", "12.34/5", "AB-12"}) {
      EXPECT_EQ(F_IstMNRZeichenZulaessig(&ctx, as_number, text(mnr))->isTrue(),
                F_IstMNRZeichenZulaessig(&ctx, text(rule.carrier), text(mnr))->isTrue())
          << rule.carrier << " " << mnr;
    }
  }
  // Texts of other lengths, or with the digits shifted, are no carrier.
  for (const char* other : {"1064065", "015141364", "15141364 ", " 15141364", "1514136X"}) {
    EXPECT_TRUE(F_GibZulaessigeMNRLaenge(&ctx, text(other), ctx.createNumberValue(9))->isInvalid())
        << other;
  }
}

TEST_F(CarrierNumbersTest, MembershipNumberCharactersUpperCasedAgainstTheCarriersSet) {
  const std::string probes = DIGITS " -./,PMAZ_#apmz\xE4";
  for (const MembershipNumberRule& rule : kMembershipNumberRules) {
    std::set<char> allowed = characterSet(rule.characters);
    for (char c : probes) {
      std::string mnr = std::string("12") + c + "3";
      bool expected = rule.characters == nullptr ||
                      allowed.count(static_cast<char>(pl::Functions::upperCase(c))) == 1;
      EXPECT_EQ(F_IstMNRZeichenZulaessig(&ctx, text(rule.carrier), text(mnr))->isTrue(), expected)
          << rule.carrier << " \"" << mnr << "\"";
    }
  }
  EXPECT_TRUE(F_IstMNRZeichenZulaessig(&ctx, text("53149588"), text("abcdefghij"))->isTrue());
  EXPECT_TRUE(F_IstMNRZeichenZulaessig(&ctx, text("12345678"), text("_#"))->isTrue());
  EXPECT_TRUE(F_IstMNRZeichenZulaessig(&ctx, text("01064065"), ctx.createInvalidValue())->isTrue());
  EXPECT_TRUE(F_IstMNRZeichenZulaessig(&ctx, text("01064065"), text(""))->isTrue());
}

struct IdCase {
  const char* name;
  const char* wert;     // null: the invalid value
  const char* refused;  // the character named in the error text; null: none refused
};
class IdCharactersTest : public CarrierNumbersTest, public ::testing::WithParamInterface<IdCase> {};

TEST_P(IdCharactersTest, NamesTheFirstRefusedCharacter) {
  const IdCase& c = GetParam();
  pl::LocalVariable hf_fehlertext(text("vorher"));
  pl::Value* result =
      F_IstDsIdVoIdKonform(&ctx, c.wert ? text(c.wert) : ctx.createInvalidValue(), &hf_fehlertext);
  ASSERT_EQ(result->getKind(), pl::Value::Kind::kBool);
  EXPECT_EQ(result->isTrue(), c.refused == nullptr);
  std::string expected =
      c.refused ? std::string("Zeichen \"") + c.refused + "\" unzul\xE4ssig." : "vorher";
  EXPECT_EQ(std::string(textOf(hf_fehlertext.get(&ctx))), expected);
  expectOwnSection("F_IstDsIdVoIdKonform");

  // Unobserved, rule code gets the same answer and text without the call.
  pl::RuntimeContext quiet;
  pl::LocalVariable quiet_text(quiet.createStringValue("vorher"));
  EXPECT_EQ(
      isIdConform(&quiet, c.wert ? quiet.createStringValue(c.wert) : quiet.createInvalidValue(),
                  &quiet_text),
      c.refused == nullptr);
  EXPECT_EQ(std::string(textOf(quiet_text.get(&quiet))), expected);
}

// clang-format off
const IdCase kIdCases[] = {
    {"AllAllowed", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-/", nullptr},
    {"LowerCase", "abcdefghijklmnopqrstuvwxyz", nullptr},
    {"Empty", "", nullptr},               {"Missing", nullptr, nullptr},
    {"Underscore", "AB_C", "_"},          {"FirstOfTwo", "a_b#", "_"},
    {"HashFirst", "#_", "#"},             {"Comma", "1,5", ","},
    {"UmlautUpperCased", "x\xE4", "\xC4"}, {"SharpS", "\xDF", "\xDF"},
    // Past the first sixteen bytes, and at the edges of the allowed ranges.
    {"LongAllAllowed", "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ -./0123456789", nullptr},
    {"UnderscoreAt19", "ABCDEFGHIJKLMNOPQRS_T", "_"},
    {"UmlautAt16", "abcdefghijklmnop\xE4", "\xC4"},
    {"AtSign", "ABCDEFGHIJKLMNOP@", "@"},   {"Backquote", "ABCDEFGHIJKLMNOP`", "`"},
    {"Bracket", "ABCDEFGHIJKLMNOP[", "["},  {"Brace", "ABCDEFGHIJKLMNOP{", "{"},
    {"CommaLate", "0123456789012345,", ","}, {"ColonLate", "0123456789012345:", ":"},
    {"HighByteLate", "0123456789012345\xA0", "\xA0"}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Ids, IdCharactersTest, ::testing::ValuesIn(kIdCases),
                         vexal::testing::RowName());

}  // namespace

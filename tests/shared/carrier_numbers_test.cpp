// Carrier numbers of annexes 20 and 7, the membership-number rules of the
// carriers, and the characters allowed in record and process ids.

#include "shared/carrier_numbers.h"
#include "shared/id_characters.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "shared/rule_terms.h"
#include "support/harness.h"

namespace {

using namespace vexal::shared;

const std::set<std::string_view> kAnnex20 = {
    "01064065", "01627953", "01681222", "02379637", "03701377", "07235792", "08270878", "09322747",
    "13174962", "13385729", "14066582", "15141364", "15186676", "15250094", "16716004", "18477668",
    "18484827", "18484877", "18626026", "18645029", "20345417", "21204943", "26125562", "28143238",
    "29029801", "29086457", "29139336", "29214533", "31608112", "32064004", "34239086", "37916971",
    "39892693", "44861264", "47009510", "47042806", "49005902", "52717470", "52738475", "52742028",
    "53149588", "55423519", "61635458", "63800761", "66337061", "67334480", "67545123", "72305544",
    "87108525", "87661207", "88270171", "90276713", "98705576", "99011352"};
const std::set<std::string_view> kAnnex7 = {
    "01064065", "01681222", "02379637", "03701377", "07235792", "14066582", "15141364", "15186676",
    "15250094", "16716004", "18477668", "18484827", "18484877", "18626026", "20345417", "21204943",
    "26125562", "28143238", "29029801", "29086457", "31608112", "32064004", "34239086", "37916971",
    "44861264", "49005902", "52717470", "52738475", "52742028", "53149588", "55423519", "61635458",
    "63800761", "66337061", "67334480", "87661207", "88270171", "90276713", "99011352"};

#define DIGITS "0123456789"
#define LONG_SET DIGITS " -.M"
// Carrier, allowed length of the membership number, allowed characters
// (null: any).
// clang-format off
const MembershipNumberRule kRules[] = {
    {"01064065", 6, 6, DIGITS},          {"01681222", 6, 12, DIGITS "-/P"},
    {"07235792", 10, 13, DIGITS "./"},   {"14066582", 11, 20, LONG_SET},
    {"15141364", 9, 9, DIGITS},          {"15186676", 10, 10, nullptr},
    {"15250094", 10, 10, DIGITS},        {"16716004", 5, 11, DIGITS "."},
    {"18477668", 5, 9, DIGITS},          {"18484827", 7, 20, LONG_SET},
    {"18484877", 7, 20, LONG_SET},       {"18626026", 14, 14, DIGITS "."},
    {"29029801", 7, 20, LONG_SET},       {"29086457", 14, 14, DIGITS "."},
    {"31608112", 7, 20, LONG_SET},       {"32064004", 10, 10, DIGITS "-"},
    {"37916971", 8, 16, DIGITS " -"},    {"44861264", 10, 13, DIGITS "./"},
    {"49005902", 4, 10, DIGITS},         {"52717470", 7, 20, LONG_SET},
    {"52738475", 7, 8, DIGITS ",."},     {"52742028", 9, 9, DIGITS},
    {"53149588", 10, 11, DIGITS "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {"55423519", 3, 7, DIGITS},          {"61635458", 7, 20, LONG_SET "/"},
    {"63800761", 11, 20, LONG_SET},      {"66337061", 4, 4, DIGITS},
    {"67334480", 10, 17, DIGITS " "},    {"87661207", 6, 6, DIGITS},
    {"88270171", 6, 6, DIGITS},          {"90276713", 9, 9, DIGITS},
    {"99011352", 8, 8, DIGITS}};
// clang-format on

std::set<char> characterSet(const char* s) {
  return s ? std::set<char>(s, s + std::strlen(s)) : std::set<char>{};
}

auto caseName = [](const auto& info) { return std::string(info.param.name); };

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

TEST_F(CarrierNumbersTest, TablesHoldTheCarriersOfTheAnnexes) {
  const std::set<std::string_view> annex20(kAnnex20Carriers.begin(), kAnnex20Carriers.end());
  const std::set<std::string_view> annex7(kAnnex7Carriers.begin(), kAnnex7Carriers.end());
  EXPECT_EQ(kAnnex20Carriers.size(), 54u);
  EXPECT_EQ(kAnnex7Carriers.size(), 39u);
  EXPECT_EQ(annex20, kAnnex20);
  EXPECT_EQ(annex7, kAnnex7);
  EXPECT_TRUE(std::includes(annex20.begin(), annex20.end(), annex7.begin(), annex7.end()));
  ASSERT_EQ(kMembershipNumberRules.size(), 32u);
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    const MembershipNumberRule& actual = kMembershipNumberRules[i];
    const MembershipNumberRule& expected = kRules[i];
    EXPECT_EQ(actual.carrier, expected.carrier) << i;
    EXPECT_EQ(actual.min_length, expected.min_length) << expected.carrier;
    EXPECT_EQ(actual.max_length, expected.max_length) << expected.carrier;
    EXPECT_EQ(actual.characters == nullptr, expected.characters == nullptr) << expected.carrier;
    EXPECT_EQ(characterSet(actual.characters), characterSet(expected.characters))
        << expected.carrier;
  }
}

TEST_F(CarrierNumbersTest, AnnexMembershipOfEveryCarrierTrimmed) {
  for (std::string_view carrier : kAnnex20) {
    for (std::string padded :
         {std::string(carrier), std::string(carrier) + "       ", " " + std::string(carrier)}) {
      EXPECT_TRUE(F_IstBbnrAnlage20(&ctx, text(padded))->isTrue()) << padded;
      EXPECT_EQ(F_IstBbnrAnlage7(&ctx, text(padded), nullptr)->isTrue(),
                kAnnex7.count(carrier) == 1)
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
INSTANTIATE_TEST_SUITE_P(Years, Annex7YearTest, ::testing::ValuesIn(kYearCases), caseName);

TEST_F(CarrierNumbersTest, MembershipNumberLengthWithinTheCarriersBounds) {
  for (const MembershipNumberRule& rule : kRules) {
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
  for (const MembershipNumberRule& rule : kRules) {
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
  for (const MembershipNumberRule& rule : kRules) {
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
}

// clang-format off
const IdCase kIdCases[] = {
    {"AllAllowed", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-/", nullptr},
    {"LowerCase", "abcdefghijklmnopqrstuvwxyz", nullptr},
    {"Empty", "", nullptr},               {"Missing", nullptr, nullptr},
    {"Underscore", "AB_C", "_"},          {"FirstOfTwo", "a_b#", "_"},
    {"HashFirst", "#_", "#"},             {"Comma", "1,5", ","},
    {"UmlautUpperCased", "x\xE4", "\xC4"}, {"SharpS", "\xDF", "\xDF"}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Ids, IdCharactersTest, ::testing::ValuesIn(kIdCases), caseName);

}  // namespace

// Company numbers: the check digit, ordinary and separate company numbers,
// and the release of the next reporting year after the switch day.

#include "shared/company_numbers.h"

#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "shared/enterprise_numbers.h"
#include "shared/rule_terms.h"
#include "support/harness.h"

namespace {

using namespace vexal::shared;

// A company number left-aligned in its 15-character field.
std::string field(const std::string& number) {
  return number + std::string(15 - number.size(), ' ');
}

class CompanyNumbersTest {
 protected:
  CompanyNumbersTest() {
    ctx.getLogger().setErrorSink(&errors);
    ctx.setSectionObserver(&sections);
  }
  // A text, or the invalid value for null.
  pl::Value* text(const char* s) { return s ? ctx.createStringValue(s) : ctx.createInvalidValue(); }
  void expectOwnSection(const std::string& name) {
    ASSERT_FALSE(sections.started.empty());
    EXPECT_EQ(sections.started.front(), "Funktion " + name + "|0");
    EXPECT_TRUE(sections.balanced());
    EXPECT_EQ(ctx.getSectionDepth(), 0u);
    EXPECT_TRUE(errors.lines.empty());
  }

  pl::RuntimeContext ctx;
  vexal::testing::CapturedLog errors;
  vexal::testing::SectionTracker sections;
};

template <class Case>
struct Named : CompanyNumbersTest, ::testing::TestWithParam<Case> {};
auto caseName = [](const auto& info) { return std::string(info.param.name); };

struct DigitCase {
  const char* name;
  const char* wert;  // null: the invalid value
  const char* digit;
};
using CheckDigitTest = Named<DigitCase>;

TEST_P(CheckDigitTest, IsTheLastDigitOfTheWeightedDigitSum) {
  pl::Value* result = F_GibBbnrPruefziffer(&ctx, text(GetParam().wert));
  EXPECT_EQ(std::string(textOf(result)), GetParam().digit);
  expectOwnSection("F_GibBbnrPruefziffer");
}

// clang-format off
const DigitCase kDigitCases[] = {
    {"SevenDigits", "1234567", "1"}, {"SixDigits", "123456", "4"}, {"TwoDigitProduct", "05", "1"},
    {"Nines", "99", "8"},            {"Sum99", "99999999999", "9"}, {"Zero", "0", "0"},
    {"Empty", "", "0"},              {"Missing", nullptr, "0"}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Digits, CheckDigitTest, ::testing::ValuesIn(kDigitCases), caseName);

struct NumberCase {
  const char* name;
  std::string bbnr;
  bool valid;
  bool missing = false;  // the invalid value instead of bbnr
};
using OrdinaryNumberTest = Named<NumberCase>;
using SeparateNumberTest = Named<NumberCase>;

TEST_P(OrdinaryNumberTest, IsOneWhenValid) {
  const NumberCase& c = GetParam();
  pl::Value* result = F_PruefeBetriebsnummer(&ctx, text(c.missing ? nullptr : c.bbnr.c_str()));
  ASSERT_EQ(result->getKind(), pl::Value::Kind::kNumber);
  EXPECT_EQ(result->getLong(), c.valid ? 1 : 0);
  expectOwnSection("F_PruefeBetriebsnummer");
}

// Unobserved, a text is answered on its bytes: the same answer, no log.
TEST_P(OrdinaryNumberTest, IsTheSameUnobserved) {
  const NumberCase& c = GetParam();
  pl::RuntimeContext quiet;
  quiet.getLogger().setErrorSink(&errors);
  pl::Value* bbnr =
      c.missing ? quiet.createInvalidValue() : quiet.createStringValue(c.bbnr.c_str());
  pl::Value* result = F_PruefeBetriebsnummer(&quiet, bbnr);
  ASSERT_EQ(result->getKind(), pl::Value::Kind::kNumber);
  EXPECT_EQ(result->getLong(), c.valid ? 1 : 0);
  EXPECT_EQ(isCompanyNumber(&quiet, bbnr), c.valid);
  EXPECT_TRUE(errors.lines.empty());
  EXPECT_EQ(quiet.getSectionDepth(), 0u);
}

// clang-format off
const NumberCase kOrdinaryCases[] = {
    {"CheckDigit", field("12345671"), true},      {"CheckDigitPlus5", field("12345676"), true},
    {"OtherDigit", field("12345672"), false},     {"Prefix111", field("11112348"), true},
    {"Plus5Wraps", field("11112343"), true},      {"Prefix099", field("09912342"), true},
    {"Prefix099Wrong", field("09912343"), false}, {"Prefix000", field("00012344"), false},
    {"Prefix100", field("10012345"), false},      {"Prefix105", field("10512340"), false},
    {"Prefix110", field("11012347"), false},      {"LeadingBlank", " 12345671      ", false},
    {"FieldOf14", "12345671      ", false},       {"FieldOf16", "12345671        ", false},
    {"SevenDigits", field("1234567"), false},     {"NineDigits", field("123456715"), false},
    {"Letter", field("1234567A"), false},         {"InnerBlank", field("1234 671"), false},
    {"BlanksOnly", field(""), false},             {"SeparateNumber", field("A1234564"), false},
    {"ColonForDigit", field("1234567:"), false}, {"SlashForDigit", field("/2345671"), false},
    {"TabInPadding", "12345671\t      ", false},   {"Missing", "", false, true}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Numbers, OrdinaryNumberTest, ::testing::ValuesIn(kOrdinaryCases),
                         caseName);

TEST_P(SeparateNumberTest, IsOneWhenValid) {
  const NumberCase& c = GetParam();
  pl::Value* result =
      F_PruefeGesonderteBetriebsnummer(&ctx, text(c.missing ? nullptr : c.bbnr.c_str()));
  ASSERT_EQ(result->getKind(), pl::Value::Kind::kNumber);
  EXPECT_EQ(result->getLong(), c.valid ? 1 : 0);
  expectOwnSection("F_PruefeGesonderteBetriebsnummer");
}

// clang-format off
const NumberCase kSeparateCases[] = {
    {"CheckDigit", field("A1234564"), true},        {"CheckDigitPlus5", field("A1234569"), true},
    {"OtherDigit", field("A1234560"), false},       {"LetterB", field("B1234564"), false},
    {"LowerCaseA", field("a1234564"), false},       {"CheckDigit5", field("A0000505"), true},
    {"Plus5Wraps", field("A0000500"), true},        {"WrapWrong", field("A0000501"), false},
    {"LeadingBlank", " A1234564      ", false},     {"FieldOf14", "A1234564      ", false},
    {"FieldOf16", "A1234564        ", false},       {"LetterInDigits", field("A123456X"), false},
    {"NineCharacters", field("A12345645"), false},  {"OrdinaryNumber", field("12345671"), false},
    {"Missing", "", false, true}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Numbers, SeparateNumberTest, ::testing::ValuesIn(kSeparateCases),
                         caseName);

struct ReleaseCase {
  const char* name;
  int year, month, day;
  const char* switch_day;
  const char* meldejahr;  // null: the invalid value
  bool released;
};
using ReleaseTest = Named<ReleaseCase>;

TEST_P(ReleaseTest, NextYearFromTheDayAfterTheSwitchDay) {
  const ReleaseCase& c = GetParam();
  ctx.setProcessingDate(c.year, c.month, c.day);
  pl::Value* result = F_IstMjahrFreigeschaltet(&ctx, text(c.meldejahr), text(c.switch_day));
  ASSERT_EQ(result->getKind(), pl::Value::Kind::kBool);
  EXPECT_EQ(result->isTrue(), c.released);
  expectOwnSection("F_IstMjahrFreigeschaltet");

  pl::RuntimeContext quiet;
  quiet.setProcessingDate(c.year, c.month, c.day);
  pl::Value* year = c.meldejahr ? quiet.createStringValue(c.meldejahr) : quiet.createInvalidValue();
  EXPECT_EQ(isReleasedYear(&quiet, year, quiet.createStringValue(c.switch_day)), c.released);
  pl::LocalVariable switch_day(quiet.createStringValue(c.switch_day));
  EXPECT_EQ(isReleasedYear(&quiet, year, &switch_day), c.released);
}

// clang-format off
const ReleaseCase kReleaseCases[] = {
    {"SwitchDayThisYear", 2025, 12, 1, "1201", "2025", true},
    {"SwitchDayNextYear", 2025, 12, 1, "1201", "2026", false},
    {"DayAfterNextYear", 2025, 12, 2, "1201", "2026", true},
    {"DayAfterYearAfterNext", 2025, 12, 2, "1201", "2027", false},
    {"NewYearThisYear", 2026, 1, 1, "1201", "2026", true},
    {"NewYearNextYear", 2026, 1, 1, "1201", "2027", false},
    {"PastYear", 2026, 1, 1, "1201", "2016", true},
    {"OctoberDayAfter", 2025, 10, 2, "1001", "2026", true},
    {"OctoberSwitchDay", 2025, 10, 1, "1001", "2026", false},
    {"YearNotNumeric", 2025, 6, 1, "1201", "20X9", true},
    {"YearMissing", 2025, 6, 1, "1201", nullptr, true},
    {"LeapDaySwitchDay", 2028, 3, 1, "0229", "2029", true}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Dates, ReleaseTest, ::testing::ValuesIn(kReleaseCases), caseName);

// Enterprise numbers: what rule code asks in place of F_GibUnrsPruefziffer
// and F_IstNullen agrees with them, or leaves a text with other characters
// to the function.
TEST(EnterpriseNumbers, AnswersForRuleCodeAgreeWithTheFunctions) {
  pl::RuntimeContext ctx;
  for (const char* wert :
       {"", "0", "00000000000", "12345678901", "00000000010", "00000000005", "99999999999",
        "1234567890", "1234567890A", " 2345678901", "12345X78901", "123:5678901",
        "1234567\xB5"
        "901",
        "12345678X01", "12X"}) {
    pl::Value* v = ctx.createStringValue(wert);
    const std::string_view bytes(wert);
    const bool digits = bytes.find_first_not_of("0123456789") == std::string_view::npos;
    const std::optional<int> digit = unrsCheckDigitOf(bytes);
    ASSERT_EQ(digit.has_value(), digits) << wert;
    if (digit) {
      EXPECT_EQ(F_GibUnrsPruefziffer(&ctx, v)->getLong(), *digit) << wert;
    }
    EXPECT_EQ(isZeros(&ctx, v), F_IstNullen(&ctx, v)->isTrue()) << wert;
  }
  EXPECT_TRUE(isZeros(&ctx, ctx.createInvalidValue()));
  // A number goes the language's way: 4, 9, 4, 9 times 1, 2, 3, 4 sum to
  // 70, whose check digit 10 becomes 0.
  EXPECT_EQ(F_GibUnrsPruefziffer(&ctx, ctx.createNumberValue(1234))->getLong(), 0);
  EXPECT_FALSE(isZeros(&ctx, ctx.createStringValue("000 ")));
}

// A switch day given as a number is no text "MMTT": the release is found
// the language's way, by dates made of texts.
TEST(ReleaseByNumber, ASwitchDayGivenAsANumberReleasesAsItsDigits) {
  pl::RuntimeContext ctx;
  ctx.setProcessingDate(2025, 12, 2);
  pl::Value* next_year = ctx.createStringValue("2026");
  EXPECT_TRUE(isTrue(F_IstMjahrFreigeschaltet(&ctx, next_year, ctx.createNumberValue(1201))));
  ctx.setProcessingDate(2025, 11, 30);
  EXPECT_FALSE(isTrue(F_IstMjahrFreigeschaltet(&ctx, next_year, ctx.createNumberValue(1201))));
}

class FailureTest : public CompanyNumbersTest, public ::testing::Test {
 protected:
  // The call throws; the one error line names the function and the message.
  template <class Call>
  void expectLoggedAndPassedOn(const std::string& function, Call call) {
    errors.lines.clear();
    auto [type, message] = vexal::testing::thrownBy(call);
    ASSERT_NE(type, -1) << function;
    ASSERT_EQ(errors.lines.size(), 1u) << function;
    EXPECT_EQ(errors.lines[0],
              "Fehler w\xE4hrend Ausf\xFChrung: " + function + " (" + message + ")");
    EXPECT_TRUE(sections.balanced()) << function;
    EXPECT_EQ(ctx.getSectionDepth(), 0u) << function;
  }
};

// Arithmetic on a character that is no digit fails as in the rule language;
// so does a switch day that makes no date.
TEST_F(FailureTest, AreLoggedAndPassedOn) {
  ctx.setProcessingDate(2025, 6, 1);
  for (const char* wert : {"12a4567", "1234 67", "A123456"}) {
    expectLoggedAndPassedOn("F_GibBbnrPruefziffer",
                            [&] { F_GibBbnrPruefziffer(&ctx, text(wert)); });
  }
  for (const char* switch_day : {"1301", "0230", static_cast<const char*>(nullptr)}) {
    expectLoggedAndPassedOn("F_IstMjahrFreigeschaltet", [&] {
      F_IstMjahrFreigeschaltet(&ctx, text("2025"), text(switch_day));
    });
  }
}

}  // namespace

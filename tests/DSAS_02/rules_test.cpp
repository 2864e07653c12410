// What DSAS_02 checks differently from DSAS_01: the enterprise number UNRS
// and its check digit, a membership number that may stay empty beside an
// enterprise number, version fields that are text but must be digits, the
// shorter third reserve field; and the functions it adds, called by name.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSAS_02/dsas02_record.h"
#include "support/rule_cases.h"

namespace {

using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;

constexpr char kZeros[] = "000000000000000";
constexpr char kDSAS034[] = "#P_NEVERNR DSAS034 NEBENVERSIONS-NR ist nicht numerisch";
constexpr char kDSAS036[] = "#P_VERNRDSAS DSAS036 VERSIONS-NR-ZQ-AS ist nicht numerisch";
constexpr char kDSAS210[] = "#P_MNR DSAS210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig";
constexpr char kDSAS213[] = "#P_UNRS DSAS213 UNTERNEHMENSNUMMER Grundstellung unzul\xE4ssig";
constexpr char kDSAS214[] = "#P_UNRS DSAS214 UNTERNEHMENSNUMMER nicht numerisch";
constexpr char kDSAS215[] = "#P_UNRS DSAS215 UNTERNEHMENSNUMMER ist unzul\xE4ssig";

const std::vector<RuleCase>& cases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"UnrsZerosUpTo2023", {{"UNRS", kZeros}}, {}},
      {"UnrsZerosFrom2024", {{"UNRS", kZeros}, {"MJAHR", "2024"}}, {kDSAS213}},
      {"UnrsZerosYearNotNumeric",
       {{"UNRS", kZeros}, {"MJAHR", "20X4"}},
       {"MJAHR#MJAHR info 2", "#P_MJAHR DSAS230 MELDEJAHR nicht numerisch"}},
      {"UnrsWrongCheckDigit", {{"UNRS", "123456789017000"}}, {kDSAS215}},
      {"UnrsBlank", {{"UNRS", ""}}, {kDSAS214}},
      {"UnrsMissing", {missing("UNRS")}, {"UNRS#UNRS info 1", kDSAS214}},
      {"MnrBlankBesideEnterpriseNumber", {{"MNR", ""}}, {}},
      {"MnrMissingBesideEnterpriseNumber", {missing("MNR")}, {}},
      {"MnrBlankWithoutEnterpriseNumber", {{"MNR", ""}, {"UNRS", kZeros}}, {kDSAS210}},
      {"MnrBlankEnterpriseNumberMissing",
       {{"MNR", ""}, missing("UNRS")},
       {"UNRS#UNRS info 1", kDSAS214, kDSAS210}},
      {"MnrTooLong",
       {raw("MNR", std::string(21, '1'))},
       {"MNR#MNR info 3", "#P_MNR Feldinhalt zu lang."}},
      {"MnrWrongLength",
       {{"MNR", "12345678"}},
       {"#P_MNR DSAS211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER"}},
      {"MnrWrongCharacter",
       {{"MNR", "12345678A"}},
       {"#P_MNR DSAS212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER"}},
      {"NevernrBlank", {{"NEVERNR", ""}}, {kDSAS034}},
      {"NevernrLetters", {{"NEVERNR", "AB"}}, {kDSAS034}},
      {"NevernrMissing", {missing("NEVERNR")}, {"NEVERNR#NEVERNR info 1", kDSAS034}},
      {"VernrdsasBlank", {{"VERNRDSAS", ""}}, {kDSAS036}},
      {"VernrdsasMissing", {missing("VERNRDSAS")}, {"VERNRDSAS#VERNRDSAS info 1", kDSAS036}},
      {"Reserve3Of85", {raw("RESERVE3", std::string(85, 'r'))}, {}},
      {"Reserve3Of86",
       {raw("RESERVE3", std::string(86, 'r'))},
       {"RESERVE3#RESERVE3 info 3", "#P_RESERVE3 Feldinhalt zu lang."}},
      {"Reserve3Missing", {missing("RESERVE3")}, {"RESERVE3#RESERVE3 info 1"}},
  };
  return cases;
}

class Dsas02RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsas02RuleTest, ReportsExactlyTheFindingsOfItsCondition) {
  vexal::testing::expectRuleCase(*dsas02::makeHarness(), dsas02::validRecord(), GetParam(),
                                 vexal::testing::Listed::kAllFindings);
}

INSTANTIATE_TEST_SUITE_P(Differences, Dsas02RuleTest, ::testing::ValuesIn(cases()),
                         vexal::testing::RowName());

struct CallCase {
  const char* function;
  const char* parameter;
  const char* value;
  const char* result;  // getString() of the result
};

void PrintTo(const CallCase& c, std::ostream* os) { *os << c.function << "(" << c.value << ")"; }

// Weights 4, 9, 4, ... from the left; a check digit of 10 becomes 0.
const CallCase kCalls[] = {
    {"F_GibUnrsPruefziffer", "wert", "12345678901", "6"},
    {"F_GibUnrsPruefziffer", "wert", "00000000010", "1"},
    {"F_GibUnrsPruefziffer", "wert", "00000000005", "0"},
    {"F_IstNullen", "Zeichenkette", "000", "true"},
    {"F_IstNullen", "Zeichenkette", "", "true"},
    {"F_IstNullen", "Zeichenkette", "0 0", "false"},
};

class Dsas02CallTest : public ::testing::TestWithParam<CallCase> {};

TEST_P(Dsas02CallTest, AnswersFromItsInitParameter) {
  auto h = dsas02::makeHarness();
  h->checkValues(dsas02::validRecord().values());
  h->ctx().setInitParam(GetParam().parameter, GetParam().value);
  EXPECT_STREQ(h->plausi().callFunction(&h->ctx(), GetParam().function)->getString(),
               GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(ByName, Dsas02CallTest, ::testing::ValuesIn(kCalls));

}  // namespace

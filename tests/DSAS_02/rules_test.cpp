// What DSAS_02 checks differently from DSAS_01: the enterprise number UNRS
// and its check digit, a membership number that may stay empty beside an
// enterprise number, version fields that are text but must be digits, the
// shorter third reserve field; and the functions it adds, called by name.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSAS_02/dsas02_record.h"
#include "pl/plausi_exception.h"
#include "support/header_rule_cases.h"
#include "support/rule_cases.h"

namespace {

using vexal::testing::kUnrsZeros;
using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;

const vexal::testing::HeaderType kQuery = {"DSAS", "AS", "UVSDD", {}};

// The query's own rows: what the wage report of version 02 checks
// otherwise or is not tested for.
std::vector<RuleCase> ownCases() {
  return vexal::testing::resolveRows(
      kQuery,
      {
          {"UnrsZerosFrom2024", {{"UNRS", kUnrsZeros}, {"MJAHR", "2024"}}, {"@213"}},
          {"UnrsZerosYearNotNumeric",
           {{"UNRS", kUnrsZeros}, {"MJAHR", "20X4"}},
           {"MJAHR#MJAHR info 2", "@230"}},
          {"MnrBlankEnterpriseNumberMissing",
           {{"MNR", ""}, missing("UNRS")},
           {"UNRS#UNRS info 1", "@214", "@210"}},
          {"MnrTooLong",
           {raw("MNR", std::string(21, '1'))},
           {"MNR#MNR info 3", vexal::testing::tooLong("#P_MNR")}},
          {"MnrWrongCharacter", {{"MNR", "12345678A"}}, {"@212"}},
          {"NevernrLetters", {{"NEVERNR", "AB"}}, {"@034"}},
          {"VernrdsasMissing", {missing("VERNRDSAS")}, {"VERNRDSAS#VERNRDSAS info 1", "@036"}},
      });
}

class Dsas02RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsas02RuleTest, ReportsExactlyTheFindingsOfItsCondition) {
  vexal::testing::expectRuleCase(*dsas02::makeHarness(), dsas02::validRecord(), GetParam(),
                                 vexal::testing::Listed::kAllFindings);
}

INSTANTIATE_TEST_SUITE_P(Shared, Dsas02RuleTest,
                         ::testing::ValuesIn(vexal::testing::version02RuleCases(kQuery, 85)),
                         vexal::testing::RowName());
INSTANTIATE_TEST_SUITE_P(Own, Dsas02RuleTest, ::testing::ValuesIn(ownCases()),
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
    {"F_GibUnrsPruefziffer", "wert", "", "0"},  // nothing to weigh
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

// A record's UNRS fails as not numeric before its check digit is asked
// for; called by name with other characters, the check digit is worked out
// as the rule language spells it, which refuses the first character that
// is not a digit.
TEST(Dsas02CallTest, CheckDigitOfOtherCharactersNamesTheFirstOne) {
  const struct {
    const char* value;
    const char* message;
  } kRows[] = {
      {"1234567890A", "Kein numerischer Wert: \"A\"."},
      {"X2345678901", "Kein numerischer Wert: \"X\"."},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.value);
    auto h = dsas02::makeHarness();
    h->checkValues(dsas02::validRecord().values());
    h->ctx().setInitParam("wert", row.value);
    try {
      h->plausi().callFunction(&h->ctx(), "F_GibUnrsPruefziffer");
      ADD_FAILURE() << "no exception";
    } catch (const pl::PlausiException& e) {
      EXPECT_EQ(e.getType(), pl::ExceptionType::kWrongType);
      EXPECT_STREQ(e.getMessage(), row.message);
    }
  }
}

}  // namespace

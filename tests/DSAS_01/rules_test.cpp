// Each DSAS and DBAP message under the condition that produces it, and only
// there: the rows the query shares with the wage report, then its own.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DSAS_01/dsas01_record.h"
#include "support/header_rule_cases.h"
#include "support/rule_cases.h"

namespace {

using vexal::testing::raw;
using vexal::testing::RuleCase;

const vexal::testing::HeaderType kQuery = {
    "DSAS",
    "AS",
    "UVSDD",
    {{"232", "#P_MJAHR DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach 01.12.)"},
     // Without the closing parenthesis.
     {"240", "#P_BBNRLB DSAS240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben"}}};

constexpr char kDSAS250[] = "#P_AFGRUND DSAS250 ABFRAGEGRUND unzul\xE4ssig";

// The query's own rows: what the wage report checks otherwise or not at
// all.
std::vector<RuleCase> ownCases() {
  return vexal::testing::resolveRows(
      kQuery, {
                  {"EdShorterThan14", {raw("ED", "2026120112000")}, {"@050"}},
                  {"BbnruvNotAnnex7", {{"BBNRUV", "12345671"}}, {"@201"}},
                  {"Bbnruv18477668In2018", {{"BBNRUV", "18477668"}, {"MJAHR", "2018"}}, {}},
                  {"Bbnruv18477668In2019", {{"BBNRUV", "18477668"}, {"MJAHR", "2019"}}, {"@201"}},
                  {"Bbnruv52738475In2019",
                   {{"BBNRUV", "52738475"}, {"MNR", "1234567"}, {"MJAHR", "2019"}},
                   {}},
                  {"Bbnruv52738475In2020",
                   {{"BBNRUV", "52738475"}, {"MNR", "1234567"}, {"MJAHR", "2020"}},
                   {"@201"}},
                  {"MnrUpperCasedForTheTest", {{"BBNRUV", "53149588"}, {"MNR", "abcde12345"}}, {}},
                  {"MnrAnyCharacterForCarrierWithoutCharacterRule",
                   {{"BBNRUV", "15186676"}, {"MNR", "a-/.,x+#!_"}},
                   {}},
                  {"MnrCarrierWithoutRules", {{"BBNRUV", "02379637"}, {"MNR", "x"}}, {}},
                  {"AfgrundOther", {{"AFGRUND", "UV11"}}, {kDSAS250}},
                  {"AfgrundTrailingBlank", {raw("AFGRUND", "UV10 ")}, {kDSAS250}},
              });
}

class Dsas01RootRuleTest : public ::testing::TestWithParam<RuleCase> {};
class Dsas01ContactRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsas01RootRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  vexal::testing::expectRuleCase(*dsas01::makeHarness(), dsas01::validRecord(), GetParam());
}

TEST_P(Dsas01ContactRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  vexal::testing::expectRuleCase(*dsas01::makeHarness(), dsas01::validRecordWithContact(),
                                 GetParam());
}

INSTANTIATE_TEST_SUITE_P(Shared, Dsas01RootRuleTest,
                         ::testing::ValuesIn(vexal::testing::headerRuleCases(kQuery)),
                         vexal::testing::RowName());
INSTANTIATE_TEST_SUITE_P(Own, Dsas01RootRuleTest, ::testing::ValuesIn(ownCases()),
                         vexal::testing::RowName());
INSTANTIATE_TEST_SUITE_P(Shared, Dsas01ContactRuleTest,
                         ::testing::ValuesIn(vexal::testing::contactRuleCases()),
                         vexal::testing::RowName());

}  // namespace

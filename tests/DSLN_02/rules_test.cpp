// What DSLN_02 checks differently from DSLN_01: the enterprise number UNRS,
// the reporting period ZRVON to ZRBIS, a membership number that may stay
// empty beside an enterprise number, two more report reasons, version
// fields and working hours that are text but must be digits, the shorter
// third reserve field; and its registrations, mapping and a function it adds.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSLN_02/dsln02_record.h"
#include "pl/mapping.h"
#include "pl/value.h"
#include "support/header_rule_cases.h"
#include "support/matchers.h"
#include "support/registrations.h"
#include "support/rule_cases.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::kUnrsZeros;
using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;

const vexal::testing::HeaderType kReport = {"DSLN", "LN", "UVELN", {}};

constexpr char kDSLN203NotNumeric[] = "#P_ZRVON DSLN203 ZEITRAUM-VON nicht numerisch";
constexpr char kDSLN203Wrong[] = "#P_ZRVON DSLN203 ZEITRAUM-VON logisch falsch";
constexpr char kDSLN250[] = "#P_MDGRUND DSLN250 MELDEGRUND unzul\xE4ssig";
constexpr char kDSLN290[] = "UV[1]#P_ARBSTDSUMM DSLN290 ARBSTD-SUMME nicht numerisch";

// The wage report's own rows: its reporting period, report reasons and
// working hours, and what the query of version 02 checks otherwise.
std::vector<RuleCase> ownCases() {
  return vexal::testing::resolveRows(
      kReport,
      {
          {"PeriodZerosWithoutEnterpriseNumber",
           {{"UNRS", kUnrsZeros}, {"ZRVON", "00000000"}, {"ZRBIS", "00000000"}},
           {}},
          {"PeriodZerosBesideEnterpriseNumber",
           {{"ZRVON", "00000000"}, {"ZRBIS", "00000000"}},
           {"#P_ZRVON DSLN204 ZEITRAUM-VON Grundstellung unzul\xE4ssig",
            "#P_ZRBIS DSLN207 ZEITRAUM-BIS Grundstellung unzul\xE4ssig"}},
          {"PeriodZerosInCancellation",
           {{"ZRVON", "00000000"}, {"ZRBIS", "00000000"}, {"KENNZST", "J"}},
           {}},
          {"PeriodOfTheReportingYear2024",
           {{"MJAHR", "2024"}, {"ZRVON", "20240101"}, {"ZRBIS", "20241231"}},
           {}},
          {"ZrvonOfAnotherYear",
           {{"ZRVON", "20240101"}},
           {"#P_ZRVON DSLN205 ZEITRAUM-VON unzul\xE4ssig"}},
          {"ZrvonLastCentury", {{"ZRVON", "19991231"}}, {kDSLN203Wrong}},
          {"ZrvonNoSuchDate", {{"ZRVON", "20240231"}}, {kDSLN203Wrong}},
          {"ZrvonSevenCharacters", {raw("ZRVON", "2023010")}, {kDSLN203Wrong}},
          {"ZrvonLetter", {{"ZRVON", "2023010A"}}, {kDSLN203NotNumeric}},
          {"ZrvonBlank", {{"ZRVON", ""}}, {kDSLN203NotNumeric}},
          {"ZrvonMissing", {missing("ZRVON")}, {kDSLN203NotNumeric}},
          // Zeros are refused before the length is asked; padded, they
          // are no longer zeros.
          {"ZrvonSevenZerosBesideEnterpriseNumber",
           {raw("ZRVON", "0000000")},
           {"#P_ZRVON DSLN204 ZEITRAUM-VON Grundstellung unzul\xE4ssig"}},
          {"ZrvonSevenZerosWithoutEnterpriseNumber",
           {{"UNRS", kUnrsZeros}, raw("ZRVON", "0000000")},
           {kDSLN203Wrong}},
          {"ZrvonSevenZerosPadded", {{"ZRVON", "0000000"}}, {kDSLN203NotNumeric}},
          {"ZrvonLeadingBlank", {raw("ZRVON", " 2023010")}, {kDSLN203NotNumeric}},
          // The bytes next to the digits, and one whose low half is a digit's.
          {"ZrvonColon", {{"ZRVON", "2023:101"}}, {kDSLN203NotNumeric}},
          {"ZrvonSlash", {{"ZRVON", "2023/101"}}, {kDSLN203NotNumeric}},
          {"ZrvonPlusMinusSign",
           {{"ZRVON",
             "2023\xB1"
             "101"}},
           {kDSLN203NotNumeric}},
          {"ZrvonFirstDigitThree", {{"ZRVON", "30230101"}}, {kDSLN203Wrong}},
          {"ZrvonMonth13", {{"ZRVON", "20231301"}}, {kDSLN203Wrong}},
          {"ZrvonDayZero", {{"ZRVON", "20230100"}}, {kDSLN203Wrong}},
          {"ZrvonFebruary29Of2023", {{"ZRVON", "20230229"}}, {kDSLN203Wrong}},
          {"PeriodFromFebruary29Of2024",
           {{"MJAHR", "2024"}, {"ZRVON", "20240229"}, {"ZRBIS", "20241231"}},
           {}},
          // A reporting year that is no number is not compared.
          {"MjahrNotNumericLeavesPeriod", {{"MJAHR", "20X3"}}, {"MJAHR#MJAHR info 2", "@230"}},
          {"ZrbisBlank", {{"ZRBIS", ""}}, {"#P_ZRBIS DSLN206 ZEITRAUM-BIS nicht numerisch"}},
          {"ZrbisNoSuchDate",
           {{"ZRBIS", "20231131"}},
           {"#P_ZRBIS DSLN206 ZEITRAUM-BIS logisch falsch"}},
          {"ZrbisOfAnotherYear",
           {{"ZRBIS", "20221231"}},
           {"#P_ZRBIS DSLN208 ZEITRAUM-BIS unzul\xE4ssig"}},
          {"UnrsZerosFrom2024",
           {{"UNRS", kUnrsZeros}, {"MJAHR", "2024"}, {"ZRVON", "20240101"}, {"ZRBIS", "20241231"}},
           {"@213"}},
          {"MdgrundUV03", {{"MDGRUND", "UV03"}}, {}},
          {"MdgrundUV07", {{"MDGRUND", "UV07"}}, {}},
          {"MdgrundUV02", {{"MDGRUND", "UV02"}}, {kDSLN250}},
          {"NevernrDigitAndLetter", {{"NEVERNR", "1A"}}, {"@034"}},
          {"ArbstdsummBlank", {{"UV.ARBSTDSUMM", ""}}, {kDSLN290}},
          {"ArbstdsummMissing",
           {missing("UV.ARBSTDSUMM")},
           {"UV[1].ARBSTDSUMM#ARBSTDSUMM info 1", kDSLN290}},
      });
}

class Dsln02RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsln02RuleTest, ReportsExactlyTheFindingsOfItsCondition) {
  vexal::testing::expectRuleCase(*dsln02::makeHarness(), dsln02::validRecord(), GetParam(),
                                 vexal::testing::Listed::kAllFindings);
}

INSTANTIATE_TEST_SUITE_P(Shared, Dsln02RuleTest,
                         ::testing::ValuesIn(vexal::testing::version02RuleCases(kReport, 69)),
                         vexal::testing::RowName());
INSTANTIATE_TEST_SUITE_P(Own, Dsln02RuleTest, ::testing::ValuesIn(ownCases()),
                         vexal::testing::RowName());

// The report reasons UV03 and UV07 are new: DSLN_01 refuses them, also in a
// report of version 02.
TEST(Dsln02RecordTest, Dsln01RefusesReportReasonUV03) {
  auto h = dsln01::makeHarness();
  h->checkValues(dsln01::validRecord()
                     .set("VERNRLN", "02")
                     .set("VERNRDSLN", "02")
                     .set("MDGRUND", "UV03")
                     .values());
  EXPECT_THAT(h->allFindings(), ElementsAre(kDSLN250));
}

TEST(Dsln02ConstructionTest, RegistrationsAndMapping) {
  DSLN_02::Plausi_DSLN_02 plausi;
  const std::vector<std::string> keys = vexal::testing::fieldCheckKeys(plausi);
  // 36 root fields, 5 of the tariff position, 13 of the contact person.
  EXPECT_EQ(keys.size(), 54u);
  auto reserve3 = std::find(keys.begin(), keys.end(), "RESERVE3");
  ASSERT_NE(reserve3, keys.end());
  ASSERT_NE(reserve3 + 1, keys.end());
  EXPECT_EQ(reserve3[1], "UNRS");
  EXPECT_THAT(keys, Contains("ZRBIS"));
  EXPECT_THAT(keys, Contains("ZRVON"));

  const std::vector<std::string> mapped = vexal::testing::mappingEntries(*plausi.mapping());
  // The empty path, 36 root fields, the tariff position's 5 fields and its
  // group, the contact person's 13 fields and its group.
  ASSERT_EQ(mapped.size(), 1u + 36u + 6u + 14u);
  EXPECT_EQ(mapped[42], "UV=UV");
  EXPECT_EQ(mapped[56], "AN=AN");
  EXPECT_THAT(
      std::vector<std::string>(mapped.begin() + 21, mapped.begin() + 26),
      ElementsAre("RESERVE3=RESERVE3", "UNRS=UNRS", "ZRVON=ZRVON", "ZRBIS=ZRBIS", "BBNRUV=BBNRUV"));
}

TEST(Dsln02ByNameTest, UnrsDefaultIsAllZeros) {
  auto h = dsln02::makeHarness();
  h->checkValues(dsln02::validRecord().set("UNRS", kUnrsZeros).values());
  EXPECT_STREQ(h->plausi().callFunction(&h->ctx(), "F_IstUNRSGrundstellung")->getString(), "true");
  h->checkValues(dsln02::validRecord().values());
  EXPECT_STREQ(h->plausi().callFunction(&h->ctx(), "F_IstUNRSGrundstellung")->getString(), "false");
}

}  // namespace

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
#include "support/rule_cases.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;

constexpr char kZeros[] = "000000000000000";
constexpr char kDSLN203NotNumeric[] = "#P_ZRVON DSLN203 ZEITRAUM-VON nicht numerisch";
constexpr char kDSLN203Wrong[] = "#P_ZRVON DSLN203 ZEITRAUM-VON logisch falsch";
constexpr char kDSLN204[] = "#P_ZRVON DSLN204 ZEITRAUM-VON Grundstellung unzul\xE4ssig";
constexpr char kDSLN207[] = "#P_ZRBIS DSLN207 ZEITRAUM-BIS Grundstellung unzul\xE4ssig";
constexpr char kDSLN210[] = "#P_MNR DSLN210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig";
constexpr char kDSLN214[] = "#P_UNRS DSLN214 UNTERNEHMENSNUMMER nicht numerisch";
constexpr char kDSLN034[] = "#P_NEVERNR DSLN034 NEBENVERSIONS-NR ist nicht numerisch";
constexpr char kDSLN250[] = "#P_MDGRUND DSLN250 MELDEGRUND unzul\xE4ssig";
constexpr char kDSLN290[] = "UV[1]#P_ARBSTDSUMM DSLN290 ARBSTD-SUMME nicht numerisch";

const std::vector<RuleCase>& cases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"PeriodZerosWithoutEnterpriseNumber",
       {{"UNRS", kZeros}, {"ZRVON", "00000000"}, {"ZRBIS", "00000000"}},
       {}},
      {"PeriodZerosBesideEnterpriseNumber",
       {{"ZRVON", "00000000"}, {"ZRBIS", "00000000"}},
       {kDSLN204, kDSLN207}},
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
      {"ZrbisBlank", {{"ZRBIS", ""}}, {"#P_ZRBIS DSLN206 ZEITRAUM-BIS nicht numerisch"}},
      {"ZrbisNoSuchDate",
       {{"ZRBIS", "20231131"}},
       {"#P_ZRBIS DSLN206 ZEITRAUM-BIS logisch falsch"}},
      {"ZrbisOfAnotherYear",
       {{"ZRBIS", "20221231"}},
       {"#P_ZRBIS DSLN208 ZEITRAUM-BIS unzul\xE4ssig"}},
      {"UnrsZerosUpTo2023", {{"UNRS", kZeros}}, {}},
      {"UnrsZerosFrom2024",
       {{"UNRS", kZeros}, {"MJAHR", "2024"}, {"ZRVON", "20240101"}, {"ZRBIS", "20241231"}},
       {"#P_UNRS DSLN213 UNTERNEHMENSNUMMER Grundstellung unzul\xE4ssig"}},
      {"UnrsWrongCheckDigit",
       {{"UNRS", "123456789017000"}},
       {"#P_UNRS DSLN215 UNTERNEHMENSNUMMER ist unzul\xE4ssig"}},
      {"UnrsBlank", {{"UNRS", ""}}, {kDSLN214}},
      {"UnrsMissing", {missing("UNRS")}, {"UNRS#UNRS info 1", kDSLN214}},
      {"MnrBlankBesideEnterpriseNumber", {{"MNR", ""}}, {}},
      {"MnrMissingBesideEnterpriseNumber", {missing("MNR")}, {}},
      {"MnrBlankWithoutEnterpriseNumber", {{"MNR", ""}, {"UNRS", kZeros}}, {kDSLN210}},
      {"MnrWrongLength",
       {{"MNR", "12345678"}},
       {"#P_MNR DSLN211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER"}},
      {"MdgrundUV03", {{"MDGRUND", "UV03"}}, {}},
      {"MdgrundUV07", {{"MDGRUND", "UV07"}}, {}},
      {"MdgrundUV02", {{"MDGRUND", "UV02"}}, {kDSLN250}},
      {"NevernrDigitAndLetter", {{"NEVERNR", "1A"}}, {kDSLN034}},
      {"NevernrBlank", {{"NEVERNR", ""}}, {kDSLN034}},
      {"NevernrMissing", {missing("NEVERNR")}, {"NEVERNR#NEVERNR info 1", kDSLN034}},
      {"VernrdslnBlank",
       {{"VERNRDSLN", ""}},
       {"#P_VERNRDSLN DSLN036 VERSIONS-NR-ZQ-LN ist nicht numerisch"}},
      {"Reserve3Of69", {raw("RESERVE3", std::string(69, 'r'))}, {}},
      {"Reserve3Of70",
       {raw("RESERVE3", std::string(70, 'r'))},
       {"RESERVE3#RESERVE3 info 3", "#P_RESERVE3 Feldinhalt zu lang."}},
      {"Reserve3Missing", {missing("RESERVE3")}, {"RESERVE3#RESERVE3 info 1"}},
      {"ArbstdsummBlank", {{"UV.ARBSTDSUMM", ""}}, {kDSLN290}},
      {"ArbstdsummMissing",
       {missing("UV.ARBSTDSUMM")},
       {"UV[1].ARBSTDSUMM#ARBSTDSUMM info 1", kDSLN290}},
  };
  return cases;
}

class Dsln02RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsln02RuleTest, ReportsExactlyTheFindingsOfItsCondition) {
  vexal::testing::expectRuleCase(*dsln02::makeHarness(), dsln02::validRecord(), GetParam(),
                                 vexal::testing::Listed::kAllFindings);
}

INSTANTIATE_TEST_SUITE_P(Differences, Dsln02RuleTest, ::testing::ValuesIn(cases()),
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
  std::vector<std::string> keys;
  for (const auto& [key, check] : plausi.fieldCheckProcs()) keys.push_back(key);
  // 36 root fields, 5 of the tariff position, 13 of the contact person.
  EXPECT_EQ(keys.size(), 54u);
  auto reserve3 = std::find(keys.begin(), keys.end(), "RESERVE3");
  ASSERT_NE(reserve3, keys.end());
  ASSERT_NE(reserve3 + 1, keys.end());
  EXPECT_EQ(reserve3[1], "UNRS");
  EXPECT_THAT(keys, Contains("ZRBIS"));
  EXPECT_THAT(keys, Contains("ZRVON"));

  std::vector<std::string> mapped;
  for (std::size_t i = 0; i < plausi.mapping()->size(); ++i) {
    mapped.push_back(std::string(plausi.mapping()->keyAt(i)) + "=" + plausi.mapping()->valueAt(i));
  }
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
  h->checkValues(dsln02::validRecord().set("UNRS", kZeros).values());
  EXPECT_STREQ(h->plausi().callFunction(&h->ctx(), "F_IstUNRSGrundstellung")->getString(), "true");
  h->checkValues(dsln02::validRecord().values());
  EXPECT_STREQ(h->plausi().callFunction(&h->ctx(), "F_IstUNRSGrundstellung")->getString(), "false");
}

}  // namespace

// Each DSLN and DBAP message of the wage report under the condition that
// produces it, and only there: the header, every tariff position and the
// contact person.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSLN_01/dsln01_record.h"
#include "support/header_rule_cases.h"
#include "support/matchers.h"
#include "support/rule_cases.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::Change;
using vexal::testing::kTooLong;
using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;
using vexal::testing::tooLong;

const vexal::testing::HeaderType kReport = {
    "DSLN",
    "LN",
    "UVELN",
    {{"232", "#P_MJAHR DSLN232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr)"}}};
const std::string kDSLN005 = vexal::testing::headerMessage(kReport, "005");
const std::string kDSLN200 = vexal::testing::headerMessage(kReport, "200");
const std::string kDSLN201 = vexal::testing::headerMessage(kReport, "201");

constexpr char kDSLN202[] =
    "#P_BBNRUV DSLN202 Unzul\xE4ssige BBNRUV bei Beitragsma\xDFstab 2 oder 3";
constexpr char kDSLN250[] = "#P_MDGRUND DSLN250 MELDEGRUND unzul\xE4ssig";
constexpr char kDSLN260[] = "#P_UVGRUND DSLN260 UV-GRUND ungleich Grundstellung oder A09";
constexpr char kDSLN265[] = "#P_ANZVERS DSLN265 ANZ-VERS nicht numerisch";
constexpr char kDSLN267[] = "#P_ANUV DSLN267 ANZAHL-UV nicht numerisch";
constexpr char kDSLN268[] = "#P_ANUV DSLN268 ANZAHL-UV Grundstellung unzul\xE4ssig";

// Messages of a tariff position, without the occurrence.
constexpr char kDSLN270[] = "#P_BBNRGT DSLN270 BBNR-GTS ist unzul\xE4ssig";
constexpr char kDSLN271[] = "#P_BBNRGT DSLN271 BBNR-GTS und BBNR-UV nicht identisch";
constexpr char kDSLN280[] = "#P_GTST DSLN280 GT-STELLE Grundstellung unzul\xE4ssig";
constexpr char kDSLN284[] = "#P_UVEGSUMM DSLN284 UV-EG-SUMME nicht numerisch";
constexpr char kDSLN285[] =
    "#P_UVEGSUMM DSLN285 UV-EG-SUMME (ungleich Nullen) ist bei UV-GRUND nicht zul\xE4ssig";
constexpr char kDSLN290[] = "#P_ARBSTDSUMM DSLN290 ARBSTD-SUMME nicht numerisch";
constexpr char kDSLN295[] = "#P_ANZVERSGTST DSLN295 ANZ-VERSICHERTE-PRO-GTST nicht numerisch";

// The finding of the n-th tariff position.
std::string at(int n, const char* finding) { return "UV[" + std::to_string(n) + "]" + finding; }

// A carrier of annexes 7 and 19b without membership-number rules, in the
// header and in the first `positions` tariff positions: it may report
// under "A09".
std::vector<Change> carrier02379637(int positions, std::vector<Change> more) {
  static const char* const kBbnrgt[] = {"UV.BBNRGT", "UV[2].BBNRGT", "UV[3].BBNRGT"};
  std::vector<Change> changes = {{"BBNRUV", "02379637"}};
  for (int n = 0; n < positions; ++n) changes.push_back({kBbnrgt[n], "02379637"});
  changes.insert(changes.end(), more.begin(), more.end());
  return changes;
}

constexpr char kZeros[] = "000000000000000";

// The report's own header rows, applied to a record with one tariff
// position: what the query checks otherwise or not at all, and the order
// of the tests within one field.
std::vector<RuleCase> headerCases() {
  return vexal::testing::resolveRows(
      kReport,
      {
          {"VfOfTheQuery", {{"VF", "UVSDD"}}, {"@005"}},
          {"VernrlnNotNumericBeforeTooLong", {raw("VERNRLN", "1A3")}, {"@030"}},
          {"VernrlnTooLong", {raw("VERNRLN", "123")}, {tooLong("#P_VERNRLN")}},
          {"Vernrln01YearTooLong", {raw("MJAHR", "02024")}, {tooLong("#P_MJAHR")}},
          {"NevernrMissing", {missing("NEVERNR")}, {"@034"}},
          {"NevernrNotNumericBeforeTooLong", {raw("NEVERNR", "1A3")}, {"@034"}},
          {"VernrdslnNotNumeric", {{"VERNRDSLN", "0A"}}, {"@036"}},
          {"VernrdslnNotNumericBeforeTooLong", {raw("VERNRDSLN", "1A3")}, {"@036"}},
          {"EdIndentedBeforeTooLong", {raw("ED", " 20240131123000123456")}, {"@050"}},
          {"EdOnly13Characters", {raw("ED", "2024013112300")}, {"@051"}},
          {"EdSixteenCharactersHaveNoFraction", {raw("ED", "20240131123000AB")}, {}},
          {"EdDateBeforeTime", {{"ED", "20240230250000123456"}}, {"@051"}},
          {"EdHour25", {{"ED", "20240131250000123456"}}, {"@053"}},
          {"EdTimeBeforeFraction", {{"ED", "20240131250000ABCDEF"}}, {"@053"}},
          {"EdFractionNotNumeric", {{"ED", "20240131123000ABCDEF"}}, {"@054"}},
          {"EdFractionTestedBeforeTheDate", {{"ED", "20261209000000ABCDEF"}}, {"@054"}},
          {"InternHasNoRule", {{"INTERN", "X"}}, {}},
          {"MmfuMissing", {missing("MMFU")}, {"@060"}},
          {"FekzMissing", {missing("FEKZ")}, {"@065"}},
          {"FekzNotNumericBeforeTooLong", {raw("FEKZ", "X2")}, {"@065"}},
          {"FeanNotNumeric", {{"FEAN", "X"}}, {"@070"}},
          {"FeanTooLongBeforeNotNumeric", {raw("FEAN", "AB")}, {tooLong("#P_FEAN")}},
          {"DsidTooLongBeforeCharacters",
           {raw("DSID", std::string(32, 'D') + "_")},
           {tooLong("#P_DSID")}},
          {"VoidTooLong", {raw("VOID", std::string(33, 'V'))}, {tooLong("#P_VOID")}},
          {"VoidCharactersBeforeTooLong", {raw("VOID", std::string(32, 'V') + "_")}, {"@121"}},
          {"KennzstMissing", {missing("KENNZST")}, {"@130"}},
          {"Cancellation", {{"KENNZST", "J"}}, {}},
          {"BbnruvNotAnnex7",
           {{"BBNRUV", "12345671"}},
           {"@201", at(1, "#P_BBNRGT DSLN271 BBNR-GTS und BBNR-UV nicht identisch")}},
          {"Bbnruv18477668In2018",
           {{"BBNRUV", "18477668"}, {"UV.BBNRGT", "18477668"}, {"MJAHR", "2018"}},
           {}},
          {"Bbnruv18477668In2019",
           {{"BBNRUV", "18477668"}, {"UV.BBNRGT", "18477668"}, {"MJAHR", "2019"}},
           {"@201"}},
          {"Bbnruv52738475In2019",
           {{"BBNRUV", "52738475"},
            {"UV.BBNRGT", "52738475"},
            {"MNR", "1234567"},
            {"MJAHR", "2019"}},
           {}},
          {"Bbnruv52738475In2020",
           {{"BBNRUV", "52738475"},
            {"UV.BBNRGT", "52738475"},
            {"MNR", "1234567"},
            {"MJAHR", "2020"}},
           {"@201"}},
          {"BbnruvNotAnnex19bForA09", {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}}, {kDSLN202}},
          {"BbnruvNotAnnex19bForA09InCancellation",
           {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}, {"KENNZST", "J"}},
           {}},
          {"PinTooLongBeforeNotNumeric", {raw("PIN", "12A456")}, {tooLong("#P_PIN")}},
          {"LfdnrMissing", {missing("LFDNR")}, {"@245"}},
          {"LfdnrTooLongBeforeNotNumeric", {raw("LFDNR", "12X4")}, {tooLong("#P_LFDNR")}},
          {"MjahrTooLongBeforeNotNumeric", {raw("MJAHR", "20X45")}, {tooLong("#P_MJAHR")}},
          {"BbnrlbCarrierYearNotNumeric", {{"BBNRLB", "15141364"}, {"MJAHR", "20X4"}}, {"@230"}},
          {"MmdbapMissing", {missing("MMDBAP")}, {"@249"}},
          {"MdgrundUv05", {{"MDGRUND", "UV05"}}, {}},
          {"MdgrundUv06", {{"MDGRUND", "UV06"}}, {}},
          {"MdgrundUv08", {{"MDGRUND", "UV08"}}, {}},
          {"MdgrundUv03", {{"MDGRUND", "UV03"}}, {kDSLN250}},
          {"MdgrundLowerCase", {{"MDGRUND", "uv01"}}, {kDSLN250}},
          {"MdgrundMissing", {missing("MDGRUND")}, {kDSLN250}},
          {"UvgrundA09", carrier02379637(1, {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}}), {}},
          {"UvgrundOther", {{"UVGRUND", "A10"}}, {kDSLN260}},
          {"UvgrundLowerCase", {{"UVGRUND", "a09"}}, {kDSLN260}},
          {"UvgrundIndented", {{"UVGRUND", " A0"}}, {kDSLN260}},
          {"AnzversMissing", {missing("ANZVERS")}, {kDSLN265}},
          {"AnzversNotNumeric", {{"ANZVERS", "00001X"}}, {kDSLN265}},
          {"AnzversTooLong", {raw("ANZVERS", "1234567")}, {tooLong("#P_ANZVERS")}},
          {"AnzversNotNumericBeforeTooLong", {raw("ANZVERS", "12345X7")}, {kDSLN265}},
          {"AnuvMissing", {missing("ANUV")}, {kDSLN267}},
          {"AnuvNotNumeric", {{"ANUV", "0A"}}, {kDSLN267}},
          {"AnuvZero", {{"ANUV", "00"}}, {kDSLN268}},
          {"AnuvZeroInCancellation", {{"ANUV", "00"}, {"KENNZST", "J"}}, {}},
          {"AnuvNinetyNine", {{"ANUV", "99"}}, {}},
          // The range holds the value of the digits, leading zeros or not.
          {"AnuvOneAfterZeros", {raw("ANUV", "001")}, {}},
          {"AnuvZerosOfThree", {raw("ANUV", "000")}, {kDSLN268}},
          {"AnuvOneHundred", {raw("ANUV", "100")}, {kDSLN268}},
          {"AnuvOneHundredAfterZero", {raw("ANUV", "0100")}, {kDSLN268}},
      });
}

// Applied to a record with three tariff positions; most rows change the
// second.
const std::vector<RuleCase>& positionCases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"BbnrgtMissing", {missing("UV[2].BBNRGT")}, {at(2, kDSLN270)}},
      {"BbnrgtIndented", {{"UV[2].BBNRGT", " 15141364"}}, {at(2, kDSLN270)}},
      {"BbnrgtBlank", {{"UV[2].BBNRGT", ""}}, {at(2, kDSLN270)}},
      {"BbnrgtOutsideAnnex7", {{"UV[2].BBNRGT", "12345671"}}, {at(2, kDSLN270)}},
      {"BbnrgtUnpaddedEqualsCarrier", {raw("UV[2].BBNRGT", "15141364")}, {}},
      {"BbnrgtOtherCarrier", {{"UV[2].BBNRGT", "01064065"}}, {at(2, kDSLN271)}},
      {"BbnrgtExceptionalNumberPassesTheList", {{"UV[2].BBNRGT", "47009510"}}, {at(2, kDSLN271)}},
      {"BbnrgtExceptionalNumberWithFreeCarrier",
       {{"BBNRUV", "14066582"}, {"MNR", "12345678901"}, {"UV[2].BBNRGT", "47009510"}},
       {}},
      {"BbnrgtOtherCarrierWithFreeCarrier",
       {{"BBNRUV", "63800761"}, {"MNR", "12345678901"}, {"UV[2].BBNRGT", "01064065"}},
       {}},
      {"BbnrgtOutsideAnnex7WithFreeCarrier",
       {{"BBNRUV", "14066582"}, {"MNR", "12345678901"}, {"UV[2].BBNRGT", "12345671"}},
       {at(2, kDSLN270)}},
      {"BbnrgtWithoutReportingYearRule",
       {{"BBNRUV", "14066582"},
        {"MNR", "12345678901"},
        {"MJAHR", "2019"},
        {"UV[2].BBNRGT", "18477668"}},
       {}},
      {"BbnrgtWithoutCarrier", {missing("BBNRUV"), {"UV[2].BBNRGT", "01064065"}}, {kDSLN200}},
      {"BbnrgtSevenCharacters", {raw("UV[2].BBNRGT", "1514136")}, {at(2, kDSLN270)}},
      {"BbnrgtNineCharacters", {{"UV[2].BBNRGT", "151413640"}}, {at(2, kDSLN270)}},
      {"BbnrgtWithInnerBlank", {{"UV[2].BBNRGT", "1514 364"}}, {at(2, kDSLN270)}},
      // The positions compare the carrier trimmed.
      {"CarrierIndented", {{"BBNRUV", " 15141364"}}, {kDSLN201}},
      // A carrier of seven characters is no position's carrier.
      {"CarrierSevenCharacters",
       {{"BBNRUV", "1514136"}},
       {kDSLN201, at(1, kDSLN271), at(2, kDSLN271), at(3, kDSLN271)}},
      {"GtstBlank", {{"UV[2].GTST", ""}}, {at(2, kDSLN280)}},
      {"GtstBlankWithoutCompanyNumber",
       {{"UV[2].BBNRGT", ""}, {"UV[2].GTST", ""}},
       {at(2, kDSLN270)}},
      {"GtstBlankWithoutBbnrgt", {missing("UV[2].BBNRGT"), {"UV[2].GTST", ""}}, {at(2, kDSLN270)}},
      // F_Trim of a missing value has no length, not 0.
      {"GtstMissing", {missing("UV[2].GTST")}, {}},
      {"GtstSevenBlanks", {raw("UV[2].GTST", std::string(7, ' '))}, {at(2, kDSLN280)}},
      {"GtstSeventeenBlanks", {raw("UV[2].GTST", std::string(17, ' '))}, {at(2, kDSLN280)}},
      {"GtstOnlyLastCharacter", {raw("UV[2].GTST", "       1")}, {}},
      {"GtstOnlyLastOfSixteen",
       {raw("UV[2].GTST", std::string(15, ' ') + "1")},
       {at(2, "#P_GTST") + kTooLong}},
      {"GtstTooLong", {raw("UV[2].GTST", "123456789")}, {at(2, "#P_GTST") + kTooLong}},
      {"GtstBlanksBeforeTooLong", {raw("UV[2].GTST", std::string(9, ' '))}, {at(2, kDSLN280)}},
      {"UvegsummMissing", {missing("UV[2].UVEGSUMM")}, {at(2, kDSLN284)}},
      {"UvegsummNotNumeric", {{"UV[2].UVEGSUMM", "00000000000001X"}}, {at(2, kDSLN284)}},
      {"UvegsummTooLong",
       {raw("UV[2].UVEGSUMM", "0000000000000001")},
       {at(2, "#P_UVEGSUMM") + kTooLong}},
      {"UvegsummZeroForA09",
       carrier02379637(3, {{"UVGRUND", "A09"},
                           {"UV.UVEGSUMM", kZeros},
                           {"UV[2].UVEGSUMM", kZeros},
                           {"UV[3].UVEGSUMM", kZeros}}),
       {}},
      {"UvegsummPositiveForA09",
       carrier02379637(3,
                       {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}, {"UV[3].UVEGSUMM", kZeros}}),
       {at(2, kDSLN285)}},
      {"UvegsummRefusedForA09BeforeTooLong",
       carrier02379637(3, {{"UVGRUND", "A09"},
                           {"UV.UVEGSUMM", kZeros},
                           {"UV[3].UVEGSUMM", kZeros},
                           raw("UV[2].UVEGSUMM", "0000000000000001")}),
       {at(2, kDSLN285)}},
      {"ArbstdsummMissing", {missing("UV[2].ARBSTDSUMM")}, {at(2, kDSLN290)}},
      {"ArbstdsummNotNumeric", {{"UV[2].ARBSTDSUMM", "X"}}, {at(2, kDSLN290)}},
      {"ArbstdsummTooLong",
       {raw("UV[2].ARBSTDSUMM", "0000000000000001")},
       {at(2, "#P_ARBSTDSUMM") + kTooLong}},
      {"ArbstdsummNotNumericBeforeTooLong",
       {raw("UV[2].ARBSTDSUMM", std::string(16, 'X'))},
       {at(2, kDSLN290)}},
      {"AnzversgtstMissing", {missing("UV[2].ANZVERSGTST")}, {at(2, kDSLN295)}},
      {"AnzversgtstNotNumeric", {{"UV[2].ANZVERSGTST", "00001X"}}, {at(2, kDSLN295)}},
      {"AnzversgtstTooLong",
       {raw("UV[2].ANZVERSGTST", "0000010")},
       {at(2, "#P_ANZVERSGTST") + kTooLong}},
      {"AnzversgtstNotNumericBeforeTooLong",
       {raw("UV[2].ANZVERSGTST", std::string(7, 'X'))},
       {at(2, kDSLN295)}},
      {"FirstAndThirdPositionInElementOrder",
       {{"UV.GTST", ""}, {"UV[3].ANZVERSGTST", "X"}, {"UV[3].BBNRGT", "01064065"}},
       {at(1, kDSLN280), at(3, kDSLN271), at(3, kDSLN295)}},
      {"CancellationSwitchesOffTheCompanyNumberRules",
       {{"KENNZST", "J"},
        missing("UV.BBNRGT"),
        {"UV[2].BBNRGT", "12345671"},
        {"UV[3].BBNRGT", "01064065"},
        {"UV[2].GTST", ""}},
       {}},
      {"CancellationSwitchesOffTheEarningsRule", {{"KENNZST", "J"}, {"UVGRUND", "A09"}}, {}},
      {"CancellationKeepsTheNumericAndLengthTests",
       {{"KENNZST", "J"},
        {"UV[2].UVEGSUMM", "X"},
        missing("UV[2].ARBSTDSUMM"),
        raw("UV[2].ANZVERSGTST", "0000010"),
        raw("UV[3].GTST", "123456789")},
       {at(2, kDSLN284), at(2, kDSLN290), at(2, "#P_ANZVERSGTST") + kTooLong,
        at(3, "#P_GTST") + kTooLong}},
  };
  return cases;
}

// The report's own contact row, applied to a record with one tariff
// position and a contact person.
std::vector<RuleCase> contactCases() {
  return {{"BeforeThePositions",
           {{"AN.NAMEAP", ""}, {"UV.GTST", ""}, {"VF", "X"}},
           {kDSLN005, vexal::testing::kDBAP030, at(1, kDSLN280)}}};
}

class Dsln01HeaderRuleTest : public ::testing::TestWithParam<RuleCase> {};
class Dsln01PositionRuleTest : public ::testing::TestWithParam<RuleCase> {};
class Dsln01ContactRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsln01HeaderRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  vexal::testing::expectRuleCase(*dsln01::makeHarness(), dsln01::validRecord(), GetParam());
}

TEST_P(Dsln01PositionRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  vexal::testing::expectRuleCase(*dsln01::makeHarness(), dsln01::validRecordWithPositions(3),
                                 GetParam());
}

// Without a section observer the rules answer in place of the text
// functions, which open no section then: the findings stay the same.
TEST_P(Dsln01HeaderRuleTest, ReportsTheSameWithoutASectionObserver) {
  auto h = dsln01::makeHarness();
  h->ctx().setSectionObserver(nullptr);
  vexal::testing::expectRuleCase(*h, dsln01::validRecord(), GetParam());
}

TEST_P(Dsln01PositionRuleTest, ReportsTheSameWithoutASectionObserver) {
  auto h = dsln01::makeHarness();
  h->ctx().setSectionObserver(nullptr);
  vexal::testing::expectRuleCase(*h, dsln01::validRecordWithPositions(3), GetParam());
}

TEST_P(Dsln01ContactRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  vexal::testing::expectRuleCase(*dsln01::makeHarness(), dsln01::validRecordWithContact(),
                                 GetParam());
}

using vexal::testing::RowName;
INSTANTIATE_TEST_SUITE_P(Shared, Dsln01HeaderRuleTest,
                         ::testing::ValuesIn(vexal::testing::headerRuleCases(kReport)), RowName());
INSTANTIATE_TEST_SUITE_P(Own, Dsln01HeaderRuleTest, ::testing::ValuesIn(headerCases()), RowName());
INSTANTIATE_TEST_SUITE_P(Messages, Dsln01PositionRuleTest, ::testing::ValuesIn(positionCases()),
                         RowName());
INSTANTIATE_TEST_SUITE_P(Shared, Dsln01ContactRuleTest,
                         ::testing::ValuesIn(vexal::testing::contactRuleCases()), RowName());
INSTANTIATE_TEST_SUITE_P(Own, Dsln01ContactRuleTest, ::testing::ValuesIn(contactCases()),
                         RowName());

// A tariff position keeps what it found of its last number and is given
// the record's values anew for every record: the records one after
// another in the same harness, each with the findings of its own values.
TEST(Dsln01PositionRuleTest, EachRecordAnswersWithItsOwnValues) {
  const std::vector<RuleCase> kRecords = {
      {"WithoutCancellationMark",
       {missing("KENNZST"), {"UV[2].BBNRGT", "12345671"}},
       {"#P_KENNZST DSLN130 KENNZ-STORNO ungleich N oder J"}},
      {"Carrier", {}, {}},
      {"OutsideAnnex7", {{"UV[2].BBNRGT", "12345671"}}, {at(2, kDSLN270)}},
      {"OutsideAnnex7Again", {{"UV[2].BBNRGT", "12345671"}}, {at(2, kDSLN270)}},
      {"CarrierAgain", {}, {}},
      {"WithoutCarrier", {missing("BBNRUV"), {"UV[2].BBNRGT", "01064065"}}, {kDSLN200}},
      {"OtherCarrier", {{"UV[2].BBNRGT", "01064065"}}, {at(2, kDSLN271)}},
      {"ExceptionalNumber", {{"UV[2].BBNRGT", "47009510"}}, {at(2, kDSLN271)}},
      {"Cancellation", {{"KENNZST", "J"}, {"UV[2].BBNRGT", "12345671"}, {"UV[2].GTST", ""}}, {}},
      {"GtstBlank", {{"UV[2].GTST", ""}}, {at(2, kDSLN280)}},
      {"PositiveForA09",
       carrier02379637(3,
                       {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}, {"UV[3].UVEGSUMM", kZeros}}),
       {at(2, kDSLN285)}},
      {"PositiveForA09InCancellation",
       carrier02379637(3, {{"KENNZST", "J"},
                           {"UVGRUND", "A09"},
                           {"UV.UVEGSUMM", kZeros},
                           {"UV[3].UVEGSUMM", kZeros}}),
       {}},
      {"PositiveWithoutReason", {}, {}},
  };
  for (bool observed : {true, false}) {
    auto h = dsln01::makeHarness();
    if (!observed) h->ctx().setSectionObserver(nullptr);
    for (const RuleCase& record : kRecords) {
      SCOPED_TRACE(std::string(record.name) + (observed ? " observed" : " unobserved"));
      vexal::testing::expectRuleCase(*h, dsln01::validRecordWithPositions(3), record);
    }
  }
}

TEST(Dsln01ContactBlockTest, RunsOnlyForExactlyOneAnnouncedContactPerson) {
  auto h = dsln01::makeHarness();
  vexal::testing::RecordBuilder two = dsln01::validRecordWithContact();
  two.set("AN.KE", "DBAX");
  two.addGroup("AN").set("AN[2].KE", "DBAX");
  h->checkValues(two.values());
  EXPECT_THAT(h->ruleFindings(), IsEmpty());
  EXPECT_THAT(h->sections.started, ::testing::Not(::testing::Contains("Pr\xFC"
                                                                      "fung P_KE|1")));
  // Announced but absent: nothing to check.
  h->checkValues(dsln01::validRecord().set("MMDBAP", "J").values());
  EXPECT_THAT(h->ruleFindings(), IsEmpty());
  // The same record with one contact person does run the block.
  h->checkValues(dsln01::validRecordWithContact().set("AN.KE", "DBAX").values());
  EXPECT_THAT(h->ruleFindings(), ElementsAre("AN[1]#P_KE DBAP010 KENNUNG ungleich DBAP"));
  EXPECT_THAT(h->sections.started, ::testing::Contains("Pr\xFC"
                                                       "fung P_KE|1"));
}

}  // namespace

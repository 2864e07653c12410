// DSLN_01 as a whole: whole record lines with several tariff positions, the
// order of the procedures, the rule functions called by name, the attributes
// of its findings and the record values each tariff position receives.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSLN_01/dsln01_record.h"
#include "pl/plausi_problem.h"
#include "pl/value.h"
#include "shared/carrier_numbers.h"
#include "support/matchers.h"
#include "support/rule_cases.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::missing;
using vexal::testing::raw;

TEST(Dsln01RecordTest, WholeLinesCountTheirTariffPositions) {
  auto h = dsln01::makeHarness();
  vexal::testing::RecordBuilder record = dsln01::validRecordWithPositions(3);
  record.set("MMDBAP", "J");
  dsln01::addContact(record);
  std::string line = record.line();
  ASSERT_EQ(line.size(), 494u + 3 * 59u + 321u);
  h->check(line);
  EXPECT_THAT(h->ids(), IsEmpty());
  h->check(record.set("UV[3].GTST", "").line());
  EXPECT_THAT(h->ruleFindings(),
              ElementsAre("UV[3]#P_GTST DSLN280 GT-STELLE Grundstellung unzul\xE4ssig"));
  EXPECT_TRUE(h->sections.balanced());
}

// The longest report: 99 tariff positions and the contact person, 6,656
// characters. It checks like any other line, and a fault in a position
// deep inside it is found at that occurrence alone.
TEST(Dsln01RecordTest, NinetyNinePositionsWithContactPersonCheckLikeAnyLine) {
  auto h = dsln01::makeHarness();
  vexal::testing::RecordBuilder record = dsln01::validRecordWithPositions(99);
  record.set("MMDBAP", "J");
  dsln01::addContact(record);
  const std::string line = record.line();
  ASSERT_EQ(line.size(), 6656u);
  h->check(line);
  EXPECT_EQ(h->cut().expected_length, 6656u);
  EXPECT_EQ(h->cut().actual_length, 6656u);
  EXPECT_THAT(h->ids(), IsEmpty());
  EXPECT_TRUE(h->sections.balanced());
  EXPECT_THAT(h->errors.lines, IsEmpty());

  h->check(vexal::testing::RecordBuilder(record).set("UV[50].GTST", "").line());
  EXPECT_THAT(h->ruleFindings(),
              ElementsAre("UV[50]#P_GTST DSLN280 GT-STELLE Grundstellung unzul\xE4ssig"));
  ASSERT_EQ(h->findingCount(), 1u);
  EXPECT_STREQ(h->finding(0).getReferenceTopic(), "UV");

  h->check(vexal::testing::RecordBuilder(record).set("UV[50].UVEGSUMM", "1234X").line());
  EXPECT_THAT(h->ids(), ElementsAre("UV[50].UVEGSUMM#UVEGSUMM", "UV[50]#P_UVEGSUMM"));

  // The first and the last occurrence name themselves too.
  h->check(vexal::testing::RecordBuilder(record)
               .set("UV.BBNRGT", "01064065")
               .set("UV[99].BBNRGT", "01064065")
               .line());
  EXPECT_THAT(h->ruleFindings(),
              ElementsAre("UV[1]#P_BBNRGT DSLN271 BBNR-GTS und BBNR-UV nicht identisch",
                          "UV[99]#P_BBNRGT DSLN271 BBNR-GTS und BBNR-UV nicht identisch"));

  // The elements reused for the next line keep nothing of the faults.
  h->check(line);
  EXPECT_THAT(h->ids(), IsEmpty());
  EXPECT_TRUE(h->sections.balanced());
}

TEST(Dsln01RecordTest, ProceduresRunInTheirOrderAndAreSkippedAboveLevelOne) {
  auto h = dsln01::makeHarness();
  h->ctx().setProblemWeightLevel(2);
  vexal::testing::RecordBuilder record = dsln01::validRecordWithPositions(2);
  record.set("MMDBAP", "J").set("VF", "XXXXX");
  dsln01::addContact(record).drop("AN.NAME1");
  h->checkValues(record.values());
  EXPECT_THAT(h->ids(), ElementsAre("AN[1].NAME1#NAME1"));
  std::vector<std::string> expected;
  auto skipped = [&](std::initializer_list<const char*> procedures) {
    for (const char* p : procedures)
      expected.push_back(std::string("Pruefung wg. Fehlergewichtsschranke ausgelassen: ") + p);
  };
  skipped({"P_VF",      "P_ABSN",     "P_EPNR",   "P_VERNRLN", "P_NEVERNR", "P_VERNRDSLN",
           "P_ED",      "P_INTERN",   "P_MMFU",   "P_FEKZ",    "P_FEAN",    "P_RESERVE1",
           "P_PRODID",  "P_MODID",    "P_DSID",   "P_VOID",    "P_KENNZST", "P_RESERVE2",
           "P_MMUEB",   "P_RESERVE3", "P_BBNRUV", "P_MNR",     "P_PIN",     "P_LFDNR",
           "P_MJAHR",   "P_BBNRLB",   "P_BBNRAS", "P_MMDBAP",  "P_MDGRUND", "P_UVGRUND",
           "P_ANZVERS", "P_ANUV"});
  skipped({"P_KE", "P_ANRAP", "P_NAMEAP", "P_TELAP", "P_FAXAP", "P_EMAILAP", "P_NAME1", "P_NAME2",
           "P_NAME3", "P_PLZ", "P_ORT", "P_STR", "P_NR"});
  for (int n = 0; n < 2; ++n)
    skipped({"P_BBNRGT", "P_GTST", "P_UVEGSUMM", "P_ARBSTDSUMM", "P_ANZVERSGTST"});
  std::vector<std::string> trace;
  for (const std::string& line : h->trace.lines) {
    if (line.rfind("Pruefung wg.", 0) == 0) trace.push_back(line);
  }
  EXPECT_THAT(trace, ElementsAreArray(expected));
}

// Each tariff position works with the BBNRUV, KENNZST and UVGRUND of the
// record under check, also when the elements are reused for the next one.
TEST(Dsln01RecordTest, PositionsTakeTheRecordValuesOfEachRecord) {
  constexpr char kDSLN271[] = "UV[2]#P_BBNRGT DSLN271 BBNR-GTS und BBNR-UV nicht identisch";
  constexpr char kDSLN285[] =
      "#P_UVEGSUMM DSLN285 UV-EG-SUMME (ungleich Nullen) ist bei UV-GRUND nicht zul\xE4ssig";
  vexal::testing::RecordBuilder other_carrier = dsln01::validRecordWithPositions(3);
  other_carrier.set("UV[2].BBNRGT", "01064065");
  vexal::testing::RecordBuilder a09 = dsln01::validRecordWithPositions(3);
  a09.set("BBNRUV", "02379637").set("UVGRUND", "A09");
  for (const char* bbnrgt : {"UV.BBNRGT", "UV[2].BBNRGT", "UV[3].BBNRGT"})
    a09.set(bbnrgt, "02379637");
  struct Step {
    vexal::testing::RecordBuilder record;
    std::vector<std::string> findings;
  };
  std::vector<Step> steps = {
      {other_carrier, {kDSLN271}},
      {vexal::testing::RecordBuilder(other_carrier).set("KENNZST", "J"), {}},
      {vexal::testing::RecordBuilder(other_carrier)
           .set("BBNRUV", "63800761")
           .set("MNR", "12345678901"),
       {}},
      {a09,
       {"UV[1]" + std::string(kDSLN285), "UV[2]" + std::string(kDSLN285),
        "UV[3]" + std::string(kDSLN285)}},
      {vexal::testing::RecordBuilder(a09).set("UVGRUND", ""), {}},
      {other_carrier, {kDSLN271}},
  };
  auto h = dsln01::makeHarness();
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    h->checkValues(steps[i].record.values());
    EXPECT_THAT(h->ruleFindings(), ElementsAreArray(steps[i].findings));
  }
}

TEST(Dsln01FindingTest, ReferenceTopicsAndTheFixedProcedureText) {
  auto h = dsln01::makeHarness();
  h->checkValues(dsln01::validRecordWithContact()
                     .set("VF", "UVSDD")
                     .set("MMFU", "X")
                     .set("AN.KE", "DBAX")
                     .set("UV.GTST", "")
                     .values());
  EXPECT_THAT(h->ids(), ElementsAre("#P_VF", "#P_MMFU", "AN[1]#P_KE", "UV[1]#P_GTST"));
  ASSERT_EQ(h->findingCount(), 4u);
  const char* topics[] = {"DSLN_01", "DSLN_01", "AN", "UV"};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(h->finding(i).getReferenceTopic(), topics[i]);
    EXPECT_EQ(h->finding(i).getProblemType(), pl::ProblemType::kRule);
    EXPECT_EQ(h->finding(i).getWeight(), 1);
    EXPECT_STREQ(h->finding(i).getLongDescription(), h->finding(i).getShortDescription());
  }
  EXPECT_STREQ(h->finding(0).getShortDescription(), "DSLN005 VERFAHREN ungleich UVELN");
  EXPECT_STREQ(h->finding(1).getShortDescription(), "DSLN060 MM-FUV-DATEN ungleich N oder J");
}

struct FieldFindingCase {
  const char* name;
  std::vector<vexal::testing::Change> changes;
  std::vector<std::pair<std::string, int>> findings;  // (id, info type)
};

void PrintTo(const FieldFindingCase& c, std::ostream* os) { *os << c.name; }

class Dsln01FieldCheckTest : public ::testing::TestWithParam<FieldFindingCase> {};

TEST_P(Dsln01FieldCheckTest, ReportsTheFirstFailingTypeTest) {
  auto h = dsln01::makeHarness();
  vexal::testing::RecordBuilder record = dsln01::validRecordWithPositions(3);
  h->checkValues(vexal::testing::apply(record, GetParam().changes).values());
  EXPECT_THAT(h->fieldFindings(), ElementsAreArray(GetParam().findings));
}

const std::vector<FieldFindingCase>& fieldFindingCases() {
  static const std::vector<FieldFindingCase> cases = {
      {"Valid", {}, {}},
      {"NevernrMissing", {missing("NEVERNR")}, {}},
      {"NevernrNotConform", {{"NEVERNR", "1A"}}, {{"NEVERNR#NEVERNR", 2}}},
      {"NevernrTooLong", {raw("NEVERNR", "123")}, {{"NEVERNR#NEVERNR", 3}}},
      {"AnuvNotConform", {{"ANUV", "1A"}}, {{"ANUV#ANUV", 2}}},
      {"AnuvMissing", {missing("ANUV")}, {{"ANUV#ANUV", 1}}},
      {"MandatoryNumericMissing", {missing("FEKZ")}, {{"FEKZ#FEKZ", 1}}},
      {"PositionFieldNotConform", {{"UV[2].UVEGSUMM", "X"}}, {{"UV[2].UVEGSUMM#UVEGSUMM", 2}}},
      {"PositionFieldTooLong", {raw("UV[3].GTST", "123456789")}, {{"UV[3].GTST#GTST", 3}}},
      {"OptionalPositionFieldMissing", {missing("UV[2].ARBSTDSUMM")}, {}},
      {"MandatoryPositionFieldMissing",
       {missing("UV[2].ANZVERSGTST")},
       {{"UV[2].ANZVERSGTST#ANZVERSGTST", 1}}},
  };
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Fields, Dsln01FieldCheckTest, ::testing::ValuesIn(fieldFindingCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Dsln01FindingTest, NumericFieldFindingsCarryTheirMask) {
  auto h = dsln01::makeHarness();
  h->checkValues(dsln01::validRecord().set("INTERN", "X").set("UV.ARBSTDSUMM", "X").values());
  ASSERT_EQ(h->findingCount(), 3u);  // INTERN, ARBSTDSUMM and DSLN290
  const pl::PlausiProblem& intern = h->finding(0);
  EXPECT_STREQ(intern.getId(), "INTERN#INTERN");
  EXPECT_EQ(intern.getProblemType(), pl::ProblemType::kField);
  EXPECT_EQ(intern.getWeight(), 9);
  EXPECT_STREQ(intern.getReferenceTopic(), "Merkmalpruefung");
  EXPECT_STREQ(intern.getShortDescription(), "Ihre Eingabe ist unzul\xE4ssig.");
  EXPECT_STREQ(intern.getFieldDisplayName(), "INTERN");
  EXPECT_EQ(static_cast<int>(intern.getFieldType()), 2);
  EXPECT_EQ(intern.getFieldLength(), 20);
  EXPECT_EQ(std::string(intern.getFieldMask()), "0" + std::string(20, '#'));
  const pl::PlausiProblem& hours = h->finding(1);
  EXPECT_STREQ(hours.getId(), "UV[1].ARBSTDSUMM#ARBSTDSUMM");
  EXPECT_EQ(std::string(hours.getFieldMask()), "0" + std::string(15, '#'));
  EXPECT_EQ(hours.getFieldLength(), 15);
  EXPECT_STREQ(h->finding(2).getId(), "UV[1]#P_ARBSTDSUMM");
}

// The carriers that may report under contribution reason "A09".
TEST(Dsln01ByNameTest, Annex19bHoldsItsCarriers) {
  auto h = dsln01::makeHarness();
  auto annex19b = [&](const std::string& bbnr) {
    h->ctx().setInitParam("wert", bbnr);
    return std::string(h->plausi().callFunction(&h->ctx(), "F_IstBbnrAnlage19b")->getString());
  };
  for (std::string_view bbnr : vexal::shared::kAnnex19bCarriers) {
    EXPECT_EQ(annex19b(std::string(bbnr)), "true") << bbnr;
  }
  EXPECT_EQ(annex19b(" 98705576 "), "true");
  for (const char* bbnr : {"15141364", "14066582", "47009510", "0106406", ""})
    EXPECT_EQ(annex19b(bbnr), "false") << bbnr;
}

}  // namespace

// DSAS_01 as a whole: its layout and registrations, whole record lines, the
// switch day when it is unusable, and the rule functions called by name.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSAS_01/dsas01_record.h"
#include "pl/mapping.h"
#include "pl/plausi_problem.h"
#include "pl/value.h"
#include "support/layout_fields.h"
#include "support/matchers.h"
#include "support/registrations.h"

namespace {

using namespace vexal::testing::matchers;

using vexal::testing::expectLengths;
using vexal::testing::LayoutField;

// The fields a query may leave out; all others are mandatory.
const std::set<std::string> kOptional = {"NEVERNR",  "VERNRDSAS", "RESERVE1", "RESERVE2",
                                         "RESERVE3", "AN.ANRAP",  "AN.FAXAP", "AN.EMAILAP",
                                         "AN.NAME2", "AN.NAME3",  "AN.STR",   "AN.NR"};

std::vector<LayoutField> fields() { return vexal::testing::layoutFields(*dsas01::layout()); }

class Dsas01FieldCheckTest : public ::testing::TestWithParam<LayoutField> {};

TEST_P(Dsas01FieldCheckTest, MissingOnlyWhenMandatoryTooLongBeyondTheLayoutLength) {
  vexal::testing::expectFieldChecks(*dsas01::makeHarness(), dsas01::validRecordWithContact(),
                                    GetParam(), kOptional.count(GetParam().path) == 1);
}

INSTANTIATE_TEST_SUITE_P(Fields, Dsas01FieldCheckTest, ::testing::ValuesIn(fields()),
                         [](const auto& info) {
                           std::string name = info.param.path;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

TEST(Dsas01LayoutTest, FieldsHoldTheirLengths) {
  const std::vector<LayoutField> all = fields();
  EXPECT_EQ(all.size(), 29u + 13u);
  std::set<std::string> paths;
  for (const LayoutField& f : all) paths.insert(f.path);
  // Every optional field is one of the layout.
  EXPECT_TRUE(std::includes(paths.begin(), paths.end(), kOptional.begin(), kOptional.end()));
  // Lengths chosen by hand.
  expectLengths(all, {{"ABSN", 15},
                      {"AFGRUND", 4},
                      {"FEAN", 1},
                      {"MNR", 20},
                      {"RESERVE1", 100},
                      {"RESERVE3", 100},
                      {"AN.NR", 9},
                      {"AN.EMAILAP", 70},
                      {"AN.ORT", 34}});
}

TEST(Dsas01ConstructionTest, RegistrationsMappingAndLayout) {
  DSAS_01::Plausi_DSAS_01 plausi;
  const std::vector<std::string> keys = vexal::testing::fieldCheckKeys(plausi);
  // Registered in byte order, each field of the layout once.
  std::vector<std::string> expected;
  for (const LayoutField& f : fields()) expected.push_back(f.path);
  std::sort(expected.begin(), expected.end());
  EXPECT_THAT(keys, ElementsAreArray(expected));
  // One check serves the record's and the contact person's identifier.
  pl::FieldCheckProc ke = nullptr, an_ke = nullptr;
  for (const auto& [key, check] : plausi.fieldCheckProcs()) {
    if (key == "KE") ke = check;
    if (key == "AN.KE") an_ke = check;
  }
  EXPECT_NE(ke, nullptr);
  EXPECT_EQ(ke, an_ke);

  const std::vector<std::string> mapped = vexal::testing::mappingEntries(*plausi.mapping());
  ASSERT_EQ(mapped.size(), 1u + 29u + 13u + 1u);
  EXPECT_EQ(mapped[0], "=");
  EXPECT_EQ(mapped[1], "KE=KE");
  EXPECT_EQ(mapped[29], "AFGRUND=AFGRUND");
  EXPECT_EQ(mapped[30], "AN.KE=KE");
  EXPECT_EQ(mapped[42], "AN.NR=NR");
  EXPECT_EQ(mapped[43], "AN=AN");

  const RecordDefinition& layout = *dsas01::layout();
  ASSERT_EQ(layout.getFieldDefinitionCount(), 30u);
  unsigned root_length = 0;
  for (std::size_t i = 0; i < 29; ++i)
    root_length += layout.getFieldDefinition(i)->asSingle()->getLength();
  EXPECT_EQ(root_length, 463u);
  const StructureFieldDefinition* group = layout.getFieldDefinition(29)->asStructure();
  ASSERT_NE(group, nullptr);
  EXPECT_STREQ(group->getName(), "AN");
  ASSERT_NE(group->getExistenceCondition(), nullptr);
  EXPECT_STREQ(group->getExistenceCondition()->getFieldName(), "MMDBAP");
  EXPECT_STREQ(group->getExistenceCondition()->getValue(), "J");
  EXPECT_EQ(group->getFieldDefinitionCount(), 13u);
}

TEST(Dsas01RecordTest, AnnouncedContactPersonMissingFromTheLine) {
  auto h = dsas01::makeHarness();
  h->check(dsas01::validRecord().set("MMDBAP", "J").line());
  // Field stage in record order, then the block's procedures.
  EXPECT_THAT(h->ids(), ElementsAre("AN[1].KE#KE", "AN[1].NAMEAP#NAMEAP", "AN[1].TELAP#TELAP",
                                    "AN[1].NAME1#NAME1", "AN[1].PLZ#PLZ", "AN[1].ORT#ORT",
                                    "AN[1]#P_KE", "AN[1]#P_NAMEAP", "AN[1]#P_TELAP",
                                    "AN[1]#P_NAME1", "AN[1]#P_PLZ", "AN[1]#P_ORT"));
  ASSERT_GE(h->findingCount(), 7u);
  EXPECT_STREQ(h->finding(6).getReferenceTopic(), "AN");
  EXPECT_STREQ(h->finding(6).getShortDescription(), "DBAP010 KENNUNG ungleich DBAP");
}

TEST(Dsas01SwitchDayTest, UnusableSwitchDayBecomesTheProceduresFinding) {
  auto h = dsas01::makeHarness();
  h->ctx().removeInitParam("ipMjahrSchalttag");
  h->checkValues(dsas01::validRecord().values());
  ASSERT_EQ(h->findingCount(), 1u);
  EXPECT_STREQ(h->finding(0).getId(), "#P_MJAHR");
  ASSERT_NE(h->finding(0).getException(), nullptr);
  EXPECT_THAT(h->finding(0).getException(), ::testing::StartsWith("Ung\xFC"
                                                                  "ltiges Datum"));
  EXPECT_TRUE(h->sections.balanced());
}

struct CallCase {
  const char* function;
  std::vector<std::pair<const char*, const char*>> parameters;
  const char* result;  // getString() of the result
};

void PrintTo(const CallCase& c, std::ostream* os) { *os << c.function; }

const std::vector<CallCase>& callCases() {
  static const std::vector<CallCase> cases = {
      {"F_GibBbnrPruefziffer", {{"wert", "1234567"}}, "1"},
      {"F_PruefeBetriebsnummer", {{"bbnr", "12345676       "}}, "1"},
      {"F_PruefeGesonderteBetriebsnummer", {{"bbnr", "A1234569       "}}, "1"},
      {"F_PruefeGesonderteBetriebsnummer", {{"bbnr", "A1234569"}}, "0"},
      {"F_GibZulaessigeMNRLaenge", {{"uvtraeger", "15141364"}, {"mnrLaenge", "9"}}, "true"},
      {"F_GibZulaessigeMNRLaenge", {{"uvtraeger", "15141364"}, {"mnrLaenge", "8"}}, "false"},
      {"F_IstMNRZeichenZulaessig", {{"uvtraeger", "01681222"}, {"mnr", "12-3/p"}}, "true"},
      {"F_IstMNRZeichenZulaessig", {{"uvtraeger", "01681222"}, {"mnr", "12.3"}}, "false"},
      {"F_IstBbnrAnlage20", {{"wert", " 47009510 "}}, "true"},
      {"F_IstBbnrAnlage7", {{"paramBbnr", "47009510"}}, "false"},
      {"F_IstBbnrAnlage7", {{"paramBbnr", "18477668"}}, "false"},  // the record's MJAHR is 2023
      {"F_IstMjahrFreigeschaltet",
       {{"paramMeldejahr", "2027"}, {"paramSchalttag", "1201"}},
       "true"},
      {"F_IstMjahrFreigeschaltet",
       {{"paramMeldejahr", "2027"}, {"paramSchalttag", "1210"}},
       "false"},
      {"F_IstDsIdVoIdKonform", {{"wert", "ab-1"}}, "true"},
      {"F_IstLinksb\xFCndig", {{"Zeichenkette", " x"}}, "false"},
      {"F_IstLeerzeichen", {{"Zeichenkette", "  "}}, "true"},
      {"F_Trim", {{"Zeichenkette", " x "}}, "x"},
      {"F_PruefeMJAHR", {}, "1"},
      {"F_Pruefe", {}, "1"},
  };
  return cases;
}

class Dsas01CallTest : public ::testing::TestWithParam<CallCase> {};

TEST_P(Dsas01CallTest, AnswersFromItsInitParameters) {
  auto h = dsas01::makeHarness();
  h->checkValues(dsas01::validRecord().values());
  for (const auto& [name, value] : GetParam().parameters) h->ctx().setInitParam(name, value);
  pl::Value* result = h->plausi().callFunction(&h->ctx(), GetParam().function);
  EXPECT_STREQ(result->getString(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(ByName, Dsas01CallTest, ::testing::ValuesIn(callCases()));

TEST(Dsas01ByNameTest, IdCheckLeavesTheRefusedCharacterInTheRootText) {
  auto h = dsas01::makeHarness();
  h->ctx().setInitParam("wert", "ab_c");
  EXPECT_STREQ(h->plausi().callFunction(&h->ctx(), "F_IstDsIdVoIdKonform")->getString(), "false");
  auto* root = static_cast<DSAS_01::TB_DSAS_01*>(h->plausi().rootTopic());
  EXPECT_STREQ(root->hf_fehlertext->get(&h->ctx())->getString(), "Zeichen \"_\" unzul\xE4ssig.");
}

TEST(Dsas01ByNameTest, StandardAblaufRunsUnderItsNameAndWithoutOne) {
  auto h = dsas01::makeHarness();
  h->checkValues(dsas01::validRecord().set("VF", "UVXXX").values());
  ASSERT_EQ(h->ruleFindings().size(), 1u);
  h->plausi().callProcedure(&h->ctx(), "StandardAblauf");
  h->plausi().callProcedure(&h->ctx(), nullptr);
  EXPECT_EQ(h->ruleFindings(), std::vector<std::string>(3, h->ruleFindings()[0]));
}

}  // namespace

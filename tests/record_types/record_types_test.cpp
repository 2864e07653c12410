// What every record type does alike, one row a type: its valid lines pass,
// it names itself and its build, its procedures are skipped above weight
// level one, its by-name table holds exactly its functions, of which only
// some clear the error text, it refuses names it does not know, and the
// highest reporting year follows the switch day.

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pl/plausi_problem.h"
#include "support/error_text.h"
#include "support/matchers.h"
#include "support/record_types.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::Harness;
using vexal::testing::RecordBuilder;
using vexal::testing::thrownBy;

// A record type's harness and valid records.
struct RecordType {
  const char* name;
  std::unique_ptr<Harness> (*makeHarness)();
  RecordBuilder (*validRecord)();
  RecordBuilder (*validRecordWithContact)();  // null: the type has no contact person
  const char* (*layoutRecordType)();
};

template <class Records>
const char* layoutRecordType() {
  return Records::layout()->getRecordType();
}

template <class Records>
constexpr RecordType recordType(const char* name, bool contact) {
  return {name, &Records::makeHarness, &Records::validRecord,
          contact ? &Records::validRecordWithContact : nullptr, &layoutRecordType<Records>};
}

constexpr RecordType kDsko04 = recordType<dsko04>("DSKO_04", false);
constexpr RecordType kDsas01 = recordType<dsas01>("DSAS_01", true);
constexpr RecordType kDsas02 = recordType<dsas02>("DSAS_02", true);
constexpr RecordType kDsln01 = recordType<dsln01>("DSLN_01", true);
constexpr RecordType kDsln02 = recordType<dsln02>("DSLN_02", true);

// Rows print and name their tests by their record type.
template <class Row>
std::string typeName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.type.name;
}

struct LineCase {
  RecordType type;
  std::size_t length;                   // of the valid line
  std::size_t contact_length;           // of the contact person
  std::vector<const char*> procedures;  // some that a valid line runs
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.type.name; }

class ValidLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ValidLineTest, PassesWithAndWithoutContactPerson) {
  const LineCase& c = GetParam();
  auto h = c.type.makeHarness();
  std::string line = c.type.validRecord().line();
  ASSERT_EQ(line.size(), c.length);
  h->check(line);
  EXPECT_THAT(h->ids(), IsEmpty());
  if (c.type.validRecordWithContact != nullptr) {
    line = c.type.validRecordWithContact().line();
    ASSERT_EQ(line.size(), c.length + c.contact_length);
    h->check(line);
    EXPECT_THAT(h->ids(), IsEmpty());
  }
  EXPECT_TRUE(h->sections.balanced());
  for (const char* procedure : c.procedures) {
    EXPECT_THAT(h->sections.started, Contains(std::string("Pr\xFC") + "fung " + procedure + "|1"));
  }
}

// A header of 494 characters and one tariff position of 59 in a wage
// report; a contact person of 321.
INSTANTIATE_TEST_SUITE_P(
    RecordTypes, ValidLineTest,
    ::testing::Values(LineCase{kDsko04, 415, 0, {"P_VF", "P_EMAILAP"}},
                      LineCase{kDsas01, 463, 321, {"P_NAMEAP"}},
                      LineCase{kDsas02, 463, 321, {"P_UNRS", "P_NAMEAP"}},
                      LineCase{kDsln01, 494 + 59, 321, {"P_UVGRUND", "P_NAMEAP"}},
                      LineCase{kDsln02, 494 + 59, 321, {"P_ZRBIS", "P_NAMEAP"}}),
    typeName<LineCase>);

struct IdentityCase {
  RecordType type;
  const char* build_stamp;
  const char* field;  // set to `text`, it gives one rule finding of the root topic
  const char* text;
};

void PrintTo(const IdentityCase& c, std::ostream* os) { *os << c.type.name; }

class IdentityTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityTest, RecordTypeBuildStampAndReferenceTopic) {
  const IdentityCase& c = GetParam();
  auto h = c.type.makeHarness();
  EXPECT_STREQ(h->plausi().getRecordType(), c.type.name);
  EXPECT_STREQ(h->plausi().getBuildStamp(), c.build_stamp);
  EXPECT_STREQ(c.type.layoutRecordType(), c.type.name);
  h->checkValues(c.type.validRecord().set(c.field, c.text).values());
  ASSERT_EQ(h->findingCount(), 1u);
  EXPECT_STREQ(h->finding(0).getReferenceTopic(), c.type.name);
}

INSTANTIATE_TEST_SUITE_P(RecordTypes, IdentityTest,
                         ::testing::Values(IdentityCase{kDsko04, "20221017_130443", "VERNR", "03"},
                                           IdentityCase{kDsas01, "20221017_130443", "VF", "UVXXX"},
                                           IdentityCase{kDsas02, "20221017_130444", "UNRS",
                                                        "123456789017000"},
                                           IdentityCase{kDsln01, "20221017_130442", "VF", "UVSDD"},
                                           IdentityCase{kDsln02, "20221017_130443", "ZRVON", ""}),
                         typeName<IdentityCase>);

struct SkippedCase {
  RecordType type;
  const char* dropped;  // a mandatory field, left out
  const char* finding;  // its field finding
  const char* fields;   // whose procedures P_<field> run, in this order, blank-separated
};

void PrintTo(const SkippedCase& c, std::ostream* os) { *os << c.type.name; }

class SkippedProcedureTest : public ::testing::TestWithParam<SkippedCase> {};

// Above level one the rule stage is skipped, procedure by procedure; the
// field stage is not.
TEST_P(SkippedProcedureTest, ProceduresRunInTheirOrderAndAreSkippedAboveLevelOne) {
  const SkippedCase& c = GetParam();
  auto h = c.type.makeHarness();
  h->ctx().setProblemWeightLevel(2);
  RecordBuilder record = c.type.validRecordWithContact != nullptr ? c.type.validRecordWithContact()
                                                                  : c.type.validRecord();
  h->checkValues(record.set("VF", "XXXXX").drop(c.dropped).values());
  EXPECT_THAT(h->ids(), ElementsAreArray({c.finding}));
  std::vector<std::string> skipped;
  std::istringstream fields(c.fields);
  for (std::string field; fields >> field;) {
    skipped.push_back("Pruefung wg. Fehlergewichtsschranke ausgelassen: P_" + field);
  }
  std::vector<std::string> trace;
  for (const std::string& line : h->trace.lines) {
    if (line.rfind("Pruefung wg.", 0) == 0) trace.push_back(line);
  }
  EXPECT_THAT(trace, ElementsAreArray(skipped));
}

INSTANTIATE_TEST_SUITE_P(
    RecordTypes, SkippedProcedureTest,
    ::testing::Values(
        SkippedCase{kDsko04, "NAME1", "NAME1#NAME1",
                    "VF ABSN EPNR VERNR ED FEKZ FEAN ABSNER PRODID MODID NAME1 NAME2 NAME3 PLZ "
                    "ORT STR NR ANRAP NAMEAP TELAP FAXAP EMAILAP RESERVE"},
        // The root fields but KE, then the contact person's.
        SkippedCase{kDsas01, "AN.NAME1", "AN[1].NAME1#NAME1",
                    "VF ABSN EPNR VERNRAS NEVERNR VERNRDSAS ED MMFU FEKZ FEAN RESERVE1 PRODID "
                    "MODID DSID VOID KENNZST RESERVE2 MMUEB RESERVE3 BBNRUV MNR PIN LFDNR MJAHR "
                    "BBNRLB BBNRAS MMDBAP AFGRUND "
                    "KE ANRAP NAMEAP TELAP FAXAP EMAILAP NAME1 NAME2 NAME3 PLZ ORT STR NR"}),
    typeName<SkippedCase>);

// A type's by-name table: `based_on`'s (none: empty) without `removed`
// and with `added`, in byte order.
struct TableCase {
  RecordType type;
  const RecordType* based_on;
  std::vector<std::string> removed;
  std::vector<std::string> added;
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.type.name; }

std::vector<std::string> tableOf(const RecordType& type) {
  return vexal::testing::byNameTable(type.makeHarness()->plausi());
}

const std::vector<TableCase>& tableCases() {
  static const std::vector<TableCase> cases = {
      {kDsko04,
       nullptr,
       {},
       {"F_IstErlaubteEmail(wert)",
        "F_IstErlaubteEmailZeichen(wert)",
        "F_IstLeerzeichen(Zeichenkette)",
        "F_IstLinksb\xFCndig(Zeichenkette)",
        "F_PruefeABSN()",
        "F_PruefeABSNER()",
        "F_PruefeANRAP()",
        "F_PruefeED()",
        "F_PruefeEMAILAP()",
        "F_PruefeEPNR()",
        "F_PruefeFAXAP()",
        "F_PruefeFEAN()",
        "F_PruefeFEKZ()",
        "F_PruefeMODID()",
        "F_PruefeNAME1()",
        "F_PruefeNAME2()",
        "F_PruefeNAME3()",
        "F_PruefeNAMEAP()",
        "F_PruefeNR()",
        "F_PruefeORT()",
        "F_PruefePLZ()",
        "F_PruefePRODID()",
        "F_PruefeRESERVE()",
        "F_PruefeSTR()",
        "F_PruefeTELAP()",
        "F_PruefeVERNR()",
        "F_PruefeVF()",
        "F_Trim(Zeichenkette)"}},
      {kDsas01,
       nullptr,
       {},
       {"F_GibBbnrPruefziffer(wert)",
        "F_GibZulaessigeMNRLaenge(uvtraeger, mnrLaenge)",
        "F_IstBbnrAnlage20(wert)",
        "F_IstBbnrAnlage7(paramBbnr)",
        "F_IstDsIdVoIdKonform(wert)",
        "F_IstLeerzeichen(Zeichenkette)",
        "F_IstLinksb\xFCndig(Zeichenkette)",
        "F_IstMNRZeichenZulaessig(uvtraeger, mnr)",
        "F_IstMjahrFreigeschaltet(paramMeldejahr, paramSchalttag)",
        "F_Pruefe()",
        "F_PruefeABSN()",
        "F_PruefeAFGRUND()",
        "F_PruefeBBNRAS()",
        "F_PruefeBBNRLB()",
        "F_PruefeBBNRUV()",
        "F_PruefeBetriebsnummer(bbnr)",
        "F_PruefeDSID()",
        "F_PruefeEPNR()",
        "F_PruefeFEAN()",
        "F_PruefeFEKZ()",
        "F_PruefeGesonderteBetriebsnummer(bbnr)",
        "F_PruefeKENNZST()",
        "F_PruefeLFDNR()",
        "F_PruefeMJAHR()",
        "F_PruefeMMDBAP()",
        "F_PruefeMMFU()",
        "F_PruefeMMUEB()",
        "F_PruefeMNR()",
        "F_PruefeMODID()",
        "F_PruefeNEVERNR()",
        "F_PruefePIN()",
        "F_PruefePRODID()",
        "F_PruefeRESERVE1()",
        "F_PruefeRESERVE2()",
        "F_PruefeRESERVE3()",
        "F_PruefeVERNRAS()",
        "F_PruefeVERNRDSAS()",
        "F_PruefeVF()",
        "F_PruefeVOID()",
        "F_Trim(Zeichenkette)"}},
      // The wage report checks its own version fields, its creation date and
      // its tariff positions; the procedure, the query reason and the whole
      // record are checked by its procedures only.
      {kDsln01,
       &kDsas01,
       {"F_Pruefe()", "F_PruefeAFGRUND()", "F_PruefeVERNRAS()", "F_PruefeVERNRDSAS()",
        "F_PruefeVF()"},
       {"F_IstBbnrAnlage19b(wert)", "F_PruefeANUV()", "F_PruefeANZVERS()", "F_PruefeED()",
        "F_PruefeINTERN()", "F_PruefeMDGRUND()", "F_PruefeUVGRUND()", "F_PruefeVERNRDSLN()",
        "F_PruefeVERNRLN()"}},
      // Version 02 adds the enterprise number (and the wage report its
      // reporting period).
      {kDsas02,
       &kDsas01,
       {},
       {"F_GibUnrsPruefziffer(wert)", "F_IstNullen(Zeichenkette)", "F_PruefeUNRS()"}},
      {kDsln02,
       &kDsln01,
       {},
       {"F_GibUnrsPruefziffer(wert)", "F_IstNullen(Zeichenkette)", "F_IstUNRSGrundstellung()",
        "F_PruefeUNRS()", "F_PruefeZRBIS()", "F_PruefeZRVON()"}},
  };
  return cases;
}

class ByNameTableTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(ByNameTableTest, HoldsItsFunctionsInByteOrder) {
  const TableCase& c = GetParam();
  std::vector<std::string> expected;
  if (c.based_on != nullptr) expected = tableOf(*c.based_on);
  for (const std::string& row : c.removed) {
    auto it = std::find(expected.begin(), expected.end(), row);
    ASSERT_NE(it, expected.end()) << row;
    expected.erase(it);
  }
  expected.insert(expected.end(), c.added.begin(), c.added.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_THAT(tableOf(c.type), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(RecordTypes, ByNameTableTest, ::testing::ValuesIn(tableCases()),
                         typeName<TableCase>);

struct ClearingCase {
  RecordType type;
  std::size_t parameterless;  // how many rule functions take no parameters
  std::set<std::string> clearing;
};

void PrintTo(const ClearingCase& c, std::ostream* os) { *os << c.type.name; }

class ErrorTextTest : public ::testing::TestWithParam<ClearingCase> {};

// The rule functions without parameters pass on a valid record; a few of
// them clear hf_fehlertext before their tests, the others leave it as it
// was until a test fails.
TEST_P(ErrorTextTest, OnlySomeRuleFunctionsClearIt) {
  const ClearingCase& c = GetParam();
  auto h = c.type.makeHarness();
  h->checkValues(c.type.validRecord().values());
  std::vector<std::string> parameterless;
  for (const std::string& row : vexal::testing::byNameTable(h->plausi())) {
    if (row.size() > 2 && row.compare(row.size() - 2, 2, "()") == 0) {
      parameterless.push_back(row.substr(0, row.size() - 2));
    }
  }
  std::vector<const char*> names;
  for (const std::string& name : parameterless) names.push_back(name.c_str());
  ASSERT_EQ(names.size(), c.parameterless);
  EXPECT_EQ(vexal::testing::functionsClearingErrorText(*h, names), c.clearing);
}

INSTANTIATE_TEST_SUITE_P(
    RecordTypes, ErrorTextTest,
    ::testing::Values(
        ClearingCase{
            kDsko04,
            23,
            {"F_PruefeABSN", "F_PruefeABSNER", "F_PruefeANRAP", "F_PruefeED", "F_PruefeEPNR",
             "F_PruefeFEAN", "F_PruefeFEKZ", "F_PruefeMODID", "F_PruefeVERNR", "F_PruefeVF"}},
        ClearingCase{
            kDsas01,
            28,
            {"F_Pruefe", "F_PruefeABSN", "F_PruefeBBNRAS", "F_PruefeBBNRLB", "F_PruefeEPNR"}},
        ClearingCase{
            kDsln01, 31, {"F_PruefeABSN", "F_PruefeBBNRAS", "F_PruefeBBNRLB", "F_PruefeED"}}),
    typeName<ClearingCase>);

struct UnknownCase {
  RecordType type;
  std::vector<const char*> functions;  // unknown to callFunction
  const char* procedure;               // unknown to callProcedure
};

void PrintTo(const UnknownCase& c, std::ostream* os) { *os << c.type.name; }

class UnknownNameTest : public ::testing::TestWithParam<UnknownCase> {};

// Refused before any check and after one alike: an unknown name by
// PlausiException type 4 naming it, no name by type 9.
TEST_P(UnknownNameTest, RefusedByName) {
  const UnknownCase& c = GetParam();
  auto h = c.type.makeHarness();
  for (bool checked : {false, true}) {
    SCOPED_TRACE(checked ? "after a check" : "before any check");
    if (checked) h->checkValues(c.type.validRecord().values());
    for (const char* name : c.functions) {
      EXPECT_EQ(thrownBy([&] { h->plausi().callFunction(&h->ctx(), name); }),
                std::pair(4, std::string(name)));
    }
    EXPECT_EQ(thrownBy([&] { h->plausi().callFunction(&h->ctx(), nullptr); }),
              std::pair(9, std::string("Kein Funktionsname angegeben.")));
    EXPECT_EQ(thrownBy([&] { h->plausi().callProcedure(&h->ctx(), c.procedure); }),
              std::pair(4, std::string(c.procedure)));
  }
}

// The contact person's and the tariff position's functions are reached
// through their procedures only; a by-name key keeps its umlaut (the
// spelling of the error line is not a key) and its case; of the procedures
// only StandardAblauf, in that spelling.
INSTANTIATE_TEST_SUITE_P(
    RecordTypes, UnknownNameTest,
    ::testing::Values(UnknownCase{kDsko04, {"F_IstLinksbue__ndig", "F_PruefeKE"}, "P_VF"},
                      UnknownCase{kDsas01, {"F_PruefeKE"}, "standardablauf"},
                      UnknownCase{
                          kDsln01,
                          {"F_PruefeBBNRGT", "F_PruefeGTST", "F_PruefeUVEGSUMM", "F_PruefeKE",
                           "F_PruefeVF", "F_Pruefe", "F_PruefeAFGRUND", "f_pruefeabsn"},
                          "standardablauf"}),
    typeName<UnknownCase>);

// How the reporting year's switch day is told to the query and to the wage
// report: its version field is set to 02, its creation date lies before
// every processing date of its rows.
struct SwitchDayType {
  RecordType type;
  const char* version_field;
  const char* created;
};

const SwitchDayType kQuery = {kDsas01, "VERNRAS", "20260101120000000000"};
const SwitchDayType kReport = {kDsln01, "VERNRLN", "20240101120000000000"};

struct SwitchDayCase {
  SwitchDayType type;
  const char* name;
  int year, month, day;
  const char* switch_day;
  const char* mjahr;
  const char* finding;  // null: none
};

void PrintTo(const SwitchDayCase& c, std::ostream* os) { *os << c.type.type.name << ' ' << c.name; }

constexpr char kQueryBeyond0112[] =
    "#P_MJAHR DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach 01.12.)";
constexpr char kQueryBeyond0110[] =
    "#P_MJAHR DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach 01.10.)";
// The wage report's text does not name the switch day.
constexpr char kReportBeyond[] = "#P_MJAHR DSLN232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr)";

class SwitchDayTest : public ::testing::TestWithParam<SwitchDayCase> {};

// The next reporting year opens on the day after the switch day.
TEST_P(SwitchDayTest, HighestReportingYearFollowsTheSwitchDay) {
  const SwitchDayCase& c = GetParam();
  auto h = c.type.type.makeHarness();
  h->ctx().setProcessingDate(c.year, c.month, c.day);
  h->ctx().setInitParam("ipMjahrSchalttag", c.switch_day);
  h->checkValues(c.type.type.validRecord()
                     .set(c.type.version_field, "02")
                     .set("ED", c.type.created)
                     .set("MJAHR", c.mjahr)
                     .values());
  if (c.finding == nullptr) {
    EXPECT_THAT(h->ruleFindings(), IsEmpty());
  } else {
    EXPECT_THAT(h->ruleFindings(), ElementsAre(c.finding));
  }
}

// clang-format off
const SwitchDayCase kSwitchDays[] = {
    {kQuery, "OnTheSwitchDayOnlyTheCurrentYear", 2026, 12, 1, "1201", "2027", kQueryBeyond0112},
    {kQuery, "OnTheSwitchDayTheCurrentYear", 2026, 12, 1, "1201", "2026", nullptr},
    {kQuery, "TheDayAfterTheNextYear", 2026, 12, 2, "1201", "2027", nullptr},
    {kQuery, "TheDayAfterNotTheYearAfter", 2026, 12, 2, "1201", "2028", kQueryBeyond0112},
    {kQuery, "NewYearOnlyTheCurrentYear", 2027, 1, 1, "1201", "2028", kQueryBeyond0112},
    {kQuery, "NewYearTheCurrentYear", 2027, 1, 1, "1201", "2027", nullptr},
    {kQuery, "OtherSwitchDayNamedInTheText", 2026, 9, 30, "1001", "2027", kQueryBeyond0110},
    {kQuery, "AfterTheOtherSwitchDay", 2026, 10, 2, "1001", "2027", nullptr},
    {kReport, "TheDayAfterTheNextYear", 2024, 12, 2, "1201", "2025", nullptr},
    {kReport, "TheDayAfterNotTheYearAfter", 2024, 12, 2, "1201", "2026", kReportBeyond},
    {kReport, "OnTheSwitchDayOnlyTheCurrentYear", 2024, 12, 1, "1201", "2025", kReportBeyond},
    {kReport, "OnTheSwitchDayTheCurrentYear", 2024, 12, 1, "1201", "2024", nullptr},
    {kReport, "NewYearTheCurrentYear", 2025, 1, 1, "1201", "2025", nullptr},
    {kReport, "NewYearOnlyTheCurrentYear", 2025, 1, 1, "1201", "2026", kReportBeyond},
    {kReport, "OnAnotherSwitchDay", 2024, 10, 1, "1001", "2025", kReportBeyond},
    {kReport, "AfterAnotherSwitchDay", 2024, 10, 2, "1001", "2025", nullptr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(RecordTypes, SwitchDayTest, ::testing::ValuesIn(kSwitchDays),
                         [](const ::testing::TestParamInfo<SwitchDayCase>& info) {
                           return std::string(info.param.type.type.name) + "_" + info.param.name;
                         });

}  // namespace

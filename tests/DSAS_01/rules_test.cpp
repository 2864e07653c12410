// Each DSAS and DBAP message under the condition that produces it, and only
// there.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSAS_01/dsas01_record.h"
#include "support/rule_cases.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;

constexpr char kTooLong[] = " Feldinhalt zu lang.";
std::string with(const char* id, const char* text) { return std::string(id) + text; }

constexpr char kDSAS010[] =
    "#P_ABSN DSAS010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
constexpr char kDSAS012[] =
    "#P_ABSN DSAS012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)";
constexpr char kDSAS020[] = "#P_EPNR DSAS020 EMPFAENGERNUMMER ungleich 30517264";
constexpr char kDSAS050[] = "#P_ED DSAS050 DATUM-ERSTELLUNG nicht numerisch";
constexpr char kDSAS051[] = "#P_ED DSAS051 DATUM-ERSTELLUNG logisch falsch";
constexpr char kDSAS201[] = "#P_BBNRUV DSAS201 Unzul\xE4ssige BBNRUV";
constexpr char kDSAS211[] = "#P_MNR DSAS211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER";
constexpr char kDSAS212[] = "#P_MNR DSAS212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER";
constexpr char kDSAS220[] = "#P_PIN DSAS220 MNR-PIN nicht numerisch";
constexpr char kDSAS230[] = "#P_MJAHR DSAS230 MELDEJAHR nicht numerisch";
constexpr char kDSAS240[] =
    "#P_BBNRLB DSAS240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben";
constexpr char kDSAS241[] =
    "#P_BBNRAS DSAS241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";

const std::vector<RuleCase>& rootCases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"VfLowerCase", {{"VF", "uvsdd"}}, {"#P_VF DSAS005 VERFAHREN ungleich UVSDD"}},
      {"VfWithBlank", {raw("VF", "UVSDD ")}, {"#P_VF DSAS005 VERFAHREN ungleich UVSDD"}},
      {"VfMissing", {missing("VF")}, {"#P_VF DSAS005 VERFAHREN ungleich UVSDD"}},
      {"AbsnMissing", {missing("ABSN")}, {kDSAS010}},
      {"AbsnWrongCheckDigit", {{"ABSN", "12345672"}}, {kDSAS010}},
      {"AbsnCheckDigitPlusFive", {{"ABSN", "12345676"}}, {}},
      {"AbsnIndented", {{"ABSN", " 12345671"}}, {kDSAS010}},
      {"AbsnPrefix000", {{"ABSN", "00012340"}}, {kDSAS010}},
      {"AbsnShortField", {raw("ABSN", "12345671      ")}, {kDSAS010}},
      {"AbsnSeparate", {{"ABSN", "A1234564"}}, {}},
      {"AbsnSeparateWrongCheckDigit", {{"ABSN", "A1234560"}}, {kDSAS012}},
      {"AbsnSeparateWrongLetter", {{"ABSN", "B1234564"}}, {kDSAS012}},
      {"AbsnBlank", {{"ABSN", ""}}, {kDSAS012}},
      {"EpnrIndented", {{"EPNR", " 30517264"}}, {kDSAS020}},
      {"EpnrOther", {{"EPNR", "30517265"}}, {kDSAS020}},
      {"EpnrMissing", {missing("EPNR")}, {kDSAS020}},
      {"VernrasMissing",
       {missing("VERNRAS")},
       {"#P_VERNRAS DSAS030 VERSIONS-NR-AS ist nicht numerisch"}},
      {"VernrasNotNumeric",
       {{"VERNRAS", "0A"}},
       {"#P_VERNRAS DSAS030 VERSIONS-NR-AS ist nicht numerisch"}},
      {"Vernras01From2024",
       {{"MJAHR", "2024"}},
       {"#P_VERNRAS DSAS031 VERSIONS-NR-AS ist unzul\xE4ssig"}},
      {"Vernras02From2024", {{"VERNRAS", "02"}, {"MJAHR", "2024"}}, {}},
      {"Vernras01YearNotNumeric", {{"VERNRAS", "01"}, {"MJAHR", "20X4"}}, {kDSAS230}},
      {"NevernrBlank",
       {{"NEVERNR", ""}},
       {"#P_NEVERNR DSAS034 NEBENVERSIONS-NR ist nicht numerisch"}},
      {"NevernrTooLong", {raw("NEVERNR", "123")}, {with("#P_NEVERNR", kTooLong)}},
      {"VernrdsasMissing",
       {missing("VERNRDSAS")},
       {"#P_VERNRDSAS DSAS036 VERSIONS-NR-ZQ-AS ist nicht numerisch"}},
      {"VernrdsasTooLong", {raw("VERNRDSAS", "123")}, {with("#P_VERNRDSAS", kTooLong)}},
      {"EdMissing", {missing("ED")}, {kDSAS050}},
      {"EdIndented", {{"ED", " 2026120112000012345"}}, {kDSAS050}},
      {"EdLongerThan20", {raw("ED", "202612011200001234567")}, {kDSAS051}},
      {"EdShorterThan14", {raw("ED", "2026120112000")}, {kDSAS050}},
      {"EdOnly14Digits", {raw("ED", "20261201120000")}, {}},
      {"EdTimeNotNumeric", {{"ED", "2026120112000A123456"}}, {kDSAS050}},
      {"EdNoDate", {{"ED", "20261301120000123456"}}, {kDSAS051}},
      {"EdHour24",
       {{"ED", "20261201240000123456"}},
       {"#P_ED DSAS053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch"}},
      {"EdAfterProcessingDate",
       {{"ED", "20261209000000000000"}},
       {"#P_ED DSAS052 DATUM-ERSTELLUNG gr\xF6\xDF"
        "er als Verarbeitungsdatum"}},
      {"EdOnProcessingDate", {{"ED", "20261208235959000000"}}, {}},
      {"EdFractionNotNumeric",
       {{"ED", "20261201120000"}},
       {"#P_ED DSAS054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch"}},
      {"MmfuOther", {{"MMFU", "X"}}, {"#P_MMFU DSAS060 MM-FUV-DATEN ungleich N oder J"}},
      {"MmfuJ", {{"MMFU", "J"}}, {}},
      {"FekzNotNumeric", {{"FEKZ", "X"}}, {"#P_FEKZ DSAS065 FEHLER-KZ nicht numerisch"}},
      {"FekzTooLong",
       {raw("FEKZ", "12")},
       {with("#P_FEKZ", kTooLong), "#P_FEAN DSAS071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0"}},
      {"FeanMissing", {missing("FEAN")}, {"#P_FEAN DSAS070 FEHLER-ANZAHL nicht numerisch"}},
      {"FeanTooLong", {raw("FEAN", "10")}, {with("#P_FEAN", kTooLong)}},
      {"FeanWithoutErrorFlag",
       {{"FEAN", "3"}},
       {"#P_FEAN DSAS072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0"}},
      {"FeanZeroWithErrorFlag",
       {{"FEKZ", "1"}},
       {"#P_FEAN DSAS071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0"}},
      {"FeanWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "5"}}, {}},
      {"FeanOneWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "1"}}, {}},
      {"FeanNineWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "9"}}, {}},
      {"FeanWhileFlagNotNumeric",
       {{"FEKZ", "X"}, {"FEAN", "3"}},
       {"#P_FEKZ DSAS065 FEHLER-KZ nicht numerisch"}},
      {"ReservesTooLong",
       {raw("RESERVE1", std::string(101, 'r')), raw("RESERVE2", std::string(33, 'r')),
        raw("RESERVE3", std::string(101, 'r'))},
       {with("#P_RESERVE1", kTooLong), with("#P_RESERVE2", kTooLong),
        with("#P_RESERVE3", kTooLong)}},
      {"ReservesMissingOrFilled",
       {missing("RESERVE3"), {"RESERVE1", "frei"}, {"RESERVE2", "x"}},
       {}},
      {"ProdidBlank",
       {{"PRODID", ""}},
       {"#P_PRODID DSAS101 PRODUKT-IDENTIFIER gleich Grundstellung"}},
      {"ProdidTooLong", {raw("PRODID", "12345678")}, {with("#P_PRODID", kTooLong)}},
      {"ModidMissing",
       {missing("MODID")},
       {"#P_MODID DSAS102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"}},
      {"ModidTooLong", {raw("MODID", "123456789")}, {with("#P_MODID", kTooLong)}},
      {"DsidLowerCaseAndSigns", {{"DSID", "ds 2026.x-y/z"}}, {}},
      {"DsidBlank", {{"DSID", ""}}, {"#P_DSID DSAS110 DATENSATZ-ID Grundstellung unzul\xE4ssig"}},
      {"DsidUnderscore",
       {{"DSID", "DS_1"}},
       {"#P_DSID DSAS111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen"}},
      {"DsidTooLong", {raw("DSID", std::string(33, 'D'))}, {with("#P_DSID", kTooLong)}},
      {"VoidMissing",
       {missing("VOID")},
       {"#P_VOID DSAS120 VORGANGS-ID Grundstellung unzul\xE4ssig"}},
      {"VoidUmlaut",
       {{"VOID", "VO\xE4"}},
       {"#P_VOID DSAS121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen"}},
      {"KennzstLowerCase",
       {{"KENNZST", "j"}},
       {"#P_KENNZST DSAS130 KENNZ-STORNO ungleich N oder J"}},
      {"MmuebFive", {{"MMUEB", "5"}}, {}},
      {"MmuebThree", {{"MMUEB", "3"}}, {"#P_MMUEB DSAS140 MM-UEBERMITTLUNG ungleich 1 oder 5"}},
      {"MmuebNotNumeric",
       {{"MMUEB", "X"}},
       {"#P_MMUEB DSAS140 MM-UEBERMITTLUNG ungleich 1 oder 5"}},
      {"BbnruvIndented", {{"BBNRUV", " 15141364"}}, {kDSAS201}},
      {"BbnruvMissing",
       {missing("BBNRUV")},
       {"#P_BBNRUV DSAS200 BBNRUV Grundstellung unzul\xE4ssig"}},
      {"BbnruvNotAnnex7", {{"BBNRUV", "12345671"}}, {kDSAS201}},
      {"Bbnruv18477668In2018", {{"BBNRUV", "18477668"}, {"MJAHR", "2018"}}, {}},
      {"Bbnruv18477668In2019", {{"BBNRUV", "18477668"}, {"MJAHR", "2019"}}, {kDSAS201}},
      {"Bbnruv52738475In2019", {{"BBNRUV", "52738475"}, {"MNR", "1234567"}, {"MJAHR", "2019"}}, {}},
      {"Bbnruv52738475In2020",
       {{"BBNRUV", "52738475"}, {"MNR", "1234567"}, {"MJAHR", "2020"}},
       {kDSAS201}},
      {"MnrBlank", {{"MNR", ""}}, {"#P_MNR DSAS210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig"}},
      {"MnrTooLong", {raw("MNR", std::string(21, '1'))}, {with("#P_MNR", kTooLong)}},
      {"MnrWrongLength", {{"MNR", "12345678"}}, {kDSAS211}},
      {"MnrWrongCharacter", {{"MNR", "12345678A"}}, {kDSAS212}},
      {"MnrRulesNotForCancellations", {{"MNR", "1234567A"}, {"KENNZST", "J"}}, {}},
      {"MnrUpperCasedForTheTest", {{"BBNRUV", "53149588"}, {"MNR", "abcde12345"}}, {}},
      {"MnrAnyCharacterForCarrierWithoutCharacterRule",
       {{"BBNRUV", "15186676"}, {"MNR", "a-/.,x+#!_"}},
       {}},
      {"MnrCarrierWithoutRules", {{"BBNRUV", "02379637"}, {"MNR", "x"}}, {}},
      {"MnrTrimmedBeforeTheRules", {{"MNR", "  123456789"}}, {}},
      {"PinTooSmall", {{"PIN", "09999"}}, {"#P_PIN DSAS221 MNR-PIN nicht zul\xE4ssig"}},
      {"PinSmallest", {{"PIN", "10000"}}, {}},
      {"PinNotNumeric", {{"PIN", "1234"}}, {kDSAS220}},
      {"PinMissing", {missing("PIN")}, {kDSAS220}},
      {"PinTooLong", {raw("PIN", "123456")}, {with("#P_PIN", kTooLong)}},
      {"LfdnrNotNumeric", {{"LFDNR", "00X"}}, {"#P_LFDNR DSAS245 LAUFENDE-NUMMER nicht numerisch"}},
      {"LfdnrTooLong", {raw("LFDNR", "1234")}, {with("#P_LFDNR", kTooLong)}},
      {"MjahrMissing", {missing("MJAHR")}, {kDSAS230}},
      {"MjahrTooLong", {raw("MJAHR", "20260")}, {with("#P_MJAHR", kTooLong)}},
      {"Mjahr2015", {{"MJAHR", "2015"}}, {"#P_MJAHR DSAS231 MELDEJAHR nicht zul\xE4ssig"}},
      {"Mjahr2016", {{"MJAHR", "2016"}}, {}},
      {"MjahrNextYearAfterSwitchDay", {{"VERNRAS", "02"}, {"MJAHR", "2027"}}, {}},
      {"MjahrBeyondNextYear",
       {{"VERNRAS", "02"}, {"MJAHR", "2028"}},
       {"#P_MJAHR DSAS232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr nach 01.12.)"}},
      {"BbnrlbMissing", {missing("BBNRLB")}, {kDSAS240}},
      {"BbnrlbWrongCheckDigit", {{"BBNRLB", "12345672"}}, {kDSAS240}},
      {"BbnrlbCarrier",
       {{"BBNRLB", "15141364"}},
       {"#P_BBNRLB DSAS242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)"}},
      {"BbnrlbCarrierBefore2018", {{"BBNRLB", "15141364"}, {"MJAHR", "2017"}}, {}},
      {"BbnrlbCarrierIn2018",
       {{"BBNRLB", "15141364"}, {"MJAHR", "2018"}},
       {"#P_BBNRLB DSAS242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)"}},
      {"BbnrlbCarrierInCancellation", {{"BBNRLB", "15141364"}, {"KENNZST", "J"}}, {}},
      {"BbnrasMissing", {missing("BBNRAS")}, {kDSAS241}},
      {"BbnrasPrefix105", {{"BBNRAS", "10512345"}}, {kDSAS241}},
      {"BbnrasCarrier",
       {{"BBNRAS", "15141364"}},
       {"#P_BBNRAS DSAS243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)"}},
      {"BbnrasCarrierBefore2018", {{"BBNRAS", "15141364"}, {"MJAHR", "2017"}}, {}},
      {"BbnrasCarrierIn2018",
       {{"BBNRAS", "15141364"}, {"MJAHR", "2018"}},
       {"#P_BBNRAS DSAS243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)"}},
      {"MmdbapOther",
       {{"MMDBAP", "X"}},
       {"#P_MMDBAP DSAS249 MM-ANSPRECHPARTNER ungleich N oder J"}},
      {"AfgrundOther", {{"AFGRUND", "UV11"}}, {"#P_AFGRUND DSAS250 ABFRAGEGRUND unzul\xE4ssig"}},
      {"AfgrundTrailingBlank",
       {raw("AFGRUND", "UV10 ")},
       {"#P_AFGRUND DSAS250 ABFRAGEGRUND unzul\xE4ssig"}},
  };
  return cases;
}

constexpr char kDBAP030[] =
    "AN[1]#P_NAMEAP DBAP030 NAME-ANSPRECHPARTNER Grundstellung unzul\xE4ssig";

const std::vector<RuleCase>& contactCases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"KeOther", {{"AN.KE", "DBAX"}}, {"AN[1]#P_KE DBAP010 KENNUNG ungleich DBAP"}},
      {"NameapBlank", {{"AN.NAMEAP", ""}}, {kDBAP030}},
      {"NameapMissing", {missing("AN.NAMEAP")}, {kDBAP030}},
      {"NameapTooLong",
       {raw("AN.NAMEAP", std::string(31, 'n'))},
       {with("AN[1]#P_NAMEAP", kTooLong)}},
      {"TelapBlank",
       {{"AN.TELAP", ""}},
       {"AN[1]#P_TELAP DBAP040 TELEFON-ANSPRECHPARTNER Grundstellung unzul\xE4ssig"}},
      {"TelapTooLong", {raw("AN.TELAP", std::string(21, '1'))}, {with("AN[1]#P_TELAP", kTooLong)}},
      {"Name1Blank",
       {{"AN.NAME1", ""}},
       {"AN[1]#P_NAME1 DBAP050 NAME1 Grundstellung unzul\xE4ssig"}},
      {"PlzBlank", {{"AN.PLZ", ""}}, {"AN[1]#P_PLZ DBAP060 PLZ Grundstellung unzul\xE4ssig"}},
      {"PlzTooLong", {raw("AN.PLZ", "12345678901")}, {with("AN[1]#P_PLZ", kTooLong)}},
      {"OrtMissing", {missing("AN.ORT")}, {"AN[1]#P_ORT DBAP070 ORT Grundstellung unzul\xE4ssig"}},
      {"OptionalFieldsEmpty",
       {{"AN.ANRAP", ""},
        {"AN.FAXAP", ""},
        missing("AN.EMAILAP"),
        {"AN.NAME2", ""},
        {"AN.NAME3", ""},
        {"AN.STR", ""},
        {"AN.NR", ""}},
       {}},
      {"OptionalFieldsTooLong",
       {raw("AN.ANRAP", "WM"), raw("AN.FAXAP", std::string(21, '1')),
        raw("AN.EMAILAP", std::string(71, 'e')), raw("AN.NAME2", std::string(31, 'n')),
        raw("AN.NAME3", std::string(31, 'n')), raw("AN.STR", std::string(34, 's')),
        raw("AN.NR", std::string(10, '1'))},
       {with("AN[1]#P_ANRAP", kTooLong), with("AN[1]#P_FAXAP", kTooLong),
        with("AN[1]#P_EMAILAP", kTooLong), with("AN[1]#P_NAME2", kTooLong),
        with("AN[1]#P_NAME3", kTooLong), with("AN[1]#P_STR", kTooLong),
        with("AN[1]#P_NR", kTooLong)}},
      {"NotRunWithoutMarker", {{"MMDBAP", "N"}, {"AN.KE", "DBAX"}}, {}},
  };
  return cases;
}

class Dsas01RuleTest : public ::testing::TestWithParam<RuleCase> {
 protected:
  void expectFindings(vexal::testing::RecordBuilder record) {
    auto h = dsas01::makeHarness();
    h->checkValues(vexal::testing::apply(record, GetParam().changes).values());
    EXPECT_THAT(h->ruleFindings(), ElementsAreArray(GetParam().findings));
    EXPECT_THAT(h->errors.lines, IsEmpty());
    EXPECT_TRUE(h->sections.balanced());
  }
};

class Dsas01RootRuleTest : public Dsas01RuleTest {};
class Dsas01ContactRuleTest : public Dsas01RuleTest {};

TEST_P(Dsas01RootRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  expectFindings(dsas01::validRecord());
}

TEST_P(Dsas01ContactRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  expectFindings(dsas01::validRecordWithContact());
}

auto caseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Messages, Dsas01RootRuleTest, ::testing::ValuesIn(rootCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Messages, Dsas01ContactRuleTest, ::testing::ValuesIn(contactCases()),
                         caseName);

}  // namespace

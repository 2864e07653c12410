// Each DSLN and DBAP message of the wage report under the condition that
// produces it, and only there: the header, every tariff position and the
// contact person.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSLN_01/dsln01_record.h"
#include "support/rule_cases.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using vexal::testing::Change;
using vexal::testing::missing;
using vexal::testing::raw;
using vexal::testing::RuleCase;

constexpr char kTooLong[] = " Feldinhalt zu lang.";
std::string with(const char* id, const char* text) { return std::string(id) + text; }

constexpr char kDSLN005[] = "#P_VF DSLN005 VERFAHREN ungleich UVELN";
constexpr char kDSLN010[] =
    "#P_ABSN DSLN010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
constexpr char kDSLN012[] =
    "#P_ABSN DSLN012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)";
constexpr char kDSLN020[] = "#P_EPNR DSLN020 EMPFAENGERNUMMER ungleich 30517264";
constexpr char kDSLN030[] = "#P_VERNRLN DSLN030 VERSIONS-NR-LN ist nicht numerisch";
constexpr char kDSLN031[] = "#P_VERNRLN DSLN031 VERSIONS-NR-LN ist unzul\xE4ssig";
constexpr char kDSLN034[] = "#P_NEVERNR DSLN034 NEBENVERSIONS-NR ist nicht numerisch";
constexpr char kDSLN036[] = "#P_VERNRDSLN DSLN036 VERSIONS-NR-ZQ-LN ist nicht numerisch";
constexpr char kDSLN050[] = "#P_ED DSLN050 DATUM-ERSTELLUNG nicht numerisch";
constexpr char kDSLN051[] = "#P_ED DSLN051 DATUM-ERSTELLUNG logisch falsch";
constexpr char kDSLN052[] =
    "#P_ED DSLN052 DATUM-ERSTELLUNG gr\xF6\xDF"
    "er als Verarbeitungsdatum";
constexpr char kDSLN053[] = "#P_ED DSLN053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch";
constexpr char kDSLN054[] = "#P_ED DSLN054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch";
constexpr char kDSLN060[] = "#P_MMFU DSLN060 MM-FUV-DATEN ungleich N oder J";
constexpr char kDSLN065[] = "#P_FEKZ DSLN065 FEHLER-KZ nicht numerisch";
constexpr char kDSLN070[] = "#P_FEAN DSLN070 FEHLER-ANZAHL nicht numerisch";
constexpr char kDSLN071[] = "#P_FEAN DSLN071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0";
constexpr char kDSLN072[] = "#P_FEAN DSLN072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0";
constexpr char kDSLN110[] = "#P_DSID DSLN110 DATENSATZ-ID Grundstellung unzul\xE4ssig";
constexpr char kDSLN111[] = "#P_DSID DSLN111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen";
constexpr char kDSLN120[] = "#P_VOID DSLN120 VORGANGS-ID Grundstellung unzul\xE4ssig";
constexpr char kDSLN121[] = "#P_VOID DSLN121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen";
constexpr char kDSLN130[] = "#P_KENNZST DSLN130 KENNZ-STORNO ungleich N oder J";
constexpr char kDSLN140[] = "#P_MMUEB DSLN140 MM-UEBERMITTLUNG ungleich 1 oder 5";
constexpr char kDSLN200[] = "#P_BBNRUV DSLN200 BBNRUV Grundstellung unzul\xE4ssig";
constexpr char kDSLN201[] = "#P_BBNRUV DSLN201 Unzul\xE4ssige BBNRUV";
constexpr char kDSLN202[] =
    "#P_BBNRUV DSLN202 Unzul\xE4ssige BBNRUV bei Beitragsma\xDFstab 2 oder 3";
constexpr char kDSLN210[] = "#P_MNR DSLN210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig";
constexpr char kDSLN211[] = "#P_MNR DSLN211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER";
constexpr char kDSLN212[] = "#P_MNR DSLN212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER";
constexpr char kDSLN220[] = "#P_PIN DSLN220 MNR-PIN nicht numerisch";
constexpr char kDSLN221[] = "#P_PIN DSLN221 MNR-PIN nicht zul\xE4ssig";
constexpr char kDSLN230[] = "#P_MJAHR DSLN230 MELDEJAHR nicht numerisch";
constexpr char kDSLN231[] = "#P_MJAHR DSLN231 MELDEJAHR nicht zul\xE4ssig";
constexpr char kDSLN232[] = "#P_MJAHR DSLN232 MELDEJAHR nicht zul\xE4ssig (maximal Folgejahr)";
constexpr char kDSLN240[] =
    "#P_BBNRLB DSLN240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
constexpr char kDSLN241[] =
    "#P_BBNRAS DSLN241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)";
constexpr char kDSLN242[] = "#P_BBNRLB DSLN242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)";
constexpr char kDSLN243[] =
    "#P_BBNRAS DSLN243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)";
constexpr char kDSLN245[] = "#P_LFDNR DSLN245 LAUFENDE-NUMMER nicht numerisch";
constexpr char kDSLN249[] = "#P_MMDBAP DSLN249 MM-ANSPRECHPARTNER ungleich N oder J";
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

// Applied to a record with one tariff position.
const std::vector<RuleCase>& headerCases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"VfLowerCase", {{"VF", "uveln"}}, {kDSLN005}},
      {"VfWithBlank", {raw("VF", "UVELN ")}, {kDSLN005}},
      {"VfOfTheQuery", {{"VF", "UVSDD"}}, {kDSLN005}},
      {"VfMissing", {missing("VF")}, {kDSLN005}},
      {"AbsnMissing", {missing("ABSN")}, {kDSLN010}},
      {"AbsnCheckDigitPlusFive", {{"ABSN", "12345676"}}, {}},
      {"AbsnWrongCheckDigit", {{"ABSN", "12345672"}}, {kDSLN010}},
      {"AbsnCheckDigitZero", {{"ABSN", "12345670"}}, {kDSLN010}},
      {"AbsnIndented", {{"ABSN", " 12345671"}}, {kDSLN010}},
      {"AbsnShortField", {raw("ABSN", "12345671")}, {kDSLN010}},
      {"AbsnNineDigits", {{"ABSN", "123456710"}}, {kDSLN010}},
      {"AbsnPrefix000", {{"ABSN", "00012344"}}, {kDSLN010}},
      {"AbsnPrefix099", {{"ABSN", "09912342"}}, {}},
      {"AbsnPrefix110", {{"ABSN", "11012347"}}, {kDSLN010}},
      {"AbsnPrefix111", {{"ABSN", "11112348"}}, {}},
      {"AbsnSeparate", {{"ABSN", "A1234564"}}, {}},
      {"AbsnSeparatePlusFive", {{"ABSN", "A1234569"}}, {}},
      {"AbsnSeparateWrongCheckDigit", {{"ABSN", "A1234560"}}, {kDSLN012}},
      {"AbsnSeparateWrongLetter", {{"ABSN", "B1234564"}}, {kDSLN012}},
      {"AbsnSeparateIndented", {{"ABSN", " A1234564"}}, {kDSLN012}},
      {"EpnrIndented", {{"EPNR", " 30517264"}}, {kDSLN020}},
      {"EpnrOther", {{"EPNR", "30517265"}}, {kDSLN020}},
      {"EpnrMissing", {missing("EPNR")}, {kDSLN020}},
      {"VernrlnMissing", {missing("VERNRLN")}, {kDSLN030}},
      {"VernrlnNotNumeric", {{"VERNRLN", "0A"}}, {kDSLN030}},
      {"VernrlnNotNumericBeforeTooLong", {raw("VERNRLN", "1A3")}, {kDSLN030}},
      {"VernrlnTooLong", {raw("VERNRLN", "123")}, {with("#P_VERNRLN", kTooLong)}},
      {"Vernrln01From2024", {{"MJAHR", "2024"}}, {kDSLN031}},
      {"Vernrln02From2024", {{"VERNRLN", "02"}, {"MJAHR", "2024"}}, {}},
      {"Vernrln01YearNotNumeric", {{"MJAHR", "20X4"}}, {kDSLN230}},
      {"Vernrln01YearTooLong", {raw("MJAHR", "02024")}, {with("#P_MJAHR", kTooLong)}},
      {"NevernrBlank", {{"NEVERNR", ""}}, {kDSLN034}},
      {"NevernrMissing", {missing("NEVERNR")}, {kDSLN034}},
      {"NevernrTooLong", {raw("NEVERNR", "123")}, {with("#P_NEVERNR", kTooLong)}},
      {"NevernrNotNumericBeforeTooLong", {raw("NEVERNR", "1A3")}, {kDSLN034}},
      {"VernrdslnMissing", {missing("VERNRDSLN")}, {kDSLN036}},
      {"VernrdslnNotNumeric", {{"VERNRDSLN", "0A"}}, {kDSLN036}},
      {"VernrdslnTooLong", {raw("VERNRDSLN", "123")}, {with("#P_VERNRDSLN", kTooLong)}},
      {"VernrdslnNotNumericBeforeTooLong", {raw("VERNRDSLN", "1A3")}, {kDSLN036}},
      {"EdMissing", {missing("ED")}, {kDSLN050}},
      {"EdIndented", {{"ED", " 2024013112300012345"}}, {kDSLN050}},
      {"EdIndentedBeforeTooLong", {raw("ED", " 20240131123000123456")}, {kDSLN050}},
      {"EdOnly14Characters", {raw("ED", "20240131123000")}, {}},
      {"EdOnly13Characters", {raw("ED", "2024013112300")}, {kDSLN051}},
      {"EdSixteenCharactersHaveNoFraction", {raw("ED", "20240131123000AB")}, {}},
      {"EdLongerThan20", {raw("ED", "202401311230001234567")}, {kDSLN051}},
      {"EdTimeNotNumeric", {{"ED", "2024013112300A123456"}}, {kDSLN050}},
      {"EdNoDate", {{"ED", "20240230120000123456"}}, {kDSLN051}},
      {"EdDateBeforeTime", {{"ED", "20240230250000123456"}}, {kDSLN051}},
      {"EdHour25", {{"ED", "20240131250000123456"}}, {kDSLN053}},
      {"EdTimeBeforeFraction", {{"ED", "20240131250000ABCDEF"}}, {kDSLN053}},
      {"EdFractionNotNumeric", {{"ED", "20240131123000ABCDEF"}}, {kDSLN054}},
      {"EdFractionBlank", {{"ED", "20240131123000"}}, {kDSLN054}},
      {"EdAfterProcessingDate", {{"ED", "20261209000000000000"}}, {kDSLN052}},
      {"EdOnProcessingDate", {{"ED", "20261208235959000000"}}, {}},
      {"EdFractionTestedBeforeTheDate", {{"ED", "20261209000000ABCDEF"}}, {kDSLN054}},
      {"InternHasNoRule", {{"INTERN", "X"}}, {}},
      {"MmfuOther", {{"MMFU", "X"}}, {kDSLN060}},
      {"MmfuMissing", {missing("MMFU")}, {kDSLN060}},
      {"MmfuJ", {{"MMFU", "J"}}, {}},
      {"FekzNotNumeric", {{"FEKZ", "X"}}, {kDSLN065}},
      {"FekzMissing", {missing("FEKZ")}, {kDSLN065}},
      {"FekzTooLong", {raw("FEKZ", "12")}, {with("#P_FEKZ", kTooLong), kDSLN071}},
      {"FekzNotNumericBeforeTooLong", {raw("FEKZ", "X2")}, {kDSLN065}},
      {"FeanMissing", {missing("FEAN")}, {kDSLN070}},
      {"FeanNotNumeric", {{"FEAN", "X"}}, {kDSLN070}},
      {"FeanTooLong", {raw("FEAN", "10")}, {with("#P_FEAN", kTooLong)}},
      {"FeanTooLongBeforeNotNumeric", {raw("FEAN", "AB")}, {with("#P_FEAN", kTooLong)}},
      {"FeanWithoutErrorFlag", {{"FEAN", "3"}}, {kDSLN072}},
      {"FeanZeroWithErrorFlag", {{"FEKZ", "1"}}, {kDSLN071}},
      {"FeanOneWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "1"}}, {}},
      {"FeanNineWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "9"}}, {}},
      {"FeanWhileFlagNotNumeric", {{"FEKZ", "X"}, {"FEAN", "3"}}, {kDSLN065}},
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
       {"#P_PRODID DSLN101 PRODUKT-IDENTIFIER gleich Grundstellung"}},
      {"ProdidTooLong", {raw("PRODID", "12345678")}, {with("#P_PRODID", kTooLong)}},
      {"ModidMissing",
       {missing("MODID")},
       {"#P_MODID DSLN102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"}},
      {"ModidTooLong", {raw("MODID", "123456789")}, {with("#P_MODID", kTooLong)}},
      {"DsidLowerCaseAndSigns", {{"DSID", "ds 2026.x-y/z"}}, {}},
      {"DsidBlank", {{"DSID", ""}}, {kDSLN110}},
      {"DsidUnderscore", {{"DSID", "DS_1"}}, {kDSLN111}},
      {"DsidTooLong", {raw("DSID", std::string(33, 'D'))}, {with("#P_DSID", kTooLong)}},
      {"DsidTooLongBeforeCharacters",
       {raw("DSID", std::string(32, 'D') + "_")},
       {with("#P_DSID", kTooLong)}},
      {"VoidMissing", {missing("VOID")}, {kDSLN120}},
      {"VoidUmlaut", {{"VOID", "VO\xE4"}}, {kDSLN121}},
      {"VoidTooLong", {raw("VOID", std::string(33, 'V'))}, {with("#P_VOID", kTooLong)}},
      {"VoidCharactersBeforeTooLong", {raw("VOID", std::string(32, 'V') + "_")}, {kDSLN121}},
      {"KennzstLowerCase", {{"KENNZST", "j"}}, {kDSLN130}},
      {"KennzstMissing", {missing("KENNZST")}, {kDSLN130}},
      {"Cancellation", {{"KENNZST", "J"}}, {}},
      {"MmuebFive", {{"MMUEB", "5"}}, {}},
      {"MmuebThree", {{"MMUEB", "3"}}, {kDSLN140}},
      {"MmuebNotNumeric", {{"MMUEB", "X"}}, {kDSLN140}},
      {"BbnruvMissing", {missing("BBNRUV")}, {kDSLN200}},
      {"BbnruvIndented", {{"BBNRUV", " 15141364"}}, {kDSLN201}},
      {"BbnruvNotAnnex7",
       {{"BBNRUV", "12345671"}},
       {kDSLN201, at(1, "#P_BBNRGT DSLN271 BBNR-GTS und BBNR-UV nicht identisch")}},
      {"Bbnruv18477668In2018",
       {{"BBNRUV", "18477668"}, {"UV.BBNRGT", "18477668"}, {"MJAHR", "2018"}},
       {}},
      {"Bbnruv18477668In2019",
       {{"BBNRUV", "18477668"}, {"UV.BBNRGT", "18477668"}, {"MJAHR", "2019"}},
       {kDSLN201}},
      {"Bbnruv52738475In2019",
       {{"BBNRUV", "52738475"}, {"UV.BBNRGT", "52738475"}, {"MNR", "1234567"}, {"MJAHR", "2019"}},
       {}},
      {"Bbnruv52738475In2020",
       {{"BBNRUV", "52738475"}, {"UV.BBNRGT", "52738475"}, {"MNR", "1234567"}, {"MJAHR", "2020"}},
       {kDSLN201}},
      {"BbnruvNotAnnex19bForA09", {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}}, {kDSLN202}},
      {"BbnruvNotAnnex19bForA09InCancellation",
       {{"UVGRUND", "A09"}, {"UV.UVEGSUMM", kZeros}, {"KENNZST", "J"}},
       {}},
      {"MnrBlank", {{"MNR", ""}}, {kDSLN210}},
      {"MnrTooLong", {raw("MNR", std::string(21, '1'))}, {with("#P_MNR", kTooLong)}},
      {"MnrWrongLength", {{"MNR", "12345678"}}, {kDSLN211}},
      {"MnrWrongCharacter", {{"MNR", "12345678A"}}, {kDSLN212}},
      {"MnrRulesNotForCancellations", {{"MNR", "1234567A"}, {"KENNZST", "J"}}, {}},
      {"MnrTrimmedBeforeTheRules", {{"MNR", "  123456789"}}, {}},
      {"PinTooSmall", {{"PIN", "09999"}}, {kDSLN221}},
      {"PinSmallest", {{"PIN", "10000"}}, {}},
      {"PinNotNumeric", {{"PIN", "1234X"}}, {kDSLN220}},
      {"PinShort", {{"PIN", "1234"}}, {kDSLN220}},
      {"PinMissing", {missing("PIN")}, {kDSLN220}},
      {"PinTooLong", {raw("PIN", "123456")}, {with("#P_PIN", kTooLong)}},
      {"PinTooLongBeforeNotNumeric", {raw("PIN", "12A456")}, {with("#P_PIN", kTooLong)}},
      {"LfdnrNotNumeric", {{"LFDNR", "00X"}}, {kDSLN245}},
      {"LfdnrMissing", {missing("LFDNR")}, {kDSLN245}},
      {"LfdnrTooLong", {raw("LFDNR", "1234")}, {with("#P_LFDNR", kTooLong)}},
      {"LfdnrTooLongBeforeNotNumeric", {raw("LFDNR", "12X4")}, {with("#P_LFDNR", kTooLong)}},
      {"MjahrMissing", {missing("MJAHR")}, {kDSLN230}},
      {"MjahrTooLong", {raw("MJAHR", "20260")}, {with("#P_MJAHR", kTooLong)}},
      {"MjahrTooLongBeforeNotNumeric", {raw("MJAHR", "20X45")}, {with("#P_MJAHR", kTooLong)}},
      {"Mjahr2015", {{"MJAHR", "2015"}}, {kDSLN231}},
      {"Mjahr2016", {{"MJAHR", "2016"}}, {}},
      {"MjahrNextYearAfterSwitchDay", {{"VERNRLN", "02"}, {"MJAHR", "2027"}}, {}},
      {"MjahrBeyondNextYear", {{"VERNRLN", "02"}, {"MJAHR", "2028"}}, {kDSLN232}},
      {"BbnrlbMissing", {missing("BBNRLB")}, {kDSLN240}},
      {"BbnrlbWrongCheckDigit", {{"BBNRLB", "12345672"}}, {kDSLN240}},
      {"BbnrlbCarrier", {{"BBNRLB", "15141364"}}, {kDSLN242}},
      {"BbnrlbCarrierBefore2018", {{"BBNRLB", "15141364"}, {"MJAHR", "2017"}}, {}},
      {"BbnrlbCarrierIn2018", {{"BBNRLB", "15141364"}, {"MJAHR", "2018"}}, {kDSLN242}},
      {"BbnrlbCarrierInCancellation", {{"BBNRLB", "15141364"}, {"KENNZST", "J"}}, {}},
      {"BbnrlbCarrierYearNotNumeric", {{"BBNRLB", "15141364"}, {"MJAHR", "20X4"}}, {kDSLN230}},
      {"BbnrasMissing", {missing("BBNRAS")}, {kDSLN241}},
      {"BbnrasPrefix105", {{"BBNRAS", "10512345"}}, {kDSLN241}},
      {"BbnrasCarrier", {{"BBNRAS", "47009510"}}, {kDSLN243}},
      {"BbnrasCarrierBefore2018", {{"BBNRAS", "47009510"}, {"MJAHR", "2017"}}, {}},
      {"MmdbapOther", {{"MMDBAP", "X"}}, {kDSLN249}},
      {"MmdbapMissing", {missing("MMDBAP")}, {kDSLN249}},
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
      {"AnzversTooLong", {raw("ANZVERS", "1234567")}, {with("#P_ANZVERS", kTooLong)}},
      {"AnzversNotNumericBeforeTooLong", {raw("ANZVERS", "12345X7")}, {kDSLN265}},
      {"AnuvMissing", {missing("ANUV")}, {kDSLN267}},
      {"AnuvNotNumeric", {{"ANUV", "0A"}}, {kDSLN267}},
      {"AnuvZero", {{"ANUV", "00"}}, {kDSLN268}},
      {"AnuvZeroInCancellation", {{"ANUV", "00"}, {"KENNZST", "J"}}, {}},
      {"AnuvNinetyNine", {{"ANUV", "99"}}, {}},
  };
  return cases;
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
      {"GtstBlank", {{"UV[2].GTST", ""}}, {at(2, kDSLN280)}},
      {"GtstBlankWithoutCompanyNumber",
       {{"UV[2].BBNRGT", ""}, {"UV[2].GTST", ""}},
       {at(2, kDSLN270)}},
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

constexpr char kDBAP030[] =
    "AN[1]#P_NAMEAP DBAP030 NAME-ANSPRECHPARTNER Grundstellung unzul\xE4ssig";

// Applied to a record with one tariff position and a contact person.
const std::vector<RuleCase>& contactCases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"KeOther", {{"AN.KE", "DBAX"}}, {"AN[1]#P_KE DBAP010 KENNUNG ungleich DBAP"}},
      {"NameapBlank", {{"AN.NAMEAP", ""}}, {kDBAP030}},
      {"OrtMissing", {missing("AN.ORT")}, {"AN[1]#P_ORT DBAP070 ORT Grundstellung unzul\xE4ssig"}},
      {"NrTooLong", {raw("AN.NR", std::string(10, '1'))}, {with("AN[1]#P_NR", kTooLong)}},
      {"BeforeThePositions",
       {{"AN.NAMEAP", ""}, {"UV.GTST", ""}, {"VF", "X"}},
       {kDSLN005, kDBAP030, at(1, kDSLN280)}},
      {"NotRunWithoutMarker", {{"MMDBAP", "N"}, {"AN.KE", "DBAX"}}, {}},
  };
  return cases;
}

class Dsln01RuleTest : public ::testing::TestWithParam<RuleCase> {
 protected:
  void expectFindings(vexal::testing::RecordBuilder record) {
    auto h = dsln01::makeHarness();
    h->checkValues(vexal::testing::apply(record, GetParam().changes).values());
    EXPECT_THAT(h->ruleFindings(), ElementsAreArray(GetParam().findings));
    EXPECT_THAT(h->errors.lines, IsEmpty());
    EXPECT_TRUE(h->sections.balanced());
  }
};

class Dsln01HeaderRuleTest : public Dsln01RuleTest {};
class Dsln01PositionRuleTest : public Dsln01RuleTest {};
class Dsln01ContactRuleTest : public Dsln01RuleTest {};

TEST_P(Dsln01HeaderRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  expectFindings(dsln01::validRecord());
}

TEST_P(Dsln01PositionRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  expectFindings(dsln01::validRecordWithPositions(3));
}

TEST_P(Dsln01ContactRuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  expectFindings(dsln01::validRecordWithContact());
}

auto caseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Messages, Dsln01HeaderRuleTest, ::testing::ValuesIn(headerCases()),
                         caseName);
INSTANTIATE_TEST_SUITE_P(Messages, Dsln01PositionRuleTest, ::testing::ValuesIn(positionCases()),
                         caseName);
INSTANTIATE_TEST_SUITE_P(Messages, Dsln01ContactRuleTest, ::testing::ValuesIn(contactCases()),
                         caseName);

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

struct SwitchDayCase {
  const char* name;
  int year, month, day;
  const char* switch_day;
  const char* mjahr;
  bool refused;
};

void PrintTo(const SwitchDayCase& c, std::ostream* os) { *os << c.name; }

// The next reporting year opens on the day after the switch day.
const SwitchDayCase kSwitchDays[] = {
    {"TheDayAfterTheNextYear", 2024, 12, 2, "1201", "2025", false},
    {"TheDayAfterNotTheYearAfter", 2024, 12, 2, "1201", "2026", true},
    {"OnTheSwitchDayOnlyTheCurrentYear", 2024, 12, 1, "1201", "2025", true},
    {"OnTheSwitchDayTheCurrentYear", 2024, 12, 1, "1201", "2024", false},
    {"NewYearTheCurrentYear", 2025, 1, 1, "1201", "2025", false},
    {"NewYearOnlyTheCurrentYear", 2025, 1, 1, "1201", "2026", true},
    {"OnAnotherSwitchDay", 2024, 10, 1, "1001", "2025", true},
    {"AfterAnotherSwitchDay", 2024, 10, 2, "1001", "2025", false},
};

class Dsln01SwitchDayTest : public ::testing::TestWithParam<SwitchDayCase> {};

TEST_P(Dsln01SwitchDayTest, HighestReportingYearFollowsTheSwitchDay) {
  const SwitchDayCase& c = GetParam();
  auto h = dsln01::makeHarness();
  h->ctx().setProcessingDate(c.year, c.month, c.day);
  h->ctx().setInitParam("ipMjahrSchalttag", c.switch_day);
  // A creation date before every processing date of the table.
  h->checkValues(dsln01::validRecord()
                     .set("VERNRLN", "02")
                     .set("ED", "20240101120000000000")
                     .set("MJAHR", c.mjahr)
                     .values());
  if (c.refused) {
    EXPECT_THAT(h->ruleFindings(), ElementsAre(kDSLN232));
  } else {
    EXPECT_THAT(h->ruleFindings(), IsEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Years, Dsln01SwitchDayTest, ::testing::ValuesIn(kSwitchDays), caseName);

}  // namespace

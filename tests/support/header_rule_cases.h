// The rule rows the query (DSAS) and the wage report (DSLN) share: their
// common header fields, the fields of their version 02 and the contact
// person. A row names the type's message by its number ("@010") and may
// use the tokens {P} (the message prefix), {S} (the suffix of the version
// fields, VERNR{S} and VERNRDS{S}), {VF} (the procedure) and {vf} (the
// procedure in lower case) in field names, texts and findings.

#ifndef VEXAL_TESTS_SUPPORT_HEADER_RULE_CASES_H_
#define VEXAL_TESTS_SUPPORT_HEADER_RULE_CASES_H_

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "support/rule_cases.h"

namespace vexal::testing {

struct HeaderType {
  std::string prefix;     // "DSAS"
  std::string suffix;     // "AS"
  std::string procedure;  // "UVSDD"
  // Messages whose text differs from the shared one, by number.
  std::map<std::string, std::string> own_messages;
};

inline const std::map<std::string, std::string>& sharedHeaderMessages() {
  static const std::map<std::string, std::string> messages = {
      {"005", "#P_VF {P}005 VERFAHREN ungleich {VF}"},
      {"010", "#P_ABSN {P}010 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)"},
      {"012", "#P_ABSN {P}012 ABSENDERNUMMER fehlerhaft (Ziffer 1.3.2.4 gem. Rundschreiben)"},
      {"020", "#P_EPNR {P}020 EMPFAENGERNUMMER ungleich 30517264"},
      {"030", "#P_VERNR{S} {P}030 VERSIONS-NR-{S} ist nicht numerisch"},
      {"031", "#P_VERNR{S} {P}031 VERSIONS-NR-{S} ist unzul\xE4ssig"},
      {"034", "#P_NEVERNR {P}034 NEBENVERSIONS-NR ist nicht numerisch"},
      {"036", "#P_VERNRDS{S} {P}036 VERSIONS-NR-ZQ-{S} ist nicht numerisch"},
      {"050", "#P_ED {P}050 DATUM-ERSTELLUNG nicht numerisch"},
      {"051", "#P_ED {P}051 DATUM-ERSTELLUNG logisch falsch"},
      {"052",
       "#P_ED {P}052 DATUM-ERSTELLUNG gr\xF6\xDF"
       "er als Verarbeitungsdatum"},
      {"053", "#P_ED {P}053 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch"},
      {"054", "#P_ED {P}054 DATUM-ERSTELLUNG letzten 6 Stellen sind nicht numerisch"},
      {"060", "#P_MMFU {P}060 MM-FUV-DATEN ungleich N oder J"},
      {"065", "#P_FEKZ {P}065 FEHLER-KZ nicht numerisch"},
      {"070", "#P_FEAN {P}070 FEHLER-ANZAHL nicht numerisch"},
      {"071", "#P_FEAN {P}071 FEHLER-ANZAHL gleich 0, FEHLER-KZ ungleich 0"},
      {"072", "#P_FEAN {P}072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0"},
      {"101", "#P_PRODID {P}101 PRODUKT-IDENTIFIER gleich Grundstellung"},
      {"102", "#P_MODID {P}102 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"},
      {"110", "#P_DSID {P}110 DATENSATZ-ID Grundstellung unzul\xE4ssig"},
      {"111", "#P_DSID {P}111 DATENSATZ-ID enth\xE4lt unzul\xE4ssige Zeichen"},
      {"120", "#P_VOID {P}120 VORGANGS-ID Grundstellung unzul\xE4ssig"},
      {"121", "#P_VOID {P}121 VORGANGS-ID enth\xE4lt unzul\xE4ssige Zeichen"},
      {"130", "#P_KENNZST {P}130 KENNZ-STORNO ungleich N oder J"},
      {"140", "#P_MMUEB {P}140 MM-UEBERMITTLUNG ungleich 1 oder 5"},
      {"200", "#P_BBNRUV {P}200 BBNRUV Grundstellung unzul\xE4ssig"},
      {"201", "#P_BBNRUV {P}201 Unzul\xE4ssige BBNRUV"},
      {"210", "#P_MNR {P}210 MITGLIEDSNUMMER Grundstellung unzul\xE4ssig"},
      {"211", "#P_MNR {P}211 Unzul\xE4ssige L\xE4nge MITGLIEDSNUMMER"},
      {"212", "#P_MNR {P}212 Unzul\xE4ssige Zeichen MITGLIEDSNUMMER"},
      {"213", "#P_UNRS {P}213 UNTERNEHMENSNUMMER Grundstellung unzul\xE4ssig"},
      {"214", "#P_UNRS {P}214 UNTERNEHMENSNUMMER nicht numerisch"},
      {"215", "#P_UNRS {P}215 UNTERNEHMENSNUMMER ist unzul\xE4ssig"},
      {"220", "#P_PIN {P}220 MNR-PIN nicht numerisch"},
      {"221", "#P_PIN {P}221 MNR-PIN nicht zul\xE4ssig"},
      {"230", "#P_MJAHR {P}230 MELDEJAHR nicht numerisch"},
      {"231", "#P_MJAHR {P}231 MELDEJAHR nicht zul\xE4ssig"},
      {"240", "#P_BBNRLB {P}240 BBNR-LB fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)"},
      {"241", "#P_BBNRAS {P}241 BBNR-AS fehlerhaft (Ziffer 1.3.2.2 gem. Rundschreiben)"},
      {"242", "#P_BBNRLB {P}242 BBNR-LB unzul\xE4ssig (entspricht UV-Tr\xE4ger)"},
      {"243", "#P_BBNRAS {P}243 BBNR-ABRECHNUNGSSTELLE unzul\xE4ssig (entspricht UV-Tr\xE4ger)"},
      {"245", "#P_LFDNR {P}245 LAUFENDE-NUMMER nicht numerisch"},
      {"249", "#P_MMDBAP {P}249 MM-ANSPRECHPARTNER ungleich N oder J"},
  };
  return messages;
}

// `text` with the type's tokens replaced.
inline std::string resolve(const HeaderType& type, std::string text) {
  std::string lower = type.procedure;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::pair<std::string, const std::string*> tokens[] = {
      {"{P}", &type.prefix}, {"{S}", &type.suffix}, {"{VF}", &type.procedure}, {"{vf}", &lower}};
  for (const auto& [token, value] : tokens) {
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at)) {
      text.replace(at, token.size(), *value);
      at += value->size();
    }
  }
  return text;
}

// The type's message number `number` ("010"), resolved.
inline std::string headerMessage(const HeaderType& type, const std::string& number) {
  auto own = type.own_messages.find(number);
  if (own != type.own_messages.end()) return own->second;
  return resolve(type, sharedHeaderMessages().at(number));
}

// `rows` with every token and message number resolved for `type`.
inline std::vector<RuleCase> resolveRows(const HeaderType& type, std::vector<RuleCase> rows) {
  for (RuleCase& row : rows) {
    for (Change& change : row.changes) {
      change.field = resolve(type, change.field);
      if (change.text) change.text = resolve(type, *change.text);
    }
    for (std::string& finding : row.findings) {
      finding = finding.rfind('@', 0) == 0 ? headerMessage(type, finding.substr(1))
                                           : resolve(type, finding);
    }
  }
  return rows;
}

constexpr char kTooLong[] = " Feldinhalt zu lang.";
inline std::string tooLong(const std::string& id) { return id + kTooLong; }

// Applied to a valid record without a contact person.
inline std::vector<RuleCase> headerRuleCases(const HeaderType& type) {
  const std::string r101(101, 'r');
  return resolveRows(
      type,
      {
          {"Valid", {}, {}},
          {"VfLowerCase", {{"VF", "{vf}"}}, {"@005"}},
          {"VfWithBlank", {raw("VF", "{VF} ")}, {"@005"}},
          {"VfMissing", {missing("VF")}, {"@005"}},
          {"AbsnMissing", {missing("ABSN")}, {"@010"}},
          {"AbsnCheckDigitPlusFive", {{"ABSN", "12345676"}}, {}},
          {"AbsnWrongCheckDigit", {{"ABSN", "12345672"}}, {"@010"}},
          {"AbsnCheckDigitZero", {{"ABSN", "12345670"}}, {"@010"}},
          {"AbsnIndented", {{"ABSN", " 12345671"}}, {"@010"}},
          {"AbsnShortField", {raw("ABSN", "12345671      ")}, {"@010"}},
          {"AbsnUnpadded", {raw("ABSN", "12345671")}, {"@010"}},
          {"AbsnNineDigits", {{"ABSN", "123456710"}}, {"@010"}},
          {"AbsnPrefix000", {{"ABSN", "00012344"}}, {"@010"}},
          {"AbsnPrefix000WrongCheckDigit", {{"ABSN", "00012340"}}, {"@010"}},
          {"AbsnPrefix099", {{"ABSN", "09912342"}}, {}},
          {"AbsnPrefix110", {{"ABSN", "11012347"}}, {"@010"}},
          {"AbsnPrefix111", {{"ABSN", "11112348"}}, {}},
          {"AbsnSeparate", {{"ABSN", "A1234564"}}, {}},
          {"AbsnSeparatePlusFive", {{"ABSN", "A1234569"}}, {}},
          {"AbsnSeparateWrongCheckDigit", {{"ABSN", "A1234560"}}, {"@012"}},
          {"AbsnSeparateWrongLetter", {{"ABSN", "B1234564"}}, {"@012"}},
          {"AbsnSeparateIndented", {{"ABSN", " A1234564"}}, {"@012"}},
          {"AbsnBlank", {{"ABSN", ""}}, {"@012"}},
          {"EpnrIndented", {{"EPNR", " 30517264"}}, {"@020"}},
          {"EpnrOther", {{"EPNR", "30517265"}}, {"@020"}},
          {"EpnrWithMore", {{"EPNR", "30517264 1"}}, {"@020"}},
          {"EpnrShort", {{"EPNR", "3051726"}}, {"@020"}},
          {"EpnrMissing", {missing("EPNR")}, {"@020"}},
          {"VersionMissing", {missing("VERNR{S}")}, {"@030"}},
          {"VersionNotNumeric", {{"VERNR{S}", "0A"}}, {"@030"}},
          {"Version01From2024", {{"MJAHR", "2024"}}, {"@031"}},
          {"Version02From2024", {{"VERNR{S}", "02"}, {"MJAHR", "2024"}}, {}},
          {"Version01YearNotNumeric", {{"MJAHR", "20X4"}}, {"@230"}},
          {"NevernrBlank", {{"NEVERNR", ""}}, {"@034"}},
          {"NevernrTooLong", {raw("NEVERNR", "123")}, {tooLong("#P_NEVERNR")}},
          {"DsVersionMissing", {missing("VERNRDS{S}")}, {"@036"}},
          {"DsVersionTooLong", {raw("VERNRDS{S}", "123")}, {tooLong("#P_VERNRDS{S}")}},
          {"EdMissing", {missing("ED")}, {"@050"}},
          {"EdIndented", {{"ED", " 2026120112000012345"}}, {"@050"}},
          {"EdLongerThan20", {raw("ED", "202612011200001234567")}, {"@051"}},
          {"EdOnly14Digits", {raw("ED", "20261201120000")}, {}},
          {"EdTimeNotNumeric", {{"ED", "2026120112000A123456"}}, {"@050"}},
          {"EdNoDate", {{"ED", "20261301120000123456"}}, {"@051"}},
          {"EdHour24", {{"ED", "20261201240000123456"}}, {"@053"}},
          {"EdAfterProcessingDate", {{"ED", "20261209000000000000"}}, {"@052"}},
          {"EdOnProcessingDate", {{"ED", "20261208235959000000"}}, {}},
          {"EdNextYear", {{"ED", "20270101000000000000"}}, {"@052"}},
          {"EdLastDayOfLastYear", {{"ED", "20251231235959000000"}}, {}},
          {"EdFractionBlank", {{"ED", "20261201120000"}}, {"@054"}},
          {"MmfuOther", {{"MMFU", "X"}}, {"@060"}},
          {"MmfuJ", {{"MMFU", "J"}}, {}},
          {"FekzNotNumeric", {{"FEKZ", "X"}}, {"@065"}},
          {"FekzTooLong", {raw("FEKZ", "12")}, {tooLong("#P_FEKZ"), "@071"}},
          {"FeanMissing", {missing("FEAN")}, {"@070"}},
          {"FeanTooLong", {raw("FEAN", "10")}, {tooLong("#P_FEAN")}},
          {"FeanWithoutErrorFlag", {{"FEAN", "3"}}, {"@072"}},
          {"FeanZeroWithErrorFlag", {{"FEKZ", "1"}}, {"@071"}},
          {"FeanWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "5"}}, {}},
          {"FeanOneWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "1"}}, {}},
          {"FeanNineWithErrorFlag", {{"FEKZ", "1"}, {"FEAN", "9"}}, {}},
          {"FeanWhileFlagNotNumeric", {{"FEKZ", "X"}, {"FEAN", "3"}}, {"@065"}},
          {"ReservesTooLong",
           {raw("RESERVE1", r101), raw("RESERVE2", std::string(33, 'r')), raw("RESERVE3", r101)},
           {tooLong("#P_RESERVE1"), tooLong("#P_RESERVE2"), tooLong("#P_RESERVE3")}},
          {"ReservesMissingOrFilled",
           {missing("RESERVE3"), {"RESERVE1", "frei"}, {"RESERVE2", "x"}},
           {}},
          {"ProdidBlank", {{"PRODID", ""}}, {"@101"}},
          {"ProdidTooLong", {raw("PRODID", "12345678")}, {tooLong("#P_PRODID")}},
          {"ModidMissing", {missing("MODID")}, {"@102"}},
          {"ModidTooLong", {raw("MODID", "123456789")}, {tooLong("#P_MODID")}},
          {"DsidLowerCaseAndSigns", {{"DSID", "ds 2026.x-y/z"}}, {}},
          {"DsidBlank", {{"DSID", ""}}, {"@110"}},
          {"DsidUnderscore", {{"DSID", "DS_1"}}, {"@111"}},
          {"DsidTooLong", {raw("DSID", std::string(33, 'D'))}, {tooLong("#P_DSID")}},
          {"VoidMissing", {missing("VOID")}, {"@120"}},
          {"VoidUmlaut", {{"VOID", "VO\xE4"}}, {"@121"}},
          {"KennzstLowerCase", {{"KENNZST", "j"}}, {"@130"}},
          {"MmuebFive", {{"MMUEB", "5"}}, {}},
          {"MmuebThree", {{"MMUEB", "3"}}, {"@140"}},
          {"MmuebNotNumeric", {{"MMUEB", "X"}}, {"@140"}},
          {"BbnruvMissing", {missing("BBNRUV")}, {"@200"}},
          {"BbnruvIndented", {{"BBNRUV", " 15141364"}}, {"@201"}},
          {"MnrBlank", {{"MNR", ""}}, {"@210"}},
          {"MnrTooLong", {raw("MNR", std::string(21, '1'))}, {tooLong("#P_MNR")}},
          {"MnrWrongLength", {{"MNR", "12345678"}}, {"@211"}},
          {"MnrWrongCharacter", {{"MNR", "12345678A"}}, {"@212"}},
          {"MnrRulesNotForCancellations", {{"MNR", "1234567A"}, {"KENNZST", "J"}}, {}},
          {"MnrTrimmedBeforeTheRules", {{"MNR", "  123456789"}}, {}},
          {"PinTooSmall", {{"PIN", "09999"}}, {"@221"}},
          {"PinSmallest", {{"PIN", "10000"}}, {}},
          {"PinNotNumeric", {{"PIN", "1234X"}}, {"@220"}},
          {"PinShort", {{"PIN", "1234"}}, {"@220"}},
          {"PinMissing", {missing("PIN")}, {"@220"}},
          {"PinTooLong", {raw("PIN", "123456")}, {tooLong("#P_PIN")}},
          {"LfdnrNotNumeric", {{"LFDNR", "00X"}}, {"@245"}},
          {"LfdnrTooLong", {raw("LFDNR", "1234")}, {tooLong("#P_LFDNR")}},
          {"MjahrMissing", {missing("MJAHR")}, {"@230"}},
          {"MjahrTooLong", {raw("MJAHR", "20260")}, {tooLong("#P_MJAHR")}},
          {"Mjahr2015", {{"MJAHR", "2015"}}, {"@231"}},
          {"Mjahr2016", {{"MJAHR", "2016"}}, {}},
          {"MjahrNextYearAfterSwitchDay", {{"VERNR{S}", "02"}, {"MJAHR", "2027"}}, {}},
          {"MjahrBeyondNextYear", {{"VERNR{S}", "02"}, {"MJAHR", "2028"}}, {"@232"}},
          {"BbnrlbMissing", {missing("BBNRLB")}, {"@240"}},
          {"BbnrlbWrongCheckDigit", {{"BBNRLB", "12345672"}}, {"@240"}},
          {"BbnrlbCarrier", {{"BBNRLB", "15141364"}}, {"@242"}},
          {"BbnrlbCarrierBefore2018", {{"BBNRLB", "15141364"}, {"MJAHR", "2017"}}, {}},
          {"BbnrlbCarrierIn2018", {{"BBNRLB", "15141364"}, {"MJAHR", "2018"}}, {"@242"}},
          {"BbnrlbCarrierInCancellation", {{"BBNRLB", "15141364"}, {"KENNZST", "J"}}, {}},
          {"BbnrasMissing", {missing("BBNRAS")}, {"@241"}},
          {"BbnrasPrefix105", {{"BBNRAS", "10512345"}}, {"@241"}},
          {"BbnrasCarrier", {{"BBNRAS", "15141364"}}, {"@243"}},
          {"BbnrasCarrierBefore2018", {{"BBNRAS", "15141364"}, {"MJAHR", "2017"}}, {}},
          {"BbnrasCarrierIn2018", {{"BBNRAS", "15141364"}, {"MJAHR", "2018"}}, {"@243"}},
          {"BbnrasOtherCarrier", {{"BBNRAS", "47009510"}}, {"@243"}},
          {"BbnrasOtherCarrierBefore2018", {{"BBNRAS", "47009510"}, {"MJAHR", "2017"}}, {}},
          {"MmdbapOther", {{"MMDBAP", "X"}}, {"@249"}},
      });
}

constexpr char kUnrsZeros[] = "000000000000000";

// The rows the types of version 02 (DSAS_02, DSLN_02) share: the
// enterprise number UNRS and its check digit, a membership number that may
// stay empty beside an enterprise number, version fields that are text but
// must be digits, and the third reserve field, of `reserve3` characters.
// Applied to a valid record without a contact person; the findings are
// all findings (Listed::kAllFindings), field findings first.
inline std::vector<RuleCase> version02RuleCases(const HeaderType& type, std::size_t reserve3) {
  return resolveRows(
      type, {
                {"Valid", {}, {}},
                {"UnrsZerosUpTo2023", {{"UNRS", kUnrsZeros}}, {}},
                {"UnrsWrongCheckDigit", {{"UNRS", "123456789017000"}}, {"@215"}},
                {"UnrsBlank", {{"UNRS", ""}}, {"@214"}},
                {"UnrsMissing", {missing("UNRS")}, {"UNRS#UNRS info 1", "@214"}},
                {"MnrBlankBesideEnterpriseNumber", {{"MNR", ""}}, {}},
                {"MnrMissingBesideEnterpriseNumber", {missing("MNR")}, {}},
                {"MnrBlankWithoutEnterpriseNumber", {{"MNR", ""}, {"UNRS", kUnrsZeros}}, {"@210"}},
                {"MnrWrongLength", {{"MNR", "12345678"}}, {"@211"}},
                {"NevernrBlank", {{"NEVERNR", ""}}, {"@034"}},
                {"NevernrMissing", {missing("NEVERNR")}, {"NEVERNR#NEVERNR info 1", "@034"}},
                {"DsVersionBlank", {{"VERNRDS{S}", ""}}, {"@036"}},
                // Alphanumeric in version 02: letters fail the rule, not the field.
                {"DsVersionLetters", {{"VERNRDS{S}", "AB"}}, {"@036"}},
                {"Reserve3Longest", {raw("RESERVE3", std::string(reserve3, 'r'))}, {}},
                {"Reserve3TooLong",
                 {raw("RESERVE3", std::string(reserve3 + 1, 'r'))},
                 {"RESERVE3#RESERVE3 info 3", tooLong("#P_RESERVE3")}},
                {"Reserve3Missing", {missing("RESERVE3")}, {"RESERVE3#RESERVE3 info 1"}},
            });
}

constexpr char kDBAP030[] =
    "AN[1]#P_NAMEAP DBAP030 NAME-ANSPRECHPARTNER Grundstellung unzul\xE4ssig";

// Applied to a valid record with a contact person whose every field is
// filled.
inline std::vector<RuleCase> contactRuleCases() {
  auto anTooLong = [](const char* field) { return tooLong(std::string("AN[1]#P_") + field); };
  return {
      {"Valid", {}, {}},
      {"KeOther", {{"AN.KE", "DBAX"}}, {"AN[1]#P_KE DBAP010 KENNUNG ungleich DBAP"}},
      {"NameapBlank", {{"AN.NAMEAP", ""}}, {kDBAP030}},
      {"NameapMissing", {missing("AN.NAMEAP")}, {kDBAP030}},
      {"NameapTooLong", {raw("AN.NAMEAP", std::string(31, 'n'))}, {anTooLong("NAMEAP")}},
      {"TelapBlank",
       {{"AN.TELAP", ""}},
       {"AN[1]#P_TELAP DBAP040 TELEFON-ANSPRECHPARTNER Grundstellung unzul\xE4ssig"}},
      {"TelapTooLong", {raw("AN.TELAP", std::string(21, '1'))}, {anTooLong("TELAP")}},
      {"Name1Blank",
       {{"AN.NAME1", ""}},
       {"AN[1]#P_NAME1 DBAP050 NAME1 Grundstellung unzul\xE4ssig"}},
      {"PlzBlank", {{"AN.PLZ", ""}}, {"AN[1]#P_PLZ DBAP060 PLZ Grundstellung unzul\xE4ssig"}},
      {"PlzTooLong", {raw("AN.PLZ", "12345678901")}, {anTooLong("PLZ")}},
      {"OrtMissing", {missing("AN.ORT")}, {"AN[1]#P_ORT DBAP070 ORT Grundstellung unzul\xE4ssig"}},
      {"NrTooLong", {raw("AN.NR", std::string(10, '1'))}, {anTooLong("NR")}},
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
       {anTooLong("ANRAP"), anTooLong("FAXAP"), anTooLong("EMAILAP"), anTooLong("NAME2"),
        anTooLong("NAME3"), anTooLong("STR"), anTooLong("NR")}},
      {"NotRunWithoutMarker", {{"MMDBAP", "N"}, {"AN.KE", "DBAX"}}, {}},
  };
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_HEADER_RULE_CASES_H_

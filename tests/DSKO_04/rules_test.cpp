// Each DSKO message under the condition that produces it, and only there.

#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSKO_04/dsko04_record.h"
#include "support/rule_cases.h"

namespace {

using vexal::testing::Change;
using vexal::testing::raw;
using vexal::testing::RuleCase;
const Change kMissing(const char* field) { return vexal::testing::missing(field); }

constexpr char kTooLong[] = " Feldinhalt zu lang.";
constexpr char kEmailChars[] =
    " DSKO610 EMAIL-EMPFAENGER-PROTOKOLLE enth\xE4lt unzul\xE4ssige Zeichen";
constexpr char kEmailShape[] =
    " DSKO612 EMAIL-EMPFAENGER-PROTOKOLLE enth\xE4lt unzul\xE4ssige Zeichen";

std::string with(const char* id, const char* text) { return std::string(id) + text; }

const std::vector<RuleCase>& ruleCases() {
  static const std::vector<RuleCase> cases = {
      {"Valid", {}, {}},
      {"VfMissing", {kMissing("VF")}, {"#P_VF DSKO004 Verfahren nicht zugelassen"}},
      {"VfOther", {{"VF", "UVXYZ"}}, {"#P_VF DSKO004 Verfahren nicht zugelassen"}},
      {"VfUveln", {{"VF", "UVELN"}}, {}},
      {"AbsnAndEpnrMissing", {kMissing("ABSN"), kMissing("EPNR")}, {}},
      {"VernrMissing", {kMissing("VERNR")}, {"#P_VERNR DSKO040 VERSIONS-NR nicht numerisch"}},
      {"VernrNotNumeric", {{"VERNR", "0A"}}, {"#P_VERNR DSKO040 VERSIONS-NR nicht numerisch"}},
      {"VernrOther", {{"VERNR", "03"}}, {"#P_VERNR DSKO042 VERSIONS-NR nicht zugelassen"}},
      {"EdMissing", {kMissing("ED")}, {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdIndented",
       {{"ED", " 2026120112000012345"}},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdLongerThan20",
       {raw("ED", "202612011200001234567")},
       {"#P_ED DSKO052 DATUM-ERSTELLUNG logisch falsch"}},
      {"EdShorterThan14",
       {raw("ED", "2026120112000")},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdTrimmedShorterThan14",
       {raw("ED", "2026120112000      ")},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdPaddedWithBlanks",
       {{"ED", "20261201120000"}},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdNoDate",
       {{"ED", "20261301120000123456"}},
       {"#P_ED DSKO052 DATUM-ERSTELLUNG logisch falsch"}},
      {"EdNoTime",
       {{"ED", "20261201250000123456"}},
       {"#P_ED DSKO056 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch"}},
      {"EdOnly14Digits",
       {raw("ED", "20261201120000")},
       {"#P_ED DSKO056 DATUM-ERSTELLUNG (Uhrzeit) logisch falsch"}},
      {"EdAfterProcessingDate",
       {{"ED", "20261209000000000000"}},
       {"#P_ED DSKO054 DATUM-ERSTELLUNG gr\xF6\xDF"
        "er Verarbeitungsdatum"}},
      {"EdOnProcessingDate", {{"ED", "20261208235959999999"}}, {}},
      {"EdDigits19And20NotTested", {raw("ED", "2026120112000012345")}, {}},
      {"EdFifteenDigits", {raw("ED", "202612011200001")}, {}},
      {"EdSixteenDigits", {raw("ED", "2026120112000012")}, {}},
      {"EdColonLastOfFourteen",
       {raw("ED", "2026120112000:")},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      // A byte that is no digit in each of the words the digits are read
      // in, the last ending with the text.
      {"EdSlashInTheDate",
       {{"ED", "2026/201120000123456"}},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdLatin1TwoInTheTime",
       {{"ED",
         "20261201\xB2"
         "20000123456"}},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdColonLast",
       {{"ED", "2026120112000012345:"}},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      {"EdBlankInSeventeen",
       {raw("ED", "2026120112000012 ")},
       {"#P_ED DSKO050 DATUM-ERSTELLUNG nicht numerisch"}},
      // Days order by year, then month, then day.
      {"EdNextYearEarlierMonth",
       {{"ED", "20270101000000000000"}},
       {"#P_ED DSKO054 DATUM-ERSTELLUNG gr\xF6\xDF"
        "er Verarbeitungsdatum"}},
      {"EdEarlierMonthLaterDay", {{"ED", "20261130235959000000"}}, {}},
      {"EdEarlierYearLaterMonth", {{"ED", "20251231235959000000"}}, {}},
      {"FekzMissing", {kMissing("FEKZ")}, {"#P_FEKZ DSKO060 FEHLER-KENNZ nicht numerisch"}},
      {"FekzNotNumeric", {{"FEKZ", "X"}}, {"#P_FEKZ DSKO060 FEHLER-KENNZ nicht numerisch"}},
      {"FekzTwo",
       {{"FEKZ", "2"}, {"FEAN", "3"}},
       {"#P_FEKZ DSKO062 FEHLER-KENNZ ungleich 0 oder 1"}},
      {"FeanMissing", {kMissing("FEAN")}, {"#P_FEAN DSKO070 FEHLER-ANZAHL nicht numerisch"}},
      {"FeanNotNumeric", {{"FEAN", "X"}}, {"#P_FEAN DSKO070 FEHLER-ANZAHL nicht numerisch"}},
      {"FeanWithoutErrorMark",
       {{"FEAN", "3"}},
       {"#P_FEAN DSKO072 FEHLER-ANZAHL ungleich 0, FEHLER-KZ gleich 0"}},
      {"FeanWithErrorMark", {{"FEKZ", "1"}, {"FEAN", "3"}}, {}},
      {"FeanZeroWithErrorMark", {{"FEKZ", "1"}, {"FEAN", "0"}}, {}},
      {"FeanWhileFekzMissing",
       {kMissing("FEKZ"), {"FEAN", "3"}},
       {"#P_FEKZ DSKO060 FEHLER-KENNZ nicht numerisch"}},
      {"AbsnerMissing",
       {kMissing("ABSNER")},
       {"#P_ABSNER DSKO080 BBNR-ERSTELLER gleich Grundstellung"}},
      {"AbsnerBlank", {{"ABSNER", ""}}, {}},
      {"ProdidMissing",
       {kMissing("PRODID")},
       {"#P_PRODID DSKO082 PRODUKT-IDENTIFIER gleich Grundstellung"}},
      {"ProdidTooLong", {raw("PRODID", "12345678")}, {with("#P_PRODID", kTooLong)}},
      {"ModidMissing",
       {kMissing("MODID")},
       {"#P_MODID DSKO084 MODIFIKATIONS-IDENTIFIER gleich Grundstellung"}},
      {"ModidTooLong", {raw("MODID", "123456789")}, {with("#P_MODID", kTooLong)}},
      {"Name1Blank", {{"NAME1", ""}}, {"#P_NAME1 DSKO500 NAME1-ABSENDER ist leer"}},
      {"Name1Missing", {kMissing("NAME1")}, {"#P_NAME1 DSKO500 NAME1-ABSENDER ist leer"}},
      {"Name1TooLong", {raw("NAME1", std::string(31, 'N'))}, {with("#P_NAME1", kTooLong)}},
      {"Name1BlankAndTooLong",
       {raw("NAME1", std::string(31, ' '))},
       {"#P_NAME1 DSKO500 NAME1-ABSENDER ist leer"}},
      {"OptionalFieldsBlankOrMissing",
       {{"NAME2", ""}, kMissing("NAME3"), kMissing("STR"), {"NR", ""}, kMissing("FAXAP")},
       {}},
      {"Name2TooLong", {raw("NAME2", std::string(31, ' '))}, {with("#P_NAME2", kTooLong)}},
      {"Name3TooLong", {raw("NAME3", std::string(31, 'x'))}, {with("#P_NAME3", kTooLong)}},
      {"PlzBlank", {{"PLZ", ""}}, {"#P_PLZ DSKO530 PLZ-BETRIEB ist leer"}},
      {"PlzTooLong", {raw("PLZ", "12345678901")}, {with("#P_PLZ", kTooLong)}},
      {"OrtMissing", {kMissing("ORT")}, {"#P_ORT DSKO540 ORT-BETRIEB ist leer"}},
      {"OrtTooLong", {raw("ORT", std::string(35, 'o'))}, {with("#P_ORT", kTooLong)}},
      {"StrTooLong", {raw("STR", std::string(34, 's'))}, {with("#P_STR", kTooLong)}},
      {"NrTooLong", {raw("NR", "1234567890")}, {with("#P_NR", kTooLong)}},
      {"AnrapOther",
       {{"ANRAP", "X"}},
       {"#P_ANRAP DSKO570 ANREDE-ANSPRECHPARTNER ungleich M oder W"}},
      {"AnrapBlank",
       {{"ANRAP", ""}},
       {"#P_ANRAP DSKO570 ANREDE-ANSPRECHPARTNER ungleich M oder W"}},
      {"AnrapMissing",
       {kMissing("ANRAP")},
       {"#P_ANRAP DSKO570 ANREDE-ANSPRECHPARTNER ungleich M oder W"}},
      {"AnrapM", {{"ANRAP", "M"}}, {}},
      {"NameapBlank", {{"NAMEAP", ""}}, {"#P_NAMEAP DSKO580 NAME-ANSPRECHPARTNER ist leer"}},
      {"NameapTooLong", {raw("NAMEAP", std::string(31, 'n'))}, {with("#P_NAMEAP", kTooLong)}},
      {"TelapBlank", {{"TELAP", ""}}, {"#P_TELAP DSKO590 TELEFON-ANSPRECHPARTNER ist leer"}},
      {"TelapTooLong", {raw("TELAP", std::string(21, '1'))}, {with("#P_TELAP", kTooLong)}},
      {"FaxapTooLong", {raw("FAXAP", std::string(21, '1'))}, {with("#P_FAXAP", kTooLong)}},
      {"EmailBlank",
       {{"EMAILAP", ""}},
       {"#P_EMAILAP DSKO605 EMAIL-EMPFAENGER-PROTOKOLLE ist leer"}},
      {"EmailMissing",
       {kMissing("EMAILAP")},
       {"#P_EMAILAP DSKO605 EMAIL-EMPFAENGER-PROTOKOLLE ist leer"}},
      {"EmailBlankAndTooLong",
       {raw("EMAILAP", std::string(71, ' '))},
       {with("#P_EMAILAP", kTooLong)}},
      {"EmailTooLong",
       {raw("EMAILAP", "a@" + std::string(69, 'b'))},
       {with("#P_EMAILAP", kTooLong)}},
      {"EmailBlankInside", {{"EMAILAP", "in fo@muster.de"}}, {with("#P_EMAILAP", kEmailChars)}},
      {"EmailBracket", {{"EMAILAP", "info[1]@muster.de"}}, {with("#P_EMAILAP", kEmailChars)}},
      {"EmailAccent", {{"EMAILAP", "ren\xE9@muster.de"}}, {with("#P_EMAILAP", kEmailChars)}},
      {"EmailTwoAtSigns", {{"EMAILAP", "a@b@muster.de"}}, {with("#P_EMAILAP", kEmailShape)}},
      {"EmailAtAndParagraph", {{"EMAILAP", "a@b\xA7muster.de"}}, {with("#P_EMAILAP", kEmailShape)}},
      {"EmailNoAtSign", {{"EMAILAP", "info.muster.de"}}, {with("#P_EMAILAP", kEmailShape)}},
      {"EmailAtFirst", {{"EMAILAP", "@muster.de"}}, {with("#P_EMAILAP", kEmailShape)}},
      {"EmailAtLast", {{"EMAILAP", "info@"}}, {with("#P_EMAILAP", kEmailShape)}},
      {"EmailParagraphAsAtSign", {{"EMAILAP", "info\xA7muster.de"}}, {}},
      {"EmailUmlauts",
       {{"EMAILAP",
         "m\xFCller@stra\xDF"
         "e.de"}},
       {}},
      {"EmailTrimmedBeforeTests", {{"EMAILAP", "   info@muster.de"}}, {}},
      {"ReserveNotBlank",
       {{"RESERVE", "X"}},
       {"#P_RESERVE DSKO900 RESERVE ungleich Grundstellung (Leerzeichen)"}},
      {"ReserveMissing", {kMissing("RESERVE")}, {}},
      {"ReserveTooLong", {raw("RESERVE", "      ")}, {with("#P_RESERVE", kTooLong)}},
      {"SeveralAtOnce",
       {{"VF", "UVXYZ"}, {"NAME1", ""}, {"RESERVE", "1"}},
       {"#P_VF DSKO004 Verfahren nicht zugelassen", "#P_NAME1 DSKO500 NAME1-ABSENDER ist leer",
        "#P_RESERVE DSKO900 RESERVE ungleich Grundstellung (Leerzeichen)"}},
  };
  return cases;
}

class Dsko04RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Dsko04RuleTest, ReportsExactlyTheMessagesOfItsCondition) {
  vexal::testing::expectRuleCase(*dsko04::makeHarness(), dsko04::validRecord(), GetParam());
}

// Without a section observer the rules answer in place of the text
// functions, which open no section then: the findings stay the same.
TEST_P(Dsko04RuleTest, ReportsTheSameWithoutASectionObserver) {
  auto h = dsko04::makeHarness();
  h->ctx().setSectionObserver(nullptr);
  vexal::testing::expectRuleCase(*h, dsko04::validRecord(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Messages, Dsko04RuleTest, ::testing::ValuesIn(ruleCases()),
                         vexal::testing::RowName());

}  // namespace

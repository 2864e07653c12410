// The built `vexal` program end to end: it loads libvexal from its own
// folder and checks generated DSKO_04 transmissions in a temporary folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/program_run.h"
#include "support/matchers.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::ProgramResult;

// A DSKO_04 record: 24 fields, 415 characters, left-aligned and blank
// padded. Starts valid for a processing date from 20261201 on.
class Dsko {
 public:
  Dsko& set(const std::string& field, const std::string& value) {
    values_[field] = value;
    return *this;
  }
  std::string str() const {
    std::string line;
    for (const auto& [name, length] : kFields) {
      auto it = values_.find(name);
      std::string value = it == values_.end() ? "" : it->second;
      value.resize(length, ' ');
      line += value;
    }
    return line;
  }

 private:
  static constexpr std::pair<const char*, std::size_t> kFields[] = {
      {"KE", 4},     {"VF", 5},      {"ABSN", 15},   {"EPNR", 15},  {"VERNR", 2},    {"ED", 20},
      {"FEKZ", 1},   {"FEAN", 1},    {"ABSNER", 15}, {"PRODID", 7}, {"MODID", 8},    {"NAME1", 30},
      {"NAME2", 30}, {"NAME3", 30},  {"PLZ", 10},    {"ORT", 34},   {"STR", 33},     {"NR", 9},
      {"ANRAP", 1},  {"NAMEAP", 30}, {"TELAP", 20},  {"FAXAP", 20}, {"EMAILAP", 70}, {"RESERVE", 5},
  };
  std::map<std::string, std::string> values_ = {
      {"KE", "DSKO"},
      {"VF", "UVSDD"},
      {"ABSN", "12345678"},
      {"EPNR", "87654321"},
      {"VERNR", "04"},
      {"ED", "20261201120000000000"},
      {"FEKZ", "0"},
      {"FEAN", "0"},
      {"ABSNER", "12345678"},
      {"PRODID", "PROD001"},
      {"MODID", "MOD00001"},
      {"NAME1", "M\xFCller Bau GmbH"},
      {"PLZ", "12345"},
      {"ORT", "K\xF6ln"},
      {"STR", "Hauptstr."},
      {"NR", "1"},
      {"ANRAP", "W"},
      {"NAMEAP", "Meier"},
      {"TELAP", "0221 123456"},
      {"EMAILAP", "info@example.de"},
  };
};

const std::string kValid = Dsko().str();

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

std::string record(const std::string& file, int line, int findings) {
  return R"({"kind":"record","file":")" + file + R"(","line":)" + std::to_string(line) +
         R"(,"record_type":"DSKO_04","findings":)" + std::to_string(findings) + "}";
}

std::string ruleFinding(const std::string& file, int line, const std::string& check,
                        const std::string& code, const std::string& text) {
  return R"({"kind":"finding","file":")" + file + R"(","line":)" + std::to_string(line) +
         R"(,"record_type":"DSKO_04","id":"#)" + check + R"(","check":")" + check +
         R"(","code":")" + code + R"(","problem_type":2,"weight":1,"info_type":0,)" +
         R"("short_description":")" + text + R"(","long_description":")" + text +
         R"(","correction_info":"Korrigieren Sie bitte Ihre Angabe.","reference_topic":"DSKO_04",)" +
         R"("reference_field":null,"field_display_name":null,"field_type":null,)" +
         R"("field_length":null,"field_mask":null,"exception":null})";
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vexal-cli-test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ + "/" + name, std::ios::binary) << bytes;
  }
  ProgramResult run(const std::vector<std::string>& arguments, const std::string& input = "") {
    write(".stdin", input);
    return vexal::testing::runProgram(VEXAL_CLI_PATH, arguments, folder_, folder_ + "/.stdin");
  }
  // check --today 20261208 --format jsonl, then the arguments; the
  // summary object that closes every run is checked and taken off.
  ProgramResult jsonl(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::vector<std::string> all = {"check", "--today", "20261208", "--format", "jsonl"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ProgramResult result = run(all, input);
    const std::size_t last = result.out.rfind('\n', result.out.size() - 2);
    const std::size_t start = last == std::string::npos ? 0 : last + 1;
    EXPECT_THAT(result.out.substr(start), StartsWith(R"({"kind":"summary","records":)"));
    result.out.erase(start);
    return result;
  }

  std::string folder_;
};

TEST_F(CliTest, ValidRecordGivesOneRecordWithoutFindings) {
  write("ok.txt", kValid + "\n");
  ProgramResult r = jsonl({"ok.txt"});
  EXPECT_EQ(r.out, record("ok.txt", 1, 0) + "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST_F(CliTest, FaultyRecordGivesItsFindingsInUtf8) {
  write("bad.txt",
        Dsko().set("VERNR", "03").set("ED", "20261209000000000000").set("NAME1", "").str() + "\n");
  ProgramResult r = jsonl({"bad.txt"});
  EXPECT_THAT(
      lines(r.out),
      ElementsAre(
          ruleFinding("bad.txt", 1, "P_VERNR", "DSKO042", "DSKO042 VERSIONS-NR nicht zugelassen"),
          ruleFinding("bad.txt", 1, "P_ED", "DSKO054",
                      "DSKO054 DATUM-ERSTELLUNG gr\xC3\xB6\xC3\x9F"
                      "er Verarbeitungsdatum"),
          ruleFinding("bad.txt", 1, "P_NAME1", "DSKO500", "DSKO500 NAME1-ABSENDER ist leer"),
          record("bad.txt", 1, 3)));
  EXPECT_EQ(r.status, 1);

  // The processing date decides: on 20261209 the date is no finding.
  r = run({"check", "--today", "20261209", "--format", "jsonl", "bad.txt"});
  EXPECT_THAT(r.out, Not(HasSubstr("P_ED")));
}

TEST_F(CliTest, TextNamesFileLineTypeAndCheck) {
  write("bad.txt", kValid + "\n" + Dsko().set("ED", "20270101000000000000").str() + "\n");
  ProgramResult r = run({"check", "--today", "20261208", "bad.txt"});
  EXPECT_EQ(r.out,
            "bad.txt:2: DSKO_04 P_ED: DSKO054 DATUM-ERSTELLUNG gr\xC3\xB6\xC3\x9F"
            "er Verarbeitungsdatum\n");
  EXPECT_EQ(r.err,
            "vexal: 2 records checked, 1 with findings, 1 finding (DSKO_04: 1), 0 warnings, "
            "0 line errors\n");
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, MixedTransmissionReportsWhatCannotBeCheckedAndGoesOn) {
  const std::string dsas = "DSAS" + std::string(35, ' ') + "07" + std::string(100, ' ');
  const std::string dsln = "DSLN" + std::string(35, ' ') + "2";
  write("mixed.txt",
        kValid + "\nXXXX" + kValid.substr(4) + "\n" + dsas + "\n" + dsln + "\n" + kValid + "\n");
  ProgramResult r = jsonl({"mixed.txt"});
  EXPECT_THAT(
      lines(r.out),
      ElementsAre(record("mixed.txt", 1, 0),
                  R"({"kind":"error","file":"mixed.txt","line":2,"message":"record type cannot )"
                  R"(be told: unknown record identifier \"XXXX\" in characters 1-4"})",
                  R"({"kind":"error","file":"mixed.txt","line":3,"message":"record type cannot )"
                  R"(be told: DSAS record with unknown version \"07\" in characters 40-41"})",
                  HasSubstr(R"("line":4,"message":"record type cannot be told: DSLN record too )"
                            R"(short for its version field (characters 40-41): 40 characters)"),
                  record("mixed.txt", 5, 0)));
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, WarnsAboutTheLengthBeforeTheFindings) {
  write("len.txt", kValid.substr(0, 200) + "\n" + kValid + "ABC\n");
  ProgramResult r = jsonl({"len.txt"});
  std::vector<std::string> out = lines(r.out);
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out[0],
            R"({"kind":"warning","file":"len.txt","line":1,"record_type":"DSKO_04","message":)"
            R"("record too short: 200 characters, its layout implies 415",)"
            R"("expected_length":415,"actual_length":200})");
  // Mandatory fields after the cut are not supplied; optional ones (FAXAP)
  // are no finding.
  std::vector<std::string> missing;
  for (const std::string& line : out) {
    if (line.find(R"("problem_type":1,"weight":9,"info_type":1,)") != std::string::npos) {
      missing.push_back(line.substr(line.find("\"check\":")));
      missing.back().resize(missing.back().find(','));
    }
  }
  EXPECT_THAT(missing,
              ElementsAre(R"("check":"ANRAP")", R"("check":"NAMEAP")", R"("check":"TELAP")",
                          R"("check":"EMAILAP")", R"("check":"RESERVE")"));
  EXPECT_THAT(out, ::testing::Contains(HasSubstr(
                       R"("id":"TELAP#TELAP","check":"TELAP","code":null,"problem_type":1,)"
                       R"("weight":9,"info_type":1,"short_description":"Ihre Eingabe ist )"
                       "unzul\xC3\xA4ssig.")));
  EXPECT_THAT(out, ::testing::Contains(HasSubstr(R"("reference_field":"EMAILAP",)")));
  const std::size_t n = out.size();
  EXPECT_EQ(out[n - 3], record("len.txt", 1, static_cast<int>(n - 4)));
  EXPECT_EQ(out[n - 2],
            R"({"kind":"warning","file":"len.txt","line":2,"record_type":"DSKO_04","message":)"
            R"("record too long: 418 characters, its layout implies 415",)"
            R"("expected_length":415,"actual_length":418})");
  EXPECT_EQ(out[n - 1], record("len.txt", 2, 0));
}

TEST_F(CliTest, TakesCrLfEmptyLinesAndALastLineWithoutEnd) {
  write("crlf.txt", kValid + "\r\n\r\n\n" + kValid);
  ProgramResult r = jsonl({"crlf.txt"});
  EXPECT_EQ(r.out, record("crlf.txt", 1, 0) + "\n" + record("crlf.txt", 4, 0) + "\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(CliTest, ReadsStandardInputForDash) {
  ProgramResult r = jsonl({"-"}, kValid + "\n" + Dsko().set("VERNR", "03").str() + "\n");
  EXPECT_THAT(lines(r.out),
              ElementsAre(record("-", 1, 0), HasSubstr(R"("check":"P_VERNR")"), record("-", 2, 1)));
  EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, UnreadableFileIsAnErrorAndTheOthersAreStillChecked) {
  write("ok.txt", kValid + "\n");
  ProgramResult r = jsonl({"missing.txt", "ok.txt"});
  EXPECT_THAT(lines(r.out),
              ElementsAre(StartsWith(R"({"kind":"error","file":"missing.txt","line":null,)"
                                     R"("message":"cannot open file: )"),
                          record("ok.txt", 1, 0)));
  EXPECT_THAT(r.err, HasSubstr("missing.txt"));
  EXPECT_EQ(r.status, 2);
}

struct ExitCase {
  const char* name;
  std::vector<std::string> arguments;
  int status;
};

class CliExitTest : public CliTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(CliExitTest, TellsTheOutcome) {
  write("ok.txt", kValid + "\n");
  write("bad.txt", Dsko().set("VERNR", "03").str() + "\n");
  write("odd.txt", "XXXX\n");
  ProgramResult r = run(GetParam().arguments);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  if (GetParam().status == 2) {
    EXPECT_THAT(r.err, StartsWith("vexal: "));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CliExitTest,
    ::testing::Values(
        ExitCase{"Clean", {"check", "--today", "20261208", "ok.txt"}, 0},
        ExitCase{"Findings", {"check", "--today", "20261208", "ok.txt", "bad.txt"}, 1},
        ExitCase{"LineError", {"check", "--today", "20261208", "odd.txt"}, 1},
        ExitCase{"MissingWinsOverFindings", {"check", "bad.txt", "none.txt"}, 2},
        ExitCase{"UnknownOption", {"check", "--strict", "ok.txt"}, 2},
        ExitCase{"ImpossibleDate", {"check", "--today", "20261232", "ok.txt"}, 2},
        ExitCase{"NoFiles", {"check"}, 2}, ExitCase{"NoSubcommand", {}, 2},
        ExitCase{"BadLibrary", {"check", "--library", "/nonexistent/libvexal.so", "ok.txt"}, 2},
        ExitCase{"Help", {"--help"}, 0}, ExitCase{"CheckHelp", {"check", "--help"}, 0},
        ExitCase{"LayoutHelp", {"layout", "-h"}, 0}, ExitCase{"CallHelp", {"call", "--help"}, 0},
        ExitCase{"TypesHelp", {"types", "--help"}, 0}, ExitCase{"Version", {"--version"}, 0},
        ExitCase{"CallVersion", {"call", "--version"}, 0}),
    [](const auto& info) { return info.param.name; });

// The page with the real rule sets: header, marked field, redaction.
struct PageCase {
  const char* name;
  std::vector<std::string> options;
  std::vector<const char*> present;
  std::vector<const char*> absent;
};

class CliPageTest : public CliTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(CliPageTest, ShowsTheFaultyRecord) {
  write("bad.txt", Dsko().set("VERNR", "03").set("NAME1", "Erika Mustermann").str() + "\n");
  std::vector<std::string> arguments = {"check", "--today", "20261208", "-j", "2"};
  arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
  arguments.push_back("bad.txt");
  ProgramResult r = run(arguments);
  EXPECT_EQ(r.status, 1) << r.err;
  for (const char* part : GetParam().present) EXPECT_THAT(r.out, HasSubstr(part));
  for (const char* part : GetParam().absent) EXPECT_THAT(r.out, Not(HasSubstr(part)));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CliPageTest,
    ::testing::Values(
        PageCase{"Html",
                 {"--format", "html"},
                 {"<html lang=\"de\">", "<dt>Verarbeitungsdatum</dt><dd>08.12.2026</dd>",
                  "DSKO_04 Version 1.0, Stand ", "<dd>ipMjahrSchalttag=1201</dd>",
                  "<mark data-p=40 title=\"Zeichen 40&ndash;41: VERNR &ndash; DSKO042\">03</mark>",
                  "Erika", "<td>VERSIONS-NR<td class=v>03<td><div><span class=code>DSKO042</span>"},
                 {}},
        PageCase{"HtmlRedacted",
                 {"--format=html", "--redact", "--html-limit=0"},
                 {">03</mark>"},
                 {"Erika", "UVSDD"}},
        PageCase{"Junit",
                 {"--format", "junit"},
                 {"<testsuite name=\"bad.txt DSKO_04\" id=\"0\" tests=\"1\" failures=\"1\"",
                  "<failure message=\"DSKO042 VERSIONS-NR nicht zugelassen\" type=\"DSKO042\">"},
                 {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(CliTest, ForcedTypeAppliesToEveryLine) {
  write("ok.txt", kValid + "\n");
  ProgramResult r = jsonl({"--type", "DSLN_02", "ok.txt"});
  EXPECT_THAT(lines(r.out),
              ::testing::Contains(StartsWith(
                  R"({"kind":"record","file":"ok.txt","line":1,"record_type":"DSLN_02")")));
  // A line DSKO_04 cannot tell by its identifier, checked as DSKO_04.
  write("odd.txt", "XXXX" + kValid.substr(4) + "\n");
  r = jsonl({"--type", "DSKO_04", "odd.txt"});
  EXPECT_THAT(lines(r.out),
              ::testing::Contains(StartsWith(R"({"kind":"record","file":"odd.txt")")));
  EXPECT_THAT(r.out, Not(HasSubstr("\"kind\":\"error\"")));
}

TEST_F(CliTest, LevelTwoSkipsTheRuleFindings) {
  write("bad.txt", Dsko().set("VERNR", "03").set("NAME1", "").str() + "\n");
  EXPECT_THAT(jsonl({"bad.txt"}).out, HasSubstr("\"problem_type\":2"));
  ProgramResult r = jsonl({"--level", "2", "bad.txt"});
  EXPECT_EQ(r.out, record("bad.txt", 1, 0) + "\n");
  EXPECT_EQ(r.status, 0);
}

TEST_F(CliTest, LogWritesTheRuntimesTraceToStandardError) {
  write("bad.txt", kValid + "\n" + Dsko().set("VERNR", "03").str() + "\n");
  ProgramResult r = jsonl({"--log", "bad.txt"});
  EXPECT_THAT(lines(r.out),
              ElementsAre(record("bad.txt", 1, 0), HasSubstr("P_VERNR"), record("bad.txt", 2, 1)));
  EXPECT_EQ(r.err, "bad.txt:2: trace: FehlerID angeschrieben: #P_VERNR\n");
  EXPECT_EQ(jsonl({"bad.txt"}).err, "");
}

TEST_F(CliTest, LayoutListsTheFieldsWithDisplayNames) {
  ProgramResult r = run({"layout", "DSKO_04"});
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> out = lines(r.out);
  ASSERT_EQ(out.size(), 28u);
  EXPECT_EQ(out[0], "DSKO_04: 24 fields, 415 characters");
  EXPECT_EQ(out[4], "       1       4  alphanumeric  KE                KENNUNG");
  EXPECT_EQ(out[8], "      40       2  numeric       VERNR             VERSIONS-NR");
  EXPECT_EQ(out[27], "     411       5  alphanumeric  RESERVE           RESERVE");

  r = run({"layout", "--format", "json", "DSKO_04"});
  EXPECT_THAT(r.out, AllOf(StartsWith(R"({"record_type":"DSKO_04","built":true,"field_count":24,)"
                                      R"("record_length":415,"minimum_length":415,"entries":[)"),
                           HasSubstr(R"({"kind":"field","path":"EMAILAP","name":"EMAILAP",)"
                                     R"("depth":0,"position":341,"position_after":null,)"
                                     R"("length":70,"type":"alphanumeric",)"
                                     R"("display_name":"EMAIL-EMPFAENGER-PROTOKOLLE"})")));
}

// The whole layout of the wage report, with its counted group placed after
// the header and the contact person after the counted group.
TEST_F(CliTest, LayoutOfTheWageReportIsTheCommittedOne) {
  std::ifstream golden(VEXAL_SOURCE_DIR "/tests/host/golden/DSLN_01.layout.json", std::ios::binary);
  std::stringstream expected;
  expected << golden.rdbuf();
  ASSERT_FALSE(expected.str().empty());
  ProgramResult r = run({"layout", "--format", "json", "DSLN_01"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, expected.str());
  std::vector<std::string> text = lines(run({"layout", "DSLN_01"}).out);
  ASSERT_GT(text.size(), 38u);
  EXPECT_EQ(text[0], "DSLN_01: 51 fields, at least 494 characters (groups vary in size)");
  EXPECT_EQ(text[37],
            "group UV at 495, occurs as often as counter field ANUV says, 59 characters each");
}

TEST_F(CliTest, LayoutShowsTheContactPersonGroupAndItsCondition) {
  ProgramResult r = run({"layout", "DSAS_01"});
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> out = lines(r.out);
  ASSERT_EQ(out.size(), 4u + 29u + 1u + 13u);
  EXPECT_EQ(out[0], "DSAS_01: 42 fields, at least 463 characters (groups vary in size)");
  EXPECT_EQ(out[33], "group AN at 464, occurs once when MMDBAP = \"J\", 321 characters each");
  EXPECT_EQ(out[39], "      76      70  alphanumeric    AN.EMAILAP      EMAIL-ANSPRECHPARTNER");
  r = run({"layout", "--format", "json", "DSAS_01"});
  EXPECT_THAT(r.out,
              HasSubstr(R"({"kind":"group","path":"AN","name":"AN","depth":0,"position":464,)"
                        R"("position_after":null,"occurrence_length":321,)"
                        R"("counter_field":null,)"
                        R"("condition":{"field":"MMDBAP","operator":"=","value":"J"}})"));
}

struct CallCase {
  const char* name;
  std::vector<std::string> arguments;
  std::string out;
  int status;
  const char* err_part = "";
};

class CliCallTest : public CliTest, public ::testing::WithParamInterface<CallCase> {};

TEST_P(CliCallTest, PrintsTheResult) {
  std::vector<std::string> arguments = {"call"};
  arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  ProgramResult r = run(arguments);
  EXPECT_EQ(r.out, GetParam().out);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  EXPECT_THAT(r.err, HasSubstr(GetParam().err_part));
}

INSTANTIATE_TEST_SUITE_P(
    Functions, CliCallTest,
    ::testing::Values(
        CallCase{"Trim", {"DSKO_04", "F_Trim", "Zeichenkette=  ab "}, "ab\n", 0},
        CallCase{"TrimJsonUmlaut",
                 {"--format", "json", "DSKO_04", "F_Trim", "Zeichenkette= \xC3\xA4 "},
                 R"({"record_type":"DSKO_04","function":"F_Trim","kind":"string","value":")"
                 "\xC3\xA4\"}\n",
                 0},
        CallCase{"Blanks", {"DSKO_04", "F_IstLeerzeichen", "Zeichenkette=   "}, "true\n", 0},
        CallCase{"LeftAlignedUtf8Name",
                 {"DSKO_04", "F_IstLinksb\xC3\xBCndig", "Zeichenkette= x"},
                 "false\n",
                 0},
        CallCase{"ParamOption", {"--param", "Zeichenkette=a ", "DSKO_04", "F_Trim"}, "a\n", 0},
        // What the record type does not have is a usage error naming what it has.
        CallCase{"UnknownFunction",
                 {"DSKO_04", "F_Unbekannt"},
                 "",
                 2,
                 "vexal: unknown function 'F_Unbekannt' of DSKO_04 (callable: F_IstErlaubteEmail "},
        CallCase{"UnknownFunctionJson",
                 {"--format", "json", "DSLN_01", "F_Unbekannt"},
                 "",
                 2,
                 " F_IstBbnrAnlage19b "},
        CallCase{"UnknownParameter",
                 {"DSKO_04", "F_Trim", "Zeichenkette= a ", "Zeichenket=x"},
                 "",
                 2,
                 "F_Trim takes the parameters Zeichenkette, not 'Zeichenket'"},
        CallCase{"NoParametersAtAll",
                 {"DSKO_04", "F_PruefeED", "wert=1"},
                 "",
                 2,
                 "F_PruefeED takes no parameters, not 'wert'"},
        // A parameter not given is the invalid value, with a note.
        CallCase{"MissingParameter",
                 {"DSKO_04", "F_Trim"},
                 "(invalid)\n",
                 0,
                 "note: F_Trim's parameter Zeichenkette not given: it gets the invalid value"},
        CallCase{"SwitchDayMayBeGiven",
                 {"--param", "ipMjahrSchalttag=1130", "DSKO_04", "F_Trim", "Zeichenkette=x"},
                 "x\n",
                 0},
        CallCase{
            "UnknownRecordType", {"DSKO_05", "F_Trim"}, "", 2, "unknown record type 'DSKO_05'"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CliTest, TypesListsTheFiveRecordTypes) {
  ProgramResult r = run({"types"});
  EXPECT_EQ(r.status, 0);
  EXPECT_THAT(
      lines(r.out),
      ElementsAre("DSAS_01  version 1.0  build 20221017_130443  built (30 top-level fields)",
                  "DSAS_02  version 1.0  build 20221017_130444  built (31 top-level fields)",
                  "DSKO_04  version 1.0  build 20221017_130443  built (24 top-level fields)",
                  "DSLN_01  version 1.0  build 20221017_130442  built (35 top-level fields)",
                  "DSLN_02  version 1.0  build 20221017_130443  built (38 top-level fields)"));
  EXPECT_THAT(run({"types", "--format", "json"}).out,
              HasSubstr(R"({"record_type":"DSKO_04","version":1.0,)"
                        R"("build_stamp":"20221017_130443","built":true})"));
}

TEST_F(CliTest, HelpExplainsEveryCheckOption) {
  ProgramResult r = run({"check", "--help"});
  for (const char* option :
       {"--today", "--param", "ipMjahrSchalttag=1201", "--level", "--format", "--log", "--type",
        "--statistics", "--color", "NO_COLOR", "--quiet", "--library", "--version"}) {
    EXPECT_THAT(r.out, HasSubstr(option));
  }
  EXPECT_THAT(run({"--help"}).out, HasSubstr("vexal call [options] R [FUNCTION]"));
  EXPECT_THAT(run({"check", "--bogus", "x"}).err, HasSubstr("unknown option '--bogus'"));
  EXPECT_THAT(run({"layout", "--help"}).out, StartsWith("vexal layout [options] R\n"));
}

struct ExplainCase {
  const char* name;
  std::vector<std::string> arguments;
  int status;
  std::vector<std::string> out_parts;  // in this order
  const char* err_part = "";
};

class CliExplainTest : public CliTest, public ::testing::WithParamInterface<ExplainCase> {};

TEST_P(CliExplainTest, NamesTheCheckTheFieldAndItsCharacters) {
  ProgramResult r = run(GetParam().arguments);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  std::size_t at = 0;
  for (const std::string& part : GetParam().out_parts) {
    std::size_t found = r.out.find(part, at);
    ASSERT_NE(found, std::string::npos) << "not in order in:\n" << r.out << "\nmissing: " << part;
    at = found + part.size();
  }
  EXPECT_THAT(r.err, HasSubstr(GetParam().err_part));
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, CliExplainTest,
    ::testing::Values(
        ExplainCase{"IdentifierInTwoRecordTypes",
                    {"explain", "DSLN280"},
                    0,
                    {"DSLN_01 P_GTST, rule function F_PruefeGTST\n",
                     "  finding   DSLN280 GT-STELLE Grundstellung unzul\xC3\xA4ssig\n",
                     "  field     UV.GTST  GT-STELLE  alphanumeric, 8 characters\n",
                     "characters 16-23 of each occurrence of group UV\n"
                     "            (from character 495, as often as counter field ANUV says, 59 "
                     "characters each):\n",
                     "UV[1] characters 510-517, UV[2] 569-576, UV[n] 510+59\xC2\xB7(n-1)\n",
                     "DSLN_02 P_GTST", "UV[1] characters 510-517"}},
        ExplainCase{"CheckInOneRecordType",
                    {"explain", "DSKO_04", "p_ed"},
                    0,
                    {"DSKO_04 P_ED, rule function F_PruefeED\n", "  place     characters 42-61\n",
                     "  tests     DSKO050 DATUM-ERSTELLUNG nicht numerisch\n",
                     "            DSKO052 ", "            DSKO056 ", "            DSKO054 "}},
        ExplainCase{"NumericFieldWithMask",
                    {"explain", "DSAS_01", "DSAS232"},
                    0,
                    {"  field     MJAHR  MELDEJAHR  numeric, 4 characters, mask 0####\n"}},
        ExplainCase{"Jsonl",
                    {"explain", "--format", "jsonl", "DSLN_01", "F_PruefeGTST"},
                    0,
                    {R"({"record_type":"DSLN_01","check":"P_GTST","function":"F_PruefeGTST",)"
                     R"("code":null,"messages":[],"field":"UV.GTST","display_name":"GT-STELLE",)"
                     R"("type":"alphanumeric","length":8,"mask":null,"position":16,)"
                     R"("position_after":null,"group":{"path":"UV","position":495,)"
                     R"("position_after":null,"occurrence_length":59},"from":510,"to":517,)"
                     R"("codes":[{"code":"DSLN280","message":"DSLN280 GT-STELLE Grundstellung )"
                     "unzul\xC3\xA4ssig\"}]}\n"}},
        ExplainCase{"UnknownNamesTheNearest",
                    {"explain", "DSKO055"},
                    2,
                    {},
                    "vexal: no check of any record type has the identifier or is the check "
                    "'DSKO055' (nearest: DSKO050, DSKO052, DSKO054)\n"},
        ExplainCase{"CallList",
                    {"call", "DSKO_04", "--list"},
                    0,
                    {"F_IstErlaubteEmail wert\n", "F_PruefeED\n", "F_Trim Zeichenkette\n"}},
        ExplainCase{"CallListJson",
                    {"call", "--format", "json", "DSKO_04", "--list"},
                    0,
                    {R"({"record_type":"DSKO_04","functions":[)",
                     R"({"function":"F_IstErlaubteEmail","parameters":["wert"]})"}},
        ExplainCase{"Params",
                    {"params"},
                    0,
                    {"ipMjahrSchalttag  default 1201  format MMTT", "reporting year (MJAHR)"}},
        ExplainCase{"ParamsJson",
                    {"params", "--format", "json"},
                    0,
                    {R"([{"name":"ipMjahrSchalttag","default":"1201","format":"MMTT)"}}),
    [](const auto& info) { return info.param.name; });

// Every finding of the example leads, through explain, to the check that
// wrote it: no identifier a rule set writes is missing from its catalogue.
TEST_F(CliTest, ExplainKnowsEveryIdentifierOfTheExample) {
  ProgramResult check = vexal::testing::runProgram(
      VEXAL_CLI_PATH,
      {"check", "--today", "20261208", "--format", "jsonl", "examples/transmission.txt"},
      VEXAL_SOURCE_DIR);
  ASSERT_EQ(check.status, 1) << check.err;
  std::set<std::pair<std::string, std::string>> asked;  // record type and identifier
  std::map<std::pair<std::string, std::string>, std::string> check_of;
  for (const std::string& line : lines(check.out)) {
    if (line.rfind(R"({"kind":"finding")", 0) != 0) continue;
    auto value = [&line](const std::string& key) {
      const std::string quoted = "\"" + key + "\":\"";
      std::size_t start = line.find(quoted);
      if (start == std::string::npos) return std::string();
      start += quoted.size();
      return line.substr(start, line.find('"', start) - start);
    };
    const std::string code = value("code");
    if (code.empty()) continue;  // a field check: no identifier
    asked.emplace(value("record_type"), code);
    check_of[{value("record_type"), code}] = value("check");
  }
  ASSERT_GT(asked.size(), 20u);
  for (const auto& [type, code] : asked) {
    ProgramResult r = run({"explain", "--format", "jsonl", type, code});
    EXPECT_EQ(r.status, 0) << type << " " << code << ": " << r.err;
    EXPECT_THAT(r.out, HasSubstr("\"check\":\"" + check_of[{type, code}] + "\""))
        << type << " " << code;
  }
}

struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* err;
};

class CliUsageTest : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

// A refused value: status 2, nothing on standard output, the message and
// the hint on standard error.
TEST_P(CliUsageTest, RefusesWithStatusTwoAndTheHint) {
  ProgramResult r = run(GetParam().arguments);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CliUsageTest,
    ::testing::Values(
        UsageCase{"Jobs",
                  {"check", "--jobs", "300", "a.txt"},
                  "vexal: --jobs wants a number from 1 to 256, not '300'\n"
                  "Try 'vexal check --help'.\n"},
        UsageCase{"OptionOfAnotherSubcommand",
                  {"--color", "never", "layout", "DSKO_04"},
                  "vexal: --color does not apply to layout\nTry 'vexal layout --help'.\n"},
        UsageCase{"Format",
                  {"types", "--format", "xml"},
                  "vexal: unknown --format 'xml' for types (use text or json)\n"
                  "Try 'vexal types --help'.\n"},
        UsageCase{"Today",
                  {"call", "DSKO_04", "F_Trim", "--today", "20261301"},
                  "vexal: --today wants a date JJJJMMTT, e.g. 20261208, not '20261301'\n"
                  "Try 'vexal call --help'.\n"},
        UsageCase{"Subcommand",
                  {"frob"},
                  "vexal: unknown subcommand 'frob' (use check, layout, call, types, explain "
                  "or params)\n"
                  "Try 'vexal --help'.\n"},
        UsageCase{"CallWithoutFunction",
                  {"call", "DSKO_04"},
                  "vexal: call needs a FUNCTION after the record type (or --list)\n"
                  "Try 'vexal call --help'.\n"},
        UsageCase{"CallListWithFunction",
                  {"call", "DSKO_04", "--list", "F_Trim"},
                  "vexal: call --list takes no FUNCTION, not 'F_Trim'\n"
                  "Try 'vexal call --help'.\n"},
        UsageCase{"ExplainWithoutIdentifier",
                  {"explain"},
                  "vexal: explain needs an error identifier or a check, e.g. DSLN280 or P_GTST\n"
                  "Try 'vexal explain --help'.\n"},
        UsageCase{"ExplainInNoRecordType",
                  {"explain", "DSLN01", "P_GTST"},
                  "vexal: explain takes an identifier after a record type, and 'DSLN01' is no "
                  "record type (use DSAS_01, DSAS_02, DSKO_04, DSLN_01 or DSLN_02)\n"
                  "Try 'vexal explain --help'.\n"},
        UsageCase{"ParamsOperand",
                  {"params", "ipMjahrSchalttag"},
                  "vexal: params takes no operands, not 'ipMjahrSchalttag'\n"
                  "Try 'vexal params --help'.\n"}),
    [](const auto& info) { return info.param.name; });

}  // namespace

namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A sample of output in the documents and the command that prints it.
struct Sample {
  const char* name;
  const char* document;  // from the source folder
  const char* intro;     // the text right before the sample's ``` line
  std::vector<std::string> arguments;
  int status = 1;
};

class CliSampleTest : public ::testing::TestWithParam<Sample> {};

// The documents show what checking the example transmission prints; the
// program must print exactly that, standard output and standard error
// together. A line "..." in a sample stands for lines left out: the parts
// between must follow each other in the output, the first at its start,
// the last at its end (unless a "..." stands before the first or after the
// last).
TEST_P(CliSampleTest, ProgramPrintsWhatTheDocumentShows) {
  const std::string all = fileText(std::string(VEXAL_SOURCE_DIR "/") + GetParam().document);
  const std::string intro = std::string(GetParam().intro) + "\n\n```\n";
  std::size_t start = all.find(intro);
  ASSERT_NE(start, std::string::npos) << GetParam().intro;
  start += intro.size();
  const std::size_t end = all.find("```\n", start);
  ASSERT_NE(end, std::string::npos);
  std::vector<std::vector<std::string>> parts(1);
  for (const std::string& line : lines(all.substr(start, end - start))) {
    if (line == "...") {
      parts.emplace_back();
    } else {
      parts.back().push_back(line);
    }
  }

  ProgramResult r =
      vexal::testing::runProgram(VEXAL_CLI_PATH, GetParam().arguments, VEXAL_SOURCE_DIR);
  EXPECT_EQ(r.status, GetParam().status);
  const std::vector<std::string> printed = lines(r.out + r.err);
  if (parts.size() == 1) {
    EXPECT_EQ(printed, parts[0]);
    return;
  }
  auto at = printed.begin();
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::vector<std::string>& part = parts[k];
    const bool open_end = k == 0 || k == parts.size() - 1;
    if (part.empty() && open_end) continue;
    ASSERT_FALSE(part.empty()) << "two \"...\" lines in a row";
    auto found =
        k == 0 ? printed.begin() : std::search(at, printed.end(), part.begin(), part.end());
    if (k == parts.size() - 1) found = printed.end() - static_cast<long>(part.size());
    ASSERT_TRUE(found >= at && printed.end() - found >= static_cast<long>(part.size()) &&
                std::equal(part.begin(), part.end(), found))
        << "not in the output, in order: " << part.front();
    at = found + static_cast<long>(part.size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CliSampleTest,
    ::testing::Values(Sample{"Readme",
                             "README.md",
                             "prints, in part (`...` stands for lines left out):",
                             {"check", "--today", "20261208", "examples/transmission.txt"}},
                      Sample{"CommandLine",
                             "docs/command-line.md",
                             "`vexal check examples/transmission.txt` prints:",
                             {"check", "examples/transmission.txt"}},
                      Sample{"Statistics",
                             "docs/command-line.md",
                             "For the example transmission:",
                             {"check", "--statistics", "examples/transmission.txt"}},
                      Sample{"FindingsCheck",
                             "docs/findings.md",
                             "reports, among\nothers:",
                             {"check", "--today", "20261208", "examples/transmission.txt"}},
                      Sample{"FindingsExplain",
                             "docs/findings.md",
                             "`vexal explain DSLN_01 DSLN280` prints:",
                             {"explain", "DSLN_01", "DSLN280"},
                             0}),
    [](const auto& info) { return info.param.name; });

}  // namespace

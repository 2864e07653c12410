// The check loop in process, with the test rule set TST_01 (root fields,
// the counted block POS, the conditional block ZUS) behind a provider:
// what each line yields, in which order, in jsonl, csv and text.

#include "cli/check_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/printers.h"
#include "core/checker.h"
#include "support/memory_file.h"
#include "support/string_source.h"
#include "support/test_rule_set.h"
#include "support/tst_lines.h"

namespace vexal::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// TST_01 under its own name; DSAS_01 with a layout of no fields; DSKO_04
// failing to load.
class TestRuleSets final : public core::RuleSetProvider {
 public:
  TestRuleSets() {
    add("TST_01", &plausi_, &definition_, "");
    add("DSAS_01", &plausi_, &empty_, "");
    add("DSKO_04", nullptr, nullptr, "no rule set");
  }
  const core::LoadedRecordType* find(std::string_view record_type) override {
    auto it = types_.find(std::string(record_type));
    return it == types_.end() ? nullptr : &it->second;
  }

 private:
  void add(const char* name, pl::Plausi* plausi, const RecordDefinition* definition,
           const char* error) {
    types_[name] = core::LoadedRecordType{name, plausi, definition, error};
  }
  tst::Plausi_TST_01 plausi_;
  tst::RecordDefinition_TST_01 definition_;
  RecordDefinition empty_;
  std::map<std::string, core::LoadedRecordType> types_;
};

using vexal::test::MemoryFile;

using vexal::test::StringSource;

enum class Kind { kJsonl, kCsv, kText, kStatistics };

// Checks the input as file "in.txt" and returns the lines written.
struct CheckRun {
  std::vector<std::string> lines;
  CheckSummary summary;
};

CheckRun check(const std::string& input, Kind kind = Kind::kJsonl, const char* forced = "TST_01") {
  TestRuleSets rule_sets;
  MemoryFile file;
  CheckRun run;
  {
    Output out(file.get());
    std::unique_ptr<Report> report;
    if (kind == Kind::kJsonl) report = std::make_unique<JsonlReport>(out);
    if (kind == Kind::kCsv) report = std::make_unique<CsvReport>(out);
    if (kind == Kind::kText) report = std::make_unique<TextReport>(out);
    if (kind == Kind::kStatistics) {
      report = std::make_unique<StatisticsReport>(out, false, Palette::plain());
    }
    SequentialCheck checker(rule_sets, *report);
    checker.forceRecordType(forced);
    StringSource source(input);
    EXPECT_TRUE(checker.checkStream(source, "in.txt"));
    run.summary = checker.summary();
    // The statistics table is written when the run finishes.
    if (kind == Kind::kStatistics) report->finish(run.summary);
  }
  std::istringstream text(file.text());
  for (std::string line; std::getline(text, line);) run.lines.push_back(line);
  return run;
}

// The value of a key in a JSON line, as written ("3", "\"x\"", "null").
std::string value(const std::string& json, const std::string& key) {
  std::size_t at = json.find("\"" + key + "\":");
  if (at == std::string::npos) return "<none>";
  at += key.size() + 3;
  std::size_t end = json[at] == '"' ? json.find('"', at + 1) + 1 : json.find_first_of(",}", at);
  return json.substr(at, end - at);
}

std::vector<std::string> values(const CheckRun& run, const std::string& key) {
  std::vector<std::string> result;
  for (const std::string& line : run.lines) result.push_back(value(line, key));
  return result;
}

TEST(CheckerTest, NamesTheBlockOccurrenceOfAFinding) {
  tst::Line line = tst::withPositions(2);
  line.pos[1].betrag = "12x45";
  CheckRun run = check(line.str() + "\n");
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_THAT(values(run, "id"),
              ElementsAre("\"POS[2].BETRAG#BETRAG\"", "\"POS[2]#P_BETRAG\"", "<none>"));
  EXPECT_THAT(values(run, "reference_field"),
              ElementsAre("\"POS[2].BETRAG\"", "\"POS[2]\"", "<none>"));
  EXPECT_THAT(values(run, "check"), ElementsAre("\"BETRAG\"", "\"P_BETRAG\"", "<none>"));
  EXPECT_THAT(values(run, "code"), ElementsAre("null", "\"TST030\"", "<none>"));
  EXPECT_EQ(run.lines[2],
            R"({"kind":"record","file":"in.txt","line":1,"record_type":"TST_01","findings":2})");

  CheckRun text = check(line.str() + "\n", Kind::kText);
  EXPECT_THAT(text.lines, ElementsAre(HasSubstr("in.txt:1: TST_01 POS[2].BETRAG: field BETRAG "
                                                "does not conform to its type numeric"),
                                      HasSubstr("in.txt:1: TST_01 POS[2] P_BETRAG: TST030")));
}

TEST(CheckerTest, GivesEveryNonEmptyLineOneRecordOrError) {
  tst::Line good;
  tst::Line blocked;
  blocked.opt = "BLK";  // the block step fails: checkRecord throws
  tst::Line faulty;
  faulty.num = "99";
  const std::string input =
      good.str() + "\r\n\n" + blocked.str() + "\n" + faulty.str().substr(0, 8) + "\n" + good.str();
  CheckRun run = check(input);
  // Line 4 lacks FLAG and ANZ (so no POS): two field findings, then the
  // rules' TST012 for NUM "99" and TST020 for the missing FLAG.
  EXPECT_THAT(values(run, "kind"),
              ElementsAre("\"record\"", "\"error\"", "\"warning\"", "\"finding\"", "\"finding\"",
                          "\"finding\"", "\"finding\"", "\"record\"", "\"record\""));
  EXPECT_THAT(values(run, "line"), ElementsAre("1", "3", "4", "4", "4", "4", "4", "4", "5"));
  EXPECT_THAT(values(run, "id"),
              ElementsAre("<none>", "<none>", "<none>", "\"FLAG#FLAG\"", "\"ANZ#ANZ\"",
                          "\"#P_NUM\"", "\"#P_FLAG\"", "<none>", "<none>"));
  EXPECT_THAT(run.lines[1], HasSubstr("\"message\":\"check failed (exception type 7): "));
  EXPECT_EQ(run.lines[2], R"({"kind":"warning","file":"in.txt","line":4,"record_type":"TST_01",)"
                          R"("message":"record too short: 8 characters, its layout implies 11",)"
                          R"("expected_length":11,"actual_length":8})");
  EXPECT_EQ(run.summary.records, 3);
  EXPECT_EQ(run.summary.records_with_findings, 1);
  EXPECT_EQ(run.summary.errors, 1);
  EXPECT_EQ(run.summary.warnings, 1);
  EXPECT_EQ(run.summary.findings_by_type.at("TST_01"), run.summary.findings);
}

TEST(CheckerTest, ReportsLinesWhoseTypeCannotBeChecked) {
  std::string dsas = "DSAS" + std::string(35, ' ') + "01";
  std::string dsko = "DSKO" + std::string(50, ' ');
  CheckRun run = check(dsas + "\n" + dsko + "\nXY\n", Kind::kJsonl, "");
  EXPECT_THAT(run.lines,
              ElementsAre(R"({"kind":"error","file":"in.txt","line":1,"message":"record type )"
                          R"j(DSAS_01 has an empty layout in this library: its lines )j"
                          R"j(cannot be checked"})j",
                          R"({"kind":"error","file":"in.txt","line":2,"message":"record type )"
                          R"j(DSKO_04 cannot be loaded: no rule set"})j",
                          HasSubstr("\"line\":3,\"message\":\"record type cannot be told: ")));
  EXPECT_EQ(run.summary.errors, 3);
  EXPECT_EQ(run.summary.records, 0);
}

TEST(CheckerTest, WritesCsvWithAllColumns) {
  tst::Line faulty;
  faulty.num = "99";
  CheckRun run = check(faulty.str() + "\n", Kind::kCsv);
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0],
            "kind,file,line,record_type,id,check,code,problem_type,weight,info_type,"
            "short_description,long_description,correction_info,reference_topic,"
            "reference_field,field_display_name,field_type,field_length,field_mask,exception,"
            "findings,message,expected_length,actual_length\r");
  EXPECT_THAT(run.lines[1], HasSubstr("finding,in.txt,1,TST_01,#P_NUM,P_NUM,TST012,2,1,0,"));
  EXPECT_EQ(run.lines[2], "record,in.txt,1,TST_01,,,,,,,,,,,,,,,,,1,,,\r");
}

TEST(CheckerTest, StatisticsCountFindingsAndTheRecordsTheyStandIn) {
  // Two occurrences with a non-numeric amount in one record, one in
  // another: three findings each of the field check and of its rule, in
  // two records.
  tst::Line two = tst::withPositions(2);
  two.pos[0].betrag = "1x";
  two.pos[1].betrag = "2x";
  tst::Line one;
  one.pos[0].betrag = "3x";
  tst::Line faulty;
  faulty.num = "99";
  const std::string input =
      two.str() + "\n" + one.str() + "\n" + faulty.str().substr(0, 8) + "\n" + faulty.str();
  EXPECT_THAT(check(input, Kind::kStatistics).lines,
              ElementsAre("COUNT  RECORDS  TYPE    ID       MESSAGE",
                          "    3        2  TST_01  BETRAG   field BETRAG does not conform to its "
                          "type numeric (mask 0#####)",
                          "    3        2  TST_01  TST030   BETRAG nicht numerisch",
                          "    2        2  TST_01  TST012   NUM zu gro\xC3\x9F",
                          "    1        1  TST_01  ANZ      field ANZAHL (ANZ) not supplied",
                          "    1        1  TST_01  FLAG     field KENNZEICHEN (FLAG) not supplied",
                          "    1        1  TST_01  TST020   FLAG ungleich J oder N",
                          "    1        1  TST_01  warning  record too short"));
}

// DSAS_01 and DSLN_01 with TST_01's rule set and layout, so that lines of
// both are checked; DSAS_02 with a layout of no fields. Counts the look-ups.
class TwoBuiltTypes final : public core::RuleSetProvider {
 public:
  TwoBuiltTypes() {
    types_["DSAS_01"] = core::LoadedRecordType{"DSAS_01", &plausi_, &definition_, ""};
    types_["DSLN_01"] = core::LoadedRecordType{"DSLN_01", &plausi_, &definition_, ""};
    types_["DSAS_02"] = core::LoadedRecordType{"DSAS_02", &plausi_, &empty_, ""};
  }
  const core::LoadedRecordType* find(std::string_view record_type) override {
    ++finds;
    auto it = types_.find(std::string(record_type));
    return it == types_.end() ? nullptr : &it->second;
  }
  int finds = 0;

 private:
  tst::Plausi_TST_01 plausi_;
  tst::RecordDefinition_TST_01 definition_;
  RecordDefinition empty_;
  std::map<std::string, core::LoadedRecordType> types_;
};

// A line of the kind with the version in characters 40-41.
std::string typed(const std::string& kind, const std::string& version) {
  std::string text = kind;
  text.resize(39, ' ');
  return text + version + "   ";
}

struct TypeCase {
  std::string line;
  const char* forced;
  const char* type;  // of the result; null for an error line
  const char* error_part;
};

// Lines in this order through one checker: the record type it remembers
// from one line must never answer for a line of another kind or version,
// nor outlive a change of the forced type.
TEST(CheckerTest, TellsTheRecordTypeOfEachLineWhateverCameBefore) {
  const std::vector<TypeCase> cases = {
      {typed("DSAS", "01"), "", "DSAS_01", ""},
      {typed("DSAS", "01"), "", "DSAS_01", ""},
      {typed("DSAS", "02"), "", nullptr, "DSAS_02 has an empty layout"},
      {typed("DSAS", "01"), "", "DSAS_01", ""},
      {typed("DSLN", "01"), "", "DSLN_01", ""},
      {typed("DSLN", "02"), "", nullptr, "unknown record type DSLN_02"},
      {typed("DSLN", "01"), "", "DSLN_01", ""},
      {"DSLN" + std::string(30, ' '), "", nullptr, "too short for its version"},
      {typed("XXAS", "01"), "", nullptr, "unknown record identifier"},
      {typed("DSKO", "04"), "", nullptr, "unknown record type DSKO_04"},
      {typed("DSAS", "01"), "DSLN_01", "DSLN_01", ""},
      {typed("DSKO", "04"), "DSLN_01", "DSLN_01", ""},
      {typed("DSKO", "04"), "DSAS_01", "DSAS_01", ""},
      {typed("DSLN", "01"), "", "DSLN_01", ""},
      {typed("DSAS", "01"), "", "DSAS_01", ""},
  };
  TwoBuiltTypes rule_sets;
  core::Checker checker(rule_sets);
  std::string forced;
  long number = 0;
  for (const TypeCase& c : cases) {
    if (forced != c.forced) checker.forceRecordType(forced = c.forced);
    const core::LineResult& result = checker.check(c.line, ++number);
    SCOPED_TRACE("line " + std::to_string(number));
    if (c.type == nullptr) {
      EXPECT_EQ(result.kind, core::LineResult::Kind::kError);
      EXPECT_THAT(result.error, HasSubstr(c.error_part));
    } else {
      EXPECT_EQ(result.kind, core::LineResult::Kind::kRecord) << result.error;
      ASSERT_NE(result.record_type, nullptr);
      EXPECT_STREQ(result.record_type, c.type);
    }
  }
}

// Lines of one type after another ask the provider once, not per line.
TEST(CheckerTest, LooksARecordTypeUpOnceForItsLines) {
  TwoBuiltTypes rule_sets;
  core::Checker checker(rule_sets);
  for (long number = 1; number <= 5; ++number) checker.check(typed("DSAS", "01"), number);
  EXPECT_EQ(rule_sets.finds, 1);
  checker.forceRecordType("DSLN_01");
  for (long number = 6; number <= 9; ++number) checker.check(typed("DSAS", "01"), number);
  EXPECT_EQ(rule_sets.finds, 2);
}

}  // namespace
}  // namespace vexal::cli

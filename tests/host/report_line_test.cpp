// The lines the text and jsonl printers write for a finding and a record,
// byte for byte, against what their definitions make of the same pieces.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/printers.h"
#include "support/memory_file.h"

namespace vexal::cli {
namespace {

using vexal::test::MemoryFile;

// What a report writes for the calls made by `write`, as one string.
template <class Make, class Write>
std::string written(Make&& make, Write&& write) {
  MemoryFile file;
  {
    Output out(file.get());
    auto report = make(out);
    write(*report);
  }
  return file.text();
}

struct TextCase {
  const char* name;
  core::Finding finding;
  const char* record_type;
  long line;
  std::string plain;  // the line with the plain palette
};

core::Finding rule(const char* id, const char* check, const char* description,
                   std::string_view code, const char* exception = nullptr) {
  core::Finding f;
  f.id = id;
  f.check = check;
  f.problem_type = pl::ProblemType::kRule;
  f.short_description = description;
  f.long_description = description;
  f.code = code;
  f.exception = exception;
  return f;
}

core::Finding field(const char* id, const char* check, const char* display) {
  core::Finding f;
  f.id = id;
  f.check = check;
  f.problem_type = pl::ProblemType::kField;
  f.info_type = pl::ProblemInfoType::kInvalid;
  f.shown_display_name = display;
  return f;
}

const char kDescription[] =
    "DSKO080 Stra\xDF"
    "e fehlt \x80";
const char kNoCode[] = "ohne Kennung";

class TextLineTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextLineTest, WritesFileLineTypePlaceAndText) {
  const TextCase& c = GetParam();
  const Location where{"dir/a\x01.txt", c.line, c.record_type, {}};
  EXPECT_EQ(written([](Output& out) { return std::make_unique<TextReport>(out); },
                    [&](Report& r) { r.finding(where, c.finding); }),
            c.plain);

  // In colour, each coloured piece between its colour and the reset.
  Palette p;
  p.location = "<L>";
  p.place = "<P>";
  p.code = "<C>";
  p.reset = "<R>";
  std::string coloured = c.plain;
  auto wrap = [&](const std::string& piece, const char* colour) {
    const std::size_t at = coloured.find(piece);
    ASSERT_NE(at, std::string::npos) << piece;
    coloured.replace(at, piece.size(), colour + piece + "<R>");
  };
  const std::string line = c.line > 0 ? ":" + std::to_string(c.line) : "";
  wrap("dir/a\\x01.txt" + line + ":", "<L>");
  const std::size_t place_at =
      coloured.find("<R> ") + 4 +
      (c.record_type != nullptr ? std::string(c.record_type).size() + 1 : 0);
  const std::size_t place_end = coloured.find(": ", place_at);
  const std::string place = coloured.substr(place_at, place_end - place_at);
  coloured.replace(place_at, place.size(), "<P>" + place + "<R>");
  if (c.finding.problem_type == pl::ProblemType::kRule && !c.finding.code.empty()) {
    const std::size_t code_at = coloured.find(": ", place_at) + 2;
    coloured.replace(code_at, c.finding.code.size(), "<C>" + std::string(c.finding.code) + "<R>");
  }
  EXPECT_EQ(written([&](Output& out) { return std::make_unique<TextReport>(out, p); },
                    [&](Report& r) { r.finding(where, c.finding); }),
            coloured);
}

INSTANTIATE_TEST_SUITE_P(
    Findings, TextLineTest,
    ::testing::Values(
        TextCase{"RuleWithCode", rule("UV[2]#P_BBNRGT", "P_BBNRGT", kDescription, "DSKO080"),
                 "DSKO_04", 12,
                 "dir/a\\x01.txt:12: DSKO_04 UV[2] P_BBNRGT: DSKO080 Stra\xC3\x9F"
                 "e fehlt "
                 "\xE2\x82\xAC\n"},
        TextCase{"RuleWithoutCode", rule("#P_ED", "P_ED", kNoCode, {}), "DSKO_04", 1,
                 "dir/a\\x01.txt:1: DSKO_04 P_ED: ohne Kennung\n"},
        TextCase{"ExceptionNamed", rule("#P_ED", "P_ED", kNoCode, {}, "boom"), "DSKO_04", 3,
                 "dir/a\\x01.txt:3: DSKO_04 P_ED: ohne Kennung: boom\n"},
        TextCase{"ExceptionInText", rule("#P_ED", "P_ED", "DSKO001 (boom)", "DSKO001", "boom"),
                 nullptr, 0, "dir/a\\x01.txt: P_ED: DSKO001 (boom)\n"},
        TextCase{"NoDescription", rule(nullptr, nullptr, nullptr, {}), "DSAS_01", 7,
                 "dir/a\\x01.txt:7: DSAS_01 ?: (no description)\n"},
        TextCase{"OwnFieldCheck", field("UV[2].BBNRGT#BBNRGT", "BBNRGT", "BETRIEBSNUMMER"),
                 "DSKO_04", 40,
                 "dir/a\\x01.txt:40: DSKO_04 UV[2].BBNRGT: field BETRIEBSNUMMER (BBNRGT) not "
                 "supplied\n"},
        TextCase{"LongText",
                 rule("#P_X", "P_X",
                      "ABC123 0123456789abcdef0123456789\xE4\xE4\xE4"
                      "0123456789abcdef0123456789abcdef",
                      "ABC123"),
                 "DSLN_01", 99999,
                 "dir/a\\x01.txt:99999: DSLN_01 P_X: ABC123 0123456789abcdef0123456789"
                 "\xC3\xA4\xC3\xA4\xC3\xA4"
                 "0123456789abcdef0123456789abcdef\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A jsonl object by its definition: each key, then its value as
// appendJsonString1252 or appendJsonStringUtf8 writes it.
std::string referenceObject(const Row& row) {
  std::string out;
  char separator = '{';
  for (Column key : row.keys) {
    out.push_back(separator);
    separator = ',';
    out.append("\"").append(columnName(key)).append("\":");
    const Cell& cell = row[key];
    switch (cell.kind) {
      case Cell::Kind::kNull:
        out += "null";
        break;
      case Cell::Kind::kNumber:
        out += std::to_string(cell.number);
        break;
      case Cell::Kind::kText1252:
        appendJsonString1252(out, cell.text);
        break;
      case Cell::Kind::kTextUtf8:
        appendJsonStringUtf8(out, cell.text);
        break;
    }
  }
  return out + "}\n";
}

// Records of several files and types through one report: each line as
// the record's row is written by its definition, whatever came before.
TEST(JsonlLineTest, RecordsAreTheirRowsWhateverCameBefore) {
  const std::vector<Location> wheres = {
      {"a.txt", 1, "DSKO_04", {}},
      {"a.txt", 2, "DSKO_04", {}},
      {"a.txt", 3, "DSAS_01", {}},
      {"a.txt", 0, nullptr, {}},
      {"b \"x\"\\\x01\xC2\x85\xC3\xA4.txt", 4, "DSAS_01", {}},
      {"a.tx", 5, "DSAS_0", {}},
      {"a.txt", 123456789, "DSAS_02", {}},
  };
  std::string expected;
  for (std::size_t i = 0; i < wheres.size(); ++i)
    expected += referenceObject(recordRow(wheres[i], i * 7));
  EXPECT_EQ(written([](Output& out) { return std::make_unique<JsonlReport>(out); },
                    [&](Report& r) {
                      for (std::size_t i = 0; i < wheres.size(); ++i) r.record(wheres[i], i * 7);
                    }),
            expected);
}

// A text cell right after one of the same bytes (a finding's long
// description after its short one) is written as its own; cells that
// only look alike are too.
TEST(JsonlLineTest, TextCellsAfterTheSameTextAreWrittenAsTheirOwn) {
  static const char kText[] = "DSKO080 \x85 \"q\" \xE4";
  static const char kOther[] = "DSKO080 \x85 \"q\" \xE4";
  struct Case {
    const char* name;
    Cell first;
    Cell second;
  };
  const std::string_view text(kText);
  const Case cases[] = {
      {"same bytes", Cell::text1252(text), Cell::text1252(text)},
      {"equal copy", Cell::text1252(text), Cell::text1252(std::string_view(kOther))},
      {"prefix", Cell::text1252(text), Cell::text1252(text.substr(0, 5))},
      {"as UTF-8", Cell::text1252(text), Cell::utf8(text)},
      {"null between", Cell::text1252(text), Cell::null()},
      {"empty", Cell::text1252(text.substr(0, 0)), Cell::text1252(text.substr(0, 0))},
  };
  static constexpr Column kKeys[] = {Column::kKind, Column::kShortDescription,
                                     Column::kLongDescription, Column::kCorrectionInfo};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Row row;
    row.keys = kKeys;
    row[Column::kKind] = Cell::text1252("finding");
    row[Column::kShortDescription] = c.first;
    row[Column::kLongDescription] = c.second;
    row[Column::kCorrectionInfo] = c.first;
    std::string out = "before";
    JsonTextCache cache;
    appendJsonObject(out, row, &cache);
    EXPECT_EQ(out, "before" + referenceObject(row));
  }
}

// Findings of every shape through one report: each object is the
// finding's row as appendJsonObject writes it by its definition.
TEST(JsonlLineTest, FindingsAreTheirRowsWhateverCameBefore) {
  static const char kLong[] = "lang \x80 \"x\"\\ \x01";
  std::vector<core::Finding> findings = {
      rule("UV[2]#P_BBNRGT", "P_BBNRGT", kDescription, "DSKO080"),
      rule("#P_ED", "P_ED", kNoCode, {}, "boom \xE4"),
      rule(nullptr, nullptr, nullptr, {}),
      field("UV[2].BBNRGT#BBNRGT", "BBNRGT", "BETRIEBSNUMMER"),
  };
  findings[0].correction_info = "Korrigieren Sie bitte Ihre Angabe.";
  findings[0].reference_topic = "DSKO_04";
  findings[0].reference_field = "UV[2]";
  findings[1].long_description = kLong;  // not the short one
  findings[1].correction_info = "Korrigieren Sie bitte Ihre Angabe.";
  findings[1].reference_topic = "UV";
  findings[3].field_display_name = "BBNRGT";
  findings[3].field_type = pl::FieldType::kNumeric;
  findings[3].field_length = 6;
  findings[3].field_mask = "0#####";
  findings[3].weight = 9;
  findings[3].info_type = pl::ProblemInfoType::kTooLong;
  findings[3].reference_topic =
      "Merkmalpr\xFC"
      "fung";
  const std::vector<Location> wheres = {
      {"a.txt", 1, "DSKO_04", {}}, {"a.txt", 0, nullptr, {}}, {"b\x7F.txt", 2, "DSAS_01", {}}};
  std::string expected;
  for (const Location& where : wheres) {
    for (const core::Finding& finding : findings)
      expected += referenceObject(findingRow(where, finding));
  }
  EXPECT_EQ(written([](Output& out) { return std::make_unique<JsonlReport>(out); },
                    [&](Report& r) {
                      for (const Location& where : wheres) {
                        for (const core::Finding& finding : findings) r.finding(where, finding);
                      }
                    }),
            expected);
}

// Rows through one cache whose repeated texts change, in place too: each
// row is written as its own.
TEST(JsonlLineTest, KeptTextsFollowTheirCells) {
  char topic[] = "DSKO_04";
  struct Step {
    const char* topic;  // null: leave the buffer as it is
    const char* correction;
    const char* file;
    const char* record_type;
  };
  const Step steps[] = {
      {"DSKO_04", "Korrigieren Sie bitte Ihre Angabe.", "a.txt", "DSKO_04"},
      {nullptr, "Korrigieren Sie bitte Ihre Angabe.", "a.txt", "DSKO_04"},
      {"UV\xC4\"x", "Korrigieren Sie bitte Ihre Angabe.", "a.txt", "DSKO_04"},
      {"DSKO_04", "anders \x80", "b.txt", "DSAS_01"},
      {"DSKO", "", "b.txt", nullptr},
      {nullptr, "Korrigieren", "a.txt", "DSAS_01"},
  };
  static constexpr Column kKeys[] = {Column::kKind,           Column::kFile,
                                     Column::kRecordType,     Column::kCorrectionInfo,
                                     Column::kReferenceTopic, Column::kShortDescription};
  JsonTextCache cache;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.correction);
    if (step.topic != nullptr) std::strcpy(topic, step.topic);
    const std::string correction = step.correction;  // a new copy every row
    Row row;
    row.keys = kKeys;
    row[Column::kKind] = Cell::text1252("finding");
    row[Column::kFile] = Cell::utf8(step.file);
    row[Column::kRecordType] = Cell::text1252(step.record_type);
    row[Column::kCorrectionInfo] = Cell::text1252(std::string_view(correction));
    row[Column::kReferenceTopic] = Cell::text1252(topic);
    row[Column::kShortDescription] = Cell::text1252(topic);
    std::string out;
    appendJsonObject(out, row, &cache);
    EXPECT_EQ(out, referenceObject(row));
  }
}

}  // namespace
}  // namespace vexal::cli

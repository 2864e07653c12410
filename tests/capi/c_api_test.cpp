// The C API of libvexalcheck as a host in another language sees it: a
// checker made from options loads libvexal from beside libvexalcheck, and
// every line, file and layout comes back as plain structs with UTF-8
// texts. Record lines come from the record types' test builders,
// processing date 8 December 2026.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "DSAS_01/dsas01_record.h"
#include "DSAS_02/dsas02_record.h"
#include "DSKO_04/dsko04_record.h"
#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/dsln02_record.h"
#include "capi/c99_client.h"
#include "support/elf_symbols.h"
#include "support/matchers.h"
#include "vexal/check.h"

namespace {

using namespace vexal::testing::matchers;

// A result copied out of the checker, texts as std::string ("<null>" for
// NULL).
struct Found {
  std::string id, check, code, label, text, short_description, reference_field;
  int problem_type, info_type, field_type, field_length;

  // What names the finding: its id, check, code and label.
  std::vector<std::string> names() const { return {id, check, code, label}; }
};

struct Got {
  int kind = -1;
  long long line = 0;
  std::string record_type, warning, error, file_warning;
  std::size_t expected_length = 0, actual_length = 0;
  std::vector<Found> findings;

  std::vector<std::string> codes() const {
    std::vector<std::string> result;
    for (const Found& f : findings) result.push_back(f.code);
    return result;
  }
};

std::string str(const char* text) { return text != nullptr ? text : "<null>"; }

Got copy(const vx_result& r) {
  Got got;
  got.kind = r.kind;
  got.line = r.line;
  got.record_type = str(r.record_type);
  got.warning = str(r.warning);
  got.error = str(r.error);
  got.file_warning = str(r.file_warning);
  got.expected_length = r.expected_length;
  got.actual_length = r.actual_length;
  for (std::size_t i = 0; i < r.finding_count; ++i) {
    const vx_finding& f = r.findings[i];
    got.findings.push_back(Found{str(f.id), str(f.check), str(f.code), str(f.label), str(f.text),
                                 str(f.short_description), str(f.reference_field), f.problem_type,
                                 f.info_type, f.field_type, f.field_length});
  }
  return got;
}

using CheckerPtr = std::unique_ptr<vx_checker, decltype(&vx_checker_free)>;

vx_options defaults() {
  vx_options options;
  vx_options_init(&options);
  options.today = "20261208";
  return options;
}

CheckerPtr make(const vx_options& options = defaults()) {
  vx_checker* checker = nullptr;
  char message[256];
  vx_status status = vx_checker_new(&options, &checker, message, sizeof message);
  EXPECT_EQ(status, VX_OK) << message;
  return CheckerPtr(checker, &vx_checker_free);
}

Got checkLine(vx_checker* checker, const std::string& line, long long number = 1) {
  const vx_result* result = nullptr;
  vx_status status = vx_check_line(checker, line.data(), line.size(), number, &result);
  EXPECT_EQ(status, VX_OK) << vx_checker_message(checker);
  return result != nullptr ? copy(*result) : Got{};
}

// --- One line: a valid and a faulty line of each record type, a forced
// type, lines that cannot be checked, a short line.

struct LineCase {
  const char* name;
  std::function<std::string()> line;
  const char* forced;  // null: told from the line
  int kind;
  const char* record_type;
  std::vector<std::string> codes;
  const char* warning;  // "<null>" when none
  const char* error;    // the start of the error, "<null>" when none
};

class LineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTest, GivesKindTypeFindingsWarningAndError) {
  const LineCase& c = GetParam();
  vx_options options = defaults();
  options.record_type = c.forced;
  CheckerPtr checker = make(options);
  ASSERT_NE(checker, nullptr);
  Got got = checkLine(checker.get(), c.line(), 7);
  EXPECT_EQ(got.kind, c.kind);
  EXPECT_EQ(got.line, 7);
  EXPECT_EQ(got.record_type, c.record_type);
  EXPECT_THAT(got.codes(), ElementsAreArray(c.codes));
  EXPECT_EQ(got.warning, c.warning);
  EXPECT_THAT(got.error, StartsWith(c.error));
  EXPECT_EQ(got.file_warning, "<null>");
}

std::string dskoWith(const char* field, const char* value) {
  return dsko04::validRecord().set(field, value).line();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineTest,
    ::testing::Values(
        LineCase{"Dsko04Valid",
                 [] { return dsko04::validRecord().line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSKO_04",
                 {},
                 "<null>",
                 "<null>"},
        LineCase{"Dsko04WrongVersion",
                 [] { return dskoWith("VERNR", "03"); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSKO_04",
                 {"DSKO042"},
                 "<null>",
                 "<null>"},
        LineCase{"Dsas01Valid",
                 [] { return dsas01::validRecordWithContact().line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSAS_01",
                 {},
                 "<null>",
                 "<null>"},
        LineCase{"Dsas01BadDatasetId",
                 [] { return dsas01::validRecord().set("DSID", "DS_1").line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSAS_01",
                 {"DSAS111"},
                 "<null>",
                 "<null>"},
        LineCase{"Dsas02Valid",
                 [] { return dsas02::validRecord().line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSAS_02",
                 {},
                 "<null>",
                 "<null>"},
        LineCase{"Dsas02NoEnterpriseNumber",
                 [] {
                   return dsas02::validRecord()
                       .set("UNRS", "000000000000000")
                       .set("MJAHR", "2024")
                       .line();
                 },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSAS_02",
                 {"DSAS213"},
                 "<null>",
                 "<null>"},
        LineCase{"Dsln01Valid",
                 [] { return dsln01::validRecordWithContact().line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSLN_01",
                 {},
                 "<null>",
                 "<null>"},
        LineCase{"Dsln01BadReason",
                 [] { return dsln01::validRecord().set("MDGRUND", "XX99").line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSLN_01",
                 {"DSLN250"},
                 "<null>",
                 "<null>"},
        LineCase{"Dsln02Valid",
                 [] { return dsln02::validRecord().line(); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSLN_02",
                 {},
                 "<null>",
                 "<null>"},
        LineCase{"Dsln02NoEnterpriseNumber",
                 [] {
                   return dsln02::validRecord()
                       .set("UNRS", "000000000000000")
                       .set("MJAHR", "2024")
                       .set("ZRVON", "20240101")
                       .set("ZRBIS", "20241231")
                       .line();
                 },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSLN_02",
                 {"DSLN213"},
                 "<null>",
                 "<null>"},
        // Forced, a line is checked as that record type whatever its first
        // characters or its version say.
        LineCase{"ForcedType",
                 [] { return dsko04::validRecord().set("KE", "ABCD").set("VERNR", "03").line(); },
                 "DSKO_04",
                 VX_KIND_RECORD,
                 "DSKO_04",
                 {"DSKO042"},
                 "<null>",
                 "<null>"},
        // Told from the line, it would be a DSLN_01 record.
        LineCase{"ForcedOverTheIdentifier",
                 [] { return dsas01::validRecord().set("KE", "DSLN").line(); },
                 "DSAS_01",
                 VX_KIND_RECORD,
                 "DSAS_01",
                 {},
                 "<null>",
                 "<null>"},
        LineCase{"Untellable",
                 [] { return dskoWith("KE", "ABCD"); },
                 nullptr,
                 VX_KIND_ERROR,
                 "<null>",
                 {},
                 "<null>",
                 "record type cannot be told: unknown record identifier \"ABCD\" in characters "
                 "1-4"},
        LineCase{"VersionOutOfReach",
                 [] { return std::string("DSAS") + std::string(20, ' '); },
                 nullptr,
                 VX_KIND_ERROR,
                 "<null>",
                 {},
                 "<null>",
                 "record type cannot be told: DSAS record too short for its version field"},
        LineCase{"ShortLine",
                 [] { return dsko04::validRecord().line().substr(0, 300); },
                 nullptr,
                 VX_KIND_RECORD,
                 "DSKO_04",
                 {"<null>", "<null>", "<null>", "DSKO590", "DSKO605"},
                 "record too short: 300 characters, its layout implies 415",
                 "<null>"},
        LineCase{"EmptyLine",
                 [] { return std::string(); },
                 nullptr,
                 VX_KIND_EMPTY,
                 "<null>",
                 {},
                 "<null>",
                 "<null>"}),
    [](const auto& info) { return info.param.name; });

TEST(CheckLineTest, CarriesEveryKeyOfAFindingInUtf8) {
  CheckerPtr checker = make();
  // In the future of the processing date: DSKO054, whose text has umlauts.
  Got got = checkLine(checker.get(), dskoWith("ED", "20991231120000000000"));
  ASSERT_EQ(got.findings.size(), 1u);
  const Found& f = got.findings[0];
  EXPECT_THAT(f.names(), ElementsAre("#P_ED", "P_ED", "DSKO054", "P_ED"));
  EXPECT_EQ(f.problem_type, 2);
  EXPECT_EQ(f.short_description,
            "DSKO054 DATUM-ERSTELLUNG gr\xC3\xB6\xC3\x9F"
            "er Verarbeitungsdatum");
  EXPECT_EQ(f.text, f.short_description);
  EXPECT_EQ(f.field_type, -1);
  EXPECT_EQ(f.field_length, -1);
}

TEST(CheckLineTest, DescribesAFieldFindingAsTheCommandLineDoes) {
  CheckerPtr checker = make();
  Got got = checkLine(checker.get(), dsko04::validRecord().line().substr(0, 300));
  ASSERT_GE(got.findings.size(), 1u);
  const Found& f = got.findings[0];
  EXPECT_THAT(f.names(), ElementsAre("TELAP#TELAP", "TELAP", "<null>", "TELAP"));
  EXPECT_EQ(f.text, "field TELEFON-ANSPRECHPARTNER (TELAP) not supplied");
  EXPECT_EQ(f.reference_field, "TELAP");
  EXPECT_EQ(f.problem_type, 1);
  EXPECT_EQ(f.info_type, 1);
  EXPECT_EQ(got.expected_length, 415u);
  EXPECT_EQ(got.actual_length, 300u);
}

TEST(CheckLineTest, ReportsTheLevelItIsGiven) {
  // Above level 1 the check procedures are skipped: the wrong version
  // goes unnoticed, a field that does not conform does not.
  vx_options options = defaults();
  options.level = 2;
  CheckerPtr checker = make(options);
  EXPECT_THAT(checkLine(checker.get(), dskoWith("VERNR", "03")).codes(), IsEmpty());
  Got got = checkLine(checker.get(), dsko04::validRecord().line().substr(0, 300));
  EXPECT_EQ(got.findings.size(), 3u);
}

TEST(CheckLineTest, RefusesNullPointers) {
  CheckerPtr checker = make();
  const vx_result* result = nullptr;
  EXPECT_EQ(vx_check_line(nullptr, "DSKO", 4, 1, &result), VX_INVALID_ARGUMENT);
  EXPECT_EQ(vx_check_line(checker.get(), "DSKO", 4, 1, nullptr), VX_INVALID_ARGUMENT);
  EXPECT_STREQ(vx_checker_message(checker.get()), "result is NULL");
  EXPECT_EQ(vx_check_line(checker.get(), nullptr, 4, 1, &result), VX_INVALID_ARGUMENT);
  EXPECT_EQ(vx_check_line(checker.get(), nullptr, 0, 1, &result), VX_OK);
  EXPECT_STREQ(vx_checker_message(checker.get()), "");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->kind, VX_KIND_EMPTY);
}

// --- Options that cannot make a checker.

struct OptionCase {
  const char* name;
  std::function<void(vx_options&)> change;
  vx_status status;
  const char* message;
};

class BadOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(BadOptionTest, GivesAStatusAMessageAndNoChecker) {
  vx_options options = defaults();
  GetParam().change(options);
  vx_checker* checker = reinterpret_cast<vx_checker*>(&options);
  char message[256];
  EXPECT_EQ(vx_checker_new(&options, &checker, message, sizeof message), GetParam().status);
  EXPECT_EQ(checker, nullptr);
  EXPECT_THAT(message, HasSubstr(GetParam().message));
}

const vx_param kNamelessParam[] = {{"", "1"}};

INSTANTIATE_TEST_SUITE_P(
    Options, BadOptionTest,
    ::testing::Values(OptionCase{"NoSuchLibrary",
                                 [](vx_options& o) { o.library_path = "/nonexistent/libvexal.so"; },
                                 VX_LIBRARY_ERROR,
                                 "cannot load the library /nonexistent/libvexal.so: "},
                      OptionCase{"MalformedDate", [](vx_options& o) { o.today = "2026-12-08"; },
                                 VX_INVALID_ARGUMENT,
                                 "today wants a date JJJJMMTT, e.g. 20261208, not '2026-12-08'"},
                      OptionCase{"ImpossibleDate", [](vx_options& o) { o.today = "20260230"; },
                                 VX_INVALID_ARGUMENT, "not '20260230'"},
                      OptionCase{"UnknownRecordType",
                                 [](vx_options& o) { o.record_type = "DSKO_05"; },
                                 VX_INVALID_ARGUMENT, "unknown record type 'DSKO_05'"},
                      OptionCase{"NegativeLevel", [](vx_options& o) { o.level = -1; },
                                 VX_INVALID_ARGUMENT, "level wants a number 0 or greater, not -1"},
                      OptionCase{"CountWithoutParams", [](vx_options& o) { o.param_count = 2; },
                                 VX_INVALID_ARGUMENT, "params is NULL"},
                      OptionCase{"NamelessParam",
                                 [](vx_options& o) {
                                   o.params = kNamelessParam;
                                   o.param_count = 1;
                                 },
                                 VX_INVALID_ARGUMENT, "params[0] wants a name and a value"},
                      OptionCase{"SizeUnset", [](vx_options& o) { o.size = 0; },
                                 VX_INVALID_ARGUMENT, "options.size is too small"}),
    [](const auto& info) { return info.param.name; });

TEST(OptionsTest, NullOptionsAreTheDefaultsAndTheMessageFitsItsBuffer) {
  vx_checker* checker = nullptr;
  char message[8] = "x";
  ASSERT_EQ(vx_checker_new(nullptr, &checker, message, sizeof message), VX_OK);
  EXPECT_STREQ(message, "");
  vx_checker_free(checker);

  vx_options options = defaults();
  options.today = "tomorrow";
  EXPECT_EQ(vx_checker_new(&options, &checker, message, sizeof message), VX_INVALID_ARGUMENT);
  EXPECT_STREQ(message, "today w");
  EXPECT_EQ(vx_checker_new(&options, nullptr, nullptr, 0), VX_INVALID_ARGUMENT);
}

TEST(OptionsTest, InitParametersReachTheRuleSets) {
  // From the switch day on (by default 1 December) a query may name the
  // next reporting year; a switch day given later wins over the default.
  const std::string line = dsas01::validRecord()
                               .set("VERNRAS", "02")
                               .set("ED", "20260101120000000000")
                               .set("MJAHR", "2027")
                               .line();
  vx_param params[] = {{"ipMjahrSchalttag", "1210"}};
  vx_options options = defaults();
  CheckerPtr plain = make(options);
  options.params = params;
  options.param_count = 1;
  CheckerPtr switched = make(options);
  EXPECT_THAT(checkLine(plain.get(), line).codes(), Not(Contains("DSAS232")));
  EXPECT_THAT(checkLine(switched.get(), line).codes(), Contains("DSAS232"));
}

// --- Files and streams.

class TempFile {
 public:
  explicit TempFile(const std::string& content) {
    char name[] = "/tmp/vexal-capi-XXXXXX";
    int fd = mkstemp(name);
    path_ = name;
    FILE* file = fdopen(fd, "wb");
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

std::vector<Got> collect(vx_checker* checker, const char* path, vx_status expected = VX_OK) {
  std::vector<Got> results;
  vx_status status = vx_check_file(
      checker, path,
      [](void* context, const vx_result* result) {
        static_cast<std::vector<Got>*>(context)->push_back(copy(*result));
        return 0;
      },
      &results);
  EXPECT_EQ(status, expected) << vx_checker_message(checker);
  return results;
}

std::vector<std::pair<int, long long>> kindsAndLines(const std::vector<Got>& results) {
  std::vector<std::pair<int, long long>> result;
  for (const Got& got : results) result.emplace_back(got.kind, got.line);
  return result;
}

TEST(CheckFileTest, GivesOneResultPerNonEmptyLineInOrder) {
  const std::string valid = dsko04::validRecord().line();
  TempFile file(valid + "\r\n\n" + dskoWith("VERNR", "03") + "\nABCD\n" + valid);
  CheckerPtr checker = make();
  std::vector<Got> results = collect(checker.get(), file.path());
  EXPECT_THAT(kindsAndLines(results),
              ElementsAre(std::pair(VX_KIND_RECORD, 1LL), std::pair(VX_KIND_RECORD, 3LL),
                          std::pair(VX_KIND_ERROR, 4LL), std::pair(VX_KIND_RECORD, 5LL)));
  EXPECT_THAT(results[1].codes(), ElementsAre("DSKO042"));
}

TEST(CheckFileTest, WarnsAboutAFileThatIsNotLatin1BeforeItsLine) {
  const std::string valid = dsko04::validRecord().line();
  // UTF-8 only: the valid record's street is Latin-1.
  const std::string utf8 =
      dsko04::validRecord().set("STR", "Hauptstr.").set("NAME1", "M\xC3\xBCller").line();
  TempFile file(valid + "\n" + utf8 + "\n");
  CheckerPtr checker = make();
  std::vector<Got> results = collect(checker.get(), file.path());
  EXPECT_THAT(kindsAndLines(results),
              ElementsAre(std::pair(VX_KIND_RECORD, 1LL), std::pair(VX_KIND_FILE_WARNING, 2LL),
                          std::pair(VX_KIND_RECORD, 2LL)));
  EXPECT_THAT(results[1].file_warning,
              HasSubstr("first line with UTF-8 characters, \"\xC3\xBC\" (U+00FC) at character"));
}

TEST(CheckFileTest, WarnsAboutAnEmptyFile) {
  TempFile empty("");
  TempFile blank("\n\r\n");
  CheckerPtr checker = make();
  std::vector<Got> results = collect(checker.get(), empty.path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].kind, VX_KIND_FILE_WARNING);
  EXPECT_EQ(results[0].line, 0);
  EXPECT_EQ(results[0].file_warning, "file is empty");
  results = collect(checker.get(), blank.path());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].file_warning, "file holds only empty lines");
}

TEST(CheckFileTest, NamesAFileThatCannotBeOpened) {
  CheckerPtr checker = make();
  EXPECT_THAT(collect(checker.get(), "/nonexistent/records.txt", VX_IO_ERROR), IsEmpty());
  EXPECT_THAT(vx_checker_message(checker.get()),
              StartsWith("cannot open /nonexistent/records.txt: "));
  EXPECT_EQ(vx_check_file(checker.get(), nullptr, nullptr, nullptr), VX_INVALID_ARGUMENT);
}

TEST(CheckFileTest, StopsWhenTheCallbackSaysSo) {
  const std::string valid = dsko04::validRecord().line();
  TempFile file(valid + "\n" + valid + "\n" + valid + "\n");
  CheckerPtr checker = make();
  int calls = 0;
  vx_status status = vx_check_file(
      checker.get(), file.path(),
      [](void* context, const vx_result*) { return ++*static_cast<int*>(context) == 2 ? 1 : 0; },
      &calls);
  EXPECT_EQ(status, VX_STOPPED);
  EXPECT_EQ(calls, 2);
}

// A stream of the given bytes that fails after them when asked to.
struct Stream {
  std::string bytes;
  bool fail_at_end = false;
  std::size_t at = 0;

  static long long read(void* context, char* buffer, std::size_t size) {
    auto* stream = static_cast<Stream*>(context);
    if (stream->at == stream->bytes.size()) return stream->fail_at_end ? -1 : 0;
    // A few bytes at a time, so that lines straddle reads.
    std::size_t n = std::min<std::size_t>({size, 100, stream->bytes.size() - stream->at});
    stream->bytes.copy(buffer, n, stream->at);
    stream->at += n;
    return static_cast<long long>(n);
  }
};

TEST(CheckStreamTest, ChecksWhatTheCallbackReadsAndReportsItsFailure) {
  const std::string valid = dsko04::validRecord().line();
  Stream stream{valid + "\n" + dskoWith("VERNR", "03") + "\n", true};
  CheckerPtr checker = make();
  std::vector<Got> results;
  vx_status status = vx_check_stream(
      checker.get(), &Stream::read, &stream,
      [](void* context, const vx_result* result) {
        static_cast<std::vector<Got>*>(context)->push_back(copy(*result));
        return 0;
      },
      &results);
  EXPECT_EQ(status, VX_IO_ERROR);
  EXPECT_STREQ(vx_checker_message(checker.get()),
               "read error after line 2: the read callback failed");
  EXPECT_THAT(kindsAndLines(results),
              ElementsAre(std::pair(VX_KIND_RECORD, 1LL), std::pair(VX_KIND_RECORD, 2LL)));
}

TEST(InputTest, HandsOutOneResultAtATimeAndKeepsAPendingLineAcrossACheckInBetween) {
  const std::string utf8 =
      dsko04::validRecord().set("STR", "Hauptstr.").set("NAME1", "M\xC3\xBCller").line();
  Stream stream{dsko04::validRecord().line() + "\n" + utf8 + "\n" + dskoWith("VERNR", "03")};
  CheckerPtr checker = make();
  ASSERT_EQ(vx_input_open_stream(checker.get(), &Stream::read, &stream), VX_OK);
  std::vector<Got> results;
  const vx_result* result = nullptr;
  while (vx_input_next(checker.get(), &result) == VX_OK && result != nullptr) {
    results.push_back(copy(*result));
    // A line checked in between does not replace the one to come.
    checkLine(checker.get(), dskoWith("ED", "20991231120000000000"));
  }
  vx_input_close(checker.get());
  EXPECT_THAT(kindsAndLines(results),
              ElementsAre(std::pair(VX_KIND_RECORD, 1LL), std::pair(VX_KIND_FILE_WARNING, 2LL),
                          std::pair(VX_KIND_RECORD, 2LL), std::pair(VX_KIND_RECORD, 3LL)));
  EXPECT_THAT(results[2].codes(), IsEmpty());
  EXPECT_THAT(results[3].codes(), ElementsAre("DSKO042"));
  EXPECT_EQ(vx_input_next(checker.get(), &result), VX_INVALID_ARGUMENT);
  EXPECT_STREQ(vx_checker_message(checker.get()), "no input is open");
}

TEST(CheckFileTest, TheExampleTransmissionCountsAsTheCommandLineCountsIt) {
  // vexal check --today 20261208 examples/transmission.txt: 28 records, 60
  // findings, 3 warnings, 1 line error; counted by a client in C99.
  struct c99_counts counts;
  char message[256];
  ASSERT_EQ(c99_count(VEXAL_EXAMPLE_FILE, "20261208", &counts, message, sizeof message), VX_OK)
      << message;
  EXPECT_EQ(counts.records, 28);
  EXPECT_EQ(counts.findings, 60);
  EXPECT_EQ(counts.warnings, 3);
  EXPECT_EQ(counts.errors, 1);
  EXPECT_EQ(counts.file_warnings, 0);
}

// --- Layouts.

TEST(LayoutTest, DescribesTheFieldsAndGroupsOfARecordType) {
  CheckerPtr checker = make();
  const vx_layout* layout = nullptr;
  ASSERT_EQ(vx_checker_layout(checker.get(), "DSKO_04", &layout), VX_OK);
  EXPECT_STREQ(layout->record_type, "DSKO_04");
  EXPECT_EQ(layout->built, 1);
  EXPECT_EQ(layout->field_count, 24u);
  EXPECT_EQ(layout->record_length, 415);
  ASSERT_EQ(layout->entry_count, 24u);
  EXPECT_STREQ(layout->entries[1].path, "VF");
  EXPECT_EQ(layout->entries[1].position, 5u);
  EXPECT_EQ(layout->entries[1].length, 5u);
  EXPECT_STREQ(layout->entries[1].type, "alphanumeric");

  const vx_layout* wage = nullptr;
  ASSERT_EQ(vx_checker_layout(checker.get(), "DSLN_01", &wage), VX_OK);
  EXPECT_EQ(wage->record_length, -1);
  const vx_layout_entry* group = nullptr;
  for (std::size_t i = 0; i < wage->entry_count; ++i) {
    if (std::string_view(wage->entries[i].path) == "UV") group = &wage->entries[i];
  }
  ASSERT_NE(group, nullptr);
  EXPECT_STREQ(group->counter_field, "ANUV");
  EXPECT_STREQ(group->occurs, "as often as counter field ANUV says");

  // Still valid after more calls.
  checkLine(checker.get(), dsko04::validRecord().line());
  EXPECT_STREQ(layout->entries[1].path, "VF");
  EXPECT_EQ(vx_checker_layout(checker.get(), "DSKO_99", &layout), VX_INVALID_ARGUMENT);
}

// --- Threads and the library's exports.

TEST(ParallelTest, SeparateCheckersCheckInParallelAndFindWhatEachFindsAlone) {
  std::vector<std::string> lines;
  for (int i = 0; i < 50; ++i) {
    lines.push_back(i % 3 == 0   ? dskoWith("VERNR", "03")
                    : i % 3 == 1 ? dsln01::validRecordWithPositions(1 + i % 5).line()
                                 : dsas01::validRecord().set("DSID", "DS_1").line());
  }
  auto codesOf = [&lines](vx_checker* checker) {
    std::vector<std::string> codes;
    for (const std::string& line : lines) {
      for (const std::string& code : checkLine(checker, line).codes()) codes.push_back(code);
    }
    return codes;
  };
  CheckerPtr alone = make();
  const std::vector<std::string> expected = codesOf(alone.get());
  ASSERT_GT(expected.size(), 30u);
  std::vector<std::vector<std::string>> found(4);
  std::vector<std::thread> threads;
  for (auto& codes : found) {
    threads.emplace_back([&codes, &codesOf] {
      CheckerPtr checker = make();
      for (int round = 0; round < 5; ++round) codes = codesOf(checker.get());
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& codes : found) EXPECT_EQ(codes, expected);
}

TEST(ExportsTest, LibvexalcheckExportsItsCApiAndNothingElse) {
  const std::set<std::string> names = vexal::test::definedDynamicSymbols(VEXAL_CHECK_LIBRARY_PATH);
  EXPECT_THAT(names, ElementsAre("vx_check_file", "vx_check_line", "vx_check_stream",
                                 "vx_checker_free", "vx_checker_layout", "vx_checker_message",
                                 "vx_checker_new", "vx_input_close", "vx_input_next",
                                 "vx_input_open_file", "vx_input_open_stream", "vx_options_init",
                                 "vx_status_name", "vx_version"));
  EXPECT_STREQ(vx_status_name(VX_OUT_OF_MEMORY), "VX_OUT_OF_MEMORY");
  EXPECT_STREQ(vx_version(), "1.0");
}

}  // namespace

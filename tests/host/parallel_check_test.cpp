// The parallel check against the one-worker Checker, in process, with the
// test rule set TST_01 for every worker: for every report kind, every
// number of workers and chunks from one line up, the same bytes on the
// output and on standard error (log lines included) and the same summary.
// Files of valid and faulty records, line errors, length warnings, empty
// lines, a file that is not Latin-1, an empty file, one that cannot be
// opened and one whose reading fails.

#include "cli/check_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cli/check_run.h"
#include "cli/html_report.h"
#include "cli/junit_report.h"
#include "cli/printers.h"
#include "support/memory_file.h"
#include "support/string_source.h"
#include "support/test_rule_set.h"
#include "support/tst_lines.h"
#include "support/tst_rule_sets.h"

namespace vexal::cli {
namespace {

using ::testing::HasSubstr;

using tst::TstRuleSets;

using vexal::test::MemoryFile;

using vexal::test::StringSource;

struct Input {
  std::string name;
  std::string bytes;
  bool missing = false;     // cannot be opened
  bool read_fails = false;  // fails after its bytes
};

// Valid, faulty, blocked (the check raises: a line error and a log line)
// and short lines, empty lines between, UTF-8 lines at the end of the
// second third and near the end (only the first of them is warned about).
std::string mixedLines(int count, bool utf8) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    tst::Line line;
    switch (i % 7) {
      case 1:
        line.num = "99";
        break;
      case 2:
        line.opt = "BLK";
        break;
      case 3:
        line.anz = "2";
        line.pos = {tst::Pos{}, tst::Pos{"POS2", "12x45", "  "}};
        break;
      case 5:
        text += tst::Line().str().substr(0, 8) + "\n\n";
        continue;
      default:
        break;
    }
    if (utf8 && (i == 2 * count / 3 || i == count - 2)) {
      line.zus_info = "\xC3\xA4";
      line.flag = "J";
    }
    text += line.str() + (i % 4 == 0 ? "\r\n" : "\n");
  }
  return text;
}

std::vector<Input> inputs() {
  return {
      {"a.txt", mixedLines(40, false)},
      {"empty.txt", ""},
      {"b.txt", mixedLines(25, true)},
      {"gone.txt", "", true},
      {"c.txt", mixedLines(9, false), false, true},
      {"blank.txt", "\n\r\n\n"},
  };
}

enum class Kind { kText, kJsonl, kCsv, kStatisticsText, kStatisticsJson, kHtml, kJunit };

std::unique_ptr<Report> makeReport(Kind kind, Output& out) {
  switch (kind) {
    case Kind::kText:
      return std::make_unique<TextReport>(out);
    case Kind::kJsonl:
      return std::make_unique<JsonlReport>(out);
    case Kind::kCsv:
      return std::make_unique<CsvReport>(out);
    case Kind::kStatisticsText:
      return std::make_unique<StatisticsReport>(out, false, Palette::plain());
    case Kind::kStatisticsJson:
      return std::make_unique<StatisticsReport>(out, true, Palette::plain());
    case Kind::kHtml: {
      // Two records an identifier: which ones is decided across chunks.
      static TstRuleSets layouts;
      HtmlPageSettings settings;
      settings.limit = 2;
      return std::make_unique<HtmlReport>(out, settings, &layouts);
    }
    case Kind::kJunit:
      return std::make_unique<JunitReport>(out);
  }
  return nullptr;
}

struct CheckRun {
  std::string out;
  std::string err;
  CheckSummary summary;
  bool readable = true;
};

core::CheckOptions options() {
  core::CheckOptions made;
  made.record_type = "TST_01";
  made.today = core::Date{2026, 12, 8};
  return made;
}

template <class Check>
bool checkInputs(Check& check) {
  bool readable = true;
  for (const Input& input : inputs()) {
    if (input.missing) {
      check.fileError(input.name, "cannot open file: No such file or directory");
      readable = false;
      continue;
    }
    // Small reads, so that lines straddle them.
    StringSource source(input.bytes, 37,
                        input.read_fails ? input.bytes.size() : StringSource::kNever);
    if (!check.checkStream(source, input.name)) readable = false;
  }
  return readable;
}

// Captures standard output and error of a run with a report of `kind`:
// `check(run, out, err, report)` checks the inputs and sets the summary and
// whether they were readable.
template <class Check>
CheckRun captured(Kind kind, Check check) {
  MemoryFile out_file, err_file;
  CheckRun run;
  {
    Output out(out_file.get());
    std::unique_ptr<Report> report = makeReport(kind, out);
    check(run, out, err_file.get(), *report);
    report->finish(run.summary);
  }
  run.out = out_file.text();
  run.err = err_file.text();
  return run;
}

CheckRun sequential(Kind kind) {
  return captured(kind, [](CheckRun& run, Output&, std::FILE* err, Report& report) {
    TstRuleSets rule_sets;
    SequentialCheck checker(rule_sets, report);
    checker.configure(options());
    StderrLog log(err, &checker.current());
    checker.context().getLogger().setTraceSink(&log);
    checker.context().getLogger().setErrorSink(&log);
    run.readable = checkInputs(checker);
    checker.context().getLogger().setTraceSink(nullptr);
    checker.context().getLogger().setErrorSink(nullptr);
    log.flush();
    run.summary = checker.summary();
  });
}

CheckRun parallel(Kind kind, int jobs, std::size_t chunk_lines) {
  return captured(kind, [&](CheckRun& run, Output& out, std::FILE* err_file, Report& report) {
    Output err(err_file);
    ParallelCheck::Settings settings;
    settings.jobs = jobs;
    settings.make_rule_sets = [] { return std::make_unique<TstRuleSets>(); };
    settings.options = options();
    settings.log = true;
    settings.chunk_lines = chunk_lines;
    ParallelCheck check(std::move(settings), report, out, err, nullptr);
    run.readable = checkInputs(check);
    check.finish();
    run.summary = check.summary();
  });
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Kind, int, std::size_t>>& info) {
  static const char* const names[] = {"Text",           "Jsonl", "Csv",  "StatisticsText",
                                      "StatisticsJson", "Html",  "Junit"};
  return std::string(names[static_cast<int>(std::get<0>(info.param))]) + "Jobs" +
         std::to_string(std::get<1>(info.param)) + "Chunk" +
         std::to_string(std::get<2>(info.param));
}

class ParallelCheckTest : public ::testing::TestWithParam<std::tuple<Kind, int, std::size_t>> {};

TEST_P(ParallelCheckTest, WritesWhatOneWorkerWrites) {
  const auto [kind, jobs, chunk_lines] = GetParam();
  const CheckRun expected = sequential(kind);
  // The inputs give what the comparison needs.
  ASSERT_EQ(expected.summary.records, 63);
  ASSERT_GT(expected.summary.findings, 20);
  ASSERT_EQ(expected.summary.errors, 11);
  ASSERT_EQ(expected.summary.warnings, 9);
  ASSERT_EQ(expected.summary.file_errors, 2);
  ASSERT_EQ(expected.summary.file_warnings, 3);
  ASSERT_THAT(expected.err, HasSubstr("a.txt:3: error: "));

  const CheckRun got = parallel(kind, jobs, chunk_lines);
  EXPECT_EQ(got.out, expected.out);
  EXPECT_EQ(got.err, expected.err);
  EXPECT_EQ(got.readable, expected.readable);
  EXPECT_EQ(summaryText(got.summary), summaryText(expected.summary));
}

INSTANTIATE_TEST_SUITE_P(KindsJobsAndChunks, ParallelCheckTest,
                         ::testing::Combine(::testing::Values(Kind::kText, Kind::kJsonl, Kind::kCsv,
                                                              Kind::kStatisticsText,
                                                              Kind::kStatisticsJson, Kind::kHtml,
                                                              Kind::kJunit),
                                            ::testing::Values(2, 7), ::testing::Values(1, 3, 256)),
                         caseName);

TEST(ParallelCheckLimitsTest, KeepsAtMostTwoChunksPerWorkerUnderWay) {
  // Output that is never written out: what piles up in it shows how far
  // the check ran ahead of the writing. A report that counts how many
  // chunks it made while its source was read stands in for that.
  struct CountingReport final : public Report {
    explicit CountingReport(std::atomic<int>* made) : made_(made) {}
    void finding(const Location&, const core::Finding&) override {}
    void record(const Location&, std::size_t) override {}
    void warning(const Location&, std::size_t, std::size_t) override {}
    void error(const Location&, std::string_view) override {}
    void fileWarning(const Location&, std::string_view) override {}
    std::unique_ptr<Report> forChunk(Output&, Output&) const override {
      ++*made_;
      return std::make_unique<CountingReport>(made_);
    }
    std::atomic<int>* made_;
  };
  // A source that tells, at each read, how many chunks were made.
  struct WatchedSource final : public core::ByteSource {
    std::string bytes;
    std::size_t at = 0;
    std::atomic<int>* made = nullptr;
    int most_ahead = 0;
    long lines_read = 0;
    std::size_t read(char* buffer, std::size_t size) override {
      std::size_t n = bytes.copy(buffer, size < 1000 ? size : 1000, at);
      for (std::size_t i = at; i < at + n; ++i) lines_read += bytes[i] == '\n';
      at += n;
      // Chunks of one line: the lines read beyond those made into chunks
      // and checked are under way.
      most_ahead = std::max<int>(most_ahead, static_cast<int>(lines_read) - made->load());
      return n;
    }
    bool failed() const override { return false; }
  };
  std::atomic<int> made{0};
  CountingReport report(&made);
  Output out(nullptr), err(nullptr);
  ParallelCheck::Settings settings;
  settings.jobs = 3;
  settings.make_rule_sets = [] { return std::make_unique<TstRuleSets>(); };
  settings.options = options();
  settings.chunk_lines = 1;
  WatchedSource source;
  for (int i = 0; i < 2000; ++i) source.bytes += tst::Line().str() + "\n";
  source.made = &made;
  {
    ParallelCheck check(std::move(settings), report, out, err, nullptr);
    ASSERT_TRUE(check.checkStream(source, "big.txt"));
    check.finish();
    EXPECT_EQ(check.summary().records, 2000);
  }
  EXPECT_EQ(made.load(), 2000);
  // 2 * 3 + 2 chunks under way, the one being filled and the lines of one
  // read (1000 bytes) beyond.
  const int lines_per_read = 1000 / static_cast<int>(tst::Line().str().size() + 1) + 1;
  EXPECT_LE(source.most_ahead, 2 * 3 + 2 + 1 + lines_per_read);
  EXPECT_GT(source.most_ahead, 0);
}

}  // namespace
}  // namespace vexal::cli

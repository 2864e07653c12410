// vexal check: every line of every file through the rule sets.

#include <memory>

#include "cli/checker.h"
#include "cli/commands.h"
#include "cli/csv_report.h"
#include "cli/encoding.h"
#include "cli/jsonl_report.h"
#include "cli/platform_io.h"
#include "cli/progress.h"
#include "cli/statistics.h"
#include "cli/stderr_log.h"
#include "cli/terminal.h"
#include "cli/text_report.h"

namespace vexal::cli {
namespace {

std::unique_ptr<Report> makeReport(const CommandLine& line, Output& out, const Palette& palette) {
  if (line.statistics) {
    return std::make_unique<StatisticsReport>(out, line.format == Format::kJson, palette);
  }
  switch (line.format) {
    case Format::kJsonl:
      return std::make_unique<JsonlReport>(out);
    case Format::kCsv:
      return std::make_unique<CsvReport>(out);
    case Format::kText:
    case Format::kJson:
      break;
  }
  return std::make_unique<TextReport>(out, palette);
}

// Hands everything to the report and also writes what concerns whole
// files to standard error, where a user sees it when the output is
// machine-readable. Borrows report, stream and progress meter.
class FileMessagesOnStderr final : public Report {
 public:
  FileMessagesOnStderr(Report& report, std::FILE* err, ProgressMeter* progress)
      : report_(report), err_(err), progress_(progress) {}

  void finding(const Location& where, const core::Finding& finding) override {
    report_.finding(where, finding);
  }
  void record(const Location& where, std::size_t findings) override {
    report_.record(where, findings);
  }
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override {
    report_.warning(where, expected_length, actual_length);
  }
  void error(const Location& where, std::string_view message) override {
    report_.error(where, message);
    if (where.line == 0) say(where, "error", message);
  }
  void fileWarning(const Location& where, std::string_view message) override {
    report_.fileWarning(where, message);
    say(where, "warning", message);
  }
  void finish(const CheckSummary& summary) override { report_.finish(summary); }

 private:
  void say(const Location& where, const char* what, std::string_view message) {
    if (progress_ != nullptr) progress_->clear();
    std::string line = "vexal: " + std::string(where.file);
    if (where.line > 0) line += ":" + std::to_string(where.line);
    line += std::string(": ") + what + ": " + toUtf8(message) + "\n";
    std::fputs(line.c_str(), err_);
  }

  Report& report_;
  std::FILE* err_;
  ProgressMeter* progress_;
};

}  // namespace

core::CheckOptions checkOptions(const CommandLine& line) {
  core::CheckOptions options;
  options.today = line.today;
  options.params = line.params;
  options.level = line.level;
  options.record_type = line.record_type;
  return options;
}

int runCheck(const CommandLine& line, const core::Library& library, Output& out, std::FILE* err) {
  const bool text = line.format == Format::kText;
  const Palette palette =
      text && useColor(line.color, out.stream()) ? Palette::ansi() : Palette::plain();

  // Progress only where a person watches and nothing else writes to
  // standard error line by line.
  std::unique_ptr<ProgressMeter> progress;
  if (!line.quiet && !line.log && isTerminal(err)) {
    progress = std::make_unique<ProgressMeter>(err, terminalWidth(err), progressDelay());
    if (isTerminal(out.stream())) out.setBeforeWrite([meter = progress.get()] { meter->clear(); });
  }
  // The output outlives the meter, also when an exception ends the run.
  struct ForgetMeter {
    Output& out;
    ~ForgetMeter() { out.setBeforeWrite(nullptr); }
  } forget_meter{out};

  std::unique_ptr<Report> report = makeReport(line, out, palette);
  std::unique_ptr<Report> echo;
  if (!text) echo = std::make_unique<FileMessagesOnStderr>(*report, err, progress.get());
  core::LibraryRuleSets rule_sets(library);
  Checker checker(rule_sets, echo ? *echo : *report);
  checker.configure(checkOptions(line));
  checker.showProgress(progress.get());
  std::unique_ptr<StderrLog> log;
  if (line.log) {
    log = std::make_unique<StderrLog>(err, &checker.current());
    checker.context().getLogger().setTraceSink(log.get());
    checker.context().getLogger().setErrorSink(log.get());
  }

  bool io_error = false;
  const int file_count = static_cast<int>(line.files.size());
  for (int index = 1; index <= file_count; ++index) {
    const std::string& file = line.files[index - 1];
    const std::string shown = nameToUtf8(file);
    std::FILE* stream = stdin;
    std::int64_t size = -1;
    if (file != "-") {
      std::string reason;
      stream = openForReading(file, reason, size);
      if (stream == nullptr) {
        checker.fileError(shown, "cannot open file: " + reason);
        io_error = true;
        continue;
      }
    }
    if (progress) progress->startFile(shown, size, index, file_count);
    FileSource source(stream);
    if (!checker.checkStream(source, shown)) io_error = true;
    if (stream != stdin) std::fclose(stream);
  }
  // The line goes before the table and the summary.
  if (progress) progress->clear();
  checker.showProgress(nullptr);

  checker.context().getLogger().setTraceSink(nullptr);
  checker.context().getLogger().setErrorSink(nullptr);
  if (log) log->flush();
  (echo ? *echo : *report).finish(checker.summary());
  out.flush();
  if (out.failed()) {
    std::fprintf(err, "vexal: cannot write the output\n");
    return kExitUsage;
  }
  if (text && !line.quiet) std::fputs(summaryText(checker.summary()).c_str(), err);
  if (io_error) return kExitUsage;
  return checker.summary().hadFindingsOrErrors() ? kExitFindings : kExitClean;
}

}  // namespace vexal::cli

// vexal check: every line of every file through the rule sets.

#include <cstdio>
#include <ctime>
#include <memory>

#include "cli/check_run.h"
#include "cli/commands.h"
#include "cli/html_report.h"
#include "cli/junit_report.h"
#include "cli/output.h"
#include "cli/printers.h"
#include "cli/terminal.h"
#include "cli/threads.h"
#include "core/encoding.h"

namespace vexal::cli {
namespace {

// "09.12.2026", or with the clock "09.12.2026 13:02", in local time.
std::string localTime(bool with_clock) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, with_clock ? "%d.%m.%Y %H:%M" : "%d.%m.%Y", &local);
  return text;
}

HtmlPageSettings htmlSettings(const CommandLine& line) {
  HtmlPageSettings settings;
  std::string version = versionText();  // "vexal 1.0\n"
  settings.vexal_version = version.substr(6, version.size() - 7);
  settings.files = line.files;
  if (line.today) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", line.today->day, line.today->month,
                  line.today->year);
    settings.processing_date = date;
  } else {
    settings.processing_date = localTime(false) + " (heute)";
  }
  settings.params = line.params;
  settings.level = line.level;
  settings.run_time = localTime(true);
  settings.limit = static_cast<std::size_t>(line.html_limit);
  settings.redact = line.redact;
  return settings;
}

std::unique_ptr<Report> makeReport(const CommandLine& line, Output& out, const Palette& palette,
                                   core::RuleSetProvider* layouts) {
  if (line.statistics) {
    return std::make_unique<StatisticsReport>(out, line.format == Format::kJson, palette);
  }
  switch (line.format) {
    case Format::kJsonl:
      return std::make_unique<JsonlReport>(out);
    case Format::kCsv:
      return std::make_unique<CsvReport>(out);
    case Format::kHtml:
      return std::make_unique<HtmlReport>(out, htmlSettings(line), layouts);
    case Format::kJunit:
      return std::make_unique<JunitReport>(out);
    case Format::kText:
    case Format::kJson:
      break;
  }
  return std::make_unique<TextReport>(out, palette);
}

// Hands everything to the report and also writes what concerns whole
// files to standard error, where a user sees it when the output is
// machine-readable. Borrows the report (or owns one made for a chunk) and
// the output for standard error.
class FileMessagesOnStderr final : public Report {
 public:
  FileMessagesOnStderr(Report& report, Output& err) : report_(report), err_(err) {}
  FileMessagesOnStderr(std::unique_ptr<Report> report, Output& err)
      : owned_(std::move(report)), report_(*owned_), err_(err) {}

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
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override {
    return std::make_unique<FileMessagesOnStderr>(report_.forChunk(out, err), err);
  }
  void absorb(Report& chunk) override {
    report_.absorb(*static_cast<FileMessagesOnStderr&>(chunk).owned_);
  }

 private:
  // At once: the output for standard error clears the progress line first.
  void say(const Location& where, const char* what, std::string_view message) {
    std::string& line = err_.text();
    line.append("vexal: ");
    core::appendShownName(line, where.file);
    if (where.line > 0) line.append(":").append(std::to_string(where.line));
    line.append(": ").append(what).append(": ");
    core::appendUtf8(line, message);
    line.push_back('\n');
    err_.flush();
  }

  std::unique_ptr<Report> owned_;
  Report& report_;
  Output& err_;
};

// The files of the command line, one after the other, through a
// SequentialCheck or a ParallelCheck. False when one could not be read.
template <class Check>
bool checkFiles(const CommandLine& line, Check& check) {
  bool io_error = false;
  const int file_count = static_cast<int>(line.files.size());
  for (int index = 1; index <= file_count; ++index) {
    const std::string& file = line.files[index - 1];
    const std::string shown = core::nameToUtf8(file);
    std::FILE* stream = stdin;
    std::int64_t size = -1;
    if (file != "-") {
      std::string reason;
      stream = core::openForReading(file, reason, size);
      if (stream == nullptr) {
        check.fileError(shown, "cannot open file: " + reason);
        io_error = true;
        continue;
      }
    }
    check.startFile(shown, size, index, file_count);
    core::FileSource source(stream);
    if (!check.checkStream(source, shown)) io_error = true;
    if (stream != stdin) std::fclose(stream);
  }
  return !io_error;
}

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
  Output err_out(err);

  // Progress only where a person watches and nothing else writes to
  // standard error line by line.
  std::unique_ptr<ProgressMeter> progress;
  if (!line.quiet && !line.log && isTerminal(err)) {
    progress = std::make_unique<ProgressMeter>(err, terminalWidth(err), progressDelay());
    if (isTerminal(out.stream())) out.setBeforeWrite([meter = progress.get()] { meter->clear(); });
    err_out.setBeforeWrite([meter = progress.get()] { meter->clear(); });
  }
  // The outputs outlive the meter, also when an exception ends the run.
  struct ForgetMeter {
    Output& out;
    Output& err;
    ~ForgetMeter() {
      out.setBeforeWrite(nullptr);
      err.setBeforeWrite(nullptr);
    }
  } forget_meter{out, err_out};

  // The page cuts the records it shows by their layouts, after the run.
  std::unique_ptr<core::LibraryRuleSets> layouts;
  if (line.format == Format::kHtml) layouts = std::make_unique<core::LibraryRuleSets>(library);
  std::unique_ptr<Report> report = makeReport(line, out, palette, layouts.get());
  std::unique_ptr<Report> echo;
  if (!text) echo = std::make_unique<FileMessagesOnStderr>(*report, err_out);
  Report& reported = echo ? *echo : *report;

  const int jobs = line.jobs > 0 ? line.jobs : static_cast<int>(availableCores());
  bool readable = true;
  CheckSummary summary;
  if (jobs <= 1) {
    core::LibraryRuleSets rule_sets(library);
    SequentialCheck checker(rule_sets, reported, progress.get());
    checker.configure(checkOptions(line));
    std::unique_ptr<StderrLog> log;
    if (line.log) {
      // Into the same output as the messages about files, so that both
      // come in input order.
      log = std::make_unique<StderrLog>(err_out, &checker.current());
      checker.context().getLogger().setTraceSink(log.get());
      checker.context().getLogger().setErrorSink(log.get());
    }
    readable = checkFiles(line, checker);
    checker.context().getLogger().setTraceSink(nullptr);
    checker.context().getLogger().setErrorSink(nullptr);
    if (log) log->flush();
    summary = checker.summary();
  } else {
    ParallelCheck::Settings settings;
    settings.jobs = jobs;
    settings.make_rule_sets = [&library] {
      return std::make_unique<core::LibraryRuleSets>(library);
    };
    settings.options = checkOptions(line);
    settings.log = line.log;
    ParallelCheck check(std::move(settings), reported, out, err_out, progress.get());
    readable = checkFiles(line, check);
    check.finish();
    summary = check.summary();
  }
  // The line goes before the table and the summary.
  if (progress) progress->clear();

  reported.finish(summary);
  out.flush();
  if (out.failed()) return kExitUsage;  // main says why
  if (text && !line.quiet) writeText(err, summaryText(summary));
  if (!readable) return kExitUsage;
  return summary.hadFindingsOrErrors() ? kExitFindings : kExitClean;
}

}  // namespace vexal::cli

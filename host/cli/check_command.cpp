// vexal check: every line of every file through the rule sets.

#include <memory>

#include "cli/checker.h"
#include "cli/commands.h"
#include "cli/csv_report.h"
#include "cli/encoding.h"
#include "cli/jsonl_report.h"
#include "cli/platform_io.h"
#include "cli/stderr_log.h"
#include "cli/text_report.h"

namespace vexal::cli {
namespace {

std::unique_ptr<Report> makeReport(Format format, Output& out) {
  switch (format) {
    case Format::kJsonl:
      return std::make_unique<JsonlReport>(out);
    case Format::kCsv:
      return std::make_unique<CsvReport>(out);
    case Format::kText:
    case Format::kJson:
      break;
  }
  return std::make_unique<TextReport>(out);
}

}  // namespace

void configureContext(pl::RuntimeContext& ctx, const CommandLine& line) {
  if (line.today) ctx.setProcessingDate(line.today->year, line.today->month, line.today->day);
  for (const auto& [name, value] : line.params) ctx.setInitParam(name, value);
  ctx.setProblemWeightLevel(line.level);
}

int runCheck(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err) {
  std::unique_ptr<Report> report = makeReport(line.format, out);
  Checker checker(rule_sets, *report);
  configureContext(checker.context(), line);
  checker.forceRecordType(line.record_type);
  std::unique_ptr<StderrLog> log;
  if (line.log) {
    log = std::make_unique<StderrLog>(err, &checker.current());
    checker.context().getLogger().setTraceSink(log.get());
    checker.context().getLogger().setErrorSink(log.get());
  }

  bool io_error = false;
  for (const std::string& file : line.files) {
    const std::string shown = nameToUtf8(file);
    if (file == "-") {
      FileSource source(stdin);
      if (!checker.checkStream(source, shown)) {
        std::fprintf(err, "vexal: error reading standard input\n");
        io_error = true;
      }
      continue;
    }
    std::string reason;
    std::FILE* stream = openForReading(file, reason);
    if (stream == nullptr) {
      checker.fileError(shown, "cannot open file: " + reason);
      out.flush();
      std::fprintf(err, "vexal: cannot open %s: %s\n", shown.c_str(), reason.c_str());
      io_error = true;
      continue;
    }
    FileSource source(stream);
    if (!checker.checkStream(source, shown)) {
      std::fprintf(err, "vexal: error reading %s\n", shown.c_str());
      io_error = true;
    }
    std::fclose(stream);
  }
  report->finish();
  checker.context().getLogger().setTraceSink(nullptr);
  checker.context().getLogger().setErrorSink(nullptr);
  if (log) log->flush();
  out.flush();
  if (out.failed()) {
    std::fprintf(err, "vexal: cannot write the output\n");
    return kExitUsage;
  }
  if (line.format == Format::kText) std::fputs(summaryText(checker.summary()).c_str(), err);
  if (io_error) return kExitUsage;
  return checker.summary().hadFindingsOrErrors() ? kExitFindings : kExitClean;
}

}  // namespace vexal::cli

// The runtime's log lines on standard error.

#ifndef VEXAL_HOST_CLI_STDERR_LOG_H_
#define VEXAL_HOST_CLI_STDERR_LOG_H_

#include <cstdio>
#include <memory>
#include <string>

#include "cli/output.h"
#include "cli/report.h"
#include "pl/logger.h"

namespace vexal::cli {

// Writes each trace and error line as "FILE:LINE: trace: TEXT" (or
// "error:"), UTF-8, buffered; the location comes from where, which the
// owner keeps current (null: no location). Borrows where, and the output
// when given one; else owns a buffer of its own. Install it on a context's
// logger; not thread-safe.
class StderrLog final : public pl::LogSink {
 public:
  StderrLog(std::FILE* err, const Location* where)
      : own_(std::make_unique<Output>(err)), out_(*own_), where_(where) {}
  // Writes into out, e.g. what a worker of a parallel check collects.
  StderrLog(Output& out, const Location* where) : out_(out), where_(where) {}

  void write(pl::LogLevel level, std::string_view line) override;
  void flush() { out_.flush(); }

 private:
  std::unique_ptr<Output> own_;
  Output& out_;
  const Location* where_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_STDERR_LOG_H_

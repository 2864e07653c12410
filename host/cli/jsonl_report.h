// The jsonl format: one JSON object per line.

#ifndef VEXAL_HOST_CLI_JSONL_REPORT_H_
#define VEXAL_HOST_CLI_JSONL_REPORT_H_

#include <string>

#include "cli/output.h"
#include "cli/rows.h"

namespace vexal::cli {

// Appends the row as one JSON object, its keys in the row's order, and a
// LF.
void appendJsonObject(std::string& out, const Row& row);

// Appends the closing object of a run, kind "summary", and a LF.
void appendJsonSummary(std::string& out, const CheckSummary& summary);

// Writes each row as a JSON line to the output (not owned), and the
// summary as the last one.
class JsonlReport final : public RowReport {
 public:
  explicit JsonlReport(Output& out) : out_(out) {}
  void finish(const CheckSummary& summary) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;

 protected:
  void write(const Row& row) override;

 private:
  Output& out_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_JSONL_REPORT_H_

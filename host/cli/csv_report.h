// The csv format: a header row, then one row per object.

#ifndef VEXAL_HOST_CLI_CSV_REPORT_H_
#define VEXAL_HOST_CLI_CSV_REPORT_H_

#include <string>

#include "cli/output.h"
#include "cli/rows.h"

namespace vexal::cli {

// The header row: every column name, "kind" first; ends with CR LF.
void appendCsvHeader(std::string& out);
// One row over all columns: the row's own keys filled in, the others and
// nulls empty, texts in UTF-8; ends with CR LF.
void appendCsvRow(std::string& out, const Row& row);

// Writes the header at construction (unless told not to) and each row
// after it to the output (not owned).
class CsvReport final : public RowReport {
 public:
  explicit CsvReport(Output& out, bool header = true);
  // Without header: the rows of a chunk go after the run's header.
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;

 protected:
  void write(const Row& row) override;

 private:
  Output& out_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CSV_REPORT_H_

// The text format: one readable line per finding, warning and error.

#ifndef VEXAL_HOST_CLI_TEXT_REPORT_H_
#define VEXAL_HOST_CLI_TEXT_REPORT_H_

#include <string>

#include "cli/output.h"
#include "cli/report.h"
#include "cli/terminal.h"

namespace vexal::cli {

// Writes "FILE:LINE: RECORD-TYPE PLACE: TEXT" lines in UTF-8 to the output
// (not owned), coloured by the palette; records without findings give no
// line.
class TextReport final : public Report {
 public:
  explicit TextReport(Output& out, Palette palette = Palette::plain())
      : out_(out), palette_(palette) {}

  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location&, std::size_t) override {}
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;

 private:
  // "FILE:LINE: " and, when known, "RECORD-TYPE ".
  void begin(const Location& where, bool with_type);
  // Appends Latin-1 text in a colour.
  void append(const char* color, std::string_view text1252);
  void end();

  Output& out_;
  Palette palette_;
  std::string scratch_;  // a Latin-1 text being made, kept for its capacity
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_TEXT_REPORT_H_

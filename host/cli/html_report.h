// vexal check --format html: one self-contained page for a clerk, with
// each faulty record laid out field by field and its faulty characters
// marked in the raw line.

#ifndef VEXAL_HOST_CLI_HTML_REPORT_H_
#define VEXAL_HOST_CLI_HTML_REPORT_H_

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/printers.h"
#include "cli/report.h"
#include "core/rule_sets.h"

namespace vexal::cli {

// What the page's header tells about the run, and how much it shows.
struct HtmlPageSettings {
  std::string vexal_version;                                // "1.0"
  std::vector<std::string> files;                           // UTF-8, as named on the command line
  std::string processing_date;                              // "08.12.2026"
  std::vector<std::pair<std::string, std::string>> params;  // Latin-1, in the order set
  int level = 1;
  std::string run_time;  // UTF-8, when the run started: "09.12.2026 13:02"
  // Records shown in full per error identifier (the first ones); 0 for all.
  std::size_t limit = 100;
  // Values of fields without findings shown as a neutral mark.
  bool redact = false;
};

// One finding as the page shows it, copied out of the result stream.
struct HtmlFinding {
  std::string key;         // the statistics row it counts in: "DSLN_01:DSLN280"
  std::string label;       // Latin-1: "UV[2] P_GTST"
  std::string code;        // the error identifier, or empty
  std::string message;     // Latin-1
  std::string correction;  // Latin-1, may be empty
  // The field it concerns: its group occurrence ("UV[2]", every group
  // with its index; empty at the top level) and short name; an empty
  // name for a finding about the record as a whole.
  std::string place;
  std::string field;
  long rank = 0;  // records with this key before this one, in its part of the run
};

// A line with findings, a length warning or an error, as kept for the page.
struct HtmlRecord {
  std::string file;  // UTF-8
  long line = 0;
  std::string record_type;  // empty when not known
  std::string bytes;        // Latin-1, without line end
  std::string warning;      // Latin-1 length warning, or empty
  std::string error;        // Latin-1 line error, or empty
  std::vector<HtmlFinding> findings;
};

// Everything the page is made of once the run is over.
struct HtmlContent {
  const HtmlPageSettings* settings = nullptr;
  const CheckSummary* summary = nullptr;
  std::vector<const StatisticsRow*> statistics;
  std::map<std::string, std::string> key_fields;  // key -> layout path of its field ("UV.GTST")
  std::map<std::string, long> key_records;        // key -> records with it
  std::vector<HtmlRecord> records;                // with findings, shown in full
  std::vector<HtmlRecord> lines;                  // warnings and line errors
  long lines_left_out = 0;                        // warnings and errors not listed
  std::vector<std::pair<std::string, std::string>> file_messages;  // UTF-8 file, Latin-1 text
  std::vector<std::string> record_types;                           // with findings shown, sorted
  std::vector<std::string> checked_types;  // of every record checked, sorted
};

// The page, UTF-8. Cuts each record by its layout from layouts (borrowed,
// may be null: then records show their raw line only).
std::string htmlPage(const HtmlContent& content, core::RuleSetProvider* layouts);

// Appends Latin-1 text escaped for HTML text and quoted attribute values:
// & < > " ' as references, control characters as their visible symbols.
void appendHtml1252(std::string& out, std::string_view text1252);
// The same for UTF-8 text (file names).
void appendHtmlUtf8(std::string& out, std::string_view utf8);

// The statistics key of a finding of a record type, as the page's filter
// names it.
std::string htmlFindingKey(std::string_view record_type, const core::Finding& finding);
std::string htmlRowKey(const StatisticsRow& row);

// Collects what the page shows: the statistics of every line, each record
// with findings among the first `limit` of one of its keys, and the first
// `limit` warnings and line errors of each cause; writes the page when the
// run finishes. A report made by forChunk() collects a chunk's part, which
// the run's report takes in chunk by chunk, so the page is the same for
// every number of workers. Borrows output and layouts (used in finish()
// only, on the calling thread); not thread-safe.
class HtmlReport final : public Report {
 public:
  HtmlReport(Output& out, HtmlPageSettings settings, core::RuleSetProvider* layouts);

  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location& where, std::size_t findings) override;
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;
  void finish(const CheckSummary& summary) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;
  // chunk is an HtmlReport that forChunk() made.
  void absorb(Report& chunk) override;

 private:
  // Whether a record of these ranks (of one part) is shown, given the
  // records before that part.
  bool shown(const HtmlRecord& record, const std::map<std::string, long>& before) const;
  // Lists a warning or line error unless its cause has had `limit`.
  void keepLine(HtmlRecord line);

  Output& out_;
  HtmlPageSettings settings_;
  core::RuleSetProvider* layouts_;
  FindingStatistics statistics_;
  std::map<std::string, long> key_records_;  // of this part
  std::map<std::string, long> cause_lines_;  // warnings and errors by cause, of this part
  std::map<std::string, std::string> key_fields_;
  HtmlRecord current_;  // the line being reported
  std::vector<HtmlRecord> records_;
  std::vector<HtmlRecord> lines_;
  std::vector<long> line_ranks_;  // of lines_, by cause
  std::vector<std::string> line_causes_;
  long lines_left_out_ = 0;
  std::vector<std::pair<std::string, std::string>> file_messages_;
  std::vector<std::string> record_types_;   // of the records kept
  std::vector<std::string> checked_types_;  // of every record checked
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_HTML_REPORT_H_

// `vexal check --statistics`: what a run found, counted per record type
// and error identifier instead of listed one by one.

#ifndef VEXAL_HOST_CLI_STATISTICS_H_
#define VEXAL_HOST_CLI_STATISTICS_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/output.h"
#include "cli/report.h"
#include "cli/terminal.h"
#include "cli/text_report.h"
#include "core/line_result.h"

namespace vexal::cli {

// One row of the table. A rule finding counts by its error identifier (by
// its check when it has none), a field finding by its check and info type,
// a length warning by whether the record is too short or too long, a line
// error by its cause (its message up to the first ": "). Texts are Latin-1.
struct StatisticsRow {
  enum class Kind { kFinding, kWarning, kError };
  Kind kind = Kind::kFinding;
  std::string record_type;  // empty when not known
  std::string code;         // the error identifier; empty when none
  std::string check;        // of findings: field short name or procedure
  int info_type = 0;        // of findings
  std::string message;      // the first one's text, without the identifier
  long count = 0;
  long records = 0;      // records (lines) with at least one
  long last_record = 0;  // the line it was last counted in, to count records once

  // What the ID column shows: the identifier, else the check, else the
  // kind.
  std::string_view id() const;
};

// Counts what a check reports, in the order a Report receives it. Owns its
// rows; not thread-safe.
class FindingStatistics {
 public:
  void finding(const char* record_type, const core::Finding& finding);
  void warning(const char* record_type, std::size_t expected_length, std::size_t actual_length);
  void lineError(std::string_view message);
  // The line's findings and warning are all counted; the next belong to
  // another record.
  void endOfLine() { ++line_serial_; }

  // Adds the counts of a later part of the run; a row both have keeps
  // this one's message, the first seen.
  void absorb(const FindingStatistics& later);

  // Most frequent first; ties go to more records, then record type, kind
  // and id.
  std::vector<const StatisticsRow*> sorted() const;

 private:
  StatisticsRow& row(StatisticsRow::Kind kind, std::string_view record_type, std::string_view key);

  std::unordered_map<std::string, StatisticsRow> rows_;
  std::string key_;
  long line_serial_ = 1;
};

// The table as text: a header and one aligned line per row, UTF-8,
// coloured by the palette; nothing when there are no rows.
std::string statisticsText(const std::vector<const StatisticsRow*>& rows, const Palette& palette);

// A Report for --statistics. Counts findings, warnings and line errors and
// writes the table when the run finishes: as text, after the messages about
// whole files, which it writes as they come; or as one JSON document with
// the summary, the table and the messages about files. Writes to out (not
// owned); not thread-safe.
class StatisticsReport final : public Report {
 public:
  StatisticsReport(Output& out, bool json, Palette palette);

  void finding(const Location& where, const core::Finding& finding) override;
  void record(const Location& where, std::size_t findings) override;
  void warning(const Location& where, std::size_t expected_length,
               std::size_t actual_length) override;
  void error(const Location& where, std::string_view message) override;
  void fileWarning(const Location& where, std::string_view message) override;
  void finish(const CheckSummary& summary) override;
  std::unique_ptr<Report> forChunk(Output& out, Output& err) const override;
  // chunk is a StatisticsReport that forChunk() made.
  void absorb(Report& chunk) override;

 private:
  struct FileMessage {
    bool warning;
    std::string file;  // UTF-8
    long line;
    std::string message;
  };

  Output& out_;
  bool json_;
  Palette palette_;
  TextReport text_;  // the messages about files, in text
  FindingStatistics statistics_;
  std::vector<FileMessage> file_messages_;  // JSON only
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_STATISTICS_H_

#include "cli/printers.h"

#include <algorithm>

#include "core/encoding.h"
#include "core/finding_text.h"

namespace vexal::cli {
namespace {

using Kind = StatisticsRow::Kind;

// By Kind: the kind of object the row counts.
constexpr const char* kKindNames[] = {"finding", "warning", "error"};

const char* kindName(Kind kind) { return kKindNames[static_cast<int>(kind)]; }

// Characters a UTF-8 text takes on screen, for aligning the columns.
std::size_t width(std::string_view utf8) {
  std::size_t characters = 0;
  for (char c : utf8) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters;
}

void appendPadded(std::string& out, std::string_view text, std::size_t to, bool right,
                  const char* color, const char* reset) {
  const std::size_t pad = to > width(text) ? to - width(text) : 0;
  if (right) out.append(pad, ' ');
  out.append(color).append(text).append(reset);
  if (!right) out.append(pad, ' ');
}

void appendOptional1252(std::string& out, std::string_view text) {
  if (text.empty()) {
    out.append("null");
  } else {
    appendJsonString1252(out, text);
  }
}

}  // namespace

std::string_view StatisticsRow::id() const {
  if (!code.empty()) return code;
  if (!check.empty()) return check;
  return kindName(kind);
}

StatisticsRow& FindingStatistics::row(Kind kind, std::string_view record_type,
                                      std::string_view key) {
  key_.assign(1, static_cast<char>('0' + static_cast<int>(kind)));
  key_.append(record_type).push_back('\0');
  key_.append(key);
  auto [it, added] = rows_.try_emplace(key_);
  StatisticsRow& row = it->second;
  if (added) {
    row.kind = kind;
    row.record_type = record_type;
  }
  ++row.count;
  if (row.last_record != line_serial_) {
    row.last_record = line_serial_;
    ++row.records;
  }
  return row;
}

void FindingStatistics::finding(const char* record_type, const core::Finding& finding) {
  const std::string_view check = finding.check != nullptr ? finding.check : "";
  const bool field = finding.problem_type == pl::ProblemType::kField;
  const std::string_view code = field ? std::string_view() : finding.code;
  std::string key;
  if (!code.empty()) {
    key.assign("c").append(code);
  } else {
    key.assign(field ? "f" : "r").append(check);
    if (field) key.append(1, '\0').append(std::to_string(static_cast<int>(finding.info_type)));
  }
  StatisticsRow& counted = row(Kind::kFinding, record_type != nullptr ? record_type : "", key);
  if (counted.count > 1) return;
  counted.code = code;
  counted.check = check;
  counted.info_type = static_cast<int>(finding.info_type);
  counted.field = field;
  std::string text = core::describeFinding(finding);
  if (!code.empty() && text.compare(0, code.size(), code) == 0) {
    text.erase(0, code.size());
    text.erase(0, text.find_first_not_of(' '));
  }
  counted.message = std::move(text);
}

void FindingStatistics::warning(const char* record_type, std::size_t expected_length,
                                std::size_t actual_length) {
  const char* message = actual_length < expected_length ? "record too short" : "record too long";
  StatisticsRow& counted = row(Kind::kWarning, record_type != nullptr ? record_type : "", message);
  if (counted.count == 1) counted.message = message;
}

void FindingStatistics::lineError(std::string_view message) {
  const std::string_view cause = message.substr(0, message.find(": "));
  StatisticsRow& counted = row(Kind::kError, "", cause);
  if (counted.count == 1) counted.message = cause;
}

void FindingStatistics::absorb(const FindingStatistics& later) {
  for (const auto& [key, row] : later.rows_) {
    auto [it, added] = rows_.try_emplace(key, row);
    if (added) continue;
    it->second.count += row.count;
    it->second.records += row.records;
  }
}

std::vector<const StatisticsRow*> FindingStatistics::sorted() const {
  std::vector<const StatisticsRow*> rows;
  rows.reserve(rows_.size());
  for (const auto& [key, row] : rows_) rows.push_back(&row);
  std::sort(rows.begin(), rows.end(), [](const StatisticsRow* a, const StatisticsRow* b) {
    if (a->count != b->count) return a->count > b->count;
    if (a->records != b->records) return a->records > b->records;
    if (a->record_type != b->record_type) return a->record_type < b->record_type;
    if (a->kind != b->kind) return a->kind < b->kind;
    if (a->id() != b->id()) return a->id() < b->id();
    return a->info_type < b->info_type;
  });
  return rows;
}

std::string statisticsText(const std::vector<const StatisticsRow*>& rows, const Palette& palette) {
  if (rows.empty()) return {};
  const std::string_view headers[] = {"COUNT", "RECORDS", "TYPE", "ID", "MESSAGE"};
  std::size_t widths[4] = {headers[0].size(), headers[1].size(), headers[2].size(),
                           headers[3].size()};
  for (const StatisticsRow* row : rows) {
    widths[0] = std::max(widths[0], std::to_string(row->count).size());
    widths[1] = std::max(widths[1], std::to_string(row->records).size());
    widths[2] = std::max(widths[2], std::max<std::size_t>(1, row->record_type.size()));
    widths[3] = std::max(widths[3], core::toUtf8(row->id()).size());
  }
  std::string out;
  for (std::size_t i = 0; i < 4; ++i) {
    appendPadded(out, headers[i], widths[i], i < 2, "", "");
    out.append("  ");
  }
  out.append(headers[4]).append("\n");
  for (const StatisticsRow* row : rows) {
    appendPadded(out, std::to_string(row->count), widths[0], true, "", "");
    out.append("  ");
    appendPadded(out, std::to_string(row->records), widths[1], true, "", "");
    out.append("  ");
    appendPadded(out, row->record_type.empty() ? "-" : row->record_type, widths[2], false, "", "");
    out.append("  ");
    const char* color = palette.place;
    if (!row->code.empty()) color = palette.code;
    if (row->kind == Kind::kWarning) color = palette.warning;
    if (row->kind == Kind::kError) color = palette.error;
    appendPadded(out, core::toUtf8(row->id()), widths[3], false, color, palette.reset);
    out.append("  ");
    core::appendUtf8(out, row->message);
    out.append("\n");
  }
  return out;
}

StatisticsReport::StatisticsReport(Output& out, bool json, Palette palette)
    : out_(out), json_(json), palette_(palette), text_(out, palette) {}

void StatisticsReport::finding(const Location& where, const core::Finding& finding) {
  statistics_.finding(where.record_type, finding);
}

void StatisticsReport::record(const Location&, std::size_t) { statistics_.endOfLine(); }

void StatisticsReport::warning(const Location& where, std::size_t expected_length,
                               std::size_t actual_length) {
  statistics_.warning(where.record_type, expected_length, actual_length);
}

void StatisticsReport::error(const Location& where, std::string_view message) {
  if (where.line > 0) {
    statistics_.lineError(message);
    statistics_.endOfLine();
  } else if (json_) {
    file_messages_.push_back({false, std::string(where.file), 0, std::string(message)});
  } else {
    text_.error(where, message);
  }
}

void StatisticsReport::fileWarning(const Location& where, std::string_view message) {
  if (json_) {
    file_messages_.push_back({true, std::string(where.file), where.line, std::string(message)});
  } else {
    text_.fileWarning(where, message);
  }
}

std::unique_ptr<Report> StatisticsReport::forChunk(Output& out, Output&) const {
  return std::make_unique<StatisticsReport>(out, json_, palette_);
}

void StatisticsReport::absorb(Report& chunk) {
  auto& later = static_cast<StatisticsReport&>(chunk);
  statistics_.absorb(later.statistics_);
  for (FileMessage& message : later.file_messages_) file_messages_.push_back(std::move(message));
  later.file_messages_.clear();
}

void StatisticsReport::finish(const CheckSummary& summary) {
  const std::vector<const StatisticsRow*> rows = statistics_.sorted();
  std::string& out = out_.text();
  if (!json_) {
    out.append(statisticsText(rows, palette_));
    out_.written();
    return;
  }
  out.push_back('{');
  appendSummaryMembers(out, summary);
  out.append(",\"statistics\":[");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const StatisticsRow& row = *rows[i];
    const bool finding = row.kind == Kind::kFinding;
    if (i > 0) out.push_back(',');
    // The keys a row shares with the finding objects, by their columns.
    auto key = [&out](const char* before, Column column) {
      out.append(before).append("\"").append(columnName(column)).append("\":");
    };
    key("{", Column::kRecordType);
    appendOptional1252(out, row.record_type);
    key(",", Column::kKind);
    out.append("\"").append(kindName(row.kind)).append("\"");
    key(",", Column::kCode);
    appendOptional1252(out, row.code);
    key(",", Column::kCheck);
    appendOptional1252(out, row.check);
    key(",", Column::kInfoType);
    out.append(finding ? std::to_string(row.info_type) : "null");
    out.append(",\"count\":").append(std::to_string(row.count));
    out.append(",\"records\":").append(std::to_string(row.records));
    key(",", Column::kMessage);
    appendJsonString1252(out, row.message);
    out.push_back('}');
  }
  out.append("],\"files\":[");
  for (std::size_t i = 0; i < file_messages_.size(); ++i) {
    const FileMessage& message = file_messages_[i];
    const Location where{message.file, message.line, nullptr, {}};
    if (i > 0) out.push_back(',');
    appendJsonObject(out, message.warning ? fileWarningRow(where, message.message)
                                          : errorRow(where, message.message));
    out.pop_back();  // the object's LF
  }
  out.append("]}\n");
  out_.written();
}

}  // namespace vexal::cli

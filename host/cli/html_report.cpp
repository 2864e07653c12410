// What the html format keeps of a run: counts of every line, the records
// it shows in full, and its parts put together in input order.

#include "cli/html_report.h"

#include <algorithm>

#include "core/finding_text.h"

namespace vexal::cli {
namespace {

// "UV[2].SUB" with every group indexed: "UV.SUB[3]" reads "UV[1].SUB[3]".
std::string indexedPlace(std::string_view place) {
  std::string out;
  while (!place.empty()) {
    const std::size_t dot = place.find('.');
    const std::string_view part = place.substr(0, dot);
    if (!out.empty()) out.push_back('.');
    out.append(part);
    if (part.find('[') == std::string_view::npos) out.append("[1]");
    if (dot == std::string_view::npos) break;
    place.remove_prefix(dot + 1);
  }
  return out;
}

// Where a finding points: a field finding names its field; a rule finding
// "UV[2]#P_GTST" checks field GTST of occurrence UV[2] by convention.
void locate(const core::Finding& finding, HtmlFinding& shown) {
  if (finding.problem_type == pl::ProblemType::kField && finding.reference_field != nullptr) {
    const std::string_view reference = finding.reference_field;
    const std::size_t dot = reference.rfind('.');
    if (dot != std::string_view::npos) shown.place = indexedPlace(reference.substr(0, dot));
    shown.field = reference.substr(dot == std::string_view::npos ? 0 : dot + 1);
    return;
  }
  const std::string_view id = finding.id != nullptr ? finding.id : "";
  const std::size_t hash = id.rfind('#');
  const std::string_view check = core::checkOf(id);
  if (hash != std::string_view::npos) shown.place = indexedPlace(id.substr(0, hash));
  if (check.substr(0, 2) == "P_") shown.field = check.substr(2);
}

std::string lineCause(const HtmlRecord& line) {
  if (!line.error.empty()) return "E:" + line.error.substr(0, line.error.find(": "));
  return "W:" + line.record_type + (line.warning.find("short") != std::string::npos ? "<" : ">");
}

}  // namespace

std::string htmlFindingKey(std::string_view record_type, const core::Finding& finding) {
  const bool field = finding.problem_type == pl::ProblemType::kField;
  std::string key(record_type);
  key.push_back(':');
  if (!field && !finding.code.empty()) return key.append(finding.code);
  key.append(finding.check != nullptr ? finding.check : "");
  if (field) key.append("/").append(std::to_string(static_cast<int>(finding.info_type)));
  return key;
}

std::string htmlRowKey(const StatisticsRow& row) {
  std::string key = row.record_type + ":";
  if (!row.code.empty()) return key + row.code;
  key += row.check;
  if (row.field) key += "/" + std::to_string(row.info_type);
  return key;
}

HtmlReport::HtmlReport(Output& out, HtmlPageSettings settings, core::RuleSetProvider* layouts)
    : out_(out), settings_(std::move(settings)), layouts_(layouts) {}

void HtmlReport::finding(const Location& where, const core::Finding& finding) {
  statistics_.finding(where.record_type, finding);
  const std::string_view type = where.record_type != nullptr ? where.record_type : "";
  HtmlFinding& shown = current_.findings.emplace_back();
  shown.key = htmlFindingKey(type, finding);
  core::appendFindingLabel(shown.label, finding.id != nullptr ? finding.id : "?");
  shown.code = finding.problem_type == pl::ProblemType::kField ? "" : std::string(finding.code);
  core::appendFindingText(shown.message, finding);
  if (finding.correction_info != nullptr) shown.correction = finding.correction_info;
  locate(finding, shown);
  if (!shown.field.empty() && !key_fields_.count(shown.key)) {
    // The layout path: the place without its indices.
    std::string& path = key_fields_[shown.key];
    for (std::size_t i = 0; i < shown.place.size(); ++i) {
      if (shown.place[i] == '[')
        i = shown.place.find(']', i);
      else
        path.push_back(shown.place[i]);
    }
    if (!path.empty()) path.push_back('.');
    path.append(shown.field);
  }
}

namespace {

void addOnce(std::vector<std::string>& types, std::string_view type) {
  if (std::find(types.begin(), types.end(), type) == types.end()) types.emplace_back(type);
}

}  // namespace

void HtmlReport::record(const Location& where, std::size_t findings) {
  statistics_.endOfLine();
  if (where.record_type != nullptr) addOnce(checked_types_, where.record_type);
  if (findings == 0) {
    if (!current_.warning.empty()) {
      current_.file = where.file;
      current_.line = where.line;
      current_.record_type = where.record_type != nullptr ? where.record_type : "";
      keepLine(std::move(current_));
    }
    current_ = HtmlRecord();
    return;
  }
  current_.file = where.file;
  current_.line = where.line;
  current_.record_type = where.record_type != nullptr ? where.record_type : "";
  addOnce(record_types_, current_.record_type);
  // The ranks of this record: records before it with each key. A key the
  // record holds twice counts the record once.
  for (HtmlFinding& finding : current_.findings) finding.rank = key_records_[finding.key];
  for (HtmlFinding& finding : current_.findings) {
    if (key_records_[finding.key] == finding.rank) ++key_records_[finding.key];
  }
  if (!current_.warning.empty()) {
    HtmlRecord line;
    line.file = current_.file;
    line.line = current_.line;
    line.record_type = current_.record_type;
    line.warning = current_.warning;
    keepLine(std::move(line));
  }
  if (shown(current_, {})) {
    current_.bytes = where.bytes;
    records_.push_back(std::move(current_));
  }
  current_ = HtmlRecord();
}

bool HtmlReport::shown(const HtmlRecord& record, const std::map<std::string, long>& before) const {
  if (settings_.limit == 0) return true;
  for (const HtmlFinding& finding : record.findings) {
    auto it = before.find(finding.key);
    const long earlier = it == before.end() ? 0 : it->second;
    if (static_cast<std::size_t>(earlier + finding.rank) < settings_.limit) return true;
  }
  return false;
}

void HtmlReport::keepLine(HtmlRecord line) {
  const std::string cause = lineCause(line);
  const long rank = cause_lines_[cause]++;
  if (settings_.limit != 0 && static_cast<std::size_t>(rank) >= settings_.limit) {
    ++lines_left_out_;
    return;
  }
  lines_.push_back(std::move(line));
  line_ranks_.push_back(rank);
  line_causes_.push_back(cause);
}

void HtmlReport::warning(const Location& where, std::size_t expected_length,
                         std::size_t actual_length) {
  statistics_.warning(where.record_type, expected_length, actual_length);
  current_.warning.clear();
  core::appendLengthWarning(current_.warning, expected_length, actual_length);
}

void HtmlReport::error(const Location& where, std::string_view message) {
  if (where.line == 0) {
    file_messages_.emplace_back(std::string(where.file),
                                "Datei nicht lesbar: " + std::string(message));
    current_ = HtmlRecord();
    return;
  }
  statistics_.lineError(message);
  statistics_.endOfLine();
  HtmlRecord line = std::move(current_);
  current_ = HtmlRecord();
  line.file = where.file;
  line.line = where.line;
  line.record_type = where.record_type != nullptr ? where.record_type : "";
  line.error = message;
  line.findings.clear();
  keepLine(std::move(line));
}

void HtmlReport::fileWarning(const Location& where, std::string_view message) {
  std::string text(message);
  if (where.line > 0) text = "ab Zeile " + std::to_string(where.line) + ": " + text;
  file_messages_.emplace_back(std::string(where.file), std::move(text));
}

std::unique_ptr<Report> HtmlReport::forChunk(Output& out, Output&) const {
  HtmlPageSettings settings;
  settings.limit = settings_.limit;
  return std::make_unique<HtmlReport>(out, std::move(settings), nullptr);
}

void HtmlReport::absorb(Report& chunk) {
  auto& part = static_cast<HtmlReport&>(chunk);
  statistics_.absorb(part.statistics_);
  for (HtmlRecord& record : part.records_) {
    if (shown(record, key_records_)) records_.push_back(std::move(record));
  }
  for (std::size_t i = 0; i < part.lines_.size(); ++i) {
    const long rank = cause_lines_[part.line_causes_[i]] + part.line_ranks_[i];
    if (settings_.limit != 0 && static_cast<std::size_t>(rank) >= settings_.limit) {
      ++lines_left_out_;
      continue;
    }
    lines_.push_back(std::move(part.lines_[i]));
    line_ranks_.push_back(rank);
    line_causes_.push_back(part.line_causes_[i]);
  }
  lines_left_out_ += part.lines_left_out_;
  for (const auto& [key, count] : part.key_records_) key_records_[key] += count;
  for (const auto& [cause, count] : part.cause_lines_) cause_lines_[cause] += count;
  for (auto& [key, field] : part.key_fields_) key_fields_.try_emplace(key, std::move(field));
  for (auto& message : part.file_messages_) file_messages_.push_back(std::move(message));
  for (const std::string& type : part.record_types_) addOnce(record_types_, type);
  for (const std::string& type : part.checked_types_) addOnce(checked_types_, type);
  part.records_.clear();
  part.lines_.clear();
  part.file_messages_.clear();
}

void HtmlReport::finish(const CheckSummary& summary) {
  HtmlContent content;
  content.settings = &settings_;
  content.summary = &summary;
  content.statistics = statistics_.sorted();
  content.key_fields = key_fields_;
  content.key_records = key_records_;
  content.records = std::move(records_);
  content.lines = std::move(lines_);
  content.lines_left_out = lines_left_out_;
  content.file_messages = std::move(file_messages_);
  content.record_types = record_types_;
  std::sort(content.record_types.begin(), content.record_types.end());
  content.checked_types = checked_types_;
  std::sort(content.checked_types.begin(), content.checked_types.end());
  out_.text().append(htmlPage(content, layouts_));
  out_.written();
}

}  // namespace vexal::cli

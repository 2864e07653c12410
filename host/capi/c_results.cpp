#include "capi/c_results.h"

#include "core/encoding.h"
#include "core/finding_text.h"

namespace vexal::capi {
namespace {

bool isAscii(std::string_view text) { return core::asciiPrefix(text) == text.size(); }

}  // namespace

void CResults::start() {
  buffer_.clear();
  fixups_.clear();
  result_ = vx_result{};
}

void CResults::text(const char*& slot, const char* latin1) {
  if (latin1 == nullptr) {
    slot = nullptr;
    return;
  }
  const std::string_view text(latin1);
  if (isAscii(text)) {
    slot = latin1;
  } else {
    copy(slot, text);
  }
}

void CResults::copy(const char*& slot, std::string_view latin1) {
  fixups_.emplace_back(&slot, buffer_.size());
  core::appendUtf8(buffer_, latin1);
  buffer_.push_back('\0');
}

void CResults::put(const char*& slot, const char* latin1) { text(slot, latin1); }

void CResults::put(const char*& slot, std::string_view code) {
  if (code.empty()) {
    slot = nullptr;
  } else {
    copy(slot, code);
  }
}

const vx_result& CResults::finish() {
  for (const auto& [slot, offset] : fixups_) *slot = buffer_.data() + offset;
  return result_;
}

const vx_result& CResults::line(const core::LineResult& result) {
  start();
  switch (result.kind) {
    case core::LineResult::Kind::kEmpty:
      result_.kind = VX_KIND_EMPTY;
      break;
    case core::LineResult::Kind::kRecord:
      result_.kind = VX_KIND_RECORD;
      break;
    case core::LineResult::Kind::kError:
      result_.kind = VX_KIND_ERROR;
      copy(result_.error, result.error);
      break;
  }
  result_.line = result.line;
  result_.record_type = result.record_type;
  result_.expected_length = result.expected_length;
  result_.actual_length = result.actual_length;
  if (result.lengthDiffers()) {
    scratch_.clear();
    core::appendLengthWarning(scratch_, result.expected_length, result.actual_length);
    copy(result_.warning, scratch_);
  }

  // Slots point into findings_: it is sized before any is taken.
  findings_.assign(result.findings.size(), vx_finding{});
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    const core::Finding& f = result.findings[i];
    vx_finding& out = findings_[i];
#define VEXAL_FINDING_SLOT(member, Name) put(out.member, f.member);
    VEXAL_FINDING_ATTRIBUTES(VEXAL_FINDING_SLOT)
#undef VEXAL_FINDING_SLOT
    scratch_.clear();
    core::appendFindingLabel(scratch_, f.id != nullptr ? f.id : "?");
    copy(out.label, scratch_);
    scratch_.clear();
    core::appendFindingText(scratch_, f);
    copy(out.text, scratch_);
  }
  result_.finding_count = findings_.size();
  result_.findings = findings_.empty() ? nullptr : findings_.data();
  return finish();
}

const vx_result& CResults::fileWarning(long line, std::string_view message) {
  start();
  result_.kind = VX_KIND_FILE_WARNING;
  result_.line = line;
  copy(result_.file_warning, message);
  return finish();
}

CLayout::CLayout(const char* record_type, const RecordDefinition& definition, pl::Plausi* plausi)
    : names_(core::DisplayNames::of(plausi)) {
  const core::LayoutView view = core::describeLayout(definition, names_);
  entries_.reserve(view.entries.size());
  for (const core::LayoutEntry& entry : view.entries) {
    vx_layout_entry out{};
    out.is_group = entry.is_group ? 1 : 0;
    out.depth = entry.depth;
    out.path = keep(entry.path);
    out.name = keep(entry.name);
    out.position = entry.position;
    out.after = entry.after.empty() ? nullptr : keep(entry.after);
    out.occurrence_length = -1;
    if (entry.is_group) {
      if (entry.occurrence_length) {
        out.occurrence_length = static_cast<long long>(*entry.occurrence_length);
      }
      if (entry.counter_field != nullptr) out.counter_field = keep(entry.counter_field);
      out.occurs = keep(occurrenceText(entry));
    } else {
      out.length = entry.length;
      out.type = core::modelTypeName(entry.type);
      if (entry.display_name != nullptr) out.display_name = keep(entry.display_name);
    }
    entries_.push_back(out);
  }
  layout_.record_type = keep(record_type);
  layout_.built = view.field_count > 0 ? 1 : 0;
  layout_.field_count = view.field_count;
  layout_.minimum_length = view.minimum_length;
  layout_.record_length = view.record_length ? static_cast<long long>(*view.record_length) : -1;
  layout_.entry_count = entries_.size();
  layout_.entries = entries_.empty() ? nullptr : entries_.data();
}

const char* CLayout::keep(std::string_view latin1) {
  return texts_.emplace_back(core::toUtf8(latin1)).c_str();
}

}  // namespace vexal::capi

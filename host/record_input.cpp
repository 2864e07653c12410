#include "record_input.h"

namespace vexal::host {
namespace {

// The -1-terminated index list of a cut entry.
template <class Entry>
void indexList(const Entry& entry, long (&out)[RecordCut::kMaxDepth + 1]) {
  for (int i = 0; i < entry.depth; ++i) out[i] = entry.indices[i];
  out[entry.depth] = -1;
}

}  // namespace

RecordInput::RecordInput(const RecordDefinition& definition) : cutter_(definition) {
  for (const LayoutField& field : cutter_.fields()) {
    field_path_ids_.push_back(record_.internPath(field.path));
  }
  for (const LayoutGroup& group : cutter_.groups()) {
    group_path_ids_.push_back(record_.internPath(group.path));
  }
}

const RecordCut& RecordInput::load(std::string_view line) {
  cutter_.cut(line, cut_);
  record_.clear();
  record_.setText(line);
  long indices[RecordCut::kMaxDepth + 1];
  for (const RecordCut::Group& group : cut_.groups) {
    indexList(group, indices);
    record_.addGroup(group_path_ids_[group.layout_index], indices, group.count);
  }
  for (const RecordCut::Field& field : cut_.fields) {
    indexList(field, indices);
    record_.addField(field_path_ids_[field.layout_index], indices, field.offset, field.supplied,
                     field.supplied > 0);
  }
  return cut_;
}

}  // namespace vexal::host

#include "record_input.h"

namespace vexal::host {

RecordInput::RecordInput(const RecordDefinition& definition) : cutter_(definition) {
  for (const LayoutField& field : cutter_.fields()) {
    field_path_ids_.push_back(record_.internPath(field.path));
  }
  for (const LayoutGroup& group : cutter_.groups()) {
    group_path_ids_.push_back(record_.internPath(group.path));
  }
}

const RecordCut& RecordInput::load(std::string_view line) {
  if (loaded_ && cutter_.cutsAlike(line, cut_)) {
    record_.replaceText(line);
    return cut_;
  }
  loaded_ = false;
  cutter_.cut(line, cut_);
  record_.clear();
  record_.setText(line);
  for (const RecordCut::Group& group : cut_.groups) {
    record_.addGroup(group_path_ids_[group.layout_index], group.depth, group.indices, group.count);
  }
  for (const RecordCut::Field& field : cut_.fields) {
    record_.addField(field_path_ids_[field.layout_index], field.depth, field.indices, field.offset,
                     field.supplied, field.supplied > 0);
  }
  loaded_ = true;
  return cut_;
}

void RecordInput::release() {
  loaded_ = false;
  record_.clearAndRelease();
}

}  // namespace vexal::host

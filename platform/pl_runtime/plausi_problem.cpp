#include "pl/plausi_problem.h"

#include <cstring>

#include "pl/arena.h"
#include "pl/field_descriptor.h"

namespace pl {

const char* PlausiProblem::copy(const char* text) {
  return text == nullptr ? nullptr : arena_->copyText(text, std::strlen(text));
}

const char* PlausiProblem::copy(std::string_view text) {
  return arena_->copyText(text.data(), text.size());
}

void PlausiProblem::setId(const char* id) { id_ = copy(id); }
void PlausiProblem::setId(std::string_view id) { id_ = copy(id); }
void PlausiProblem::setDescriptions(std::string_view text) {
  short_description_ = copy(text);
  long_description_ = short_description_;
}
void PlausiProblem::setCorrectionInfo(std::string_view text) { correction_info_ = copy(text); }
void PlausiProblem::setReferenceTopic(std::string_view text) { reference_topic_ = copy(text); }
void PlausiProblem::setFieldDisplayName(std::string_view text) { field_display_name_ = copy(text); }
void PlausiProblem::setShortDescription(const char* text) { short_description_ = copy(text); }
void PlausiProblem::setLongDescription(const char* text) { long_description_ = copy(text); }
void PlausiProblem::setCorrectionInfo(const char* text) { correction_info_ = copy(text); }
void PlausiProblem::setReferenceTopic(const char* text) { reference_topic_ = copy(text); }
void PlausiProblem::setFieldDisplayName(const char* text) { field_display_name_ = copy(text); }
void PlausiProblem::setFieldMask(const char* text) { field_mask_ = copy(text); }
void PlausiProblem::setException(const char* text) { exception_ = copy(text); }

void PlausiProblem::setReferenceField(FieldDescriptor* field) {
  reference_field_ = field;
  reference_field_hierarchy_ = field ? copy(field->getHierarchyAsString()) : nullptr;
}

void PlausiProblem::setReferenceField(FieldDescriptor* field, std::string_view hierarchy) {
  reference_field_ = field;
  reference_field_hierarchy_ = field ? copy(hierarchy) : nullptr;
}

void PlausiProblem::setFieldType(FieldType type) {
  field_type_ = type;
  has_field_type_ = true;
}

void PlausiProblem::setFieldLength(int length) {
  field_length_ = length;
  has_field_length_ = true;
}

}  // namespace pl

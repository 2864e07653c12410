// A finding of a check.

#ifndef VEXAL_RUNTIME_PL_PLAUSI_PROBLEM_H_
#define VEXAL_RUNTIME_PL_PLAUSI_PROBLEM_H_

#include <cstddef>
#include <string_view>

#include "pl/types.h"

namespace pl {

class Arena;
class FieldDescriptor;

// A section that was open when a finding was written.
struct SectionInfo {
  const char* title;
  bool flag;
};

// One finding. Made by RuntimeContext::createProblem and owned by that
// context until it is reset. Every setter copies its text into the
// context's arena. Text attributes that were never set read as null.
class PlausiProblem {
 public:
  PlausiProblem(const PlausiProblem&) = delete;
  PlausiProblem& operator=(const PlausiProblem&) = delete;

  ProblemType getProblemType() const { return type_; }
  int getWeight() const { return weight_; }

  void setId(const char* id);
  // The setters taking a view copy size bytes, for texts whose length the
  // caller knows.
  void setId(std::string_view id);
  const char* getId() const { return id_; }
  void setShortDescription(const char* text);
  const char* getShortDescription() const { return short_description_; }
  void setLongDescription(const char* text);
  const char* getLongDescription() const { return long_description_; }
  // Short and long description alike, from one copy.
  void setDescriptions(std::string_view text);
  void setCorrectionInfo(const char* text);
  void setCorrectionInfo(std::string_view text);
  const char* getCorrectionInfo() const { return correction_info_; }
  void setReferenceTopic(const char* text);
  void setReferenceTopic(std::string_view text);
  const char* getReferenceTopic() const { return reference_topic_; }
  // Also keeps a copy of the field's hierarchy text, which stays readable
  // after the rule set is gone.
  void setReferenceField(FieldDescriptor* field);
  // The same with the field's hierarchy text at hand (empty without a
  // field).
  void setReferenceField(FieldDescriptor* field, std::string_view hierarchy);
  FieldDescriptor* getReferenceField() const { return reference_field_; }
  const char* getReferenceFieldHierarchy() const { return reference_field_hierarchy_; }
  void setFieldDisplayName(const char* text);
  void setFieldDisplayName(std::string_view text);
  const char* getFieldDisplayName() const { return field_display_name_; }
  void setFieldType(FieldType type);
  bool hasFieldType() const { return has_field_type_; }
  FieldType getFieldType() const { return field_type_; }
  void setFieldLength(int length);
  bool hasFieldLength() const { return has_field_length_; }
  int getFieldLength() const { return field_length_; }
  void setFieldMask(const char* text);
  const char* getFieldMask() const { return field_mask_; }
  void setInfoType(ProblemInfoType type) { info_type_ = type; }
  ProblemInfoType getInfoType() const { return info_type_; }
  // Null clears it.
  void setException(const char* text);
  const char* getException() const { return exception_; }

  // The sections open when RuntimeContext::setSectionInfosToProblem ran,
  // outermost first.
  std::size_t getSectionCount() const { return section_count_; }
  const SectionInfo& getSection(std::size_t i) const { return sections_[i]; }

 private:
  friend class RuntimeContext;
  PlausiProblem(Arena* arena, ProblemType type, int weight)
      : arena_(arena), type_(type), weight_(weight) {}
  ~PlausiProblem() = default;
  const char* copy(const char* text);
  const char* copy(std::string_view text);

  Arena* arena_;
  ProblemType type_;
  int weight_;
  const char* id_ = nullptr;
  const char* short_description_ = nullptr;
  const char* long_description_ = nullptr;
  const char* correction_info_ = nullptr;
  const char* reference_topic_ = nullptr;
  FieldDescriptor* reference_field_ = nullptr;
  const char* reference_field_hierarchy_ = nullptr;
  const char* field_display_name_ = nullptr;
  const char* field_mask_ = nullptr;
  const char* exception_ = nullptr;
  FieldType field_type_ = FieldType::kAlphanumeric;
  bool has_field_type_ = false;
  bool has_field_length_ = false;
  int field_length_ = 0;
  ProblemInfoType info_type_ = ProblemInfoType::kGeneral;
  const SectionInfo* sections_ = nullptr;
  std::size_t section_count_ = 0;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_PLAUSI_PROBLEM_H_

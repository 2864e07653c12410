// The single fields of a layout, and the field stage's checks on one of
// them: missing and too long.

#ifndef VEXAL_TESTS_SUPPORT_LAYOUT_FIELDS_H_
#define VEXAL_TESTS_SUPPORT_LAYOUT_FIELDS_H_

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/record_definition.h"
#include "support/harness.h"
#include "support/record_builder.h"

namespace vexal::testing {

// A single field of a layout: its path as RecordBuilder and the field
// checks name it ("<group>.<name>" in a group) and its length.
struct LayoutField {
  std::string path;
  unsigned length;
};

// Each sample, a field's path and its length chosen by hand, stands in the
// fields with that length.
inline void expectLengths(const std::vector<LayoutField>& fields,
                          std::initializer_list<std::pair<const char*, unsigned>> samples) {
  for (const auto& sample : samples) {
    const std::string path = sample.first;
    auto it = std::find_if(fields.begin(), fields.end(),
                           [&](const LayoutField& f) { return f.path == path; });
    ASSERT_NE(it, fields.end()) << path;
    EXPECT_EQ(it->length, sample.second) << path;
  }
}

// Every single field of `definition`, root fields and group members, in
// layout order.
inline std::vector<LayoutField> layoutFields(const RecordDefinition& definition) {
  std::vector<LayoutField> fields;
  for (std::size_t i = 0; i < definition.getFieldDefinitionCount(); ++i) {
    const FieldDefinition* field = definition.getFieldDefinition(i);
    if (const SingleFieldDefinition* single = field->asSingle()) {
      fields.push_back({single->getName(), single->getLength()});
    } else if (const StructureFieldDefinition* group = field->asStructure()) {
      for (std::size_t j = 0; j < group->getFieldDefinitionCount(); ++j) {
        const SingleFieldDefinition* member = group->getFieldDefinition(j)->asSingle();
        if (member == nullptr) continue;
        fields.push_back(
            {std::string(group->getName()) + "." + member->getName(), member->getLength()});
      }
    }
  }
  return fields;
}

// The id of the field finding for `path` in a record with one occurrence
// of each group: "KE#KE", "AN[1].KE#KE".
inline std::string fieldFindingId(const std::string& path) {
  const std::size_t dot = path.find('.');
  if (dot == std::string::npos) return path + "#" + path;
  const std::string name = path.substr(dot + 1);
  return path.substr(0, dot) + "[1]." + name + "#" + name;
}

inline void PrintTo(const LayoutField& field, std::ostream* os) { *os << field.path; }

// The field stage on `field` of the valid `record`: missing, it is
// reported (info type 1) when it is mandatory only; at its layout length
// it passes, one beyond it is reported too long (info type 3).
inline void expectFieldChecks(Harness& h, const RecordBuilder& record, const LayoutField& field,
                              bool optional) {
  using Findings = std::vector<std::pair<std::string, int>>;
  const std::string id = fieldFindingId(field.path);
  h.checkValues(RecordBuilder(record).drop(field.path).values());
  EXPECT_EQ(h.fieldFindings(), (optional ? Findings{} : Findings{{id, 1}})) << "missing";
  h.checkValues(RecordBuilder(record).setRaw(field.path, std::string(field.length, '1')).values());
  EXPECT_EQ(h.fieldFindings(), Findings{}) << "at its length";
  h.checkValues(
      RecordBuilder(record).setRaw(field.path, std::string(field.length + 1, '1')).values());
  EXPECT_EQ(h.fieldFindings(), (Findings{{id, 3}})) << "one beyond";
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_LAYOUT_FIELDS_H_

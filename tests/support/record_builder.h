// Builds records of a record type field by field over its layout: every
// text is left-aligned and blank-padded to its field's length unless set
// raw, so a test names only what it changes.

#ifndef VEXAL_TESTS_SUPPORT_RECORD_BUILDER_H_
#define VEXAL_TESTS_SUPPORT_RECORD_BUILDER_H_

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/record_definition.h"
#include "support/harness.h"

namespace vexal::testing {

class RecordBuilder {
 public:
  // The root single fields of the layout, all blank.
  explicit RecordBuilder(const RecordDefinition& definition);

  // Appends one more occurrence of a group of the layout, all blank, at the
  // end of the record: its fields are named "<group>.<field>" for the first
  // occurrence and "<group>[n].<field>" for the n-th after it.
  RecordBuilder& addGroup(std::string_view group);

  // Padded to the field's length (longer texts are kept whole).
  RecordBuilder& set(std::string_view field, std::string_view text);
  // Exactly this text, however long or short.
  RecordBuilder& setRaw(std::string_view field, std::string_view text);
  // The record does not supply the field.
  RecordBuilder& drop(std::string_view field);

  // The fields for Harness::checkValues.
  Harness::FieldValues values() const;
  // The record line: every field cut or padded to its length, up to the
  // first dropped field.
  std::string line() const;

 private:
  struct Entry {
    std::string name;
    unsigned length;
    std::optional<std::string> text;
  };
  Entry& entry(std::string_view field);
  const RecordDefinition& definition_;
  std::vector<Entry> entries_;
  std::map<std::string, int> occurrences_;
};

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_RECORD_BUILDER_H_

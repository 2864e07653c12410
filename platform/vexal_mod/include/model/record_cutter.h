// Cutting record lines by a record layout.

#ifndef VEXAL_RUNTIME_MODEL_RECORD_CUTTER_H_
#define VEXAL_RUNTIME_MODEL_RECORD_CUTTER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/record_definition.h"

// One single field of a layout, flattened: its definition, its path
// ("UV.BBNRGT"), and how deep it sits in groups.
struct LayoutField {
  const SingleFieldDefinition* definition;
  std::string path;
  int depth;  // 0 for a top-level field
};

// One group of a layout, flattened.
struct LayoutGroup {
  const StructureFieldDefinition* definition;
  std::string path;
  int depth;  // 0 for a top-level group
};

// The result of cutting one line. Indices are the zero-based occurrences
// of the enclosing groups, outermost first.
struct RecordCut {
  static constexpr int kMaxDepth = 4;

  struct Field {
    int layout_index;  // into RecordCutter::fields()
    int depth;         // number of valid indices
    long indices[kMaxDepth];
    std::size_t offset;    // where the layout places the field
    std::size_t length;    // the layout length
    std::size_t supplied;  // bytes the line holds of it (0..length)
  };
  struct Group {
    int layout_index;  // into RecordCutter::groups()
    int depth;
    long indices[kMaxDepth];  // of the enclosing groups
    long count;               // occurrences the record holds
  };

  std::vector<Field> fields;        // in layout order
  std::vector<Group> groups;        // in layout order
  std::size_t expected_length = 0;  // what the layout implies for this record
  std::size_t actual_length = 0;    // what the line holds

  void clear();
};

// Cuts lines by one layout. Built once per layout (the layout must outlive
// it); cut() reuses the capacity of the RecordCut it fills. Const methods
// may run on several threads.
class RecordCutter {
 public:
  // Occurrences of one counted group are capped here, whatever the
  // counter says.
  static constexpr long kMaxOccurrences = 9999;

  // Throws std::invalid_argument for layouts nested deeper than
  // RecordCut::kMaxDepth.
  explicit RecordCutter(const RecordDefinition& definition);

  const std::vector<LayoutField>& fields() const { return fields_; }
  const std::vector<LayoutGroup>& groups() const { return groups_; }

  // Cuts one line of Latin-1 bytes (without its line end).
  void cut(std::string_view line, RecordCut& out) const;

  // Whether cut(line) would give `last`, a cut this cutter made, once more:
  // the lines are as long and every group occurs as often. Told without
  // cutting for layouts without groups, and for layouts whose groups
  // follow all top-level fields, hold single fields only and are counted
  // or conditioned by a top-level field; false for any other layout.
  bool cutsAlike(std::string_view line, const RecordCut& last) const;

 private:
  // How a group of such a layout is told to occur from the line alone,
  // and where its members are among fields().
  struct GroupRule {
    enum class Kind { kOnce, kNever, kCounted, kConditioned } kind;
    std::size_t offset = 0;  // of the counter or condition field
    std::size_t length = 0;
    const FieldCondition* condition = nullptr;
    int first_field = 0;
    int member_count = 0;
  };
  void learnGroupRules();
  long occurrences(const GroupRule& rule, std::string_view line) const;
  // cut() for such a layout, without walking it.
  void cutByRules(std::string_view line, RecordCut& out) const;

  const RecordDefinition& definition_;
  std::vector<LayoutField> fields_;
  std::vector<LayoutGroup> groups_;
  bool rules_known_ = false;
  std::vector<GroupRule> group_rules_;  // per top-level group, in layout order
  int leading_fields_ = 0;              // the top-level fields before the groups
};

#endif  // VEXAL_RUNTIME_MODEL_RECORD_CUTTER_H_

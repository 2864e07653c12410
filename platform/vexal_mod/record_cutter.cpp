// Cutting record lines by a record layout.
//
// The cutter flattens the layout once into fields() and groups(); cut()
// then walks the layout tree over one line, numbering single fields and
// groups in the same depth-first order, so that each entry it produces can
// name its flattened counterpart by index.

#include "model/record_cutter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr int kMaxDepth = RecordCut::kMaxDepth;

// --- Flattening ----------------------------------------------------------

std::string JoinPath(const std::string& parent, int depth, const char* name) {
  if (depth == 0) return name;
  std::string path;
  path.reserve(parent.size() + 1 + std::strlen(name));
  path.append(parent).append(".").append(name);
  return path;
}

void Flatten(const FieldDefinition& field, const std::string& parent, int depth,
             std::vector<LayoutField>& fields, std::vector<LayoutGroup>& groups) {
  if (const SingleFieldDefinition* single = field.asSingle()) {
    fields.push_back({single, JoinPath(parent, depth, single->getName()), depth});
    return;
  }
  const StructureFieldDefinition* group = field.asStructure();
  if (group == nullptr) return;  // Neither kind: not part of the record bytes.
  std::string path = JoinPath(parent, depth, group->getName());
  // A group at depth d gives its members d + 1 indices; they must fit.
  if (depth >= kMaxDepth) {
    throw std::invalid_argument("record layout: group \"" + path + "\" is nested deeper than " +
                                std::to_string(kMaxDepth) + " groups");
  }
  groups.push_back({group, path, depth});
  for (std::size_t i = 0; i < group->getFieldDefinitionCount(); ++i) {
    Flatten(*group->getFieldDefinition(i), path, depth + 1, fields, groups);
  }
}

// Counts the single fields and groups of a group's subtree, so that an
// absent group can be stepped over without cutting it.
void CountSubtree(const StructureFieldDefinition& group, int& fields, int& groups) {
  for (std::size_t i = 0; i < group.getFieldDefinitionCount(); ++i) {
    const FieldDefinition& member = *group.getFieldDefinition(i);
    if (member.asSingle() != nullptr) {
      ++fields;
    } else if (const StructureFieldDefinition* inner = member.asStructure()) {
      ++groups;
      CountSubtree(*inner, fields, groups);
    }
  }
}

// --- Counting occurrences -------------------------------------------------

// A counter's text as a number of occurrences: only a non-empty run of
// decimal digits counts, and the result is capped (which also keeps long
// digit strings from overflowing).
long ParseCount(std::string_view text) {
  if (text.empty()) return 0;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    if (value <= RecordCutter::kMaxOccurrences) value = value * 10 + (c - '0');
  }
  return std::min(value, RecordCutter::kMaxOccurrences);
}

// --- Cutting ----------------------------------------------------------------

// The state of one cut() call. Everything lives on the stack or in the
// caller's RecordCut, so concurrent cuts on one cutter do not interfere.
class Walker {
 public:
  Walker(const std::vector<LayoutField>& layout_fields, std::string_view line, RecordCut& out)
      : layout_fields_(layout_fields), line_(line), out_(out) {}

  template <typename Container>
  void WalkMembers(const Container& container) {
    for (std::size_t i = 0; i < container.getFieldDefinitionCount(); ++i) {
      const FieldDefinition& member = *container.getFieldDefinition(i);
      if (const SingleFieldDefinition* single = member.asSingle()) {
        CutField(*single);
      } else if (const StructureFieldDefinition* group = member.asStructure()) {
        WalkGroup(*group);
      }
    }
  }

 private:
  void CutField(const SingleFieldDefinition& field) {
    RecordCut::Field entry;
    entry.layout_index = next_field_++;
    entry.depth = depth_;
    std::copy(indices_, indices_ + kMaxDepth, entry.indices);
    entry.offset = position_;
    entry.length = field.getLength();
    entry.supplied =
        position_ < line_.size() ? std::min(entry.length, line_.size() - position_) : 0;
    out_.fields.push_back(entry);
    position_ += entry.length;
    out_.expected_length += entry.length;
  }

  void WalkGroup(const StructureFieldDefinition& group) {
    RecordCut::Group entry;
    entry.layout_index = next_group_++;
    entry.depth = depth_;
    std::copy(indices_, indices_ + kMaxDepth, entry.indices);
    entry.count = Occurrences(group);
    out_.groups.push_back(entry);

    const int first_field = next_field_;
    const int first_group = next_group_;
    if (entry.count == 0) {
      CountSubtree(group, next_field_, next_group_);
      return;
    }
    // The flattening rejected layouts deeper than kMaxDepth, so depth_ fits.
    const int level = depth_++;
    group_begin_[level] = out_.fields.size();
    for (long k = 0; k < entry.count; ++k) {
      // Every occurrence repeats the same members, so numbering restarts.
      next_field_ = first_field;
      next_group_ = first_group;
      indices_[level] = k;
      occurrence_begin_[level] = out_.fields.size();
      WalkMembers(group);
    }
    indices_[level] = 0;
    --depth_;
  }

  long Occurrences(const StructureFieldDefinition& group) const {
    if (const char* counter_name = group.getCounterFieldName()) {
      const RecordCut::Field* counter = FindVisibleField(counter_name);
      return counter != nullptr ? ParseCount(SuppliedText(*counter)) : 0;
    }
    if (const FieldCondition* condition = group.getExistenceCondition()) {
      const RecordCut::Field* field = FindVisibleField(condition->getFieldName());
      if (field == nullptr || field->supplied == 0) return 0;
      std::string_view text = SuppliedText(*field);
      return condition->holds(text.data(), text.size()) ? 1 : 0;
    }
    return 1;
  }

  std::string_view SuppliedText(const RecordCut::Field& field) const {
    return field.supplied == 0 ? std::string_view() : line_.substr(field.offset, field.supplied);
  }

  // The nearest field already cut with this name that is visible from the
  // current point: its indices are a prefix of the current indices. Earlier
  // occurrences of the enclosing groups can never be visible, so the search
  // steps over them; otherwise a group nested in a repeated group would
  // rescan every earlier occurrence, quadratic in the occurrences.
  const RecordCut::Field* FindVisibleField(const char* name) const {
    std::size_t end = out_.fields.size();
    for (int level = depth_; level >= 0; --level) {
      const std::size_t begin = level > 0 ? occurrence_begin_[level - 1] : 0;
      for (std::size_t i = end; i > begin; --i) {
        const RecordCut::Field& field = out_.fields[i - 1];
        if (IsVisible(field) &&
            std::strcmp(layout_fields_[field.layout_index].definition->getName(), name) == 0) {
          return &field;
        }
      }
      if (level > 0) end = group_begin_[level - 1];
    }
    return nullptr;
  }

  bool IsVisible(const RecordCut::Field& field) const {
    return field.depth <= depth_ &&
           std::equal(field.indices, field.indices + field.depth, indices_);
  }

  const std::vector<LayoutField>& layout_fields_;
  std::string_view line_;
  RecordCut& out_;

  std::size_t position_ = 0;  // where the next field starts
  int next_field_ = 0;        // index into fields() of the next single field
  int next_group_ = 0;        // index into groups() of the next group
  // The chain of group occurrences enclosing the current point.
  int depth_ = 0;
  long indices_[kMaxDepth] = {};
  // Per level: where in out.fields the group's first occurrence and its
  // current occurrence begin.
  std::size_t group_begin_[kMaxDepth] = {};
  std::size_t occurrence_begin_[kMaxDepth] = {};
};

}  // namespace

void RecordCut::clear() {
  fields.clear();
  groups.clear();
  expected_length = 0;
  actual_length = 0;
}

RecordCutter::RecordCutter(const RecordDefinition& definition) : definition_(definition) {
  for (std::size_t i = 0; i < definition.getFieldDefinitionCount(); ++i) {
    Flatten(*definition.getFieldDefinition(i), std::string(), 0, fields_, groups_);
  }
  learnGroupRules();
}

void RecordCutter::learnGroupRules() {
  // The top-level fields before the first group stand at fixed places: a
  // group that follows them and is counted or conditioned by one of them
  // (the nearest of that name, as cutting finds it) occurs as that
  // field's text says.
  struct Placed {
    const char* name;
    std::size_t offset, length;
  };
  std::vector<Placed> leading;
  std::size_t offset = 0;
  std::vector<GroupRule> rules;
  for (std::size_t i = 0; i < definition_.getFieldDefinitionCount(); ++i) {
    const FieldDefinition& member = *definition_.getFieldDefinition(i);
    if (const SingleFieldDefinition* single = member.asSingle()) {
      if (!rules.empty()) return;  // a field after a group: its place varies
      leading.push_back({single->getName(), offset, single->getLength()});
      offset += single->getLength();
      continue;
    }
    const StructureFieldDefinition* group = member.asStructure();
    if (group == nullptr) continue;
    for (std::size_t k = 0; k < group->getFieldDefinitionCount(); ++k) {
      if (group->getFieldDefinition(k)->asSingle() == nullptr) return;  // nested groups
    }
    const char* name = nullptr;
    GroupRule rule{GroupRule::Kind::kOnce};
    rule.first_field = static_cast<int>(leading.size());
    for (const GroupRule& before : rules) rule.first_field += before.member_count;
    rule.member_count = static_cast<int>(group->getFieldDefinitionCount());
    if (const char* counter = group->getCounterFieldName()) {
      name = counter;
      rule.kind = GroupRule::Kind::kCounted;
    } else if (const FieldCondition* condition = group->getExistenceCondition()) {
      name = condition->getFieldName();
      rule.kind = GroupRule::Kind::kConditioned;
      rule.condition = condition;
    }
    if (name != nullptr) {
      auto found = std::find_if(leading.rbegin(), leading.rend(),
                                [&](const Placed& p) { return std::strcmp(p.name, name) == 0; });
      if (found == leading.rend()) {
        rule.kind = GroupRule::Kind::kNever;  // cutting finds no such field
      } else {
        rule.offset = found->offset;
        rule.length = found->length;
      }
    }
    rules.push_back(rule);
  }
  group_rules_ = std::move(rules);
  leading_fields_ = static_cast<int>(leading.size());
  rules_known_ = true;
}

long RecordCutter::occurrences(const GroupRule& rule, std::string_view line) const {
  // The text a cut supplies for the field: what of it the line holds.
  std::string_view text =
      rule.offset < line.size() ? line.substr(rule.offset, rule.length) : std::string_view();
  switch (rule.kind) {
    case GroupRule::Kind::kOnce:
      return 1;
    case GroupRule::Kind::kNever:
      return 0;
    case GroupRule::Kind::kCounted:
      return ParseCount(text);
    case GroupRule::Kind::kConditioned:
      return !text.empty() && rule.condition->holds(text.data(), text.size()) ? 1 : 0;
  }
  return 0;
}

void RecordCutter::cutByRules(std::string_view line, RecordCut& out) const {
  // What walking the layout gives: the top-level fields, then per group its
  // entry and the members of every occurrence, numbered as flattened.
  std::size_t position = 0;
  auto add = [&](int layout_index, int depth, long index) {
    RecordCut::Field& entry = out.fields.emplace_back();
    entry.layout_index = layout_index;
    entry.depth = depth;
    std::fill(entry.indices, entry.indices + kMaxDepth, 0);
    entry.indices[0] = index;
    entry.offset = position;
    entry.length = fields_[static_cast<std::size_t>(layout_index)].definition->getLength();
    entry.supplied = position < line.size() ? std::min(entry.length, line.size() - position) : 0;
    position += entry.length;
  };
  for (int i = 0; i < leading_fields_; ++i) add(i, 0, 0);
  for (std::size_t g = 0; g < group_rules_.size(); ++g) {
    const GroupRule& rule = group_rules_[g];
    RecordCut::Group& group = out.groups.emplace_back();
    group.layout_index = static_cast<int>(g);
    group.depth = 0;
    std::fill(group.indices, group.indices + kMaxDepth, 0);
    group.count = occurrences(rule, line);
    for (long k = 0; k < group.count; ++k) {
      for (int m = 0; m < rule.member_count; ++m) add(rule.first_field + m, 1, k);
    }
  }
  out.expected_length = position;
}

bool RecordCutter::cutsAlike(std::string_view line, const RecordCut& last) const {
  if (!rules_known_ || last.actual_length != line.size() ||
      last.groups.size() != group_rules_.size()) {
    return false;
  }
  for (std::size_t g = 0; g < group_rules_.size(); ++g) {
    if (occurrences(group_rules_[g], line) != last.groups[g].count) return false;
  }
  return true;
}

void RecordCutter::cut(std::string_view line, RecordCut& out) const {
  out.clear();
  out.actual_length = line.size();
  if (rules_known_) {
    cutByRules(line, out);
    return;
  }
  Walker walker(fields_, line, out);
  walker.WalkMembers(definition_);
}

// `vexal explain` over the catalogues of the built library: every
// identifier of every check of every record type is found, and the
// characters it names are where the record cutter takes the field from.

#include "cli/explain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/finding_text.h"
#include "core/library.h"
#include "core/record_type.h"
#include "core/rule_sets.h"
#include "model/record_cutter.h"

namespace vexal::cli {
namespace {

core::Library& library() {
  static std::unique_ptr<core::Library> loaded = [] {
    std::string error;
    auto library = core::Library::open(VEXAL_LIBRARY_PATH, error);
    if (library == nullptr) ADD_FAILURE() << "cannot load " << VEXAL_LIBRARY_PATH << ": " << error;
    return library;
  }();
  return *loaded;
}

// A line cut so that every counted group occurs twice and every
// conditional group once: counters say 2, condition fields hold their
// value, all else is blank.
RecordCut cutWithEveryGroup(const RecordCutter& cutter) {
  std::string line(20000, ' ');
  RecordCut cut;
  cutter.cut(line, cut);
  auto setField = [&](const std::string& path, std::string value, bool digits) {
    for (const RecordCut::Field& field : cut.fields) {
      if (cutter.fields()[field.layout_index].path != path) continue;
      if (digits) value.insert(0, field.length - std::min(field.length, value.size()), '0');
      line.replace(field.offset, value.size(), value);
    }
  };
  for (const LayoutGroup& group : cutter.groups()) {
    if (const char* counter = group.definition->getCounterFieldName()) setField(counter, "2", true);
    if (const FieldCondition* condition = group.definition->getExistenceCondition()) {
      setField(condition->getFieldName(), condition->getValue(), false);
    }
  }
  cutter.cut(line, cut);
  return cut;
}

// The offset of the field at path in the given occurrence of its group
// (0 for a top-level field); -1 when the cut lacks it.
long offsetOf(const RecordCutter& cutter, const RecordCut& cut, const std::string& path,
              long occurrence) {
  for (const RecordCut::Field& field : cut.fields) {
    if (cutter.fields()[field.layout_index].path != path) continue;
    if (field.depth > 0 && field.indices[0] != occurrence) continue;
    return static_cast<long>(field.offset);
  }
  return -1;
}

std::string firstFieldOf(const RecordCutter& cutter, const std::string& group) {
  for (const LayoutField& field : cutter.fields()) {
    if (field.path.compare(0, group.size() + 1, group + ".") == 0) return field.path;
  }
  return {};
}

class ExplainCatalogueTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ExplainCatalogueTest, EveryIdentifierLeadsToTheCharactersTheCutterReads) {
  core::LibraryRuleSets rule_sets(library());
  const core::LoadedRecordType* type = rule_sets.find(GetParam());
  ASSERT_TRUE(type != nullptr && type->built()) << GetParam();
  CheckCatalogue catalogue(*type);
  ASSERT_FALSE(catalogue.checks().empty());
  RecordCutter cutter(*type->definition);
  const RecordCut cut = cutWithEveryGroup(cutter);

  std::size_t identifiers = 0;
  for (const pl::CheckDescription& check : catalogue.checks()) {
    SCOPED_TRACE(check.procedure + (" of " + check.field_path));
    // A check procedure is named after the field it tests.
    const std::string field_name = check.field_path.substr(check.field_path.rfind('.') + 1);
    EXPECT_EQ(std::string("P_") + field_name, check.procedure);
    for (const char* text : check.texts) {
      const std::string code(core::errorCode(text));
      if (code.empty()) continue;
      ++identifiers;
      std::vector<ExplainedCheck> found = explainChecks(catalogue, code);
      auto it = std::find_if(found.begin(), found.end(),
                             [&](const ExplainedCheck& c) { return c.check == &check; });
      ASSERT_NE(it, found.end()) << code;
      EXPECT_NE(std::find(it->asked_texts.begin(), it->asked_texts.end(), text),
                it->asked_texts.end())
          << code;
      ASSERT_NE(it->field, nullptr) << code;
      const long first = offsetOf(cutter, cut, check.field_path, 0);
      ASSERT_GE(first, 0) << code;
      if (it->group != nullptr) {
        // Within the occurrence: from the group's first field.
        const long start = offsetOf(cutter, cut, firstFieldOf(cutter, it->group->path), 0);
        EXPECT_EQ(static_cast<std::size_t>(first - start) + 1, it->field->position) << code;
      }
      // In the record, unless a group of variable size comes before.
      const bool fixed_place = it->group == nullptr || it->group->after.empty();
      ASSERT_EQ(fixed_place, it->from.has_value()) << code;
      if (fixed_place) {
        EXPECT_EQ(static_cast<std::size_t>(first) + 1, *it->from) << code;
        EXPECT_EQ(*it->to - *it->from + 1, it->field->length);
      }
      if (it->group != nullptr && it->group->counter_field != nullptr) {
        const long second = offsetOf(cutter, cut, check.field_path, 1);
        ASSERT_GE(second, 0) << code;
        EXPECT_EQ(static_cast<std::size_t>(second - first), *it->group->occurrence_length);
      }
    }
    // A check is found by its procedure and by its rule function.
    for (const char* name : {check.procedure, check.function}) {
      if (name == nullptr) continue;
      std::vector<ExplainedCheck> found = explainChecks(catalogue, name);
      EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const ExplainedCheck& c) {
        return c.check == &check;
      })) << name;
    }
  }
  EXPECT_GT(identifiers, 0u);
}

INSTANTIATE_TEST_SUITE_P(RecordTypes, ExplainCatalogueTest, ::testing::ValuesIn(core::kRecordTypes),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace vexal::cli

// Layouts as `vexal layout` shows them: positions around fixed and
// variable groups, occurrence lengths, and the rule set's display names.

#include "cli/commands.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_rule_set.h"

namespace vexal::cli {
namespace {

SingleFieldDefinition* field(const char* name, unsigned length,
                             ::FieldType type = ::FieldType::kAlphanumeric) {
  return new SingleFieldDefinition(name, type, length);
}

// KE(4) ANZ(2, numeric) FIX{A(3) B(2)} MID(1) POS[ANZ]{X(2) SUB[X != "00"]{Y(3)} Z(1)} END(4)
void buildNested(RecordDefinition& definition) {
  definition.addFieldDefinition(field("KE", 4));
  definition.addFieldDefinition(field("ANZ", 2, ::FieldType::kNumeric));
  auto* fix = new StructureFieldDefinition("FIX");
  definition.addFieldDefinition(fix);
  fix->addFieldDefinition(field("A", 3));
  fix->addFieldDefinition(field("B", 2, ::FieldType::kNumeric));
  definition.addFieldDefinition(field("MID", 1));
  auto* pos = new StructureFieldDefinition("POS");
  pos->setCounterFieldName("ANZ");
  pos->addFieldDefinition(field("X", 2));
  auto* sub = new StructureFieldDefinition("SUB");
  sub->setExistenceCondition(new FieldCondition("X", CompareOperator::kNotEqual, "00"));
  sub->addFieldDefinition(field("Y", 3));
  pos->addFieldDefinition(sub);
  pos->addFieldDefinition(field("Z", 1));
  definition.addFieldDefinition(pos);
  definition.addFieldDefinition(field("END", 4));
}

struct Expected {
  const char* path;
  bool is_group;
  int depth;
  std::size_t position;
  const char* after;
  long occurrence_length;  // -1: variable; groups only
};

TEST(LayoutViewTest, CountsPositionsWithinTheirLevel) {
  RecordDefinition definition;
  buildNested(definition);
  core::LayoutView view = core::describeLayout(definition, core::DisplayNames());
  const Expected expected[] = {
      {"KE", false, 0, 1, "", 0},           {"ANZ", false, 0, 5, "", 0},
      {"FIX", true, 0, 7, "", 5},           {"FIX.A", false, 1, 1, "", 0},
      {"FIX.B", false, 1, 4, "", 0},        {"MID", false, 0, 12, "", 0},
      {"POS", true, 0, 13, "", -1},         {"POS.X", false, 1, 1, "", 0},
      {"POS.SUB", true, 1, 3, "", 3},       {"POS.SUB.Y", false, 2, 1, "", 0},
      {"POS.Z", false, 1, 1, "POS.SUB", 0}, {"END", false, 0, 1, "POS", 0},
  };
  ASSERT_EQ(view.entries.size(), std::size(expected));
  for (std::size_t i = 0; i < view.entries.size(); ++i) {
    const core::LayoutEntry& entry = view.entries[i];
    const Expected& want = expected[i];
    SCOPED_TRACE(want.path);
    EXPECT_EQ(entry.path, want.path);
    EXPECT_EQ(entry.is_group, want.is_group);
    EXPECT_EQ(entry.depth, want.depth);
    EXPECT_EQ(entry.position, want.position);
    EXPECT_EQ(entry.after, want.after);
    if (want.is_group) {
      EXPECT_EQ(entry.occurrence_length.has_value(), want.occurrence_length >= 0);
      if (want.occurrence_length >= 0) {
        EXPECT_EQ(*entry.occurrence_length, static_cast<std::size_t>(want.occurrence_length));
      }
    }
  }
  EXPECT_EQ(view.field_count, 9u);
  // Without any POS: KE ANZ FIX MID END.
  EXPECT_EQ(view.minimum_length, 16u);
  EXPECT_FALSE(view.record_length.has_value());
  EXPECT_EQ(core::occurrenceText(view.entries[6]), "as often as counter field ANZ says");
  EXPECT_EQ(core::occurrenceText(view.entries[8]), "once when X != \"00\"");
  EXPECT_EQ(core::occurrenceText(view.entries[2]), "once");
}

TEST(LayoutViewTest, WritesJsonWithEveryKey) {
  RecordDefinition definition;
  definition.addFieldDefinition(field("FLAG", 1));
  auto* zus = new StructureFieldDefinition("ZUS");
  zus->setExistenceCondition(new FieldCondition("FLAG", CompareOperator::kEqual, "J"));
  zus->addFieldDefinition(field("INFO", 3, ::FieldType::kNumeric));
  definition.addFieldDefinition(zus);
  EXPECT_EQ(
      layoutJson("TST_01", core::describeLayout(definition, core::DisplayNames())),
      R"({"record_type":"TST_01","built":true,"field_count":2,"record_length":null,)"
      R"("minimum_length":1,"entries":[)"
      R"({"kind":"field","path":"FLAG","name":"FLAG","depth":0,"position":1,"position_after":null,)"
      R"("length":1,"type":"alphanumeric","display_name":null},)"
      R"({"kind":"group","path":"ZUS","name":"ZUS","depth":0,"position":2,"position_after":null,)"
      R"("occurrence_length":3,"counter_field":null,)"
      R"("condition":{"field":"FLAG","operator":"=","value":"J"}},)"
      R"({"kind":"field","path":"ZUS.INFO","name":"INFO","depth":1,"position":1,)"
      R"("position_after":null,"length":3,"type":"numeric","display_name":null}]})"
      "\n");
}

TEST(LayoutViewTest, TakesDisplayNamesFromTheRuleSetsTopicTree) {
  tst::Plausi_TST_01 plausi;
  tst::RecordDefinition_TST_01 definition;
  const core::DisplayNames names = core::DisplayNames::of(&plausi);
  core::LayoutView view = core::describeLayout(definition, names);
  std::string shown;
  for (const core::LayoutEntry& entry : view.entries) {
    if (entry.is_group) continue;
    shown += entry.path + "=" + (entry.display_name ? entry.display_name : "?") + " ";
  }
  // Block fields sharing a short name keep their own display names.
  EXPECT_EQ(shown,
            "KE=KENNUNG NUM=NUMMER OPT=OPTIONAL FLAG=KENNZEICHEN ANZ=ANZAHL POS.KE=KENNUNG "
            "POS.BETRAG=BETRAG POS.TEXT=TEXT ZUS.KE=KENNUNG-ZUSATZ ZUS.INFO=INFO ");
  EXPECT_EQ(names.find("ZUS"), nullptr);
  EXPECT_EQ(core::DisplayNames::of(nullptr).size(), 0u);
}

TEST(LayoutViewTest, TextSaysWhenTheLayoutIsEmpty) {
  RecordDefinition empty;
  EXPECT_EQ(layoutText("DSAS_01", core::describeLayout(empty, core::DisplayNames())),
            "DSAS_01: empty layout in this library\n");
}

}  // namespace
}  // namespace vexal::cli

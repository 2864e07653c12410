// What a rule set and a record layout build from their catalogue.

#include <stdexcept>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pl/mapping.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/topic.h"
#include "pl/type_descriptor.h"
#include "support/registrations.h"
#include "support/test_rule_set.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ConstructionTest : public ::testing::Test {
 protected:
  tst::Plausi_TST_01 plausi;
  tst::TB_TST_01& root = *plausi.root();
  pl::RuntimeContext ctx;
};

TEST_F(ConstructionTest, MappingFollowsRecordOrderThenEachGroup) {
  EXPECT_THAT(vexal::testing::mappingEntries(*plausi.mapping()),
              ElementsAre("=", "KE=KE", "NUM=NUM", "OPT=OPT", "FLAG=FLAG", "ANZ=ANZ", "POS.KE=KE",
                          "POS.BETRAG=BETRAG", "POS.TEXT=TEXT", "POS=POS", "ZUS.KE=KE",
                          "ZUS.INFO=INFO", "ZUS=ZUS"));
}

TEST_F(ConstructionTest, ChecksAreRegisteredInByteOrderAndSharedWhereTheyAgree) {
  EXPECT_THAT(vexal::testing::fieldCheckKeys(plausi),
              ElementsAre("ANZ", "FLAG", "KE", "NUM", "OPT", "POS.BETRAG", "POS.KE", "POS.TEXT",
                          "ZUS.INFO", "ZUS.KE"));
  // POS.KE has the root KE's attributes; ZUS.KE is optional and differs.
  EXPECT_EQ(plausi.findFieldCheckProc("POS.KE"), plausi.findFieldCheckProc("KE"));
  EXPECT_NE(plausi.findFieldCheckProc("ZUS.KE"), plausi.findFieldCheckProc("KE"));
  EXPECT_NE(plausi.findFieldCheckProc("NUM"), plausi.findFieldCheckProc("ANZ"));
  EXPECT_EQ(plausi.findFieldCheckProc("POS"), nullptr);
}

TEST_F(ConstructionTest, TopicMembersStandInByteOrderOfTheirNames) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < root.getMemberCount(); ++i) names.emplace_back(root.getMemberName(i));
  EXPECT_THAT(names, ElementsAre("ANZ", "FLAG", "KE", "NUM", "OPT", "POS", "ZUS"));
  EXPECT_EQ(root.findMember("NUM"), root.NUM);
  EXPECT_EQ(root.findMember("POS"), root.POS);
}

TEST_F(ConstructionTest, DescriptorsOfRootFieldsAndTopics) {
  const pl::TypeDescriptor* type = root.getTypeDescriptor();
  EXPECT_STREQ(type->getName(), "__root_tb__");
  EXPECT_EQ(type->getDisplayName(), nullptr);
  EXPECT_EQ(type->getFieldType(), pl::FieldType::kTopic);
  EXPECT_EQ(type->getMask(), nullptr);
  EXPECT_EQ(type->getDimensionCount(), 0);
  EXPECT_EQ(type->getParent(), nullptr);
  EXPECT_EQ(type->getMapping(), plausi.mapping());
  EXPECT_EQ(root.getParent(), nullptr);
  EXPECT_EQ(root.plausi, &plausi);

  struct Case {
    pl::Field* field;
    const char* name;
    const char* display;
    pl::FieldType type;
    const char* mask;
  } cases[] = {
      {root.NUM, "NUM", "NUMMER", pl::FieldType::kNumeric, "0##"},
      {root.field("ANZ"), "ANZ", "ANZAHL", pl::FieldType::kNumeric, "0#"},
      {root.OPT, "OPT", "OPTIONAL", pl::FieldType::kAlphanumeric, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const pl::TypeDescriptor* d = c.field->getTypeDescriptor();
    EXPECT_STREQ(d->getName(), c.name);
    EXPECT_STREQ(d->getDisplayName(), c.display);
    EXPECT_EQ(d->getFieldType(), c.type);
    if (c.mask)
      EXPECT_STREQ(d->getMask(), c.mask);
    else
      EXPECT_EQ(d->getMask(), nullptr);
    EXPECT_EQ(d->getDimensionCount(), 0);
    EXPECT_EQ(d->getParent(), nullptr);
    EXPECT_EQ(d->getMapping(), plausi.mapping());
    EXPECT_EQ(c.field->getParent(), nullptr);
  }
}

TEST_F(ConstructionTest, FieldsAreFoundByCatalogueIndexAndByName) {
  EXPECT_EQ(root.field(std::size_t{1}), root.NUM);
  EXPECT_EQ(root.field("OPT"), root.OPT);
  EXPECT_EQ(root.field("FLAG"), root.findMember("FLAG"));
  // A name the catalogue lacks is a catalogue that does not fit its class.
  EXPECT_THROW(root.field("POS"), std::logic_error);
  EXPECT_THROW(root.field("num"), std::logic_error);
}

TEST_F(ConstructionTest, BlockDescriptorsAndPrototype) {
  const pl::TypeDescriptor* block = root.POS->getTypeDescriptor();
  EXPECT_STREQ(block->getName(), "POS");
  EXPECT_STREQ(block->getDisplayName(), "POS");
  EXPECT_EQ(block->getFieldType(), pl::FieldType::kTopic);
  EXPECT_EQ(block->getDimensionCount(), 1);
  EXPECT_EQ(block->getExtent(0), 0);
  EXPECT_EQ(block->getParent(), nullptr);
  tst::TB_POS* prototype = root.POS->getPrototype();
  EXPECT_EQ(prototype->getTypeDescriptor(), block);
  EXPECT_EQ(prototype->getParent(), nullptr);
  EXPECT_EQ(prototype->plausi, &plausi);
  // Fields of a sub-topic hang below its descriptor and its topic.
  EXPECT_EQ(prototype->BETRAG->getTypeDescriptor()->getParent(), block);
  EXPECT_EQ(prototype->BETRAG->getParent(), prototype);
  EXPECT_EQ(prototype->BETRAG->getTypeDescriptor()->getPath(), "POS.BETRAG");
  EXPECT_STREQ(prototype->BETRAG->getTypeDescriptor()->getMask(), "0#####");
}

TEST_F(ConstructionTest, ElementsAreMadeOnceAndKnowTheirIndex) {
  long index = 2;
  tst::TB_POS* element = root.POS->getElement(&ctx, 1, &index);
  EXPECT_EQ(root.POS->getElement(&ctx, 1, &index), element);
  EXPECT_EQ(root.POS->getCachedElementCount(), 1u);
  EXPECT_NE(element, root.POS->getPrototype());
  EXPECT_EQ(element->getTypeDescriptor(), root.POS->getPrototype()->getTypeDescriptor());
  EXPECT_EQ(element->plausi, &plausi);
  ASSERT_NE(element->getIndices(), nullptr);
  EXPECT_EQ(element->getIndices()[0], 2);
  EXPECT_EQ(element->getIndices()[1], -1);
  EXPECT_STREQ(element->BETRAG->getHierarchyAsString(), "POS[3].BETRAG");
  EXPECT_EQ(element->BETRAG->getParent(), element);
}

TEST_F(ConstructionTest, InvalidElementAccessThrowsAPointerAndMakesNothing) {
  long negative = -2;
  long two[] = {0, 1};
  struct Case {
    int count;
    const long* indices;
  } cases[] = {{0, nullptr}, {1, &negative}, {2, two}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    try {
      root.POS->getElement(&ctx, c.count, c.indices);
      ADD_FAILURE() << "no exception";
    } catch (pl::PlausiException* e) {
      EXPECT_EQ(e->getType(), pl::ExceptionType::kInvalidElementAccess);
      EXPECT_STREQ(e->getMessage(), "Ung\xFCltiger Elementzugriff.");
      delete e;
    }
  }
  EXPECT_EQ(root.POS->getCachedElementCount(), 0u);
}

TEST_F(ConstructionTest, RuleSetIdentity) {
  EXPECT_STREQ(plausi.getRecordType(), "TST_01");
  EXPECT_EQ(plausi.getVersion(), 1.0);
  EXPECT_STREQ(plausi.getBuildStamp(), "20240101_000000");
  EXPECT_TRUE(plausi.getClassificationByCode("X")->isInvalid());
  EXPECT_TRUE(plausi.getClassificationByValue("X")->isInvalid());
}

TEST_F(ConstructionTest, TwoRuleSetsShareNothing) {
  auto other = std::make_unique<tst::Plausi_TST_01>();
  EXPECT_NE(other->root(), plausi.root());
  EXPECT_NE(other->mapping(), plausi.mapping());
  other.reset();
  EXPECT_EQ(root.findMember("NUM"), root.NUM);
  EXPECT_STREQ(root.NUM->getTypeDescriptor()->getName(), "NUM");
}

TEST(RecordLayoutTest, FieldsThenGroupsWithCounterOrCondition) {
  tst::RecordDefinition_TST_01 layout;
  EXPECT_STREQ(layout.getRecordType(), "TST_01");
  std::vector<std::string> top;
  for (std::size_t i = 0; i < layout.getFieldDefinitionCount(); ++i) {
    const FieldDefinition* f = layout.getFieldDefinition(i);
    std::string text = f->getName();
    if (const SingleFieldDefinition* single = f->asSingle()) {
      text += ":" + std::to_string(static_cast<int>(single->getFieldType())) + ":" +
              std::to_string(single->getLength());
    }
    top.push_back(text);
  }
  EXPECT_THAT(top,
              ElementsAre("KE:2:4", "NUM:0:2", "OPT:2:3", "FLAG:2:1", "ANZ:0:1", "POS", "ZUS"));
  const StructureFieldDefinition* pos = layout.getFieldDefinition(5)->asStructure();
  ASSERT_NE(pos, nullptr);
  EXPECT_STREQ(pos->getCounterFieldName(), "ANZ");
  EXPECT_EQ(pos->getExistenceCondition(), nullptr);
  ASSERT_EQ(pos->getFieldDefinitionCount(), 3u);
  EXPECT_STREQ(pos->getFieldDefinition(1)->getName(), "BETRAG");
  const StructureFieldDefinition* zus = layout.getFieldDefinition(6)->asStructure();
  ASSERT_NE(zus, nullptr);
  EXPECT_EQ(zus->getCounterFieldName(), nullptr);
  ASSERT_NE(zus->getExistenceCondition(), nullptr);
  EXPECT_STREQ(zus->getExistenceCondition()->getFieldName(), "FLAG");
  EXPECT_EQ(zus->getExistenceCondition()->getOperator(), CompareOperator::kEqual);
  EXPECT_STREQ(zus->getExistenceCondition()->getValue(), "J");
}

}  // namespace

// Lines turned into data records: a RecordInput that loads line after line
// must leave the record exactly as a fresh one loading the same line does,
// whether it cuts the line or only puts its bytes in place.

#include "record_input.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/record_definition.h"
#include "pl/data_record.h"
#include "pl/value.h"

namespace {

FieldDefinition* F(const char* name, unsigned length) {
  return new SingleFieldDefinition(name, FieldType::kAlphanumeric, length);
}

// Every field entry with its value's text, and the size of every group.
std::string Render(const vexal::host::RecordInput& input) {
  const pl::DataRecord& record = input.record();
  std::string text = std::string(record.getText()) + "|";
  for (std::size_t i = 0; i < record.getFieldCount(); ++i) {
    const pl::DataRecord::FieldEntry& e = record.getField(i);
    text += std::string(record.getPath(e.path_id)) + "(";
    for (int d = 0; d < e.depth; ++d) text += std::to_string(e.indices[d]) + ",";
    text += ")@" + std::to_string(e.offset) + "+" + std::to_string(e.size) +
            (e.supplied ? "=" + std::string(e.value->getString(), e.value->size()) : "-") + " ";
  }
  for (const LayoutGroup& group : input.cutter().groups()) {
    text += group.path + "=" +
            std::to_string(record.getGroupSize(record.findPath(group.path), nullptr)) + " ";
  }
  return text;
}

class RecordInputTest : public ::testing::TestWithParam<bool> {};

TEST_P(RecordInputTest, LineAfterLineLeavesWhatAFreshInputLeaves) {
  RecordDefinition layout;
  layout.addFieldDefinition(F("N", 1));
  layout.addFieldDefinition(F("K", 1));
  auto* counted = new StructureFieldDefinition("G");
  counted->setCounterFieldName("N");
  counted->addFieldDefinition(F("X", 2));
  layout.addFieldDefinition(counted);
  auto* contact = new StructureFieldDefinition("C");
  contact->setExistenceCondition(new FieldCondition("K", CompareOperator::kEqual, "J"));
  contact->addFieldDefinition(F("V", 3));
  layout.addFieldDefinition(contact);
  const bool ask_for_copies = GetParam();

  vexal::host::RecordInput reused(layout);
  std::mt19937 random(29);
  const std::string lines[] = {"2Jaabbccc", "2Jxxyyzzz", "2Jxxyyzz", "1Nqq", "1Nrr", ""};
  for (int round = 0; round < 600; ++round) {
    std::string line = round < 6 ? lines[round] : lines[random() % 6];
    if (random() % 3 == 0) {
      for (char& c : line) c = "0123JN ab"[random() % 9];
    }
    SCOPED_TRACE(line);
    reused.load(line);
    if (ask_for_copies) {
      // Copies made for getString() must not outlive the bytes they copy.
      for (std::size_t i = 0; i < reused.record().getFieldCount(); ++i) {
        if (const pl::StringValue* v = reused.record().getField(i).value) v->getString();
      }
    }
    vexal::host::RecordInput fresh(layout);
    fresh.load(line);
    ASSERT_EQ(Render(reused), Render(fresh));
  }
}

INSTANTIATE_TEST_SUITE_P(Values, RecordInputTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "TerminatedBetweenLines" : "ViewsOnly";
                         });

}  // namespace

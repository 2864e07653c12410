// The runtime's data record and how fields read from it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <random>
#include <stdexcept>
#include <vector>

#include "pl/data_record.h"
#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/type_descriptor.h"

namespace {

TEST(DataRecordTest, PathsKeepTheirIdsAndTheStampFollowsThem) {
  pl::DataRecord record;
  std::uint64_t empty = record.getLayoutStamp();
  int ke = record.internPath("KE");
  int gtst = record.internPath("UV.GTST");
  EXPECT_EQ(record.internPath("KE"), ke);
  EXPECT_EQ(record.findPath("UV.GTST"), gtst);
  EXPECT_EQ(record.findPath("GTST"), -1);
  EXPECT_NE(record.getLayoutStamp(), empty);

  pl::DataRecord same;
  same.internPath("KE");
  same.internPath("UV.GTST");
  EXPECT_EQ(same.getLayoutStamp(), record.getLayoutStamp());
  pl::DataRecord other;
  other.internPath("UV.GTST");
  other.internPath("KE");
  EXPECT_NE(other.getLayoutStamp(), record.getLayoutStamp());
}

TEST(DataRecordTest, FindsOccurrencesAndGroupSizes) {
  pl::DataRecord record;
  int ke = record.internPath("KE");
  int uv = record.internPath("UV");
  int gtst = record.internPath("UV.GTST");
  record.setText("KE01AAAABBBB");
  record.addField(ke, nullptr, 0, 4, true);
  long first[] = {0, -1}, second[] = {1, -1}, third[] = {2, -1};
  record.addGroup(uv, nullptr, 2);
  record.addField(gtst, first, 4, 4, true);
  record.addField(gtst, second, 8, 4, true);
  EXPECT_EQ(record.getFieldText(*record.findField(ke, nullptr)), "KE01");
  EXPECT_EQ(record.getFieldText(*record.findField(gtst, second)), "BBBB");
  EXPECT_EQ(record.findField(gtst, third), nullptr);
  EXPECT_EQ(record.findField(gtst, nullptr), nullptr);
  EXPECT_EQ(record.getGroupSize(uv, nullptr), 2);
  EXPECT_EQ(record.getGroupSize(uv, first), 0);
  record.clear();
  EXPECT_EQ(record.getFieldCount(), 0u);
  EXPECT_EQ(record.findField(ke, nullptr), nullptr);
  EXPECT_EQ(record.getGroupSize(uv, nullptr), 0);
  EXPECT_EQ(record.findPath("UV.GTST"), gtst);
}

TEST(DataRecordTest, FieldsBeyondTheTextAreHeldButNotSupplied) {
  pl::DataRecord record;
  int a = record.internPath("A");
  record.setText("xy");
  record.addField(a, nullptr, 1, 5, true);  // runs past the end: cut to what is there
  const auto& entry = record.getField(0);
  EXPECT_TRUE(entry.supplied);
  EXPECT_EQ(record.getFieldText(entry), "y");
  record.addField(a, nullptr, 9, 5, true);  // starts past the end
  EXPECT_EQ(record.getField(1).size, 0u);
}

TEST(DataRecordTest, ReplacedTextKeepsTheFieldsAndTheirValuesReadTheNewBytes) {
  pl::DataRecord record;
  int a = record.internPath("A");
  int b = record.internPath("B");
  record.setText("aaaBB");
  record.addField(a, nullptr, 0, 3, true);
  record.addField(b, nullptr, 3, 2, true);
  record.addField(b, nullptr, 9, 2, false);
  const pl::StringValue* first = record.getField(0).value;
  EXPECT_STREQ(first->getString(), "aaa");  // a copy of the old bytes
  record.replaceText("xyzQR");
  EXPECT_EQ(record.getFieldCount(), 3u);
  EXPECT_EQ(record.getField(0).value, first);  // the same value objects
  EXPECT_STREQ(first->getString(), "xyz");
  EXPECT_EQ(record.getField(1).value->view(), "QR");
  EXPECT_EQ(record.getField(2).value, nullptr);
  EXPECT_EQ(record.getFieldText(record.getField(1)), "QR");
  record.replaceText("12345");  // no copy was asked for since: the views read on
  EXPECT_EQ(first->view(), "123");
  EXPECT_THROW(record.replaceText("123456"), std::invalid_argument);
  EXPECT_EQ(record.getText(), "12345");
}

// The cut's version names one cut: every step of cutting anew changes it,
// new bytes for the same cut do not, and two records do not share one.
TEST(DataRecordTest, TheCutVersionChangesWithTheCutNotWithTheBytes) {
  pl::DataRecord record;
  const int a = record.internPath("A");
  const int g = record.internPath("G");
  std::vector<std::uint64_t> seen = {record.getCutVersion()};
  auto changed = [&] {
    const bool fresh = std::find(seen.begin(), seen.end(), record.getCutVersion()) == seen.end();
    seen.push_back(record.getCutVersion());
    return fresh;
  };
  record.setText("aaaBB");
  EXPECT_TRUE(changed());
  record.addField(a, nullptr, 0, 3, true);
  EXPECT_TRUE(changed());
  record.addGroup(g, nullptr, 1);
  EXPECT_TRUE(changed());
  const std::uint64_t cut = record.getCutVersion();
  record.replaceText("xyzQR");
  EXPECT_EQ(record.getCutVersion(), cut);
  record.clear();
  EXPECT_TRUE(changed());
  pl::DataRecord other;
  EXPECT_NE(other.getCutVersion(), record.getCutVersion());
}

// A value that keeps what it found of its bytes must learn anew when the
// record overwrites them in place, whether or not a copy was made since.
TEST(DataRecordTest, ReplacedTextTellsItsValuesWhatTheyKnowIsGone) {
  pl::DataRecord record;
  int a = record.internPath("A");
  int b = record.internPath("B");
  record.setText("12 ab");
  record.addField(a, nullptr, 0, 2, true);
  record.addField(b, nullptr, 2, 3, true);
  const pl::StringValue* digits = record.getField(0).value;
  const pl::StringValue* text = record.getField(1).value;
  struct Step {
    const char* line;
    bool copy_first;  // the older bytes were copied before the replacement
    bool digits_numeric;
    bool text_blank;
  } steps[] = {
      {"12   ", false, true, true},
      {"x1   ", false, false, true},
      {"34 ab", true, true, false},
      {"3    ", true, false, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.line);
    digits->keepFacts();
    text->keepFacts();
    EXPECT_EQ(digits->isDigits(), record.getField(0).value->view().find_first_not_of(
                                      "0123456789") == std::string_view::npos);
    text->isBlank();  // learnt, and kept
    if (step.copy_first) text->getString();
    record.replaceText(step.line);
    EXPECT_EQ(digits->isDigits(), step.digits_numeric);
    EXPECT_EQ(text->isBlank(), step.text_blank);
  }
}

// The values kept by index answer what findOccurrence answers, whatever
// order, depth and repetition the occurrences were added in.
TEST(DataRecordTest, OccurrenceValuesAnswerAsTheSearch) {
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    pl::DataRecord record;
    int gtst = record.internPath("UV.GTST");
    record.setText("0123456789ABCDEFGHIJ");
    const bool orderly = round % 3 == 0;
    const int count = static_cast<int>(random() % 8);
    for (int k = 0; k < count; ++k) {
      long indices[2] = {orderly ? k : static_cast<long>(random() % 5), 3};
      const int depth = orderly || random() % 6 != 0 ? 1 : 2;
      record.addField(gtst, depth, indices, static_cast<std::size_t>(k * 2), 2, random() % 4 != 0);
    }
    const pl::DataRecord::Occurrences& kept = record.occurrencesOf(gtst);
    if (orderly) {
      EXPECT_TRUE(kept.regular);
    }
    if (!kept.regular) continue;
    for (long index = 0; index < 9; ++index) {
      const pl::DataRecord::FieldEntry* found = record.findOccurrence(gtst, index);
      const pl::StringValue* expected = found != nullptr ? found->value : nullptr;
      const pl::StringValue* value = static_cast<std::size_t>(index) < kept.values.size()
                                         ? kept.values[static_cast<std::size_t>(index)]
                                         : nullptr;
      ASSERT_EQ(value, expected) << "round " << round << " index " << index;
    }
  }
  pl::DataRecord record;
  int gtst = record.internPath("UV.GTST");
  record.setText("abcd");
  long second[] = {1, -1};
  record.addField(gtst, second, 0, 2, true);  // the second occurrence first
  EXPECT_FALSE(record.occurrencesOf(gtst).regular);
  record.clear();
  EXPECT_TRUE(record.occurrencesOf(gtst).regular);
  EXPECT_TRUE(record.occurrencesOf(gtst).values.empty());
}

class FieldReadTest : public ::testing::Test {
 protected:
  FieldReadTest()
      : root_type(nullptr, nullptr, "KE", "KENNUNG", pl::FieldType::kAlphanumeric, nullptr, 0,
                  nullptr),
        block_type(nullptr, nullptr, "UV", "UV", pl::FieldType::kTopic, nullptr, 1, kExtent),
        member_type(&block_type, nullptr, "GTST", "GT", pl::FieldType::kAlphanumeric, nullptr, 0,
                    nullptr),
        root_field(&root_type, nullptr),
        element(&block_type, nullptr),
        member(&member_type, &element) {
    ke = record.internPath("KE");
    gtst = record.internPath("UV.GTST");
    record.setText("KE  12345678");
    record.addField(ke, nullptr, 0, 4, true);
    long second[] = {1, -1};
    record.addField(gtst, second, 4, 8, true);
    ctx.setDataRecord(&record);
  }
  static constexpr long kExtent[] = {0};
  pl::TypeDescriptor root_type, block_type, member_type;
  pl::Field root_field;
  pl::FieldDescriptor element;
  pl::Field member;
  pl::DataRecord record;
  pl::RuntimeContext ctx;
  int ke = 0, gtst = 0;
};

TEST_F(FieldReadTest, ValuesAreTheRawTextWithTrailingBlanks) {
  EXPECT_STREQ(root_field.get(&ctx)->getString(), "KE  ");
  EXPECT_EQ(member_type.getPath(), "UV.GTST");
}

TEST_F(FieldReadTest, ElementFieldsReadTheirOccurrence) {
  long first[] = {0, -1}, second[] = {1, -1};
  element.setIndices(first);
  EXPECT_TRUE(member.get(&ctx)->isInvalid());
  element.setIndices(second);
  EXPECT_STREQ(member.get(&ctx)->getString(), "12345678");
  EXPECT_STREQ(member.getHierarchyAsString(), "UV[2].GTST");
}

TEST_F(FieldReadTest, AnElementFieldFollowsItsElementsIndicesAndTheRecord) {
  long first[] = {0, -1}, second[] = {1, -1};
  for (int round = 0; round < 3; ++round) {
    element.setIndices(second);
    EXPECT_STREQ(member.get(&ctx)->getString(), "12345678");
    element.setIndices(first);
    EXPECT_TRUE(member.get(&ctx)->isInvalid());
  }
  element.setIndices(second);
  EXPECT_STREQ(member.get(&ctx)->getString(), "12345678");
  record.replaceText("KE  87654321");
  EXPECT_STREQ(member.get(&ctx)->getString(), "87654321");  // the same place, new bytes
  record.clear();
  record.setText("KE  abcd");
  long first_only[] = {0, -1};
  record.addField(gtst, first_only, 4, 4, true);
  EXPECT_TRUE(member.get(&ctx)->isInvalid());  // no second occurrence any more
  element.setIndices(first_only);
  EXPECT_STREQ(member.get(&ctx)->getString(), "abcd");
}

TEST_F(FieldReadTest, AnElementFieldReadsOccurrencesAddedOutOfOrder) {
  long second[] = {1, -1}, first[] = {0, -1};
  element.setIndices(first);
  record.clear();
  record.setText("KE  bbbbaaaa");
  record.addField(gtst, second, 4, 4, true);
  record.addField(gtst, first, 8, 4, true);
  EXPECT_STREQ(member.get(&ctx)->getString(), "aaaa");
  element.setIndices(second);
  EXPECT_STREQ(member.get(&ctx)->getString(), "bbbb");
}

// A field keeps nothing of the record it read: a record made later at the
// same address with the same paths reads as itself.
TEST(FieldRebindTest, ARecordAtTheAddressOfAnEarlierOneReadsItself) {
  static constexpr long kExtent[] = {0};
  pl::TypeDescriptor root_type(nullptr, nullptr, "KE", "KE", pl::FieldType::kAlphanumeric, nullptr,
                               0, nullptr);
  pl::TypeDescriptor block_type(nullptr, nullptr, "UV", "UV", pl::FieldType::kTopic, nullptr, 1,
                                kExtent);
  pl::TypeDescriptor member_type(&block_type, nullptr, "GTST", "GT", pl::FieldType::kAlphanumeric,
                                 nullptr, 0, nullptr);
  pl::Field root_field(&root_type, nullptr);
  pl::FieldDescriptor element(&block_type, nullptr);
  long first[] = {0, -1};
  element.setIndices(first);
  pl::Field member(&member_type, &element);
  pl::RuntimeContext ctx;
  alignas(pl::DataRecord) unsigned char storage[sizeof(pl::DataRecord)];
  for (const char* text : {"KE01AAAA", "KE02BBBB", "KE03CCCC"}) {
    auto* record = new (storage) pl::DataRecord;
    int ke = record->internPath("KE");
    int gtst = record->internPath("UV.GTST");
    record->setText(text);
    record->addField(ke, nullptr, 0, 4, true);
    record->addField(gtst, first, 4, 4, true);
    ctx.setDataRecord(record);
    EXPECT_EQ(pl::Functions::text(root_field.get(&ctx)), std::string_view(text, 4));
    EXPECT_EQ(pl::Functions::text(member.get(&ctx)), std::string_view(text + 4, 4));
    ctx.setDataRecord(nullptr);
    record->~DataRecord();
  }
}

TEST_F(FieldReadTest, NoRecordOrAnotherLayoutReadsInvalid) {
  ctx.setDataRecord(nullptr);
  EXPECT_TRUE(root_field.get(&ctx)->isInvalid());
  pl::DataRecord other;  // no paths at all
  ctx.setDataRecord(&other);
  EXPECT_TRUE(root_field.get(&ctx)->isInvalid());
  ctx.setDataRecord(&record);
  EXPECT_STREQ(root_field.get(&ctx)->getString(), "KE  ");
}

TEST_F(FieldReadTest, BlankFieldIsAStringNotInvalid) {
  record.clear();
  record.setText("    ");
  record.addField(ke, nullptr, 0, 4, true);
  pl::Value* value = root_field.get(&ctx);
  EXPECT_EQ(value->getKind(), pl::Value::Kind::kString);
  EXPECT_STREQ(value->getString(), "    ");
}

}  // namespace

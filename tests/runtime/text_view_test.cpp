// Texts that view bytes they do not own: field values over the record's
// line, and parts of other texts. They copy nothing until a caller asks
// for the NUL-terminated form.

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "pl/arena.h"
#include "pl/data_record.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace {

TEST(StringViewTest, GetStringTerminatesACopyOnceAndKeepsTheBytes) {
  pl::Arena arena;
  const char line[] = "ABCDEFGH";
  pl::StringValue view(line + 2, 3, &arena);
  EXPECT_EQ(view.data(), line + 2);  // nothing copied yet
  EXPECT_EQ(arena.capacity(), 0u);
  const char* terminated = view.getString();
  EXPECT_STREQ(terminated, "CDE");
  EXPECT_NE(terminated, line + 2);
  EXPECT_EQ(view.getString(), terminated);  // the copy is made once
  EXPECT_EQ(view.data(), terminated);
  EXPECT_EQ(view.view(), "CDE");
  EXPECT_EQ(std::string_view(line), "ABCDEFGH");  // the viewed bytes stay as they were
}

TEST(StringViewTest, ATextMadeTerminatedIsNeverCopied) {
  const char text[] = "XYZ";
  pl::StringValue value(text, 3);
  EXPECT_EQ(value.getString(), text);
}

TEST(StringViewTest, ViewsKeepNulBytesAndOperationsReadTheirBytes) {
  pl::RuntimeContext ctx;
  const char bytes[] = {'1', '\0', '2', '3', 'x'};
  pl::Value* view = ctx.createStringView(std::string_view(bytes, 4));
  EXPECT_EQ(pl::Functions::length(view), 4u);
  EXPECT_FALSE(pl::Functions::isNumericText(view));  // the NUL is a character like any other
  EXPECT_EQ(std::memcmp(view->getString(),
                        "1\0"
                        "23",
                        5),
            0);
  pl::Value* digits = ctx.createStringView(std::string_view(bytes + 2, 2));
  EXPECT_TRUE(pl::Functions::equalsText(digits, "23"));
  EXPECT_STREQ(digits->getString(), "23");  // not "23x": the copy ends where the view does
}

TEST(StringViewTest, PartsOfTextsAreViewsOfTheirBytes) {
  pl::RuntimeContext ctx;
  pl::Value* text = ctx.createStringValue("20261208123456");
  auto* part = pl::as<pl::StringValue>(
      pl::Functions::TEIL(&ctx, text, ctx.createNumberValue(9), ctx.createNumberValue(4)));
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->data(), pl::as<pl::StringValue>(text)->data() + 8);
  EXPECT_STREQ(part->getString(), "1234");
}

class FieldValueTest : public ::testing::Test {
 protected:
  FieldValueTest() {
    ke = record.internPath("KE");
    name = record.internPath("NAME");
    uv = record.internPath("UV");
    gtst = record.internPath("UV.GTST");
  }
  pl::DataRecord record;
  int ke = 0, name = 0, uv = 0, gtst = 0;
};

TEST_F(FieldValueTest, ValuesViewTheLineAndTheLastFieldUsesItsEnd) {
  record.setText("KE01Anna  ");
  record.addField(ke, nullptr, 0, 4, true);
  record.addField(name, nullptr, 4, 6, true);
  const pl::StringValue* first = record.getField(0).value;
  const pl::StringValue* last = record.getField(1).value;
  EXPECT_EQ(first->data(), record.getText().data());
  EXPECT_EQ(last->data(), record.getText().data() + 4);
  EXPECT_EQ(last->getString(), record.getText().data() + 4);  // the line's own NUL ends it
  EXPECT_STREQ(first->getString(), "KE01");
  EXPECT_EQ(record.getText(), "KE01Anna  ");  // terminating a copy leaves the line alone
}

TEST_F(FieldValueTest, RootValueIsTheFirstRootFieldOfThePath) {
  record.setText("KE01XXXXYYYY");
  long second[] = {1, -1};
  record.addField(gtst, second, 4, 4, true);  // a group field is no root value
  EXPECT_EQ(record.rootValue(gtst), nullptr);
  EXPECT_EQ(record.rootValue(ke), nullptr);
  record.addField(ke, nullptr, 0, 4, true);
  record.addField(ke, nullptr, 8, 4, true);
  ASSERT_NE(record.rootValue(ke), nullptr);
  EXPECT_EQ(record.rootValue(ke)->view(), "KE01");
  record.addField(name, nullptr, 20, 4, false);  // held, not supplied
  EXPECT_EQ(record.rootValue(name), nullptr);
  record.clear();
  EXPECT_EQ(record.rootValue(ke), nullptr);
}

TEST_F(FieldValueTest, CountedIndicesReadLikeTerminatedOnes) {
  record.setText("AAAABBBB");
  long indices[] = {2, 7};
  record.addGroup(uv, 0, nullptr, 3);
  record.addField(gtst, 1, indices, 0, 4, true);
  long terminated[] = {2, -1};
  const pl::DataRecord::FieldEntry* entry = record.findField(gtst, terminated);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->depth, 1);
  EXPECT_EQ(entry->indices[1], -1);
  EXPECT_EQ(record.getFieldText(*entry), "AAAA");
  EXPECT_EQ(record.getGroupSize(uv, nullptr), 3);
  long deep[pl::DataRecord::kMaxDepth + 1] = {};
  EXPECT_THROW(record.addField(gtst, pl::DataRecord::kMaxDepth + 1, deep, 0, 1, true),
               std::length_error);
  EXPECT_THROW(record.addField(gtst, -1, deep, 0, 1, true), std::length_error);
  EXPECT_THROW(record.addGroup(uv, pl::DataRecord::kMaxDepth + 1, deep, 1), std::length_error);
  EXPECT_THROW(record.addField(99, 0, nullptr, 0, 1, true), std::out_of_range);
  EXPECT_EQ(record.getFieldCount(), 1u);  // refused fields leave nothing behind
}

}  // namespace

// Topic variables keep their own copies of values.

#include <type_traits>

#include <gtest/gtest.h>

#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace {

// A variable owns its stored value: a copy or a move would free it twice,
// so neither may compile.
static_assert(!std::is_copy_constructible_v<pl::LocalVariable>);
static_assert(!std::is_copy_assignable_v<pl::LocalVariable>);
static_assert(!std::is_move_constructible_v<pl::LocalVariable>);
static_assert(!std::is_move_assignable_v<pl::LocalVariable>);

TEST(LocalVariableTest, KeepsItsValueAcrossContextResets) {
  pl::RuntimeContext ctx;
  pl::LocalVariable variable;
  EXPECT_TRUE(variable.get(&ctx)->isInvalid());
  struct Case {
    pl::Value* value;
    const char* text;
  } cases[] = {
      {ctx.createStringValue("DSKO080 Text"), "DSKO080 Text"},
      {ctx.createNumberValue(42), "42"},
      {ctx.createBoolValue(true), "true"},
      {ctx.createDateValue("20240131", "JJJJMMTT"), "20240131"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    variable.set(c.value);
    ctx.reset();  // the original value is gone now
    pl::Value* copy = variable.get(&ctx);
    EXPECT_EQ(copy->getKind(), c.value->getKind());
    EXPECT_STREQ(copy->getString(), c.text);
  }
  variable.set(ctx.createInvalidValue());
  EXPECT_TRUE(variable.get(&ctx)->isInvalid());
  variable.set(nullptr);
  EXPECT_TRUE(variable.get(&ctx)->isInvalid());
}

TEST(LocalVariableTest, CopiesRangesWithTheirMembers) {
  pl::RuntimeContext ctx;
  pl::LocalVariable series;
  const pl::Value* members[] = {ctx.createStringValue("UV01"), ctx.createStringValue("UV05")};
  series.set(ctx.createRangeSeries(2, members));
  pl::LocalVariable interval(ctx.createIntervalRange(
      ctx.createNumberValue(1), ctx.createNumberValue(9), pl::IntervalType::kClosed));
  ctx.reset();
  EXPECT_TRUE(
      pl::Functions::contains(&ctx, series.get(&ctx), ctx.createStringValue("UV05"))->isTrue());
  EXPECT_FALSE(
      pl::Functions::contains(&ctx, series.get(&ctx), ctx.createStringValue("UV06"))->isTrue());
  EXPECT_TRUE(
      pl::Functions::contains(&ctx, interval.get(&ctx), ctx.createNumberValue(9))->isTrue());
  EXPECT_FALSE(
      pl::Functions::contains(&ctx, interval.get(&ctx), ctx.createNumberValue(10))->isTrue());
}

TEST(LocalVariableTest, TextWithNulBytesKeepsItsLength) {
  pl::RuntimeContext ctx;
  pl::LocalVariable variable;
  variable.set(ctx.createStringValue("a\0b", 3));
  pl::Value* copy = variable.get(&ctx);
  EXPECT_EQ(static_cast<pl::StringValue*>(copy)->size(), 3u);
}

}  // namespace

// Topic variables keep their own copies of values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// The held text is the variable's own copy, terminated; other kinds of
// value hold none.
TEST(LocalVariableTest, HeldTextIsTheTextItWasLastSetTo) {
  pl::RuntimeContext ctx;
  pl::LocalVariable variable;
  EXPECT_FALSE(variable.heldText());
  std::string source = "Zeichen \"_\" unzul\xE4ssig.";
  variable.set(ctx.createStringValue(source.c_str()));
  source[9] = '#';  // the variable keeps what it was given
  ASSERT_TRUE(variable.heldText());
  EXPECT_EQ(*variable.heldText(), "Zeichen \"_\" unzul\xE4ssig.");
  EXPECT_EQ(variable.heldText()->data()[variable.heldText()->size()], '\0');
  variable.set(ctx.createNumberValue(3));
  EXPECT_FALSE(variable.heldText());
  variable.set(ctx.createStringValue("a\0b", 3));  // NUL bytes count
  ASSERT_TRUE(variable.heldText());
  EXPECT_EQ(*variable.heldText(), std::string_view("a\0b", 3));
  variable.setInvalid();
  EXPECT_FALSE(variable.heldText());
}

// get() hands out one copy while nothing could tell it from a fresh one,
// and a fresh copy once the variable changed or the copy's context was
// reset or is another one.
TEST(LocalVariableTest, HandsOutItsCopyAgainOnlyWhileItStillShowsTheValue) {
  struct Case {
    const char* label;
    void (*between)(pl::LocalVariable&, pl::RuntimeContext&);
    bool same_copy;
    const char* text_after;
  } cases[] = {
      {"nothing", [](pl::LocalVariable&, pl::RuntimeContext&) {}, true, "UV01"},
      {"set to the same text",
       [](pl::LocalVariable& v, pl::RuntimeContext& ctx) { v.set(ctx.createStringValue("UV01")); },
       true, "UV01"},
      {"set to another text",
       [](pl::LocalVariable& v, pl::RuntimeContext& ctx) { v.set(ctx.createStringValue("UV02")); },
       false, "UV02"},
      {"set to a number of the same text",
       [](pl::LocalVariable& v, pl::RuntimeContext& ctx) { v.set(ctx.createNumberValue(1)); },
       false, "1"},
      {"context reset", [](pl::LocalVariable&, pl::RuntimeContext& ctx) { ctx.reset(); }, false,
       "UV01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    pl::RuntimeContext ctx;
    pl::LocalVariable variable(ctx.createStringValue("UV01"));
    pl::Value* first = variable.get(&ctx);
    c.between(variable, ctx);
    pl::Value* second = variable.get(&ctx);
    EXPECT_EQ(second == first, c.same_copy);
    EXPECT_STREQ(second->getString(), c.text_after);
    if (!c.same_copy && std::string_view(c.text_after) != "UV01") {
      EXPECT_STREQ(first->getString(), "UV01");  // the earlier copy keeps its text
    }
  }
}

TEST(LocalVariableTest, AnotherContextGetsItsOwnCopy) {
  pl::RuntimeContext one;
  pl::LocalVariable variable(one.createStringValue("UV01"));
  pl::Value* in_one = variable.get(&one);
  {
    pl::RuntimeContext two;
    pl::Value* in_two = variable.get(&two);
    EXPECT_NE(in_two, in_one);
    EXPECT_STREQ(in_two->getString(), "UV01");
  }
  EXPECT_NE(variable.get(&one), in_one) << "the copy of the other context came between";
}

// A value that lives as long as the context's epoch serves as the copy
// until the variable changes or the epoch ends.
TEST(LocalVariableTest, SetToAValueOfTheContextHandsThatValueOut) {
  pl::RuntimeContext ctx;
  pl::LocalVariable variable;
  pl::Value* given = ctx.createStringValue("UV01");
  variable.set(&ctx, given);
  EXPECT_EQ(variable.get(&ctx), given);
  // The same text again keeps the value that stands.
  variable.set(&ctx, ctx.createStringValue("UV01"));
  EXPECT_EQ(variable.get(&ctx), given);
  pl::Value* other = ctx.createStringValue("UV02");
  variable.set(&ctx, other);
  EXPECT_EQ(variable.get(&ctx), other);
  EXPECT_STREQ(given->getString(), "UV01");
  ctx.reset();  // `other` is gone; the variable keeps its own copy
  for (int i = 0; i < 4; ++i) ctx.createStringValue("ZZZZ");  // over where `other` stood
  pl::Value* copy = variable.get(&ctx);
  EXPECT_NE(copy, other);
  EXPECT_STREQ(copy->getString(), "UV02");
  pl::RuntimeContext another;
  EXPECT_STREQ(variable.get(&another)->getString(), "UV02");
}

// A copy is known alive by its context's epoch: a context made where an
// earlier one stood must not take up the earlier one's epochs.
TEST(RuntimeContextTest, EpochsDifferAcrossResetsAndContextsAtTheSamePlace) {
  std::optional<pl::RuntimeContext> ctx;
  ctx.emplace();
  const pl::RuntimeContext* place = &*ctx;
  const std::uint64_t first = ctx->epoch();
  ctx->reset();
  EXPECT_NE(ctx->epoch(), first);
  ctx.reset();
  ctx.emplace();
  ASSERT_EQ(&*ctx, place);
  EXPECT_NE(ctx->epoch(), first);
  EXPECT_NE(ctx->epoch(), first + 1);
}

}  // namespace

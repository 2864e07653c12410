// Values: numeric texts, number formatting, integer conversion, dates.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace pl {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct FormatCase {
  long double number;
  const char* text;
};

class NumberFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormatTest, FormatsPlainDecimalText) {
  RuntimeContext ctx;
  const FormatCase& c = GetParam();
  auto* number = static_cast<NumberValue*>(ctx.createNumberValue(c.number));
  EXPECT_EQ(number->text(), c.text);
  // getString is the same NUL-terminated text.
  EXPECT_EQ(std::string(number->getString()), c.text);
  EXPECT_EQ(number->text(), c.text) << "second call must keep the text";
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberFormatTest,
    ::testing::Values(FormatCase{0, "0"}, FormatCase{-0.0L, "0"}, FormatCase{42, "42"},
                      FormatCase{-7, "-7"}, FormatCase{1000000000000.0L, "1000000000000"},
                      FormatCase{9223372036854775807.0L, "9223372036854775807"},
                      FormatCase{-9223372036854775808.0L, "-9223372036854775808"},
                      FormatCase{18446744073709551616.0L, "18446744073709551616"},
                      FormatCase{1.5L, "1.5"}, FormatCase{-0.25L, "-0.25"}, FormatCase{0.1L, "0.1"},
                      FormatCase{123.456L, "123.456"}, FormatCase{0.001L, "0.001"},
                      FormatCase{2.0L / 3.0L, "0.666666666666666667"},
                      FormatCase{1e-5L, "0.00001"}));

TEST(NumberFormat, UnusualAndHugeValuesStayInBuffer) {
  RuntimeContext ctx;
  struct Case {
    long double number;
    const char* expected;  // null: only the length limit is checked
  } cases[] = {
      {std::numeric_limits<long double>::quiet_NaN(), "nan"},
      {std::numeric_limits<long double>::infinity(), "inf"},
      {-std::numeric_limits<long double>::infinity(), "-inf"},
      {std::numeric_limits<long double>::max(), nullptr},
      {-std::numeric_limits<long double>::max(), nullptr},
      {1e44L, nullptr},
      {1e-30L, nullptr},
      {-std::numeric_limits<long double>::denorm_min(), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.number));
    auto* number = static_cast<NumberValue*>(ctx.createNumberValue(c.number));
    std::string_view text = number->text();
    EXPECT_FALSE(text.empty());
    EXPECT_LE(text.size(), 46u);
    EXPECT_EQ(std::string_view(number->getString()), text);
    if (c.expected != nullptr) {
      EXPECT_EQ(text, c.expected);
    }
  }
}

TEST(NumberValue, GetLongTruncatesAndClamps) {
  RuntimeContext ctx;
  struct Case {
    long double number;
    std::int64_t expected;
  } cases[] = {
      {0, 0},
      {3.99L, 3},
      {-3.99L, -3},
      {1e30L, kMax},
      {-1e30L, kMin},
      {9223372036854775807.0L, kMax},
      {std::numeric_limits<long double>::infinity(), kMax},
      {std::numeric_limits<long double>::quiet_NaN(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.number));
    EXPECT_EQ(ctx.createNumberValue(c.number)->getLong(), c.expected);
  }
}

TEST(StringValue, GetLongReadsNumericTextsOnly) {
  RuntimeContext ctx;
  struct Case {
    std::string_view text;
    std::int64_t expected;
  } cases[] = {
      {"0", 0},
      {"007", 7},
      {"123456789012", 123456789012},
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},
      {"99999999999999999999999", kMax},
      {"", 0},
      {" 12", 0},
      {"12 ", 0},
      {"-1", 0},
      {"1.5", 0},
      {std::string_view("1\0"
                        "2",
                        3),
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(ctx.createStringValue(c.text)->getLong(), c.expected);
  }
}

TEST(DateValue, TextSerialAndValidity) {
  struct Case {
    int year, month, day;
    bool valid;
  } cases[] = {
      {2024, 2, 29, true},  {2023, 2, 29, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
      {2024, 4, 31, false}, {2024, 12, 31, true}, {2024, 13, 1, false}, {2024, 0, 1, false},
      {2024, 1, 0, false},  {1, 1, 1, true},      {9999, 12, 31, true}, {0, 1, 1, false},
      {10000, 1, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    EXPECT_EQ(DateValue::isValidDate(c.year, c.month, c.day), c.valid);
  }
}

TEST(DateValue, SerialCountsDays) {
  DateValue origin(0, 3, 1);
  EXPECT_EQ(origin.serial(), 0);
  struct Case {
    DateValue earlier;
    DateValue later;
    std::int64_t days;
  } cases[] = {
      {{2024, 2, 28}, {2024, 3, 1}, 2},    {{2023, 2, 28}, {2023, 3, 1}, 1},
      {{2023, 12, 31}, {2024, 1, 1}, 1},   {{2024, 1, 1}, {2025, 1, 1}, 366},
      {{1970, 1, 1}, {2000, 1, 1}, 10957}, {{1900, 2, 28}, {1900, 3, 1}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.earlier.getString());
    EXPECT_EQ(c.later.serial() - c.earlier.serial(), c.days);
    EXPECT_EQ(c.later.getLong() - c.earlier.getLong(), c.days);
  }
}

TEST(DateValue, CreatedFromTextOrRejectedWithTheText) {
  RuntimeContext ctx;
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {
      {"20240229", true},  {"00010101", true},  {"99991231", true},  {"20230229", false},
      {"19000229", false}, {"20241301", false}, {"00000101", false}, {"2024022", false},
      {"2024-2-1", false}, {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.valid) {
      Value* date = ctx.createDateValue(c.text, "JJJJMMTT");
      ASSERT_EQ(date->getKind(), Value::Kind::kDate);
      EXPECT_STREQ(date->getString(), c.text);
    } else {
      try {
        ctx.createDateValue(c.text, "JJJJMMTT");
        ADD_FAILURE() << "no exception";
      } catch (const PlausiException& e) {
        EXPECT_NE(std::string(e.getMessage()).find(std::string("\"") + c.text + "\""),
                  std::string::npos)
            << e.getMessage();
      }
    }
  }
}

TEST(DateValue, PartsAndPaddedText) {
  DateValue date(987, 3, 5);
  EXPECT_EQ(date.year(), 987);
  EXPECT_EQ(date.month(), 3);
  EXPECT_EQ(date.day(), 5);
  EXPECT_STREQ(date.getString(), "09870305");
  EXPECT_FALSE(date.isTrue());
}

}  // namespace
}  // namespace pl

// The in-place rule terms answer exactly what the built-in functions
// answer, for texts, the invalid value and numbers.

#include "shared/rule_terms.h"

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

using pl::Functions;
using namespace vexal::shared;

class RuleTermsTest : public ::testing::Test {
 protected:
  std::vector<pl::Value*> values() {
    std::vector<pl::Value*> all = {ctx.createInvalidValue(), ctx.createNumberValue(4),
                                   ctx.createNumberValue(12345)};
    // Texts of 18, 19 and 20 digits lie about and beyond the range of a
    // 64-bit integer: read in place, they must neither overflow nor lose
    // the built-in's answer.
    for (const char* text : {"",
                             " ",
                             "04",
                             "4",
                             "0",
                             "2018",
                             "02018",
                             "2018 ",
                             "12345",
                             "UVSDD",
                             "  ab ",
                             "20261201120000123456",
                             "-4",
                             "999999999999999999",
                             "9223372036854775807",
                             "9223372036854775808",
                             "18446744073709551616",
                             "99999999999999999999",
                             "00000000000000002018",
                             "99999999999999999",
                             "100000000000000000",
                             "1234567",
                             "12345678",
                             "123456789",
                             "2018A",
                             "A2018"}) {
      all.push_back(ctx.createStringValue(text));
    }
    all.push_back(
        ctx.createStringValue(std::string_view("20\0"
                                               "18",
                                               5)));
    all.push_back(ctx.createNumberValue(2018.5L));
    all.push_back(ctx.createBoolValue(true));
    return all;
  }
  pl::RuntimeContext ctx;
};

TEST_F(RuleTermsTest, ComparisonsAndLengthsAgreeWithTheBuiltIns) {
  for (pl::Value* v : values()) {
    SCOPED_TRACE(std::string("value \"") + v->getString() + "\"");
    for (const char* literal : {"", "04", "4", "UVSDD", " "}) {
      EXPECT_EQ(equalsText(v, literal),
                Functions::eq(&ctx, v, ctx.createStringValue(literal))->isTrue())
          << literal;
    }
    for (std::size_t n : {0, 1, 2, 5, 20}) {
      pl::Value* length = Functions::WERTLAENGE(&ctx, v);
      pl::Value* bound = ctx.createNumberValue(n);
      EXPECT_EQ(isLongerThan(v, n), Functions::gt(&ctx, length, bound)->isTrue()) << n;
      EXPECT_EQ(isShorterThan(v, n), Functions::lt(&ctx, length, bound)->isTrue()) << n;
    }
    for (long double n :
         {0.0L, 4.0L, 2018.0L, 12345.0L, 9223372036854775807.0L, 9223372036854775808.0L,
          18446744073709551616.0L, 2018.5L, -1.0L, 999999999999999999.0L, 100000000000000000.0L,
          std::numeric_limits<long double>::infinity(),
          std::numeric_limits<long double>::quiet_NaN()}) {
      pl::Value* number = ctx.createNumberValue(n);
      EXPECT_EQ(isGreaterThan(v, n), Functions::gt(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(isLessThan(v, n), Functions::lt(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(isAtMost(v, n), Functions::le(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(isAtLeast(v, n), Functions::ge(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(equalsNumber(v, n), Functions::eq(&ctx, v, number)->isTrue()) << n;
    }
    // Whole numbers take the way without floating point.
    for (long long n : {0LL, 4LL, 2018LL, 9999LL, -1LL, 12345LL, 999999999999999999LL,
                        1000000000000000000LL, 9223372036854775807LL}) {
      pl::Value* number = ctx.createNumberValue(static_cast<long double>(n));
      EXPECT_EQ(isGreaterThan(v, n), Functions::gt(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(isLessThan(v, n), Functions::lt(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(isAtMost(v, n), Functions::le(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(isAtLeast(v, n), Functions::ge(&ctx, v, number)->isTrue()) << n;
      EXPECT_EQ(equalsNumber(v, n), Functions::eq(&ctx, v, number)->isTrue()) << n;
    }
    EXPECT_EQ(isNumeric(v), Functions::NUMERISCH(&ctx, v)->isTrue());
    EXPECT_EQ(isMissing(v), Functions::eq(&ctx, v, ctx.createInvalidValue())->isTrue());
  }
}

TEST_F(RuleTermsTest, PartAgreesWithTeil) {
  for (pl::Value* v : values()) {
    SCOPED_TRACE(std::string("value \"") + v->getString() + "\"");
    for (std::size_t start = 1; start <= 22; ++start) {
      for (std::size_t length : {0, 1, 4, 8, 30}) {
        pl::Value* expected =
            Functions::TEIL(&ctx, v, ctx.createNumberValue(start), ctx.createNumberValue(length));
        pl::Value* actual = part(&ctx, v, start, length);
        ASSERT_EQ(actual->isInvalid(), expected->isInvalid()) << start << "," << length;
        EXPECT_EQ(std::string(textOf(actual)), std::string(textOf(expected)))
            << start << "," << length;
      }
    }
  }
}

}  // namespace

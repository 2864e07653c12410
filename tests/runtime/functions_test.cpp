// The built-in functions of the rule language.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "pl/functions.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace pl {
namespace {

using F = Functions;

// Reads a boolean result; fails the test for anything else.
bool boolOf(const Value* v) {
  EXPECT_NE(v, nullptr);
  if (v == nullptr) return false;
  EXPECT_EQ(v->getKind(), Value::Kind::kBool);
  return v->isTrue();
}

std::string bytesOf(const Value* v) {
  EXPECT_EQ(v->getKind(), Value::Kind::kString);
  const auto* s = static_cast<const StringValue*>(v);
  return std::string(s->data(), s->size());
}

long double numberOf(const Value* v) {
  EXPECT_EQ(v->getKind(), Value::Kind::kNumber);
  return static_cast<const NumberValue*>(v)->get();
}

// Runs f and returns the type of the PlausiException it throws; fails the
// test when it throws nothing.
ExceptionType thrownType(const std::function<void()>& f, std::string* message = nullptr) {
  try {
    f();
  } catch (const PlausiException& e) {
    if (message != nullptr) *message = e.getMessage();
    return e.getType();
  }
  ADD_FAILURE() << "no PlausiException";
  return ExceptionType::kUnspecified;
}

class FunctionsTest : public ::testing::Test {
 protected:
  Value* str(std::string_view s) { return ctx.createStringValue(s); }
  Value* num(long double n) { return ctx.createNumberValue(n); }
  Value* boolean(bool b) { return ctx.createBoolValue(b); }
  Value* invalid() { return ctx.createInvalidValue(); }
  Value* date(const char* text) { return ctx.createDateValue(text, "JJJJMMTT"); }

  RuntimeContext ctx;
};

TEST_F(FunctionsTest, NumericTextRule) {
  struct Case {
    Value* v;
    bool numeric;
  } cases[] = {
      {str("0"), true},
      {str("0042"), true},
      {str("12345678901234567890123"), true},
      {str(""), false},
      {str("   "), false},
      {str("12 "), false},
      {str(" 12"), false},
      {str("-1"), false},
      {str("1.5"), false},
      {str("1e5"), false},
      {str("A1"), false},
      {str(std::string_view("1\0"
                            "2",
                            3)),
       false},
      {str("\xB2"), false},
      {num(-3.5L), true},
      {num(0), true},
      {boolean(true), false},
      {invalid(), false},
      {nullptr, false},
      {date("20240101"), false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(F::isNumericText(cases[i].v), cases[i].numeric);
    EXPECT_EQ(boolOf(F::NUMERISCH(&ctx, cases[i].v)), cases[i].numeric);
  }
}

// Expected answers of the comparisons for one pair.
enum : int { kUnordered = 2 };
struct CompareCase {
  const char* name;
  Value* a;
  Value* b;
  bool eq;
  int order;  // -1, 0, 1 or kUnordered
};

TEST_F(FunctionsTest, ComparisonMatrix) {
  Value* range = ctx.createIntervalRange(num(1), num(5), IntervalType::kClosed);
  const CompareCase cases[] = {
      {"invalid/invalid", invalid(), invalid(), true, kUnordered},
      {"null/invalid", nullptr, invalid(), true, kUnordered},
      {"invalid/text", invalid(), str("A"), false, kUnordered},
      {"text/invalid", str(""), invalid(), false, kUnordered},
      {"invalid/number", invalid(), num(0), false, kUnordered},
      {"text equal", str("AB"), str("AB"), true, 0},
      {"text prefix smaller", str("AB"), str("ABC"), false, -1},
      {"text trailing blank", str("AB "), str("AB"), false, 1},
      {"text bytes unsigned", str("\xE4"), str("z"), false, 1},
      {"text with NUL", str(std::string_view("A\0B", 3)), str(std::string_view("A\0C", 3)), false,
       -1},
      {"numeric texts compare as bytes", str("10"), str("9"), false, -1},
      {"leading zero texts differ", str("01"), str("1"), false, -1},
      {"numbers", num(10), num(9), false, 1},
      {"numbers equal", num(2.5L), num(2.5L), true, 0},
      {"numeric text/number", str("007"), num(7), true, 0},
      {"number/numeric text", num(10), str("9"), false, 1},
      {"long numeric text/number", str("100000000000000000000"), num(1e20L), true, 0},
      {"non-numeric text/number", str("7 "), num(7), false, kUnordered},
      {"number/non-numeric text", num(7), str("x"), false, kUnordered},
      {"number/empty text", num(0), str(""), false, kUnordered},
      {"bool equal", boolean(true), boolean(true), true, kUnordered},
      {"bool differ", boolean(true), boolean(false), false, kUnordered},
      {"bool/number", boolean(true), num(1), false, kUnordered},
      {"bool/text", boolean(false), str("false"), false, kUnordered},
      {"dates equal", date("20240229"), date("20240229"), true, 0},
      {"dates ordered", date("20231231"), date("20240101"), false, -1},
      {"date/text", date("20240101"), str("20240101"), false, kUnordered},
      {"range/number", range, num(3), false, kUnordered},
  };
  for (const CompareCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(F::equals(c.a, c.b), c.eq);
    EXPECT_EQ(boolOf(F::eq(&ctx, c.a, c.b)), c.eq);
    EXPECT_EQ(boolOf(F::ne(&ctx, c.a, c.b)), !c.eq);
    EXPECT_EQ(boolOf(F::lt(&ctx, c.a, c.b)), c.order == -1);
    EXPECT_EQ(boolOf(F::le(&ctx, c.a, c.b)), c.order == -1 || c.order == 0);
    EXPECT_EQ(boolOf(F::gt(&ctx, c.a, c.b)), c.order == 1);
    EXPECT_EQ(boolOf(F::ge(&ctx, c.a, c.b)), c.order == 1 || c.order == 0);
    // Swapped operands: same equality, mirrored order.
    int mirrored = c.order == kUnordered ? kUnordered : -c.order;
    EXPECT_EQ(boolOf(F::eq(&ctx, c.b, c.a)), c.eq);
    EXPECT_EQ(boolOf(F::ne(&ctx, c.b, c.a)), !c.eq);
    EXPECT_EQ(boolOf(F::lt(&ctx, c.b, c.a)), mirrored == -1);
    EXPECT_EQ(boolOf(F::ge(&ctx, c.b, c.a)), mirrored == 1 || mirrored == 0);
  }
}

TEST_F(FunctionsTest, NotNegatesTruth) {
  EXPECT_TRUE(F::not_(&ctx, invalid())->isInvalid());
  EXPECT_TRUE(F::not_(&ctx, nullptr)->isInvalid());
  EXPECT_FALSE(boolOf(F::not_(&ctx, boolean(true))));
  EXPECT_TRUE(boolOf(F::not_(&ctx, boolean(false))));
  EXPECT_FALSE(boolOf(F::not_(&ctx, num(3))));
  EXPECT_TRUE(boolOf(F::not_(&ctx, num(0))));
}

struct ArithmeticCase {
  const char* name;
  Value* (*op)(RuntimeContext*, const Value*, const Value*);
  std::string_view a;  // "#" prefix: a number written after it, else a text
  std::string_view b;
  long double expected;
};

TEST_F(FunctionsTest, ArithmeticWithNumbersAndNumericTexts) {
  auto operand = [this](std::string_view s) -> Value* {
    if (!s.empty() && s[0] == '#') return num(std::stold(std::string(s.substr(1))));
    return str(s);
  };
  const ArithmeticCase cases[] = {
      {"plus texts", &F::plus, "12", "030", 42},
      {"plus mixed", &F::plus, "#1.5", "2", 3.5L},
      {"minus to negative", &F::minus, "5", "#8", -3},
      {"mult", &F::mult, "#-4", "25", -100},
      {"mult big text", &F::mult, "10000000000", "10000000000", 1e20L},
      {"modulo", &F::MODULO, "17", "5", 2},
      {"modulo sign of dividend", &F::MODULO, "#-17", "5", -2},
      {"modulo negative divisor", &F::MODULO, "17", "#-5", 2},
      {"modulo fraction", &F::MODULO, "#7.5", "2", 1.5L},
  };
  for (const ArithmeticCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(numberOf(c.op(&ctx, operand(c.a), operand(c.b))), c.expected);
  }
}

TEST_F(FunctionsTest, ArithmeticInvalidAndWrongOperands) {
  using Op = Value* (*)(RuntimeContext*, const Value*, const Value*);
  const Op ops[] = {&F::plus, &F::minus, &F::mult, &F::MODULO};
  Value* range = ctx.createSequenceRange(num(1), num(2), num(9));
  for (std::size_t i = 0; i < std::size(ops); ++i) {
    SCOPED_TRACE(i);
    Op op = ops[i];
    // Invalid wins over wrong types.
    EXPECT_TRUE(op(&ctx, invalid(), num(1))->isInvalid());
    EXPECT_TRUE(op(&ctx, str("3"), invalid())->isInvalid());
    EXPECT_TRUE(op(&ctx, invalid(), str("A1"))->isInvalid());
    EXPECT_TRUE(op(&ctx, nullptr, num(1))->isInvalid());
    const Value* wrong[] = {str("A1"),     str(""),          str("1 "), str("-1"),
                            boolean(true), date("20240101"), range};
    for (const Value* w : wrong) {
      EXPECT_EQ(thrownType([&] { op(&ctx, w, num(1)); }), ExceptionType::kWrongType);
      EXPECT_EQ(thrownType([&] { op(&ctx, num(1), w); }), ExceptionType::kWrongType);
    }
  }
  std::string message;
  EXPECT_EQ(thrownType([&] { F::plus(&ctx, str("A1"), num(1)); }, &message),
            ExceptionType::kWrongType);
  EXPECT_NE(message.find("\"A1\""), std::string::npos) << message;
  EXPECT_EQ(thrownType([&] { F::MODULO(&ctx, num(5), str("0")); }, &message),
            ExceptionType::kArithmetic);
  EXPECT_EQ(thrownType([&] { F::MODULO(&ctx, num(5), num(0)); }), ExceptionType::kArithmetic);
}

TEST_F(FunctionsTest, ValueLength) {
  struct Case {
    Value* v;
    long double length;
  } cases[] = {
      {str(""), 0},
      {str("abc"), 3},
      {str("ab  "), 4},
      {str("   "), 3},
      {str(std::string_view("a\0b\0", 4)), 4},
      {str("\xE4\xF6\xFC"), 3},
      {num(-12), 3},
      {num(1.25L), 4},
      {boolean(false), 5},
      {date("20240101"), 8},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(numberOf(F::WERTLAENGE(&ctx, cases[i].v)), cases[i].length);
  }
  EXPECT_TRUE(F::WERTLAENGE(&ctx, invalid())->isInvalid());
}

TEST_F(FunctionsTest, Substring) {
  struct Case {
    std::string_view text;
    long double start;
    long double length;
    std::string_view expected;
  } cases[] = {
      {"abcdef", 1, 3, "abc"},
      {"abcdef", 2, 2, "bc"},
      {"abcdef", 4, 10, "def"},
      {"abcdef", 6, 1, "f"},
      {"abcdef", 7, 1, ""},
      {"abcdef", 100, 5, ""},
      {"abc", 0, 2, "a"},
      {"abc", -1, 3, "a"},
      {"abc", -5, 3, ""},
      {"abc", 2, 0, ""},
      {"abc", 2, -1, ""},
      {"abc", 1, 1e30L, "abc"},
      {"abc", 2, 9223372036854775807.0L, "bc"},
      {"abc", -9223372036854775807.0L, 9223372036854775807.0L, ""},
      {"abc", -1e30L, 1e30L, ""},
      {"abc", -1e30L, 2e30L, "abc"},
      {"abc", 3, std::numeric_limits<long double>::infinity(), "c"},
      {"abc", -std::numeric_limits<long double>::infinity(), 5, ""},
      {"abc", 4e30L, 1, ""},
      {"abc", 2.9L, 1.9L, "b"},
      {"", 1, 1, ""},
      {std::string_view("a\0bc", 4), 2, 2, std::string_view("\0b", 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(static_cast<double>(c.start)) + " " +
                 std::to_string(static_cast<double>(c.length)));
    Value* result = F::TEIL(&ctx, str(c.text), num(c.start), num(c.length));
    EXPECT_EQ(bytesOf(result), c.expected);
  }
  EXPECT_EQ(bytesOf(F::TEIL(&ctx, str("abcdef"), str("3"), str("02"))), "cd");
  EXPECT_EQ(bytesOf(F::TEIL(&ctx, num(12345), num(2), num(3))), "234");
  EXPECT_TRUE(F::TEIL(&ctx, invalid(), num(1), num(1))->isInvalid());
  EXPECT_TRUE(F::TEIL(&ctx, str("abc"), invalid(), num(1))->isInvalid());
  EXPECT_TRUE(F::TEIL(&ctx, str("abc"), num(1), nullptr)->isInvalid());
  EXPECT_EQ(thrownType([&] { F::TEIL(&ctx, str("abc"), str("x"), num(1)); }),
            ExceptionType::kWrongType);
  EXPECT_EQ(thrownType([&] { F::TEIL(&ctx, str("abc"), num(1), boolean(true)); }),
            ExceptionType::kWrongType);
}

TEST_F(FunctionsTest, UpperCaseWindows1252) {
  struct Case {
    std::string_view in;
    std::string_view out;
  } cases[] = {
      {"abcxyz", "ABCXYZ"},
      {"ABC 123", "ABC 123"},
      {"\xE4\xF6\xFC", "\xC4\xD6\xDC"},  // ä ö ü
      {"\xDF", "\xDF"},                  // ß stays
      {"\xFF", "\x9F"},                  // ÿ
      {"\xF7", "\xF7"},                  // ÷ stays
      {"\xE0\xFE", "\xC0\xDE"},          // à þ
      {"\x9A\x9C\x9E", "\x8A\x8C\x8E"},  // š œ ž
      {"\xC4\xB5\x80", "\xC4\xB5\x80"},  // already upper, µ and € unchanged
      {std::string_view("a\0b", 3), std::string_view("A\0B", 3)},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.in));
    EXPECT_EQ(bytesOf(F::GROSSBUCHSTABEN(&ctx, str(c.in))), c.out);
  }
  EXPECT_EQ(bytesOf(F::GROSSBUCHSTABEN(&ctx, num(-12))), "-12");
  EXPECT_TRUE(F::GROSSBUCHSTABEN(&ctx, invalid())->isInvalid());
}

TEST_F(FunctionsTest, AsInteger) {
  struct Case {
    Value* v;
    long double expected;
  } cases[] = {
      {str("0042"), 42}, {str("0"), 0},       {num(3.9L), 3},
      {num(-3.9L), -3},  {num(1e20L), 1e20L}, {str("12345678901234567"), 12345678901234567.0L},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(numberOf(F::ALS_GANZZAHL(&ctx, cases[i].v)), cases[i].expected);
  }
  EXPECT_TRUE(F::ALS_GANZZAHL(&ctx, invalid())->isInvalid());
  for (Value* wrong : {str("4.2"), str(""), str("x"), boolean(true), date("20240101")}) {
    EXPECT_EQ(thrownType([&] { F::ALS_GANZZAHL(&ctx, wrong); }), ExceptionType::kWrongType);
  }
}

TEST_F(FunctionsTest, DateParts) {
  struct Case {
    const char* text;
    long double year;
    const char* jjjj;
    const char* mm;
    const char* tt;
  } cases[] = {
      {"20240229", 2024, "2024", "02", "29"},
      {"00010101", 1, "0001", "01", "01"},
      {"19991231", 1999, "1999", "12", "31"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Value* d = date(c.text);
    EXPECT_EQ(numberOf(F::JAHR(&ctx, d)), c.year);
    EXPECT_EQ(bytesOf(F::JAHR_ALS_ZEICHENKETTE(&ctx, d)), c.jjjj);
    EXPECT_EQ(bytesOf(F::MONAT_ALS_ZEICHENKETTE(&ctx, d)), c.mm);
    EXPECT_EQ(bytesOf(F::TAG_ALS_ZEICHENKETTE(&ctx, d)), c.tt);
  }
  using Part = Value* (*)(RuntimeContext*, const Value*);
  for (Part part : {Part{&F::JAHR}, Part{&F::JAHR_ALS_ZEICHENKETTE},
                    Part{&F::MONAT_ALS_ZEICHENKETTE}, Part{&F::TAG_ALS_ZEICHENKETTE}}) {
    EXPECT_TRUE(part(&ctx, invalid())->isInvalid());
    EXPECT_EQ(thrownType([&] { part(&ctx, str("20240101")); }), ExceptionType::kWrongType);
    EXPECT_EQ(thrownType([&] { part(&ctx, num(20240101)); }), ExceptionType::kWrongType);
  }
}

TEST_F(FunctionsTest, TodayIsTheProcessingDate) {
  ctx.setProcessingDate(2024, 2, 29);
  Value* today = F::HEUTE(&ctx);
  ASSERT_EQ(today->getKind(), Value::Kind::kDate);
  EXPECT_STREQ(today->getString(), "20240229");
  EXPECT_TRUE(F::equals(today, date("20240229")));
  EXPECT_EQ(numberOf(F::JAHR(&ctx, today)), 2024);
}

TEST_F(FunctionsTest, ConcatenateStartsEnds) {
  struct Case {
    Value* a;
    Value* b;
    std::string_view joined;
  } cases[] = {
      {str("ab"), str("cd"), "abcd"},
      {str(""), str(""), ""},
      {str("Nr. "), num(42), "Nr. 42"},
      {num(-1.5L), str("x"), "-1.5x"},
      {num(1), num(2), "12"},
      {str(std::string_view("a\0", 2)), str("b"), std::string_view("a\0b", 3)},
      {boolean(true), date("20240101"), "true20240101"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const Case& c = cases[i];
    EXPECT_EQ(bytesOf(F::KONKATENIEREN(&ctx, c.a, c.b)), c.joined);
    Value* joined = F::KONKATENIEREN(&ctx, c.a, c.b);
    EXPECT_TRUE(boolOf(F::BEGINNT_MIT(&ctx, joined, c.a)));
    EXPECT_TRUE(boolOf(F::ENDET_AUF(&ctx, joined, c.b)));
  }
  EXPECT_TRUE(F::KONKATENIEREN(&ctx, invalid(), str("a"))->isInvalid());
  EXPECT_TRUE(F::KONKATENIEREN(&ctx, str("a"), nullptr)->isInvalid());

  struct AffixCase {
    std::string_view text;
    std::string_view affix;
    bool starts;
    bool ends;
  } affixes[] = {
      {"abc", "", true, true},    {"abc", "ab", true, false},  {"abc", "bc", false, true},
      {"abc", "abc", true, true}, {"ab", "abc", false, false}, {"", "a", false, false},
      {"a ", "a", true, false},
  };
  for (const AffixCase& c : affixes) {
    SCOPED_TRACE(std::string(c.text) + "|" + std::string(c.affix));
    EXPECT_EQ(boolOf(F::BEGINNT_MIT(&ctx, str(c.text), str(c.affix))), c.starts);
    EXPECT_EQ(boolOf(F::ENDET_AUF(&ctx, str(c.text), str(c.affix))), c.ends);
  }
  EXPECT_FALSE(boolOf(F::BEGINNT_MIT(&ctx, invalid(), str(""))));
  EXPECT_FALSE(boolOf(F::ENDET_AUF(&ctx, str("a"), invalid())));
}

TEST_F(FunctionsTest, Replace) {
  struct Case {
    std::string_view text, search, replacement, expected;
  } cases[] = {
      {"TT.MM", "TT", "01", "01.MM"},
      {"a-b-c", "-", "+", "a+b+c"},
      {"aaaa", "aa", "b", "bb"},
      {"aaa", "aa", "b", "ba"},
      {"abc", "", "x", "abc"},
      {"abc", "x", "y", "abc"},
      {"abcabc", "abc", "", ""},
      {"ab", "b", "bbb", "abbb"},
      {std::string_view("a\0a", 3), std::string_view("\0", 1), "-", "a-a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(bytesOf(F::ERSETZEN(&ctx, str(c.text), str(c.search), str(c.replacement))),
              c.expected);
  }
  // Nested as in a rule: first the day, then the month.
  Value* pattern = str("TT.MM");
  Value* day = F::ERSETZEN(&ctx, pattern, str("TT"), str("01"));
  EXPECT_EQ(bytesOf(F::ERSETZEN(&ctx, day, str("MM"), str("10"))), "01.10");
  EXPECT_EQ(bytesOf(pattern), "TT.MM") << "the source text must stay untouched";
  EXPECT_EQ(bytesOf(F::ERSETZEN(&ctx, num(1001), str("0"), str("x"))), "1xx1");
  EXPECT_TRUE(F::ERSETZEN(&ctx, invalid(), str("a"), str("b"))->isInvalid());
  EXPECT_TRUE(F::ERSETZEN(&ctx, str("a"), invalid(), str("b"))->isInvalid());
  EXPECT_TRUE(F::ERSETZEN(&ctx, str("a"), str("a"), nullptr)->isInvalid());
}

TEST_F(FunctionsTest, ContainsInIntervals) {
  struct Case {
    IntervalType type;
    Value* v;
    bool inside;
  } cases[] = {
      {IntervalType::kClosed, num(1), true},         {IntervalType::kClosed, num(5), true},
      {IntervalType::kClosed, num(0.5L), false},     {IntervalType::kClosed, num(5.5L), false},
      {IntervalType::kOpenLow, num(1), false},       {IntervalType::kOpenLow, num(5), true},
      {IntervalType::kOpenHigh, num(1), true},       {IntervalType::kOpenHigh, num(5), false},
      {IntervalType::kOpen, num(1), false},          {IntervalType::kOpen, num(5), false},
      {IntervalType::kOpen, num(3), true},           {IntervalType::kOpen, str("003"), true},
      {IntervalType::kClosed, str("3 "), false},     {IntervalType::kClosed, str("x"), false},
      {IntervalType::kClosed, boolean(true), false}, {IntervalType::kClosed, invalid(), false},
      {IntervalType::kClosed, nullptr, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Value* range = ctx.createIntervalRange(str("1"), num(5), cases[i].type);
    EXPECT_EQ(boolOf(F::contains(&ctx, range, cases[i].v)), cases[i].inside);
  }
  Value* bad_bound = ctx.createIntervalRange(str("a"), num(5), IntervalType::kClosed);
  EXPECT_FALSE(boolOf(F::contains(&ctx, bad_bound, num(3))));
}

TEST_F(FunctionsTest, ContainsInSequences) {
  struct Case {
    long double first, second, last;
    Value* v;
    bool inside;
  } cases[] = {
      {1, 2, 99, str("00"), false}, {1, 2, 99, str("05"), true},   {1, 2, 99, num(100), false},
      {1, 2, 99, num(99), true},    {1, 2, 99, num(1), true},      {1, 2, 99, num(1.5L), false},
      {1, 3, 10, num(7), true},     {1, 3, 10, num(8), false},     {1, 3, 10, num(9), true},
      {1, 3, 9, num(10), false},    {10, 8, 0, num(4), true},      {10, 8, 0, num(5), false},
      {10, 8, 0, num(12), false},   {10, 8, 0, num(0), true},      {5, 5, 9, num(5), true},
      {5, 5, 9, num(6), false},     {0, 0.5L, 2, num(1.5L), true}, {1, 2, 99, str("5x"), false},
      {1, 2, 99, invalid(), false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const Case& c = cases[i];
    Value* range = ctx.createSequenceRange(num(c.first), num(c.second), num(c.last));
    EXPECT_EQ(boolOf(F::contains(&ctx, range, c.v)), c.inside);
  }
  Value* text_bounds = ctx.createSequenceRange(str("01"), str("02"), str("12"));
  EXPECT_TRUE(boolOf(F::contains(&ctx, text_bounds, str("07"))));
  Value* bad_bounds = ctx.createSequenceRange(str("01"), str("b"), str("12"));
  EXPECT_FALSE(boolOf(F::contains(&ctx, bad_bounds, num(1))));
}

TEST_F(FunctionsTest, ContainsInSeriesAndWrongRange) {
  const Value* members[] = {str("A"), num(7), date("20240101"), nullptr,
                            ctx.createIntervalRange(num(20), num(30), IntervalType::kClosed)};
  Value* series = ctx.createRangeSeries(static_cast<int>(std::size(members)), members);
  struct Case {
    Value* v;
    bool inside;
  } cases[] = {
      {str("A"), true},   {str("A "), false},       {str("007"), true}, {num(7), true},
      {num(8), false},    {date("20240101"), true}, {num(25), true},    {str("31"), false},
      {invalid(), false}, {boolean(false), false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(boolOf(F::contains(&ctx, series, cases[i].v)), cases[i].inside);
  }
  Value* empty = ctx.createRangeSeries(0, nullptr);
  EXPECT_FALSE(boolOf(F::contains(&ctx, empty, num(1))));
  for (Value* not_range : {str("1"), num(1), invalid(), boolean(true)}) {
    std::string message;
    EXPECT_EQ(thrownType([&] { F::contains(&ctx, not_range, num(1)); }, &message),
              ExceptionType::kWrongType);
    EXPECT_EQ(message, "Kein Bereichswert.");
  }
}

TEST_F(FunctionsTest, TypeConformity) {
  struct Case {
    Value* v;
    FieldType type;
    const char* mask;
    bool conform;
  } cases[] = {
      {invalid(), FieldType::kNumeric, "0#", true},
      {invalid(), FieldType::kTopic, nullptr, true},
      {str("any \xE4"), FieldType::kAlphanumeric, nullptr, true},
      {str(""), FieldType::kAlphanumeric, "", true},
      {num(1.5L), FieldType::kAlphanumeric, nullptr, true},
      {boolean(true), FieldType::kAlphanumeric, nullptr, false},
      {str("7"), FieldType::kNumeric, "0#", true},
      {str("12"), FieldType::kNumeric, "0#", false},
      {str("12"), FieldType::kNumeric, "0##", true},
      {str("1"), FieldType::kNumeric, "0##", true},
      {str(""), FieldType::kNumeric, "0##", false},
      {str("1 "), FieldType::kNumeric, "0##", false},
      {str("-1"), FieldType::kNumeric, "0##", false},
      {str("AB"), FieldType::kNumeric, "0##", false},
      {num(42), FieldType::kNumeric, "0##", true},
      {num(-4), FieldType::kNumeric, "0##", false},
      {num(4.5L), FieldType::kNumeric, "0###", false},
      {str("1"), FieldType::kNumeric, "0", false},
      {str("1"), FieldType::kNumeric, "##", false},
      {str("1"), FieldType::kNumeric, "0#x", false},
      {str("1"), FieldType::kNumeric, nullptr, false},
      {str("20240229"), FieldType::kDateTime, "JJJJMMTT", true},
      {str("20230229"), FieldType::kDateTime, "JJJJMMTT", false},
      {str("19000229"), FieldType::kDateTime, "JJJJMMTT", false},
      {str("20000229"), FieldType::kDateTime, "JJJJMMTT", true},
      {str("2024022"), FieldType::kDateTime, "JJJJMMTT", false},
      {str("202402290"), FieldType::kDateTime, "JJJJMMTT", false},
      {str("2024AB01"), FieldType::kDateTime, "JJJJMMTT", false},
      {str("00000101"), FieldType::kDateTime, "JJJJMMTT", false},
      {num(20240101), FieldType::kDateTime, "JJJJMMTT", true},
      {date("20240101"), FieldType::kDateTime, "JJJJMMTT", false},
      {str("235959"), FieldType::kDateTime, "SSmmss", true},
      {str("000000"), FieldType::kDateTime, "SSmmss", true},
      {str("240000"), FieldType::kDateTime, "SSmmss", false},
      {str("236000"), FieldType::kDateTime, "SSmmss", false},
      {str("235960"), FieldType::kDateTime, "SSmmss", false},
      {str("23595"), FieldType::kDateTime, "SSmmss", false},
      {str("12ab00"), FieldType::kDateTime, "SSmmss", false},
      {str("20240101"), FieldType::kDateTime, "TTMMJJJJ", false},
      {str("120000"), FieldType::kDateTime, "HHmmss", false},
      {str("20240101"), FieldType::kDateTime, nullptr, false},
      {str("20240101"), FieldType::kNumeric, "JJJJMMTT", false},
      {str("1"), FieldType::kTopic, "0#", false},
      {str("1"), static_cast<FieldType>(99), "0#", false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::to_string(i) + ": " + (c.mask ? c.mask : "(null)"));
    EXPECT_EQ(boolOf(F::isTypeConform(&ctx, c.v, c.type, c.mask)), c.conform);
  }
}

// A digit count stands for the mask "0" and as many "#": the answers agree
// for texts of every length about the count, numbers and the invalid value.
TEST_F(FunctionsTest, DigitCountsAnswerAsTheirMasks) {
  std::vector<Value*> values = {invalid(), num(42),       num(-4),
                                num(4.5L), boolean(true), date("20240101")};
  for (const char* text : {"", "0", "7", "12", "123", "1234", "12345678", "123456789", "1 ", " 1",
                           "-1", "1A", "\xB2", "99999999999999999999999999999999"}) {
    values.push_back(str(text));
  }
  values.push_back(
      str(std::string_view("1\0"
                           "2",
                           3)));
  for (std::size_t digits = 0; digits <= 33; ++digits) {
    const std::string mask = "0" + std::string(digits, '#');
    for (Value* v : values) {
      EXPECT_EQ(F::conformsToDigits(v, digits), F::conforms(v, FieldType::kNumeric, mask.c_str()))
          << digits << " \"" << v->getString() << "\"";
    }
  }
}

// Digits are recognised eight bytes at a time; every byte value in every
// place of texts up to 20 bytes must count as it does one at a time.
TEST(DigitsTest, EveryByteInEveryPlace) {
  auto byByte = [](std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
      if (c < '0' || c > '9') return false;
    }
    return true;
  };
  for (std::size_t length = 0; length <= 20; ++length) {
    std::string digits(length, '5');
    EXPECT_EQ(Functions::isDigits(digits), byByte(digits));
    for (std::size_t at = 0; at < length; ++at) {
      for (int c = 0; c < 256; ++c) {
        std::string text = digits;
        text[at] = static_cast<char>(c);
        ASSERT_EQ(Functions::isDigits(text), byByte(text)) << length << " " << at << " " << c;
      }
    }
  }
  std::uint64_t value = 0;
  EXPECT_TRUE(Functions::readDigits("0012345678901234567", &value));
  EXPECT_EQ(value, 12345678901234567u);
  EXPECT_FALSE(Functions::readDigits("12 3", &value));
  EXPECT_FALSE(Functions::readDigits("", &value));
}

TEST(FunctionsArena, SteadyStateAfterReset) {
  RuntimeContext ctx;
  auto round = [&ctx] {
    ctx.reset();
    for (int i = 0; i < 2000; ++i) {
      Value* a = ctx.createStringValue(
          "Pr\xFC"
          "fung  ");
      Value* n = ctx.createNumberValue(i + 0.5L);
      Value* joined = Functions::KONKATENIEREN(&ctx, a, n);
      Value* upper = Functions::GROSSBUCHSTABEN(&ctx, joined);
      Value* part =
          Functions::TEIL(&ctx, upper, ctx.createNumberValue(2), ctx.createNumberValue(5));
      Functions::ERSETZEN(&ctx, part, ctx.createStringValue("R"), ctx.createStringValue("rr"));
      Functions::plus(&ctx, n, ctx.createStringValue("12"));
      Functions::WERTLAENGE(&ctx, joined);
    }
  };
  round();
  std::size_t capacity = ctx.arena().capacity();
  ASSERT_GT(capacity, 0u);
  for (int r = 0; r < 5; ++r) {
    round();
    EXPECT_EQ(ctx.arena().capacity(), capacity) << "round " << r;
  }
}

}  // namespace
}  // namespace pl

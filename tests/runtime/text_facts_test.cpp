// What a text value finds about its bytes (numeric, the blanks at either
// end), and the numeric answers built on it, against byte-by-byte
// answers: asked in any order, kept or found anew on every ask, and after
// the bytes under a value change.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <tuple>

#include <gtest/gtest.h>

#include "pl/functions.h"
#include "pl/value.h"

namespace pl {
namespace {

struct ByByte {
  bool digits;
  std::size_t first;
  std::size_t end;
};

ByByte byByte(std::string_view text) {
  ByByte facts{!text.empty(), 0, text.size()};
  for (char c : text) facts.digits = facts.digits && c >= '0' && c <= '9';
  while (facts.first < text.size() && text[facts.first] == ' ') ++facts.first;
  while (facts.end > 0 && text[facts.end - 1] == ' ') --facts.end;
  return facts;
}

// Each fact found first serves the later ones as a shortcut.
enum class FirstAsk { kDigits, kFirstNonBlank, kEndOfNonBlank };

void expectFacts(const StringValue& value, std::string_view text, FirstAsk first_ask) {
  const ByByte expected = byByte(text);
  for (int round = 0; round < 2; ++round) {
    switch (first_ask) {
      case FirstAsk::kDigits:
        EXPECT_EQ(value.isDigits(), expected.digits);
        break;
      case FirstAsk::kFirstNonBlank:
        EXPECT_EQ(value.firstNonBlank(), expected.first);
        break;
      case FirstAsk::kEndOfNonBlank:
        EXPECT_EQ(value.endOfNonBlank(), expected.end);
        break;
    }
    EXPECT_EQ(value.endOfNonBlank(), expected.end);
    EXPECT_EQ(value.isDigits(), expected.digits);
    EXPECT_EQ(value.firstNonBlank(), expected.first);
    EXPECT_EQ(value.isBlank(), expected.first == text.size());
  }
}

const std::string kTexts[] = {
    "",
    " ",
    "        ",
    "         ",
    "0",
    "9",
    "/",
    ":",
    "1234567",
    "12345678",
    "123456789012345",
    "1234567 ",
    " 1234567",
    "000000000000000000000",
    "12345678x",
    "x2345678",
    "123456789012345:",
    "12345678/2345678",
    std::string("1234\0", 5),
    "\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7",
    "  ab  c   ",
    "                 a",
    "a                 ",
    "12345678        ",
    "        12345678",
};

class StringValueFactsTest
    : public ::testing::TestWithParam<std::tuple<std::string, FirstAsk, bool>> {};

TEST_P(StringValueFactsTest, AgreeWithTheBytesInAnyOrder) {
  const auto& [text, first_ask, keeps] = GetParam();
  StringValue value(text.c_str(), text.size());
  if (keeps) value.keepFacts();
  EXPECT_EQ(value.keepsFacts(), keeps);
  expectFacts(value, text, first_ask);
}

INSTANTIATE_TEST_SUITE_P(Texts, StringValueFactsTest,
                         ::testing::Combine(::testing::ValuesIn(kTexts),
                                            ::testing::Values(FirstAsk::kDigits,
                                                              FirstAsk::kFirstNonBlank,
                                                              FirstAsk::kEndOfNonBlank),
                                            ::testing::Bool()));

// The record overwrites the bytes of its field values with the next line
// of the same cut: a value that keeps no facts answers from the new bytes,
// and one that keeps them does once it forgets.
TEST(StringValueFacts, FollowNewBytesUnlessKept) {
  std::string bytes = "12345678       ";
  StringValue plain(bytes.c_str(), bytes.size());
  StringValue kept(bytes.c_str(), bytes.size());
  kept.keepFacts();
  EXPECT_FALSE(plain.isDigits());
  EXPECT_EQ(plain.endOfNonBlank(), 8u);
  EXPECT_EQ(kept.endOfNonBlank(), 8u);
  bytes = "123456789012345";
  EXPECT_TRUE(plain.isDigits());
  EXPECT_EQ(plain.endOfNonBlank(), 15u);
  EXPECT_EQ(kept.endOfNonBlank(), 8u);
  kept.forgetFacts();
  EXPECT_TRUE(kept.keepsFacts());
  expectFacts(kept, bytes, FirstAsk::kDigits);
}

// The facts are kept in 16 bits: a longer text keeps none, and answers
// from its bytes however they change.
TEST(StringValueFacts, TextsBeyondSixtyFourKibibytesKeepNone) {
  std::string bytes(70000, ' ');
  bytes[66000] = '1';
  StringValue value(bytes.c_str(), bytes.size());
  value.keepFacts();
  expectFacts(value, bytes, FirstAsk::kFirstNonBlank);
  bytes.assign(bytes.size(), '7');
  expectFacts(value, bytes, FirstAsk::kDigits);
}

// What the maker of a trimmed text tells it stands, and the digits are
// still found from the bytes.
TEST(StringValueFacts, TrimmedTextsNeedNoScanForBlanks) {
  for (std::string_view text : {"", "7", "12 34", "123", "a"}) {
    StringValue value(text.data(), text.size(), nullptr);
    value.knowTrimmed();
    EXPECT_TRUE(value.keepsFacts());
    EXPECT_EQ(value.firstNonBlank(), 0u) << text;
    EXPECT_EQ(value.endOfNonBlank(), text.size()) << text;
    EXPECT_EQ(value.isDigits(), byByte(text).digits) << text;
  }
}

// Every length to 40 with one byte that is no digit at each position:
// bytes next to the digits in code, NUL, and bytes whose low nibble is a
// digit's.
TEST(FunctionsIsDigits, FindsTheOneByteThatIsNoDigitAnywhere) {
  const char kOthers[] = {'/', ':', ' ', '\0', '\xB5', '\x35' + 0x40, '\x7F', 'A'};
  for (std::size_t size = 0; size <= 40; ++size) {
    std::string digits(size, '0');
    for (std::size_t i = 0; i < size; ++i) digits[i] = static_cast<char>('0' + (i * 7) % 10);
    EXPECT_EQ(Functions::isDigits(digits), size != 0) << size;
    for (std::size_t at = 0; at < size; ++at) {
      for (char other : kOthers) {
        std::string text = digits;
        text[at] = other;
        ASSERT_FALSE(Functions::isDigits(text)) << size << " at " << at;
        StringValue value(text.c_str(), text.size());
        ASSERT_FALSE(value.isDigits()) << size << " at " << at;
      }
    }
  }
}

// Texts of one to 18 digits, leading zeros included, order against whole
// numbers as their values do.
TEST(FunctionsOrderInteger, DigitTextsOfEveryLengthReadExactly) {
  std::mt19937_64 random(7);
  for (std::size_t size = 1; size <= 18; ++size) {
    for (int round = 0; round < 200; ++round) {
      std::string text(size, '0');
      for (char& c : text) c = static_cast<char>('0' + random() % 10);
      if (round % 5 == 0) text[0] = '0';
      const auto value = static_cast<std::int64_t>(std::stoull(text));
      StringValue v(text.c_str(), text.size());
      ASSERT_EQ(Functions::orderInteger(&v, value), Functions::Order::kEqual) << text;
      ASSERT_EQ(Functions::orderInteger(&v, value + 1), Functions::Order::kLess) << text;
      ASSERT_EQ(Functions::orderInteger(&v, value - 1), Functions::Order::kGreater) << text;
      ASSERT_EQ(Functions::orderNumber(&v, static_cast<long double>(value)),
                Functions::Order::kEqual)
          << text;
      ASSERT_EQ(Functions::orderNumber(&v, static_cast<long double>(value) + 0.5L),
                Functions::Order::kLess)
          << text;
    }
  }
  const std::string padded = "00012 ";
  StringValue not_numeric(padded.c_str(), padded.size());
  EXPECT_EQ(Functions::orderInteger(&not_numeric, 12), Functions::Order::kUnordered);
  // Short texts are read in place: empty, or a byte just outside the digits.
  for (const std::string text : {"", "/", ":", "1:", "2O24", "-1", "+1"}) {
    StringValue v(text.c_str(), text.size());
    EXPECT_EQ(Functions::orderInteger(&v, 1), Functions::Order::kUnordered) << text;
  }
}

}  // namespace
}  // namespace pl

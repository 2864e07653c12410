// Encodings and quoting at the host's output: Windows-1252 to UTF-8, UTF-8
// arguments back to Windows-1252, JSON strings and CSV fields.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

#include "cli/printers.h"
#include "core/encoding.h"

namespace vexal::cli {
namespace {

struct Conversion {
  std::string input;
  std::string expected;
};

class Utf8Test : public ::testing::TestWithParam<Conversion> {};

TEST_P(Utf8Test, Converts1252ToUtf8) {
  EXPECT_EQ(core::toUtf8(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf8Test,
    ::testing::Values(Conversion{"", ""}, Conversion{"DSKO 04", "DSKO 04"},
                      Conversion{"gr\xF6\xDF"
                                 "er",
                                 "gr\xC3\xB6\xC3\x9F"
                                 "er"},
                      Conversion{"\xC4\xD6\xDC\xE4\xFC",
                                 "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xBC"},
                      Conversion{"\x80", "\xE2\x82\xAC"},          // euro sign
                      Conversion{"\x8A\x9F", "\xC5\xA0\xC5\xB8"},  // S caron, Y diaeresis
                      Conversion{"\x81\x8D\x8F\x90\x9D",           // undefined: C1 controls
                                 "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
                      Conversion{"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
                      Conversion{std::string("a\0b", 3), std::string("a\0b", 3)}));

TEST(Utf8Test, EveryByteComesBackFromItsArgumentForm) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string one(1, static_cast<char>(byte));
    const std::string utf8 = core::toUtf8(one);
    EXPECT_TRUE(core::isValidUtf8(utf8)) << byte;
    EXPECT_EQ(core::argumentTo1252(utf8), one) << byte;
  }
}

struct Validity {
  std::string text;
  bool valid;
};

class Utf8ValidityTest : public ::testing::TestWithParam<Validity> {};

TEST_P(Utf8ValidityTest, TellsWellFormedUtf8) {
  EXPECT_EQ(core::isValidUtf8(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Utf8ValidityTest,
                         ::testing::Values(Validity{"plain", true}, Validity{"\xC3\xA4", true},
                                           Validity{"\xF0\x9F\x98\x80", true},
                                           Validity{"\xE4", false},
                                           Validity{"\xC0\xAF", false},          // overlong
                                           Validity{"\xED\xA0\x80", false},      // surrogate
                                           Validity{"\xE2\x82", false},          // cut short
                                           Validity{"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
                                           Validity{"\x80", false}));

struct Piece {
  std::string_view text;
  std::size_t limit;
  std::size_t size;
};

class Utf8PieceTest : public ::testing::TestWithParam<Piece> {};

// A Windows console gets long text in pieces, each converted on its own: a
// piece cut inside a sequence would show two replacement characters.
TEST_P(Utf8PieceTest, EndsBeforeASequenceTheLimitCuts) {
  EXPECT_EQ(core::utf8PieceSize(GetParam().text, GetParam().limit), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, Utf8PieceTest,
    ::testing::Values(Piece{"abcdef", 4, 4}, Piece{"abc", 4, 3},
                      Piece{"ab\xC3\xA4"
                            "cd",
                            4, 4},  // ends after the sequence
                      Piece{"abc\xC3\xA4"
                            "d",
                            4, 3},  // cut after its lead
                      Piece{"ab\xE2\x82\xAC"
                            "bc",
                            4, 2},                             // three bytes, cut
                      Piece{"\xF0\x9F\x98\x80z", 4, 4},        // four bytes, whole
                      Piece{"a\xF0\x9F\x98\x80", 4, 1},        // four bytes, cut after three
                      Piece{"a\x80\x80\x80\x80\x80", 4, 4}));  // no UTF-8: cut at the limit

class ArgumentTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(ArgumentTest, ConvertsWhatWindows1252Holds) {
  EXPECT_EQ(core::argumentTo1252(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ArgumentTest,
                         ::testing::Values(Conversion{"F_Trim", "F_Trim"},
                                           Conversion{"F_IstLinksb\xC3\xBCndig",
                                                      "F_IstLinksb\xFCndig"},
                                           Conversion{"\xE2\x82\xAC", "\x80"},
                                           // Not representable, or no UTF-8: unchanged.
                                           Conversion{"a\xF0\x9F\x98\x80", "a\xF0\x9F\x98\x80"},
                                           Conversion{"\xFC", "\xFC"}));

TEST(NameTest, KeepsUtf8AndReadsAnythingElseAs1252) {
  EXPECT_EQ(core::nameToUtf8("\xC3\xA4.txt"), "\xC3\xA4.txt");
  EXPECT_EQ(core::nameToUtf8("\xE4.txt"), "\xC3\xA4.txt");
}

// A printer's function that appends a field or string, quoted and escaped
// as its format needs.
struct Appender {
  const char* name;
  void (*append)(std::string& out, std::string_view text);
};

void PrintTo(const Appender& a, std::ostream* os) { *os << a.name; }

constexpr Appender kJson1252 = {"appendJsonString1252", appendJsonString1252};
constexpr Appender kJsonUtf8 = {"appendJsonStringUtf8", appendJsonStringUtf8};
constexpr Appender kCsv = {"appendCsvField", appendCsvField};

class AppendTest : public ::testing::TestWithParam<std::tuple<Appender, Conversion>> {};

TEST_P(AppendTest, AppendsTheTextQuotedAsItsFormatNeeds) {
  const auto& [appender, c] = GetParam();
  std::string out = "x";
  appender.append(out, c.input);
  EXPECT_EQ(out, "x" + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Json1252, AppendTest,
    ::testing::Combine(::testing::Values(kJson1252),
                       ::testing::Values(Conversion{"", "\"\""}, Conversion{"abc", "\"abc\""},
                                         Conversion{"a\"b\\c", R"("a\"b\\c")"},
                                         Conversion{"\n\r\t\b\f", R"("\n\r\t\b\f")"},
                                         Conversion{std::string("\0\x01\x1F", 3),
                                                    R"("\u0000\u0001\u001f")"},
                                         Conversion{"\x7F\x81\x9D", R"("\u007f\u0081\u009d")"},
                                         Conversion{"/ \xE4\x80", "\"/ \xC3\xA4\xE2\x82\xAC\""})));

INSTANTIATE_TEST_SUITE_P(
    JsonUtf8, AppendTest,
    ::testing::Combine(::testing::Values(kJsonUtf8),
                       ::testing::Values(Conversion{"dir/\xC3\xA4.txt", "\"dir/\xC3\xA4.txt\""},
                                         Conversion{"a\"b\\", R"("a\"b\\")"},
                                         Conversion{"\x01\n", R"("\u0001\n")"},
                                         Conversion{"\xC2\x85\xC2\xA0", "\"\\u0085\xC2\xA0\""})));

// Quoted where RFC 4180 needs it, and where blanks would be lost.
INSTANTIATE_TEST_SUITE_P(
    Csv, AppendTest,
    ::testing::Combine(::testing::Values(kCsv),
                       ::testing::Values(Conversion{"", ""}, Conversion{"DSKO042", "DSKO042"},
                                         Conversion{"a,b", "\"a,b\""},
                                         Conversion{"say \"x\"", "\"say \"\"x\"\"\""},
                                         Conversion{"a\nb", "\"a\nb\""},
                                         Conversion{"a\rb", "\"a\rb\""},
                                         Conversion{" lead", "\" lead\""},
                                         Conversion{"trail ", "\"trail \""},
                                         Conversion{"in ner", "in ner"})));

}  // namespace
}  // namespace vexal::cli

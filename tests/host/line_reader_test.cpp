// Record lines out of byte streams, whatever the sizes of the blocks read
// and of the reader's buffer.

#include "core/line_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "support/string_source.h"

namespace vexal::cli {
namespace {

using ::testing::ElementsAreArray;

using vexal::test::StringSource;

struct Split {
  const char* name;
  std::string input;
  std::vector<std::string> lines;
};

const std::string kLong(5000, 'x');

const Split kSplits[] = {
    {"Empty", "", {}},
    {"LfLines", "a\nbc\n", {"a", "bc"}},
    {"CrLfLines", "a\r\nbc\r\n", {"a", "bc"}},
    {"LastLineWithoutEnd", "a\nbc", {"a", "bc"}},
    {"CrLfWithoutFinalEnd", "a\r\nbc", {"a", "bc"}},
    {"EmptyLinesKept", "\n\na\n\r\n\nb", {"", "", "a", "", "", "b"}},
    {"OnlyLineEnd", "\r\n", {""}},
    {"InnerCrEndsALine", "a\rb\n", {"a", "b"}},
    {"FinalCrIsALineEnd", "a\nb\r", {"a", "b"}},
    {"CrBeforeCrLf", "a\r\r\n", {"a", ""}},
    {"NulBytesStay", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    {"LongerThanTheBuffer", "s\n" + kLong + "\r\nt", {"s", kLong, "t"}},
};

class LineReaderTest
    : public ::testing::TestWithParam<std::tuple<Split, std::size_t, std::size_t>> {};

TEST_P(LineReaderTest, SplitsLikeTheInputWasWritten) {
  const auto& [split, block, buffer] = GetParam();
  StringSource source(split.input, block);
  core::LineReader reader(source, buffer);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) {
    lines.emplace_back(line);
    EXPECT_EQ(reader.lineNumber(), static_cast<long>(lines.size()));
  }
  EXPECT_THAT(lines, ElementsAreArray(split.lines));
  // Every byte, line ends included, is counted as read through.
  EXPECT_EQ(reader.offset(), split.input.size());
  EXPECT_FALSE(reader.next(line));
  EXPECT_FALSE(source.failed());
}

INSTANTIATE_TEST_SUITE_P(
    Splits, LineReaderTest,
    ::testing::Combine(::testing::ValuesIn(kSplits), ::testing::Values(1, 2, 3, 7, 4096),
                       ::testing::Values(1, 4, 16, core::LineReader::kDefaultBufferSize)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_block" +
             std::to_string(std::get<1>(info.param)) + "_buffer" +
             std::to_string(std::get<2>(info.param));
    });

TEST(LineReaderTest, StopsWhereTheSourceFails) {
  StringSource source("ab\ncd\nef\n", 2, 4);
  core::LineReader reader(source, 16);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) lines.emplace_back(line);
  EXPECT_TRUE(source.failed());
  // Complete lines before the failure are handed out, the cut one is not.
  EXPECT_THAT(lines, ElementsAreArray({"ab"}));
}

TEST(LineReaderTest, SkipsLinesLongerThanTheMaximum) {
  // Lines of 10 and 11 characters against a maximum of 10, read in blocks
  // and buffers smaller and larger than the lines.
  const std::string input =
      std::string(10, 'a') + "\n" + std::string(25, 'b') + "\r\nc\n" + std::string(11, 'd');
  for (std::size_t block : {1, 3, 64}) {
    for (std::size_t buffer : {1, 4, 64}) {
      SCOPED_TRACE("block " + std::to_string(block) + ", buffer " + std::to_string(buffer));
      StringSource source(input, block);
      core::LineReader reader(source, buffer, 10);
      std::vector<std::string> lines;
      std::vector<std::size_t> overlong;
      std::vector<std::uint64_t> offsets;
      std::string_view line;
      while (reader.next(line)) {
        lines.emplace_back(line);
        overlong.push_back(reader.overlongLength());
        offsets.push_back(reader.offset());
      }
      EXPECT_THAT(lines, ElementsAreArray({std::string(10, 'a'), std::string(), std::string("c"),
                                           std::string()}));
      // The CR of the skipped line is counted with it.
      EXPECT_THAT(overlong, ElementsAreArray({0u, 26u, 0u, 11u}));
      EXPECT_THAT(offsets, ElementsAreArray({11u, 38u, 40u, 51u}));
      EXPECT_EQ(reader.lineNumber(), 4);
    }
  }
}

}  // namespace
}  // namespace vexal::cli

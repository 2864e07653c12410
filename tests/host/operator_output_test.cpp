// What `vexal check` shows an operator, piece by piece: the progress line
// (with a clock the test sets), the colour decision, the warnings about
// files that are not Latin-1, and the statistics table.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdio.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/input_encoding.h"
#include "cli/terminal.h"
#include "cli/printers.h"
#include "support/memory_file.h"

namespace vexal::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A ProgressState, its file name as a plain pointer.
struct State {
  const char* file;
  int file_index;
  int file_count;
  std::int64_t size;
  std::uint64_t bytes;
  double file_seconds;
  long lines;
  double run_seconds;
};

struct ProgressCase {
  const char* name;
  State state;
  std::size_t width;
  const char* text;
};

class ProgressTextTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressTextTest, ShowsShareRateAndTimeLeft) {
  const State& s = GetParam().state;
  const ProgressState state{s.file,  s.file_index,   s.file_count, s.size,
                            s.bytes, s.file_seconds, s.lines,      s.run_seconds};
  EXPECT_EQ(progressText(state, GetParam().width), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(States, ProgressTextTest,
                         ::testing::Values(
                             // A quarter of 4 MB in 2 s: 6 s left for the rest of the file.
                             ProgressCase{"KnownSize",
                                          {"big.txt", 1, 1, 4000000, 1000000, 2.0, 720000, 2.0},
                                          100,
                                          "vexal: big.txt  25%  360,000 records/s  0:06 left"},
                             ProgressCase{"SecondOfThreeFiles",
                                          {"b.txt", 2, 3, 1000, 500, 1.0, 10, 4.0},
                                          100,
                                          "vexal: b.txt (2 of 3)  50%  2 records/s  0:01 left"},
                             ProgressCase{"HoursLeft",
                                          {"huge.txt", 1, 1, 3700000, 100000, 100.0, 1000, 1.0},
                                          100,
                                          "vexal: huge.txt  2%  1,000 records/s  1:00:00 left"},
                             // Standard input has no size: the bytes read instead.
                             ProgressCase{"UnknownSize",
                                          {"-", 1, 1, -1, 12500000, 1.0, 30000, 1.0},
                                          100,
                                          "vexal: -  12 MB  30,000 records/s"},
                             ProgressCase{"LongNameShortenedAtItsStart",
                                          {"/data/transmissions/2026/december/big.txt", 1, 1, 100,
                                           50, 1.0, 10, 1.0},
                                          48,
                                          "vexal: .../big.txt  50%  10 records/s  0:01 left"}),
                         [](const auto& info) { return info.param.name; });

using vexal::test::MemoryFile;

TEST(ProgressMeterTest, AppearsAfterTheDelayAndClearsItsLine) {
  MemoryFile terminal;
  double now = 100.0;
  const std::string shown = "\rvexal: a.txt  20%  64 records/s  0:08 left";
  const std::string cleared = shown + "\r" + std::string(shown.size() - 1, ' ') + "\r";
  {
    ProgressMeter meter(terminal.get(), 80, 1.0, [&] { return now; });
    meter.startFile("a.txt", 6400, 1, 1);
    now = 100.5;
    for (int line = 1; line <= 64; ++line) meter.lineDone(line * 10);
    EXPECT_EQ(terminal.text(), "") << "before the delay";

    now = 102.0;
    for (int line = 65; line <= 128; ++line) meter.lineDone(line * 10);
    EXPECT_EQ(terminal.text(), shown);

    // Not redrawn within a quarter of a second.
    now = 102.125;
    for (int line = 129; line <= 192; ++line) meter.lineDone(line * 10);
    EXPECT_EQ(terminal.text(), shown);

    meter.clear();
    EXPECT_EQ(terminal.text(), cleared);
  }
  EXPECT_EQ(terminal.text(), cleared) << "cleared once only";
}

TEST(ProgressMeterTest, PadsAShorterLineOverTheLongerOne) {
  MemoryFile terminal;
  double now = 0;
  ProgressMeter meter(terminal.get(), 80, 0, [&] { return now; });
  meter.startFile("a-rather-long-name.txt", 100, 1, 1);
  const std::string first = "\rvexal: a-rather-long-name.txt  0%";
  EXPECT_EQ(terminal.text(), first);
  now = 1;
  meter.startFile("b.txt", -1, 1, 1);
  EXPECT_EQ(terminal.text(), first + "\rvexal: b.txt  0 MB  0 records/s  ");
  meter.clear();
}

struct ColorCase {
  ColorMode mode;
  bool terminal;
  const char* no_color;
  const char* term;
  bool wanted;
};

class ColorDecisionTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorDecisionTest, FollowsModeTerminalAndEnvironment) {
  const ColorCase& c = GetParam();
  EXPECT_EQ(colorWanted(c.mode, c.terminal, c.no_color, c.term), c.wanted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorDecisionTest,
    ::testing::Values(ColorCase{ColorMode::kAuto, true, nullptr, "xterm", true},
                      ColorCase{ColorMode::kAuto, true, nullptr, nullptr, true},
                      ColorCase{ColorMode::kAuto, false, nullptr, "xterm", false},
                      ColorCase{ColorMode::kAuto, true, "1", "xterm", false},
                      ColorCase{ColorMode::kAuto, true, "", "xterm", true},
                      ColorCase{ColorMode::kAuto, true, nullptr, "dumb", false},
                      ColorCase{ColorMode::kAlways, false, "1", "dumb", true},
                      ColorCase{ColorMode::kNever, true, nullptr, "xterm", false}));

struct EncodingCase {
  const char* name;
  std::vector<std::string> lines;
  long warned_line;  // 0: no warning
  const char* part;
};

class EncodingWatchTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingWatchTest, WarnsOnceAtTheFirstLineConcerned) {
  core::EncodingWatch watch;
  long warned = 0;
  std::string message;
  for (std::size_t i = 0; i < GetParam().lines.size(); ++i) {
    std::string warning = watch.inspect(GetParam().lines[i], static_cast<long>(i + 1));
    if (warning.empty()) continue;
    EXPECT_EQ(warned, 0) << "a second warning: " << warning;
    warned = static_cast<long>(i + 1);
    message = warning;
  }
  EXPECT_EQ(warned, GetParam().warned_line);
  EXPECT_THAT(message, HasSubstr(GetParam().part));
}

INSTANTIATE_TEST_SUITE_P(
    Files, EncodingWatchTest,
    ::testing::Values(
        EncodingCase{"Ascii", {"DSKO 04", "DSKO 05"}, 0, ""},
        EncodingCase{"Latin1Umlauts",
                     {"M\xFCller",
                      "K\xF6ln Stra\xDF"
                      "e"},
                     0,
                     ""},
        // Latin-1 bytes that happen to form UTF-8 next to bytes that do not.
        EncodingCase{"Latin1LookingLikeUtf8InPart", {"caf\xC3\xA9 M\xFCller"}, 0, ""},
        EncodingCase{"Utf8",
                     {"plain", "M\xC3\xBCller", "K\xC3\xB6ln"},
                     2,
                     "\"\xFC\" (U+00FC) at character 2"},
        EncodingCase{"Utf8OutsideWindows1252", {"x \xE2\x86\x92 y"}, 1, "U+2192 at character 3"},
        EncodingCase{"Utf8Mark",
                     {"\xEF\xBB\xBF"
                      "DSKO",
                      "M\xC3\xBCller"},
                     1,
                     "UTF-8 byte-order mark"},
        EncodingCase{"Utf16LittleEndian",
                     {std::string("\xFF\xFE"
                                  "D\0S\0",
                                  6)},
                     1,
                     "UTF-16 byte-order mark"},
        EncodingCase{
            "Utf16BigEndian", {std::string("\xFE\xFF\0D\0S", 6)}, 1, "UTF-16 byte-order mark"},
        EncodingCase{"Utf16WithoutMark",
                     {std::string("D\0S\0K\0O\0", 8)},
                     1,
                     "UTF-16 without a byte-order mark"},
        EncodingCase{"Utf16BigEndianWithoutMark",
                     {std::string("\0D\0S", 4)},
                     1,
                     "UTF-16 without a byte-order mark"},
        EncodingCase{"ZeroBytesNotInStep", {std::string("DS\0\0KO", 6)}, 0, ""},
        // A mark counts only at the start of the file.
        EncodingCase{"MarkInALaterLine",
                     {"DSKO",
                      "\xFF\xFE"
                      "DSKO"},
                     0,
                     ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vexal::cli

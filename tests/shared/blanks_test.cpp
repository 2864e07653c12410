// The blanks at either end of a text, found eight bytes at a time, against
// a byte-by-byte search over every arrangement of blanks and other bytes.

#include "shared/blanks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace {

using vexal::shared::endOfNonBlank;
using vexal::shared::firstNonBlank;

std::size_t firstByByte(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

std::size_t endByByte(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return end;
}

TEST(BlanksTest, EveryArrangementUpToTwelveBytes) {
  for (std::size_t length = 0; length <= 12; ++length) {
    for (unsigned pattern = 0; pattern < (1u << length); ++pattern) {
      std::string text(length, ' ');
      for (std::size_t i = 0; i < length; ++i) {
        if (pattern & (1u << i)) text[i] = 'x';
      }
      ASSERT_EQ(firstNonBlank(text), firstByByte(text)) << '"' << text << '"';
      ASSERT_EQ(endOfNonBlank(text), endByByte(text)) << '"' << text << '"';
    }
  }
}

// Long padded fields with any bytes, NUL and blank-like ones included, and
// views that start and end inside a larger text.
TEST(BlanksTest, PaddedTextsAndViewsInsideLargerOnes) {
  std::mt19937 random(42);
  const char kBytes[] = {' ', ' ', ' ', 'a', '\0', '\t', '\xA0', '!', '\x20'};
  for (int round = 0; round < 5000; ++round) {
    std::string text(random() % 90, ' ');
    for (char& c : text) {
      if (random() % 4 == 0) c = kBytes[random() % sizeof kBytes];
    }
    std::size_t from = text.empty() ? 0 : random() % text.size();
    std::string_view view = std::string_view(text).substr(from, random() % 80);
    ASSERT_EQ(firstNonBlank(view), firstByByte(view));
    ASSERT_EQ(endOfNonBlank(view), endByByte(view));
  }
}

}  // namespace

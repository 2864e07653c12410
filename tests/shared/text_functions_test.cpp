// The shared text functions against the rule language's own loops, which
// read one character at a time with TEIL.

#include "shared/text_functions.h"

#include <string>

#include <gtest/gtest.h>

#include "pl/functions.h"
#include "shared/rule_terms.h"
#include "support/harness.h"

namespace {

using pl::Functions;

class TextFunctionsTest : public ::testing::TestWithParam<const char*> {
 protected:
  pl::Value* number(long n) { return ctx.createNumberValue(n); }
  pl::Value* characterAt(pl::Value* text, long p) {
    return Functions::TEIL(&ctx, text, number(p), number(1));
  }
  bool isBlank(pl::Value* c) {
    return Functions::eq(&ctx, c, ctx.createStringValue(" "))->isTrue();
  }
  bool notAfter(long p, pl::Value* length) {
    return Functions::le(&ctx, number(p), length)->isTrue();
  }

  bool leerzeichen(pl::Value* text) {
    bool result = true;
    pl::Value* length = Functions::WERTLAENGE(&ctx, text);
    for (long p = 1; result && notAfter(p, length); ++p) {
      if (!isBlank(characterAt(text, p))) result = false;
    }
    return result;
  }

  bool linksbuendig(pl::Value* text) {
    bool result = true, blank_seen = false;
    pl::Value* length = Functions::WERTLAENGE(&ctx, text);
    for (long p = 1; result && notAfter(p, length);) {
      if (isBlank(characterAt(text, p))) {
        blank_seen = true;
        ++p;
      } else if (blank_seen) {
        result = false;
        ++p;
      } else {
        break;
      }
    }
    return result;
  }

  pl::Value* trim(pl::Value* text) {
    pl::Value* blank = ctx.createStringValue(" ");
    pl::Value* length = Functions::WERTLAENGE(&ctx, text);
    bool scanning = Functions::BEGINNT_MIT(&ctx, text, blank)->isTrue();
    long count = 0;
    for (long p = 1; scanning && notAfter(p, length);) {
      if (isBlank(characterAt(text, p))) {
        ++count;
        ++p;
      } else {
        scanning = false;
      }
    }
    if (count > 0)
      text = Functions::TEIL(&ctx, text, number(count + 1), number(length->getLong() - count));
    long size = Functions::WERTLAENGE(&ctx, text)->getLong();
    count = 0;
    scanning = Functions::ENDET_AUF(&ctx, text, blank)->isTrue();
    for (long p = size; scanning;) {
      if (isBlank(characterAt(text, p))) {
        ++count;
        --p;
      } else {
        scanning = false;
      }
    }
    if (count > 0) text = Functions::TEIL(&ctx, text, number(1), number(size - count));
    return text;
  }

  pl::RuntimeContext ctx;
};

TEST_P(TextFunctionsTest, AgreeWithTheCharacterLoops) {
  pl::Value* text = ctx.createStringValue(GetParam());
  EXPECT_EQ(vexal::shared::F_IstLeerzeichen(&ctx, text)->isTrue(), leerzeichen(text));
  EXPECT_EQ(vexal::shared::F_IstLinksbündig(&ctx, text)->isTrue(), linksbuendig(text));
  EXPECT_EQ(std::string(vexal::shared::textOf(vexal::shared::F_Trim(&ctx, text))),
            std::string(vexal::shared::textOf(trim(text))));
  EXPECT_EQ(ctx.getSectionDepth(), 0u);
}

// The answers rule code takes in place of calling the functions agree with
// them, for text values that keep their facts or not; with a section
// observer listening, they call the functions, whose sections it sees.
TEST_P(TextFunctionsTest, AnswersInPlaceAgreeWithTheFunctions) {
  for (bool keeps : {false, true}) {
    pl::Value* text = ctx.createStringValue(GetParam());
    if (keeps) static_cast<pl::StringValue*>(text)->keepFacts();
    const bool blank = vexal::shared::F_IstLeerzeichen(&ctx, text)->isTrue();
    const bool aligned = vexal::shared::F_IstLinksbündig(&ctx, text)->isTrue();
    const std::size_t trimmed = vexal::shared::textOf(vexal::shared::F_Trim(&ctx, text)).size();
    EXPECT_EQ(vexal::shared::isBlank(&ctx, text), blank);
    EXPECT_EQ(vexal::shared::isLeftAligned(&ctx, text), aligned);
    EXPECT_EQ(vexal::shared::trimmedLength(&ctx, text), trimmed);
    pl::Value* t = vexal::shared::F_Trim(&ctx, text);
    EXPECT_EQ(vexal::shared::isTrimmedNumeric(&ctx, text), pl::Functions::isNumericText(t));
    const std::string literal(vexal::shared::textOf(t));
    EXPECT_TRUE(vexal::shared::trimmedEquals(&ctx, text, literal));
    EXPECT_FALSE(vexal::shared::trimmedEquals(&ctx, text, literal + " "));

    vexal::testing::SectionTracker sections;
    ctx.setSectionObserver(&sections);
    EXPECT_EQ(vexal::shared::isBlank(&ctx, text), blank);
    EXPECT_EQ(vexal::shared::isLeftAligned(&ctx, text), aligned);
    EXPECT_EQ(vexal::shared::trimmedLength(&ctx, text), trimmed);
    ctx.setSectionObserver(nullptr);
    EXPECT_EQ(sections.started.size(), 3u);
    EXPECT_TRUE(sections.balanced());
  }
}

// A trimmed text is told it has no blanks at its ends; asked again, it
// gives itself back.
TEST_P(TextFunctionsTest, TrimmingTwiceGivesTheSameValue) {
  pl::Value* once = vexal::shared::F_Trim(&ctx, ctx.createStringValue(GetParam()));
  EXPECT_EQ(vexal::shared::F_Trim(&ctx, once), once);
  EXPECT_EQ(vexal::shared::text_facts::trimmedLength(once), vexal::shared::textOf(once).size());
}

INSTANTIATE_TEST_SUITE_P(Texts, TextFunctionsTest,
                         ::testing::Values("", " ", "   ", "a", " a", "a ", "  a  ", "a b", " a b ",
                                           "\xE4\xF6 ", "ab   c", "      1", "12 ", " 0 ", "1 2"));

// Values that are no texts: the missing value and a number.
TEST(TextFunctionsOfOtherValues, AnswersInPlaceAgreeWithTheFunctions) {
  pl::RuntimeContext ctx;
  for (pl::Value* v : {ctx.createInvalidValue(), ctx.createNumberValue(120)}) {
    EXPECT_EQ(vexal::shared::isBlank(&ctx, v), vexal::shared::F_IstLeerzeichen(&ctx, v)->isTrue());
    EXPECT_EQ(vexal::shared::isLeftAligned(&ctx, v),
              vexal::shared::F_IstLinksbündig(&ctx, v)->isTrue());
    EXPECT_EQ(vexal::shared::trimmedLength(&ctx, v),
              Functions::length(vexal::shared::F_Trim(&ctx, v)));
    EXPECT_EQ(vexal::shared::isTrimmedNumeric(&ctx, v),
              Functions::isNumericText(vexal::shared::F_Trim(&ctx, v)));
    EXPECT_EQ(vexal::shared::trimmedEquals(&ctx, v, "120"),
              Functions::equalsText(vexal::shared::F_Trim(&ctx, v), "120"));
  }
}

}  // namespace

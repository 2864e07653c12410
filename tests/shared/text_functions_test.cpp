// The shared text functions against the rule language's own loops, which
// read one character at a time with TEIL.

#include "shared/text_functions.h"

#include <string>

#include <gtest/gtest.h>

#include "pl/functions.h"
#include "shared/rule_terms.h"

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

INSTANTIATE_TEST_SUITE_P(Texts, TextFunctionsTest,
                         ::testing::Values("", " ", "   ", "a", " a", "a ", "  a  ", "a b", " a b ",
                                           "\xE4\xF6 ", "ab   c", "      1"));

}  // namespace

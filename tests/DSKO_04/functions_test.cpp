// The rule functions of DSKO_04 called by name, as a host calls them, with
// their parameters given as init parameters.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSKO_04/DSKO_04.h"
#include "DSKO_04/dsko04_record.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace {

struct CallCase {
  const char* function;  // by-name key, Latin-1
  const char* parameter;
  const char* argument;  // null: the parameter is not set
  const char* result;    // getString() of the result
};

void PrintTo(const CallCase& c, std::ostream* os) { *os << c.function; }

const CallCase kCalls[] = {
    {"F_IstLeerzeichen", "Zeichenkette", "   ", "true"},
    {"F_IstLeerzeichen", "Zeichenkette", "", "true"},
    {"F_IstLeerzeichen", "Zeichenkette", "  x ", "false"},
    {"F_IstLeerzeichen", "Zeichenkette", nullptr, "true"},
    {"F_IstLinksb\xFCndig", "Zeichenkette", " 1", "false"},
    {"F_IstLinksb\xFCndig", "Zeichenkette", "   1  2", "false"},
    {"F_IstLinksb\xFCndig", "Zeichenkette", "1 ", "true"},
    {"F_IstLinksb\xFCndig", "Zeichenkette", "a b", "true"},
    {"F_IstLinksb\xFCndig", "Zeichenkette", "   ", "true"},
    {"F_IstLinksb\xFCndig", "Zeichenkette", "", "true"},
    {"F_Trim", "Zeichenkette", "  ab c  ", "ab c"},
    {"F_Trim", "Zeichenkette", "    ", ""},
    {"F_Trim", "Zeichenkette", "abc", "abc"},
    {"F_Trim", "Zeichenkette", " \xE4 ", "\xE4"},
    {"F_IstErlaubteEmailZeichen", "wert", "a.b-c_d+e@x.de", "true"},
    {"F_IstErlaubteEmailZeichen", "wert", "!/:?@^`~", "false"},
    {"F_IstErlaubteEmailZeichen", "wert", "\\", "false"},
    {"F_IstErlaubteEmailZeichen", "wert", "{", "false"},
    {"F_IstErlaubteEmailZeichen", "wert", "\xA7\xC4\xD6\xDC\xDF\xE4\xF6\xFC", "true"},
    {"F_IstErlaubteEmailZeichen", "wert", "\xE9", "false"},
    {"F_IstErlaubteEmailZeichen", "wert", "", "true"},
    {"F_IstErlaubteEmail", "wert", "a@b", "true"},
    {"F_IstErlaubteEmail", "wert",
     "a\xA7"
     "b",
     "true"},
    {"F_IstErlaubteEmail", "wert", "ab", "false"},
    {"F_IstErlaubteEmail", "wert",
     "\xA7"
     "ab",
     "false"},
    {"F_IstErlaubteEmail", "wert", "ab@", "false"},
    {"F_IstErlaubteEmail", "wert",
     "a@b\xA7"
     "c",
     "false"},
    {"F_IstErlaubteEmail", "wert", "", "false"},
};

class Dsko04CallTest : public ::testing::TestWithParam<CallCase> {};

TEST_P(Dsko04CallTest, AnswersFromItsInitParameter) {
  auto h = dsko04::makeHarness();
  const CallCase& c = GetParam();
  if (c.argument != nullptr) h->ctx().setInitParam(c.parameter, c.argument);
  pl::Value* result = h->plausi().callFunction(&h->ctx(), c.function);
  EXPECT_EQ(std::string(result->getString()), c.result);
  EXPECT_TRUE(h->sections.balanced());
  ASSERT_FALSE(h->sections.started.empty());
  EXPECT_EQ(h->sections.started.front(), std::string("Funktion ") + c.function + "|0");
}

INSTANTIATE_TEST_SUITE_P(ByName, Dsko04CallTest, ::testing::ValuesIn(kCalls));

// The e-mail character set at each edge of its ranges (0x21-0x5A, 0x5E-0x7A
// and eight single characters): the first and last character of a range
// pass, the characters just outside fail.
struct EmailCharacter {
  unsigned char c;
  bool allowed;
};

class Dsko04EmailCharacterTest : public ::testing::TestWithParam<EmailCharacter> {};

TEST_P(Dsko04EmailCharacterTest, AllowsExactlyTheRanges) {
  auto h = dsko04::makeHarness();
  const EmailCharacter& c = GetParam();
  h->ctx().setInitParam("wert", std::string(1, static_cast<char>(c.c)));
  EXPECT_EQ(h->plausi().callFunction(&h->ctx(), "F_IstErlaubteEmailZeichen")->isTrue(), c.allowed)
      << "character 0x" << std::hex << static_cast<int>(c.c);
}

// clang-format off
const EmailCharacter kEmailEdges[] = {
    {0x20, false}, {0x21, true},  {0x5A, true},  {0x5B, false}, {0x5D, false}, {0x5E, true},
    {0x7A, true},  {0x7B, false}, {0x7F, false}, {0xA6, false}, {0xA7, true},  {0xA8, false},
    {0xC3, false}, {0xC4, true},  {0xC5, false}, {0xD5, false}, {0xD6, true},  {0xD7, false},
    {0xDB, false}, {0xDC, true},  {0xDD, false}, {0xDE, false}, {0xDF, true},  {0xE0, false},
    {0xE3, false}, {0xE4, true},  {0xE5, false}, {0xF5, false}, {0xF6, true},  {0xF7, false},
    {0xFB, false}, {0xFC, true},  {0xFD, false}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Edges, Dsko04EmailCharacterTest, ::testing::ValuesIn(kEmailEdges));

TEST(Dsko04ByNameTest, CheckingFunctionsAnswerForTheRecordUnderCheck) {
  auto h = dsko04::makeHarness();
  h->checkValues(dsko04::validRecord().set("VERNR", "03").values());
  EXPECT_EQ(h->plausi().callFunction(&h->ctx(), "F_PruefeVERNR")->getLong(), 0);
  EXPECT_EQ(h->plausi().callFunction(&h->ctx(), "F_PruefeABSN")->getLong(), 1);
  EXPECT_EQ(h->plausi().callFunction(&h->ctx(), "F_PruefeED")->getLong(), 1);
}

}  // namespace

namespace {

// The one pass over an address that the rule takes without a section
// observer answers as the two functions do.
class Dsko04EmailAnswersTest : public ::testing::TestWithParam<const char*> {};

TEST_P(Dsko04EmailAnswersTest, AgreeWithTheFunctions) {
  pl::RuntimeContext ctx;
  const std::string text = GetParam();
  pl::Value* address = ctx.createStringValue(text);
  const DSKO_04::EmailAnswers answers = DSKO_04::emailAnswers(text);
  EXPECT_EQ(answers.characters_allowed,
            DSKO_04::F_IstErlaubteEmailZeichen(&ctx, address)->isTrue());
  EXPECT_EQ(answers.one_inner_at_sign, DSKO_04::F_IstErlaubteEmail(&ctx, address)->isTrue());
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, Dsko04EmailAnswersTest,
    ::testing::Values("", "a@b", "@ab", "ab@", "ab", "a@b@c",
                      "a\xA7"
                      "b",
                      "a@b\xA7"
                      "c",
                      "in fo@x.de", "{@}", "\xE9@x", "m\xFCller@x.de", "@", "a@@b",
                      // Longer than one run of 16, and
                      // the bounds of the allowed ranges.
                      "info@muster-und-partner.de", "abcdefghijklmnopqr@s@t.de",
                      "abcdefghijklmnopqrst@", "!Z^z@x", "[@x", "\\@x", "]@x", "`@x", "{|}~@x",
                      "\x7F@x", "\xA6@x", "\xC4\xD6\xDC\xDF\xE4\xF6\xFC@x", "\x20@x", "\x21@\x5A"));

// Every byte in every place of addresses shorter than, as long as and
// longer than the eight bytes read at once, beside an at-sign or not:
// the answers agree with the functions.
TEST(Dsko04EmailAnswersTest, AgreeWithTheFunctionsForEveryByteAndPlace) {
  const struct {
    std::size_t size;
    std::size_t at_sign;  // where the address has its "@"; size: none
  } kShapes[] = {{1, 1}, {5, 2},  {7, 7},  {8, 3},   {8, 8},   {9, 4},
                 {9, 8}, {15, 7}, {16, 9}, {16, 16}, {17, 16}, {23, 0}};
  pl::RuntimeContext ctx;
  for (const auto& shape : kShapes) {
    std::string base(shape.size, 'a');
    if (shape.at_sign < shape.size) base[shape.at_sign] = '@';
    for (std::size_t place = 0; place < shape.size; ++place) {
      for (unsigned byte = 0; byte < 256; ++byte) {
        std::string text = base;
        text[place] = static_cast<char>(byte);
        ctx.reset();
        pl::Value* address = ctx.createStringValue(text);
        const DSKO_04::EmailAnswers answers = DSKO_04::emailAnswers(text);
        ASSERT_EQ(answers.characters_allowed,
                  DSKO_04::F_IstErlaubteEmailZeichen(&ctx, address)->isTrue())
            << "size " << shape.size << ", byte " << byte << " at " << place;
        ASSERT_EQ(answers.one_inner_at_sign, DSKO_04::F_IstErlaubteEmail(&ctx, address)->isTrue())
            << "size " << shape.size << ", byte " << byte << " at " << place;
      }
    }
  }
}

}  // namespace

// The runtime context: configuration, values' lifetime, sections, findings
// and logging.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "pl/functions.h"
#include "pl/logger.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace {

using ::testing::ElementsAre;

class Lines : public pl::LogSink {
 public:
  void write(pl::LogLevel level, std::string_view line) override {
    lines.push_back((level == pl::LogLevel::kTrace ? "T:" : "E:") + std::string(line));
  }
  std::vector<std::string> lines;
};

TEST(ContextTest, InitParametersAreTextsOrInvalid) {
  pl::RuntimeContext ctx;
  EXPECT_TRUE(ctx.getInitParam("ipMjahrSchalttag")->isInvalid());
  EXPECT_TRUE(ctx.getInitParam(nullptr)->isInvalid());
  ctx.setInitParam("ipMjahrSchalttag", "1201");
  pl::Value* value = ctx.getInitParam("ipMjahrSchalttag");
  EXPECT_EQ(value->getKind(), pl::Value::Kind::kString);
  EXPECT_STREQ(value->getString(), "1201");
  ctx.setInitParam("ipMjahrSchalttag", "");
  EXPECT_STREQ(ctx.getInitParam("ipMjahrSchalttag")->getString(), "");  // set but empty: a text
  EXPECT_TRUE(ctx.getInitParam("ipmjahrschalttag")->isInvalid());       // names are exact
  ctx.reset();
  EXPECT_FALSE(ctx.getInitParam("ipMjahrSchalttag")->isInvalid());  // configuration survives
}

TEST(ContextTest, ProcessingDateIsWhatHeuteAnswers) {
  pl::RuntimeContext ctx;
  ctx.setProcessingDate(2024, 2, 29);
  EXPECT_STREQ(pl::Functions::HEUTE(&ctx)->getString(), "20240229");
  EXPECT_THROW(ctx.setProcessingDate(2023, 2, 29), pl::PlausiException);
  EXPECT_STREQ(pl::Functions::HEUTE(&ctx)->getString(), "20240229");
}

TEST(ContextTest, DateValuesFromTextNameTheBadText) {
  pl::RuntimeContext ctx;
  EXPECT_STREQ(ctx.createDateValue("20241231", "JJJJMMTT")->getString(), "20241231");
  for (const char* bad : {"20241301", "2024123", "2024123x", "", "20230229"}) {
    SCOPED_TRACE(bad);
    try {
      ctx.createDateValue(bad, "JJJJMMTT");
      ADD_FAILURE() << "no exception";
    } catch (const pl::PlausiException& e) {
      EXPECT_THAT(e.getMessage(), ::testing::HasSubstr("\"" + std::string(bad) + "\""));
    }
  }
  EXPECT_THROW(ctx.createDateValue(ctx.createInvalidValue(), "JJJJMMTT"), pl::PlausiException);
  EXPECT_THROW(ctx.createDateValue("20241231", "TTMMJJJJ"), pl::PlausiException);
}

TEST(ContextTest, DatesFromTextsOfKnownLengthReadJustThoseBytes) {
  pl::RuntimeContext ctx;
  const std::string_view line = "x20240229y";
  EXPECT_STREQ(ctx.createDateValue(line.substr(1, 8), "JJJJMMTT")->getString(), "20240229");
  try {
    ctx.createDateValue(line.substr(0, 8), "JJJJMMTT");
    ADD_FAILURE() << "no exception";
  } catch (const pl::PlausiException& e) {
    EXPECT_STREQ(e.getMessage(), "Ung\xFCltiges Datum \"x2024022\" (erwartet JJJJMMTT).");
  }
  EXPECT_THROW(ctx.createDateValue(line.substr(1, 9), "JJJJMMTT"), pl::PlausiException);
  EXPECT_THROW(ctx.createDateValue(line.substr(1, 8), "TTMMJJJJ"), pl::PlausiException);
}

TEST(ContextTest, HeuteIsTheContextsOwnDate) {
  pl::RuntimeContext ctx;
  ctx.setProcessingDate(2026, 12, 8);
  pl::Value* today = pl::Functions::HEUTE(&ctx);
  EXPECT_EQ(pl::Functions::HEUTE(&ctx), today);  // nothing made per call
  ctx.setProcessingDate(2027, 1, 2);
  EXPECT_STREQ(today->getString(), "20270102");
  EXPECT_EQ(pl::Functions::order(today, ctx.createDateValue("20270101", "JJJJMMTT")),
            pl::Functions::Order::kGreater);
}

TEST(ContextTest, SectionsAreAStackAndResetClosesThem) {
  pl::RuntimeContext ctx;
  ctx.leaveCurrentSection();  // nothing open: no effect
  ctx.startNewSection("a", true);
  ctx.startNewSection("b", false);
  pl::PlausiProblem* p = ctx.createProblem(pl::ProblemType::kRule, 1);
  ctx.setSectionInfosToProblem(p);
  ctx.leaveCurrentSection();
  EXPECT_EQ(ctx.getSectionDepth(), 1u);
  ASSERT_EQ(p->getSectionCount(), 2u);
  EXPECT_STREQ(p->getSection(0).title, "a");
  EXPECT_TRUE(p->getSection(0).flag);
  EXPECT_STREQ(p->getSection(1).title, "b");
  EXPECT_FALSE(p->getSection(1).flag);
  ctx.reset();
  EXPECT_EQ(ctx.getSectionDepth(), 0u);
  EXPECT_EQ(ctx.getProblemCount(), 0u);
}

// A finding keeps copies of the titles of however many sections are open,
// readable after the titles themselves changed.
TEST(ContextTest, FindingsKeepCopiesOfEveryOpenSectionsTitle) {
  for (std::size_t depth : {0u, 1u, 3u, 16u, 17u, 40u}) {
    SCOPED_TRACE(depth);
    pl::RuntimeContext ctx;
    std::vector<std::string> titles;
    for (std::size_t i = 0; i < depth; ++i) titles.push_back(std::string(i % 7, 'a' + i % 26));
    for (std::size_t i = 0; i < depth; ++i) ctx.startNewSection(titles[i].c_str(), i % 2 == 0);
    pl::PlausiProblem* p = ctx.createProblem(pl::ProblemType::kRule, 1);
    ctx.setSectionInfosToProblem(p);
    const std::vector<std::string> expected = titles;
    for (std::string& title : titles) std::fill(title.begin(), title.end(), '?');
    ASSERT_EQ(p->getSectionCount(), depth);
    for (std::size_t i = 0; i < depth; ++i) {
      EXPECT_EQ(std::string(p->getSection(i).title), expected[i]) << i;
      EXPECT_EQ(p->getSection(i).flag, i % 2 == 0) << i;
    }
  }
}

class Titles : public pl::SectionObserver {
 public:
  void onStart(const char* title, bool, std::size_t depth) override {
    seen.push_back(std::string(title) + "@" + std::to_string(depth));
  }
  void onLeave(const char* title, std::size_t) override {
    seen.push_back("/" + std::string(title));
  }
  std::vector<std::string> seen;
};

TEST(ContextTest, QuietSectionsOpenOnlyWhileAnObserverListens) {
  pl::RuntimeContext ctx;
  ctx.startNewSection("a", true);
  bool opened = ctx.startQuietSection("quiet", false);
  EXPECT_FALSE(opened);
  EXPECT_EQ(ctx.getSectionDepth(), 1u);
  pl::PlausiProblem* p = ctx.createProblem(pl::ProblemType::kRule, 1);
  ctx.setSectionInfosToProblem(p);
  EXPECT_EQ(p->getSectionCount(), 1u);
  ctx.leaveQuietSection(opened);
  EXPECT_EQ(ctx.getSectionDepth(), 1u);  // leaving what did not open leaves nothing

  Titles titles;
  ctx.setSectionObserver(&titles);
  opened = ctx.startQuietSection("quiet", false);
  EXPECT_TRUE(opened);
  EXPECT_EQ(ctx.getSectionDepth(), 2u);
  ctx.leaveQuietSection(opened);
  EXPECT_EQ(ctx.getSectionDepth(), 1u);
  EXPECT_THAT(titles.seen, ElementsAre("quiet@2", "/quiet"));
}

TEST(ContextTest, FindingsCopyTheirTextsAndKeepCreationOrder) {
  pl::RuntimeContext ctx;
  std::string text = "DSKO080 erster";
  pl::PlausiProblem* first = ctx.createProblem(pl::ProblemType::kRule, 1);
  first->setShortDescription(text.c_str());
  text[0] = 'X';
  pl::PlausiProblem* second = ctx.createProblem(pl::ProblemType::kField, 9);
  EXPECT_STREQ(first->getShortDescription(), "DSKO080 erster");
  EXPECT_EQ(first->getLongDescription(), nullptr);
  first->setException("e");
  first->setException(nullptr);
  EXPECT_EQ(first->getException(), nullptr);
  ASSERT_EQ(ctx.getProblemCount(), 2u);
  EXPECT_EQ(ctx.getProblem(0), first);
  EXPECT_EQ(ctx.getProblem(1), second);
  EXPECT_EQ(second->getWeight(), 9);
}

// Many values of one kind that a check creates in the context's arena.
struct ArenaFill {
  const char* name;
  void (*fill)(pl::RuntimeContext& ctx);
};

void PrintTo(const ArenaFill& f, std::ostream* os) { *os << f.name; }

class ArenaReuseTest : public ::testing::TestWithParam<ArenaFill> {};

// The arena keeps its memory across a reset and grows no further.
TEST_P(ArenaReuseTest, FillsTheSameMemoryAfterEachReset) {
  pl::RuntimeContext ctx;
  GetParam().fill(ctx);
  std::size_t capacity = ctx.arena().capacity();
  for (int round = 0; round < 5; ++round) {
    ctx.reset();
    GetParam().fill(ctx);
  }
  EXPECT_EQ(ctx.arena().capacity(), capacity);
}

INSTANTIATE_TEST_SUITE_P(Values, ArenaReuseTest,
                         ::testing::Values(ArenaFill{"StringValues",
                                                     [](pl::RuntimeContext& ctx) {
                                                       for (int i = 0; i < 20000; ++i) {
                                                         ctx.createStringValue(
                                                             "a record's worth of text");
                                                       }
                                                     }},
                                           ArenaFill{"StringViews",
                                                     [](pl::RuntimeContext& ctx) {
                                                       static const std::string bytes(100, 'a');
                                                       for (int i = 0; i < 5000; ++i) {
                                                         ctx.createStringView(bytes)->getString();
                                                       }
                                                     }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ContextTest, SharedBooleansAndInvalid) {
  pl::RuntimeContext ctx;
  EXPECT_EQ(ctx.createBoolValue(true), ctx.createBoolValue(true));
  EXPECT_TRUE(ctx.createBoolValue(true)->isTrue());
  EXPECT_FALSE(ctx.createBoolValue(false)->isTrue());
  EXPECT_EQ(ctx.createInvalidValue(), ctx.createInvalidValue());
}

TEST(LoggerTest, TraceIsDiscardedAndErrorsKeptByDefault) {
  pl::RuntimeContext ctx;
  pl::Logger& log = ctx.getLogger();
  EXPECT_FALSE(log.trace().enabled());
  log.trace() << "nobody hears this";
  log.error() << "Fehler "
              << "eins";
  EXPECT_THAT(log.keptErrors(), ElementsAre("Fehler eins"));
  ctx.reset();
  EXPECT_TRUE(log.keptErrors().empty());
}

TEST(LoggerTest, SinksReceiveWholeLinesWithoutLineEnds) {
  pl::RuntimeContext ctx;
  Lines sink;
  ctx.getLogger().setTraceSink(&sink);
  ctx.getLogger().setErrorSink(&sink);
  ctx.getLogger().trace() << "FehlerID angeschrieben: "
                          << "#P_ABSN";
  ctx.getLogger().error() << "n=" << 42LL;
  ctx.getLogger().trace() << std::string(5000, 'x');
  ASSERT_EQ(sink.lines.size(), 3u);
  EXPECT_EQ(sink.lines[0], "T:FehlerID angeschrieben: #P_ABSN");
  EXPECT_EQ(sink.lines[1], "E:n=42");
  EXPECT_EQ(sink.lines[2].size(), 2 + pl::LogStream::kCapacity);  // cut, not overrun
  EXPECT_TRUE(ctx.getLogger().keptErrors().empty());
}

}  // namespace

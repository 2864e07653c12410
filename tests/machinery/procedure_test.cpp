// The rule stage: check procedures, rule functions, StandardAblauf and
// blocks, with their findings, log lines and sections.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pl/plausi_exception.h"
#include "pl/plausi_problem.h"
#include "support/tst_harness.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

tst::Line with(void (*edit)(tst::Line&)) {
  tst::Line line;
  edit(line);
  return line;
}

struct RuleCase {
  const char* label;
  tst::Line line;
  std::vector<std::string> findings;  // "<id> <text>" of the rule findings
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.label; }

class RuleStageTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleStageTest, WritesOneFindingPerFailedProcedure) {
  auto h = tst::makeHarness();
  h->check(GetParam().line.str());
  EXPECT_EQ(h->ruleFindings(), GetParam().findings);
  EXPECT_TRUE(h->sections.balanced());
  EXPECT_TRUE(h->errors.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Records, RuleStageTest,
    ::testing::Values(
        RuleCase{"valid", tst::Line{}, {}},
        RuleCase{"first failing test wins",
                 with([](tst::Line& l) { l.num = "1A"; }),
                 {"#P_NUM TST011 NUM nicht numerisch"}},
        RuleCase{"later test",
                 with([](tst::Line& l) { l.num = "99"; }),
                 {"#P_NUM TST012 NUM zu gro\xDF"}},
        RuleCase{"own condition with fixed text",
                 with([](tst::Line& l) { l.flag = "X"; }),
                 {"#P_FLAG TST020 FLAG ungleich J oder N"}},
        RuleCase{
            "every element, with the parent's value as parameter",
            with([](tst::Line& l) {
              l.anz = "3";
              l.pos = {tst::Pos{}, tst::Pos{"POS2", "00009", "  "}, tst::Pos{"POS3", "A", "  "}};
            }),
            {"POS[2]#P_BETRAG TST031 BETRAG gr\xF6\xDF"
             "er als NUM",
             "POS[3]#P_BETRAG TST030 BETRAG nicht numerisch"}},
        RuleCase{"single element runs when present",
                 with([](tst::Line& l) {
                   l.flag = "J";
                   l.zus_info = "BAD";
                 }),
                 {"ZUS[1]#P_INFO TST040 INFO falsch"}},
        RuleCase{"single element does not run when absent",
                 with([](tst::Line& l) {
                   l.flag = "N";
                   l.zus_info = "BAD";
                 }),
                 {}}),
    [](const ::testing::TestParamInfo<RuleCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(RuleFindingTest, CarriesTheRuleAttributesByteForByte) {
  auto h = tst::makeHarness();
  h->check(with([](tst::Line& l) { l.num = "1A"; }).str());
  const pl::PlausiProblem* p = nullptr;
  for (std::size_t i = 0; i < h->findingCount(); ++i) {
    if (h->finding(i).getProblemType() == pl::ProblemType::kRule) p = &h->finding(i);
  }
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->getWeight(), 1);
  EXPECT_STREQ(p->getId(), "#P_NUM");
  EXPECT_STREQ(p->getShortDescription(), "TST011 NUM nicht numerisch");
  EXPECT_STREQ(p->getLongDescription(), p->getShortDescription());
  EXPECT_STREQ(p->getCorrectionInfo(), "Korrigieren Sie bitte Ihre Angabe.");
  EXPECT_STREQ(p->getReferenceTopic(), "TST_01");
  EXPECT_FALSE(p->hasFieldType());
  EXPECT_FALSE(p->hasFieldLength());
  EXPECT_EQ(p->getFieldDisplayName(), nullptr);
  EXPECT_EQ(p->getFieldMask(), nullptr);
  EXPECT_EQ(p->getReferenceField(), nullptr);
  EXPECT_EQ(p->getInfoType(), pl::ProblemInfoType::kGeneral);
  EXPECT_EQ(p->getException(), nullptr);
  ASSERT_EQ(p->getSectionCount(), 2u);
  EXPECT_STREQ(p->getSection(0).title, "Ablauf StandardAblauf");
  EXPECT_FALSE(p->getSection(0).flag);
  EXPECT_STREQ(p->getSection(1).title,
               "Pr\xFC"
               "fung P_NUM");
  EXPECT_TRUE(p->getSection(1).flag);
}

TEST(RuleFindingTest, BlockFindingsReferToTheirElementAndBlock) {
  auto h = tst::makeHarness();
  h->check(with([](tst::Line& l) {
             l.anz = "2";
             l.pos = {tst::Pos{}, tst::Pos{"POS2", "X", "  "}};
           }).str());
  const pl::PlausiProblem& p = h->finding(h->findingCount() - 1);
  EXPECT_STREQ(p.getId(), "POS[2]#P_BETRAG");
  EXPECT_STREQ(p.getReferenceTopic(), "POS");
  EXPECT_STREQ(p.getReferenceFieldHierarchy(), "POS[2]");
  ASSERT_EQ(p.getSectionCount(), 3u);
  EXPECT_STREQ(p.getSection(1).title, "Ablauf StandardAblauf");
  EXPECT_STREQ(p.getSection(2).title,
               "Pr\xFC"
               "fung P_BETRAG");
  EXPECT_EQ(h->ctx().getCurrentField(), nullptr);
}

TEST(WeightGateTest, SkipsEveryProcedureAboveLevelOne) {
  struct Case {
    int level;
    bool runs;
  } cases[] = {{0, true}, {1, true}, {2, false}, {9, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    auto h = tst::makeHarness();
    h->ctx().setProblemWeightLevel(c.level);
    h->check(with([](tst::Line& l) {
               l.num = "1A";
               l.flag = "X";
             }).str());
    EXPECT_EQ(h->ruleFindings().size(), c.runs ? 2u : 0u);
    // Field findings do not depend on the level.
    EXPECT_EQ(h->ids().front(), "NUM#NUM");
    std::vector<std::string> skipped;
    for (const std::string& line : h->trace.lines) {
      if (line.rfind("Pruefung wg.", 0) == 0) skipped.push_back(line);
    }
    if (c.runs) {
      EXPECT_TRUE(skipped.empty());
    } else {
      EXPECT_THAT(skipped,
                  ElementsAre("Pruefung wg. Fehlergewichtsschranke ausgelassen: P_NUM",
                              "Pruefung wg. Fehlergewichtsschranke ausgelassen: P_OPT",
                              "Pruefung wg. Fehlergewichtsschranke ausgelassen: P_FLAG",
                              "Pruefung wg. Fehlergewichtsschranke ausgelassen: P_BETRAG"));
    }
  }
}

struct ErrorCase {
  const char* opt;
  const char* message;  // logged and reported
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.opt; }

class ProcedureErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ProcedureErrorTest, LogsTwiceAndReportsTheMessage) {
  auto h = tst::makeHarness();
  tst::Line line;
  line.opt = GetParam().opt;
  h->check(line.str());
  std::string message = GetParam().message;
  EXPECT_THAT(h->errors.lines,
              ElementsAre("Fehler w\xE4hrend Ausf\xFChrung: F_PruefeOPT (" + message + ")",
                          "Fehler w\xE4hrend Ausf\xFChrung: P_OPT (" + message + ")"));
  ASSERT_EQ(h->findingCount(), 1u);
  const pl::PlausiProblem& p = h->finding(0);
  EXPECT_STREQ(p.getId(), "#P_OPT");
  EXPECT_STREQ(p.getException(), message.c_str());
  EXPECT_EQ(p.getInfoType(), pl::ProblemInfoType::kGeneral);
  // The descriptions say what happened, as the error line does, whatever
  // hf_fehlertext then holds.
  EXPECT_EQ(std::string(p.getShortDescription()),
            "Fehler w\xE4hrend Ausf\xFChrung: P_OPT (" + message + ")");
  EXPECT_STREQ(p.getLongDescription(), p.getShortDescription());
  EXPECT_EQ(p.getWeight(), 1);
  EXPECT_TRUE(h->sections.balanced());
  EXPECT_EQ(h->ctx().getSectionDepth(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Exceptions, ProcedureErrorTest,
                         ::testing::Values(ErrorCase{"EXC", "Absicht"},
                                           ErrorCase{"STD", "Unbekannter Fehler."},
                                           ErrorCase{"PTR", "Zeiger"}));

// Rule functions open their sections only for an observer: without one,
// findings, their sections and the log lines are what they are with one.
TEST_P(ProcedureErrorTest, ReportsTheSameWithoutASectionObserver) {
  auto observed = tst::makeHarness();
  auto unobserved = tst::makeHarness();
  unobserved->ctx().setSectionObserver(nullptr);
  tst::Line line;
  line.opt = GetParam().opt;
  line.num = "1A";
  observed->check(line.str());
  unobserved->check(line.str());
  EXPECT_EQ(unobserved->errors.lines, observed->errors.lines);
  ASSERT_EQ(unobserved->ids(), observed->ids());
  for (std::size_t i = 0; i < observed->findingCount(); ++i) {
    const pl::PlausiProblem& a = observed->finding(i);
    const pl::PlausiProblem& b = unobserved->finding(i);
    ASSERT_EQ(b.getSectionCount(), a.getSectionCount()) << a.getId();
    for (std::size_t k = 0; k < a.getSectionCount(); ++k) {
      EXPECT_STREQ(b.getSection(k).title, a.getSection(k).title);
      EXPECT_EQ(b.getSection(k).flag, a.getSection(k).flag);
    }
  }
  EXPECT_TRUE(unobserved->sections.started.empty());
  EXPECT_EQ(unobserved->ctx().getSectionDepth(), 0u);
}

// A rule function that throws after another check left its message in
// hf_fehlertext: the finding must not show that other check's text.
TEST(ProcedureErrorTest, AnotherChecksTextNeverShowsInTheErrorFinding) {
  auto h = tst::makeHarness();
  tst::Line line;
  line.opt = "EXC";
  line.num = "1A";  // P_NUM fails first and leaves its text
  h->check(line.str());
  ASSERT_THAT(h->ids(), ::testing::Contains("#P_OPT"));
  for (std::size_t i = 0; i < h->findingCount(); ++i) {
    const pl::PlausiProblem& p = h->finding(i);
    if (std::string(p.getId()) != "#P_OPT") continue;
    EXPECT_STREQ(p.getShortDescription(),
                 "Fehler w\xE4hrend Ausf\xFChrung: P_OPT (Absicht)");
    EXPECT_THAT(p.getShortDescription(), Not(HasSubstr("TST011")));
  }
}

TEST(StandardAblaufTest, LogsAndPassesOnWhatEscapesTheBlocks) {
  auto h = tst::makeHarness();
  tst::Line line;
  line.opt = "BLK";
  try {
    h->check(line.str());
    FAIL() << "no exception";
  } catch (const pl::PlausiException& e) {
    EXPECT_EQ(e.getType(), pl::ExceptionType::kInvalidElementAccess);
    EXPECT_STREQ(e.getMessage(), "Ung\xFCltiger Elementzugriff.");
  }
  EXPECT_THAT(h->errors.lines,
              ElementsAre("Fehler w\xE4hrend Ausf\xFChrung: StandardAblauf (Ung\xFCltiger "
                          "Elementzugriff.)"));
  EXPECT_TRUE(h->sections.balanced());
  EXPECT_EQ(h->ctx().getSectionDepth(), 0u);
}

// An exception out of an element's StandardAblauf passes through the
// element's run and the root's, each logging it, and leaves the context's
// current field as it was before the element ran.
TEST(StandardAblaufTest, AnElementThatThrowsGivesBackTheCurrentField) {
  auto h = tst::makeHarness();
  tst::Line line;
  line.flag = "J";
  line.zus_info = "THR";
  EXPECT_THROW(h->check(line.str()), pl::PlausiException);
  EXPECT_EQ(h->ctx().getCurrentField(), nullptr);
  EXPECT_THAT(h->errors.lines,
              ElementsAre("Fehler w\xE4hrend Ausf\xFChrung: StandardAblauf (Zusatz)",
                          "Fehler w\xE4hrend Ausf\xFChrung: StandardAblauf (Zusatz)"));
  EXPECT_TRUE(h->sections.balanced());
}

TEST(StandardAblaufTest, OpensItsSectionsInOrder) {
  auto h = tst::makeHarness();
  h->check(tst::Line{}.str());
  std::vector<std::string> rule_sections;
  for (const std::string& s : h->sections.started) {
    if (s.rfind("Merkmal ", 0) != 0) rule_sections.push_back(s);
  }
  EXPECT_THAT(rule_sections, ElementsAre("Ablauf StandardAblauf|0",
                                         "Pr\xFC"
                                         "fung P_NUM|1",
                                         "Funktion F_PruefeNUM|0",
                                         "Pr\xFC"
                                         "fung P_OPT|1",
                                         "Funktion F_PruefeOPT|0",
                                         "Pr\xFC"
                                         "fung P_FLAG|1",
                                         "Ablauf StandardAblauf|0",
                                         "Pr\xFC"
                                         "fung P_BETRAG|1",
                                         "Funktion F_PruefeBETRAG|0"));
}

TEST(BlockTest, ElementsAreCachedAcrossRecords) {
  auto h = tst::makeHarness();
  auto& root = *static_cast<tst::Plausi_TST_01&>(h->plausi()).root();
  h->check(with([](tst::Line& l) {
             l.num = "07";
             l.anz = "3";
             l.pos = {tst::Pos{}, tst::Pos{}, tst::Pos{}};
           }).str());
  long first_index = 0, second_index = 1;
  tst::TB_POS* second = root.POS->getElement(&h->ctx(), 1, &second_index);
  h->check(tst::Line{}.str());  // NUM "05", one POS
  EXPECT_EQ(root.POS->getCachedElementCount(), 3u);
  EXPECT_EQ(root.POS->getElement(&h->ctx(), 1, &second_index), second);
  // Each element holds the NUM of the record it last ran for.
  EXPECT_STREQ(root.POS->getElement(&h->ctx(), 1, &first_index)->num->get(&h->ctx())->getString(),
               "05");
  EXPECT_STREQ(second->num->get(&h->ctx())->getString(), "07");
}

}  // namespace

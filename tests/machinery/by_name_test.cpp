// Calling rule functions and procedures by name.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "machinery/internal/problem.h"
#include "pl/plausi_exception.h"
#include "support/tst_harness.h"

namespace {

struct Thrown {
  pl::ExceptionType type;
  std::string message;
};

template <class Call>
Thrown thrownBy(Call&& call) {
  try {
    call();
  } catch (const pl::PlausiException& e) {
    return {e.getType(), e.getMessage()};
  }
  return {pl::ExceptionType::kUnspecified, "<nothing thrown>"};
}

class ByNameTest : public ::testing::Test {
 protected:
  std::unique_ptr<vexal::testing::Harness> h = tst::makeHarness();
  pl::RuntimeContext& ctx = h->ctx();
  pl::Plausi& plausi = h->plausi();
};

TEST_F(ByNameTest, UnknownOrMissingNamesThrow) {
  struct Case {
    const char* name;
    pl::ExceptionType type;
    const char* message;
  } cases[] = {
      {nullptr, pl::ExceptionType::kNameMissing, "Kein Funktionsname angegeben."},
      {"f_echo", pl::ExceptionType::kNameNotFound, "f_echo"},
      {"F_Echo ", pl::ExceptionType::kNameNotFound, "F_Echo "},
      {"", pl::ExceptionType::kNameNotFound, ""},
      {"F_PruefeBETRAG", pl::ExceptionType::kNameNotFound, "F_PruefeBETRAG"},  // block function
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "null");
    Thrown thrown = thrownBy([&] { plausi.callFunction(&ctx, c.name); });
    EXPECT_EQ(thrown.type, c.type);
    EXPECT_EQ(thrown.message, c.message);
  }
  EXPECT_EQ(ctx.getProblemCount(), 0u);
  EXPECT_TRUE(h->errors.lines.empty());
}

TEST_F(ByNameTest, ParametersComeFromInitParametersUnderTheirNames) {
  ctx.setInitParam("wert", "abc");
  EXPECT_STREQ(plausi.callFunction(&ctx, "F_Echo")->getString(), "abc");
  ctx.setInitParam("links", "12");
  ctx.setInitParam("rechts", "34");
  EXPECT_STREQ(plausi.callFunction(&ctx, "F_Join")->getString(), "1234");
  ctx.removeInitParam("wert");
  EXPECT_TRUE(plausi.callFunction(&ctx, "F_Echo")->isInvalid());
  ctx.removeInitParam("rechts");
  EXPECT_TRUE(plausi.callFunction(&ctx, "F_Join")->isInvalid());
}

TEST_F(ByNameTest, CheckingFunctionsWorkOnTheRecordUnderCheck) {
  tst::Line line;
  line.num = "1A";
  h->check(line.str());
  std::size_t findings = ctx.getProblemCount();
  pl::Value* result = plausi.callFunction(&ctx, "F_PruefeNUM");
  EXPECT_EQ(result->getLong(), 0);
  EXPECT_EQ(ctx.getProblemCount(), findings);  // a rule function never writes a finding
  line.num = "42";
  h->check(line.str());
  EXPECT_EQ(plausi.callFunction(&ctx, "F_PruefeNUM")->getLong(), 1);
}

TEST_F(ByNameTest, OnlyStandardAblaufRuns) {
  Thrown lower = thrownBy([&] { plausi.callProcedure(&ctx, "standardablauf"); });
  EXPECT_EQ(lower.type, pl::ExceptionType::kNameNotFound);
  EXPECT_EQ(lower.message, "standardablauf");
  Thrown other = thrownBy([&] { plausi.callProcedure(&ctx, "P_NUM"); });
  EXPECT_EQ(other.message, "P_NUM");
  EXPECT_EQ(ctx.getSectionDepth(), 0u);
  EXPECT_TRUE(h->sections.started.empty());

  plausi.callProcedure(&ctx, nullptr);  // no record: every field reads as missing
  EXPECT_THAT(h->ruleFindings(), ::testing::ElementsAre("#P_NUM TST010 NUM fehlt",
                                                        "#P_FLAG TST020 FLAG ungleich J oder N"));
}

TEST_F(ByNameTest, ProcedureCopiesTheSwitchDayParameter) {
  auto& root = *static_cast<tst::Plausi_TST_01&>(plausi).root();
  ctx.setInitParam("ipMjahrSchalttag", "1201");
  plausi.callProcedure(&ctx, "StandardAblauf");
  ctx.reset();
  EXPECT_STREQ(root.schalttag->get(&ctx)->getString(), "1201");  // survives the reset
  ctx.removeInitParam("ipMjahrSchalttag");
  plausi.callProcedure(&ctx, "StandardAblauf");
  EXPECT_TRUE(root.schalttag->get(&ctx)->isInvalid());
}

TEST_F(ByNameTest, ProblemFactoryKnowsExactlyTheCheckIds) {
  const auto& catalogue = static_cast<tst::Plausi_TST_01&>(plausi).catalogue();
  struct Case {
    const char* id;
    pl::ProblemType type;
    const char* topic;
    const char* description;
  } cases[] = {
      {"P_NUM", pl::ProblemType::kRule, "TST_01", "$hf_fehlertext$"},
      {"P_BETRAG", pl::ProblemType::kRule, "POS", "$hf_fehlertext$"},
      {"P_FLAG", pl::ProblemType::kRule, "TST_01", "TST020 FLAG ungleich J oder N"},
      {"BETRAG", pl::ProblemType::kField, "Merkmalpruefung", "Ihre Eingabe ist unzul\xE4ssig."},
      {"KE", pl::ProblemType::kField, "Merkmalpruefung", "Ihre Eingabe ist unzul\xE4ssig."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    pl::PlausiProblem* p = vexal::machinery::makeProblem(&ctx, catalogue, c.id);
    EXPECT_EQ(p->getProblemType(), c.type);
    EXPECT_STREQ(p->getId(), c.id);
    EXPECT_STREQ(p->getReferenceTopic(), c.topic);
    EXPECT_STREQ(p->getShortDescription(), c.description);
  }
  EXPECT_STREQ(vexal::machinery::makeProblem(&ctx, catalogue, "BETRAG")->getFieldMask(), "0#####");
  for (const char* id : {"XYZ", "p_NUM", "P_", "", "POS.KE", "NUM "}) {
    SCOPED_TRACE(id);
    Thrown thrown = thrownBy([&] { vexal::machinery::makeProblem(&ctx, catalogue, id); });
    EXPECT_EQ(thrown.type, pl::ExceptionType::kNameMissing);
    EXPECT_EQ(thrown.message, "Ungueltiger Pruefschluessel.");
  }
}

TEST_F(ByNameTest, WriterCutsOverlongTextsAndIdsToTheirBuffers) {
  const auto& catalogue = static_cast<tst::Plausi_TST_01&>(plausi).catalogue();
  pl::LocalVariable text;
  text.set(ctx.createStringValue(std::string(5000, 'x')));
  vexal::machinery::writeProblem(&ctx, catalogue, "P_NUM", pl::ProblemInfoType::kGeneral, nullptr,
                                 &text);
  const pl::PlausiProblem* p = ctx.getProblem(ctx.getProblemCount() - 1);
  EXPECT_EQ(std::string(p->getShortDescription()), std::string(2047, 'x'));
  EXPECT_EQ(std::string(p->getLongDescription()), std::string(2047, 'x'));
  EXPECT_STREQ(p->getId(), "#P_NUM");
  EXPECT_EQ(h->trace.lines.back(), "FehlerID angeschrieben: #P_NUM");
}

// What the writer puts into a rule or field finding's descriptions and
// id, case by case; short and long description say the same.
TEST_F(ByNameTest, WriterFillsInTheTextsOfEachKindOfFinding) {
  const auto& catalogue = static_cast<tst::Plausi_TST_01&>(plausi).catalogue();
  struct Case {
    const char* id;
    std::string held;       // in hf_fehlertext; "-" for none
    const char* exception;  // of a rule function that threw
    std::string description;
    const char* display_name;
  };
  const Case cases[] = {
      {"P_NUM", "TST012 NUM zu gro\xDF", nullptr, "TST012 NUM zu gro\xDF", nullptr},
      {"P_NUM", std::string("TST012 kurz\0lang", 16), nullptr, "TST012 kurz", nullptr},
      {"P_NUM", "", nullptr, "", nullptr},
      {"P_NUM", "TST012 alt", "kaputt", "Fehler w\xE4hrend Ausf\xFChrung: P_NUM (kaputt)", nullptr},
      {"P_NUM", "-", nullptr, "$hf_fehlertext$", nullptr},
      // A fixed message stays whatever hf_fehlertext holds.
      {"P_FLAG", "TST099 anders", nullptr, "TST020 FLAG ungleich J oder N", nullptr},
      {"BETRAG", "-", nullptr, "Ihre Eingabe ist unzul\xE4ssig.", "BETRAG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id + (" " + c.held));
    pl::LocalVariable text;
    if (c.held != "-") text.set(ctx.createStringValue(c.held));
    vexal::machinery::writeProblem(&ctx, catalogue, c.id, pl::ProblemInfoType::kGeneral,
                                   c.exception, c.held != "-" ? &text : nullptr);
    const pl::PlausiProblem* p = ctx.getProblem(ctx.getProblemCount() - 1);
    EXPECT_EQ(std::string(p->getShortDescription()), c.description);
    EXPECT_EQ(std::string(p->getLongDescription()), c.description);
    EXPECT_EQ(std::string(p->getId()), std::string("#") + c.id);
    EXPECT_STREQ(p->getCorrectionInfo(), "Korrigieren Sie bitte Ihre Angabe.");
    if (c.display_name != nullptr) {
      EXPECT_STREQ(p->getFieldDisplayName(), c.display_name);
    } else {
      EXPECT_EQ(p->getFieldDisplayName(), nullptr);
    }
    if (c.exception != nullptr) {
      EXPECT_STREQ(p->getException(), c.exception);
    } else {
      EXPECT_EQ(p->getException(), nullptr);
    }
  }
}

}  // namespace

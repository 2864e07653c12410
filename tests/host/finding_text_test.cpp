// What the host reads out of findings: error codes, checks, labels and the
// text line of a finding.

#include "core/finding_text.h"

#include <gtest/gtest.h>

#include <string>

#include "pl/runtime_context.h"

namespace vexal::cli {
namespace {

struct CodeCase {
  const char* description;
  const char* code;
};

class ErrorCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ErrorCodeTest, IsLettersAndThreeDigitsAtTheStart) {
  EXPECT_EQ(core::errorCode(GetParam().description), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, ErrorCodeTest,
    ::testing::Values(CodeCase{"DSKO080 VERFAHREN falsch", "DSKO080"},
                      CodeCase{"DBAP020 x", "DBAP020"}, CodeCase{"DSAS010", "DSAS010"},
                      CodeCase{"A123 kurz", "A123"}, CodeCase{"DSKO08 x", ""},
                      CodeCase{"DSKO0800 x", ""}, CodeCase{"dsko080 x", ""}, CodeCase{"080 x", ""},
                      CodeCase{"DSKO080: x", ""}, CodeCase{"\xC4SKO080 x", ""},
                      CodeCase{" DSKO080", ""}, CodeCase{"Ihre Eingabe ist unzul\xE4ssig.", ""},
                      CodeCase{"", ""}, CodeCase{nullptr, ""}, CodeCase{"DSKO08", ""},
                      CodeCase{"DSKO0", ""}, CodeCase{"AB12", ""}, CodeCase{"DSKO080 ", "DSKO080"},
                      CodeCase{"DSKO080\tx", ""}, CodeCase{"X999", "X999"}));

struct IdCase {
  const char* id;
  const char* check;
  const char* label;
};

class IdTest : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdTest, SplitsPlaceAndCheck) {
  EXPECT_EQ(core::checkOf(GetParam().id), GetParam().check);
  EXPECT_EQ(core::findingLabel(GetParam().id), GetParam().label);
  // A finding with the id names the same check.
  pl::RuntimeContext ctx;
  pl::PlausiProblem* p = ctx.createProblem(pl::ProblemType::kRule, 1);
  p->setId(GetParam().id);
  EXPECT_STREQ(core::findingOf(*p).check, GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(Ids, IdTest,
                         ::testing::Values(IdCase{"#P_ED", "P_ED", "P_ED"},
                                           IdCase{"NAME1#NAME1", "NAME1", "NAME1"},
                                           IdCase{"UV[2].BBNRGT#BBNRGT", "BBNRGT", "UV[2].BBNRGT"},
                                           IdCase{"UV[2]#P_BBNRGT", "P_BBNRGT", "UV[2] P_BBNRGT"},
                                           IdCase{"A#B#P_X", "P_X", "A#B P_X"},
                                           IdCase{"P_ED", "P_ED", "P_ED"}));

struct DescriptionCase {
  pl::ProblemType type;
  pl::ProblemInfoType info;
  const char* exception;
  const char* expected;
};

class DescribeTest : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(DescribeTest, SaysWhatIsWrong) {
  const DescriptionCase& c = GetParam();
  pl::RuntimeContext ctx;
  pl::PlausiProblem* p = ctx.createProblem(c.type, 1);
  p->setId(c.type == pl::ProblemType::kField ? "VERNR#VERNR" : "#P_VERNR");
  p->setShortDescription(c.type == pl::ProblemType::kField
                             ? "Ihre Eingabe ist unzul\xE4ssig."
                             : "DSKO042 VERSIONS-NR nicht zugelassen");
  p->setFieldDisplayName("VERSIONS-NR");
  p->setFieldType(pl::FieldType::kNumeric);
  p->setFieldLength(2);
  p->setFieldMask("0##");
  p->setInfoType(c.info);
  p->setException(c.exception);
  EXPECT_EQ(core::describeFinding(*p), c.expected);
}

using PT = pl::ProblemType;
using IT = pl::ProblemInfoType;

INSTANTIATE_TEST_SUITE_P(
    Findings, DescribeTest,
    ::testing::Values(
        DescriptionCase{PT::kRule, IT::kGeneral, nullptr, "DSKO042 VERSIONS-NR nicht zugelassen"},
        DescriptionCase{PT::kRule, IT::kGeneral, "Absicht",
                        "DSKO042 VERSIONS-NR nicht zugelassen: Absicht"},
        DescriptionCase{PT::kField, IT::kInvalid, nullptr,
                        "field VERSIONS-NR (VERNR) not supplied"},
        DescriptionCase{PT::kField, IT::kTooLong, nullptr,
                        "field VERSIONS-NR (VERNR) too long (more than 2 characters)"},
        DescriptionCase{PT::kField, IT::kNotTypeConform, nullptr,
                        "field VERSIONS-NR (VERNR) does not conform to its type numeric (mask "
                        "0##)"},
        DescriptionCase{PT::kField, IT::kGeneral, "Division durch 0",
                        "field VERSIONS-NR (VERNR): error while checking: Division durch 0"}));

TEST(DescribeTest, NamesTheFieldByItsShortNameWithoutDisplayName) {
  pl::RuntimeContext ctx;
  pl::PlausiProblem* p = ctx.createProblem(pl::ProblemType::kField, 9);
  p->setId("UV[2].BBNRGT#BBNRGT");
  p->setInfoType(pl::ProblemInfoType::kNotTypeConform);
  EXPECT_EQ(core::describeFinding(*p), "field BBNRGT does not conform to its type");
}

}  // namespace
}  // namespace vexal::cli

// What the compiled procedures say they need of a value to pass unrun.

#include "shared/rule_steps.h"

#include <iterator>

#include <gtest/gtest.h>

#include "machinery/check_rows.h"

namespace {

using namespace vexal::machinery;
using namespace vexal::shared;

constexpr FieldRow kFields[] = {
    {"A", "A", ::FieldType::kAlphanumeric, 5, kMandatory},
};

void fails(RuleCall& rule) { rule.fail(); }

constexpr CheckRow kRows[] = {
    check("P_A", "F_PruefeA"),
    check("P_A", "F_PruefeA", missing("T"), tooLong()),
    check("P_A", "F_PruefeA", blank("T"), notNumeric("T")),
    check("P_A", "F_PruefeA", notOneOf("T", "M", "W"), emptyTrimmed("T")),
    check("P_A", "F_PruefeA", suppliedNotBlank("T")),
    // Not both: no text is blank and not blank.
    check("P_A", "F_PruefeA", blank("T"), suppliedNotBlank("T")),
    check("P_A", "F_PruefeA", missing("T"), notLeftAligned("T")),
    check("P_A", "F_PruefeA", missing("T"), body<&fails>("T")),
    check("P_A", "F_PruefeA", longerThan(3, "T")),
};

// Each row on its own: compileChecks refuses two rows of one procedure.
template <std::size_t I>
inline constexpr CheckRow kRow[] = {kRows[I]};
template <std::size_t I>
inline constexpr auto kCompiled = compileChecks<kRow<I>>(kFields);
template <std::size_t I>
constexpr unsigned char passWhen() {
  return kCompiled<I>.procedures[0].pass_when;
}

TEST(RuleStepsTest, AProcedurePassesUnrunOnlyWhenAllItsTestsSaySo) {
  const unsigned char expected[] = {
      0,
      kPassSupplied | kPassWithinLength,
      kPassNotBlank | kPassDigits,
      kPassOneOf | kPassNotBlank,
      kPassOnlyBlanks,
      kPassRuns | kPassNotBlank | kPassOnlyBlanks,
      kPassRuns | kPassSupplied,
      kPassRuns | kPassSupplied,
      kPassRuns,
  };
  const unsigned char compiled[] = {passWhen<0>(), passWhen<1>(), passWhen<2>(),
                                    passWhen<3>(), passWhen<4>(), passWhen<5>(),
                                    passWhen<6>(), passWhen<7>(), passWhen<8>()};
  static_assert(std::size(kRows) == std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(compiled[i], expected[i]);
  }
}

}  // namespace

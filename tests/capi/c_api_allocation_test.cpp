// Running out of memory through the C API: every allocation, in turn,
// fails while a checker is made and a line is checked. Each call then
// gives VX_OUT_OF_MEMORY, never a result that lacks a finding, and nothing
// is left allocated. The global allocator of this binary fails on request;
// it serves libvexalcheck, libvexal and the runtime alike.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "support/failing_allocator.h"
#include "vexal/check.h"

namespace {

// What one attempt ended with.
struct Outcome {
  vx_status made = VX_OK;
  vx_status checked = VX_OK;
  int kind = -1;
  std::string codes;  // the findings' codes, or the line's error
};

// Makes a checker and checks the line with it, the budget armed for both.
Outcome attempt(const std::string& line, long budget) {
  vx_options options;
  vx_options_init(&options);
  options.today = "20261208";
  Outcome outcome;
  vx_checker* checker = nullptr;
  char message[128];
  vexal::test::setAllocationBudget(budget);
  outcome.made = vx_checker_new(&options, &checker, message, sizeof message);
  if (outcome.made == VX_OK) {
    const vx_result* result = nullptr;
    outcome.checked = vx_check_line(checker, line.data(), line.size(), 1, &result);
    if (outcome.checked == VX_OK) {
      vexal::test::setAllocationBudget(-1);
      outcome.kind = result->kind;
      if (result->error != nullptr) outcome.codes = result->error;
      for (std::size_t i = 0; i < result->finding_count; ++i) {
        outcome.codes += result->findings[i].code ? result->findings[i].code : "-";
        outcome.codes += " ";
      }
    }
  }
  vexal::test::setAllocationBudget(-1);
  vx_checker_free(checker);
  return outcome;
}

// The fourth DSKO_04 line of the example transmission: created after the
// processing date (DSKO054), so that a finding with umlauts is made too.
std::string exampleLine() {
  std::ifstream in(VEXAL_EXAMPLE_FILE, std::ios::binary);
  std::string line;
  for (int i = 0; i < 4; ++i) std::getline(in, line);
  return line;
}

TEST(CApiAllocationFailureTest, EveryFailingAllocationGivesAStatusAndLeaksNothing) {
  const std::string line = exampleLine();
  ASSERT_EQ(line.substr(0, 4), "DSKO");
  const Outcome expected = attempt(line, -1);
  ASSERT_EQ(expected.kind, VX_KIND_RECORD);
  ASSERT_EQ(expected.codes, "DSKO054 ");

  long made_out_of_memory = 0;
  long checked_out_of_memory = 0;
  for (long budget = 0;; ++budget) {
    const long live_before = vexal::test::liveAllocations();
    const Outcome outcome = attempt(line, budget);
    ASSERT_EQ(vexal::test::liveAllocations(), live_before) << "leak with budget " << budget;
    if (outcome.made != VX_OK) {
      ASSERT_EQ(outcome.made, VX_OUT_OF_MEMORY) << "budget " << budget;
      ++made_out_of_memory;
      continue;
    }
    if (outcome.checked != VX_OK) {
      ASSERT_EQ(outcome.checked, VX_OUT_OF_MEMORY) << "budget " << budget;
      ++checked_out_of_memory;
      continue;
    }
    // Never a result that lacks what memory ran out for.
    EXPECT_EQ(outcome.kind, expected.kind) << "budget " << budget;
    EXPECT_EQ(outcome.codes, expected.codes) << "budget " << budget;
    break;
  }
  EXPECT_GT(made_out_of_memory, 3);
  EXPECT_GT(checked_out_of_memory, 100);
}

}  // namespace

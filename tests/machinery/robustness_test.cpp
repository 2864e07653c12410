// Arbitrary bytes never break a check: every line yields findings or a
// check error, and the run always ends balanced.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "pl/plausi_exception.h"
#include "support/tst_harness.h"

namespace {

TEST(RobustnessTest, RandomLinesOfAnyBytes) {
  auto h = tst::makeHarness();
  std::mt19937 random(20261208);
  const std::string base = [] {
    tst::Line line = tst::withPositions(2);
    line.flag = "J";
    return line.str();
  }();
  int with_findings = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string line = base;
    // Mutate some bytes (counters, flags, NUL and high bytes included) and
    // cut or stretch the line.
    for (int k = random() % 6; k > 0; --k)
      line[random() % line.size()] = static_cast<char>(random() % 256);
    if (random() % 3 == 0)
      line.resize(random() % (base.size() + 40), static_cast<char>(random() % 256));
    try {
      h->check(line);
    } catch (const pl::PlausiException& e) {
      ADD_FAILURE() << "check error on line " << i << ": " << e.getMessage();
    }
    if (h->findingCount() > 0) ++with_findings;
    ASSERT_TRUE(h->sections.balanced()) << "line " << i;
    ASSERT_EQ(h->ctx().getSectionDepth(), 0u);
    ASSERT_EQ(h->ctx().getCurrentField(), nullptr);
  }
  EXPECT_GT(with_findings, 1000);
}

}  // namespace

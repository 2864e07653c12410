// Damaged DSKO_04 records never break a check: every line yields findings
// and the run ends balanced.

#include <gtest/gtest.h>

#include "DSKO_04/dsko04_record.h"
#include "support/damaged_records.h"

namespace {

TEST(Dsko04RobustnessTest, RandomlyDamagedRecords) {
  auto h = dsko04::makeHarness();
  int with_findings =
      vexal::testing::checkDamagedCopies(*h, dsko04::validRecord().line(), 3000, 20261208);
  EXPECT_GT(with_findings, 1500);
}

}  // namespace

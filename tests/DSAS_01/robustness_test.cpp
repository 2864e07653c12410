// Damaged DSAS_01 queries never break a check, with or without a contact
// person: every check ends balanced and without an error line.

#include <gtest/gtest.h>

#include "DSAS_01/dsas01_record.h"
#include "support/damaged_records.h"

namespace {

TEST(Dsas01RobustnessTest, RandomlyDamagedQueries) {
  auto h = dsas01::makeHarness();
  int with_findings =
      vexal::testing::checkDamagedCopies(*h, dsas01::validRecord().line(), 2000, 20261208);
  with_findings += vexal::testing::checkDamagedCopies(*h, dsas01::validRecordWithContact().line(),
                                                      2000, 20261209);
  EXPECT_GT(with_findings, 2000);
}

}  // namespace

// Damaged DSLN_02 wage reports never break a check, with one or several
// tariff positions and with or without a contact person: every check ends
// balanced and without an error line, and a line cut anywhere finds what
// the cut drops in the occurrence it cuts.

#include <string>

#include <gtest/gtest.h>

#include "DSLN_02/dsln02_record.h"
#include "support/damaged_records.h"

namespace {

// A valid report with `positions` tariff positions and the contact person.
vexal::testing::RecordBuilder withContact(int positions) {
  vexal::testing::RecordBuilder record = dsln02::validRecordWithPositions(positions);
  return dsln02::addContact(record.set("MMDBAP", "J"));
}

TEST(Dsln02RobustnessTest, RandomlyDamagedReports) {
  auto h = dsln02::makeHarness();
  const std::string lines[] = {dsln02::validRecord().line(),
                               dsln02::validRecordWithContact().line(), withContact(10).line()};
  int with_findings = 0;
  unsigned seed = 20261212;
  for (const std::string& line : lines) {
    h->check(line);
    ASSERT_EQ(h->findingCount(), 0u) << "the undamaged report is valid";
    with_findings += vexal::testing::checkDamagedCopies(*h, line, 1500, seed++);
  }
  EXPECT_GT(with_findings, 2250);
}

TEST(Dsln02RobustnessTest, EveryCutFindsWhatItDrops) {
  auto h = dsln02::makeHarness();
  vexal::testing::checkCutsAfter(*h, dsln02::validRecord().line(), vexal::testing::reportLineLayout(1, false));
  vexal::testing::checkCutsAfter(*h, withContact(3).line(), vexal::testing::reportLineLayout(3, true));
}

}  // namespace

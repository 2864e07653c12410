// Damaged DSAS_02 queries never break a check, with or without a contact
// person: every check ends balanced and without an error line, and a line
// cut anywhere finds what the cut drops.

#include <gtest/gtest.h>

#include "DSAS_02/dsas02_record.h"
#include "support/damaged_records.h"

namespace {

constexpr std::size_t kHeader = 463;

TEST(Dsas02RobustnessTest, RandomlyDamagedQueries) {
  auto h = dsas02::makeHarness();
  for (const auto& record : {dsas02::validRecord(), dsas02::validRecordWithContact()}) {
    h->check(record.line());
    ASSERT_EQ(h->findingCount(), 0u) << "the undamaged query is valid";
  }
  int with_findings =
      vexal::testing::checkDamagedCopies(*h, dsas02::validRecord().line(), 2000, 20261210);
  with_findings += vexal::testing::checkDamagedCopies(*h, dsas02::validRecordWithContact().line(),
                                                      2000, 20261211);
  EXPECT_GT(with_findings, 2000);
}

TEST(Dsas02RobustnessTest, EveryCutFindsWhatItDrops) {
  auto h = dsas02::makeHarness();
  vexal::testing::LineLayout layout;
  layout.header = kHeader;
  vexal::testing::checkCutsAfter(*h, dsas02::validRecord().line(), layout);
  vexal::testing::addContactPerson(layout, kHeader);
  vexal::testing::checkCutsAfter(*h, dsas02::validRecordWithContact().line(), layout);
}

}  // namespace

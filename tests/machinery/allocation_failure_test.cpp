// Every allocation that fails during construction or a check run leaves
// nothing behind: the global allocator of this binary fails on request.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "DSAS_01/DSAS_01.h"
#include "DSAS_01/dsas01_record.h"
#include "DSAS_02/DSAS_02.h"
#include "DSAS_02/dsas02_record.h"
#include "DSKO_04/DSKO_04.h"
#include "DSKO_04/dsko04_record.h"
#include "DSLN_01/DSLN_01.h"
#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/DSLN_02.h"
#include "DSLN_02/dsln02_record.h"
#include "pl/plausi_exception.h"
#include "support/failing_allocator.h"
#include "support/tst_harness.h"

namespace {

// Runs attempt() with budgets 0, 1, 2, ... until it completes without
// running out, checking after each try that no allocation is left.
// Returns the number of budgets tried.
long failEveryAllocation(const std::function<void()>& attempt) {
  for (long budget = 0;; ++budget) {
    long live_before = vexal::test::liveAllocations();
    bool completed = false;
    vexal::test::setAllocationBudget(budget);
    try {
      attempt();
      completed = true;
    } catch (const std::bad_alloc&) {
    }
    vexal::test::setAllocationBudget(-1);
    EXPECT_EQ(vexal::test::liveAllocations(), live_before) << "leak with budget " << budget;
    if (completed || ::testing::Test::HasFailure()) return budget + 1;
  }
}

template <class T>
void construct() {
  long tries = failEveryAllocation([] { delete new T(); });
  EXPECT_GT(tries, 1);
}

template <class Definition>
void constructLayout() {
  long tries = failEveryAllocation([] { delete new Definition(); });
  EXPECT_GT(tries, 1);
}

TEST(AllocationFailureTest, RuleSetConstructionReleasesWhatItBuilt) {
  construct<tst::Plausi_TST_01>();
  construct<DSAS_01::Plausi_DSAS_01>();
  construct<DSAS_02::Plausi_DSAS_02>();
  construct<DSKO_04::Plausi_DSKO_04>();
  construct<DSLN_01::Plausi_DSLN_01>();
  construct<DSLN_02::Plausi_DSLN_02>();
}

TEST(AllocationFailureTest, RecordLayoutConstructionReleasesWhatItBuilt) {
  constructLayout<tst::RecordDefinition_TST_01>();
  constructLayout<RecordDefinition_DSAS_01>();
  constructLayout<RecordDefinition_DSAS_02>();
  constructLayout<RecordDefinition_DSKO_04>();
  constructLayout<RecordDefinition_DSLN_01>();
  constructLayout<RecordDefinition_DSLN_02>();
}

// Checks `lines` one after the other with a harness that make() builds
// inside each attempt, under every budget until the attempt completes;
// returns the budgets tried. The completed attempt must find what a run
// with memory to spare finds.
template <class Make>
long checkEveryBudget(Make make, const std::vector<std::string>& lines) {
  auto idsOf = [&](vexal::testing::Harness& h) {
    std::vector<std::string> ids;
    for (const std::string& line : lines) {
      try {
        h.check(line);
      } catch (const pl::PlausiException&) {
        // Running out of memory inside a check may surface as a check error.
      }
      for (const std::string& id : h.ids()) ids.push_back(id);
    }
    return ids;
  };
  const std::vector<std::string> expected = idsOf(*make());
  EXPECT_FALSE(expected.empty()) << "the lines are faulty";
  bool found_them = false;
  long tries = failEveryAllocation([&] {
    std::unique_ptr<vexal::testing::Harness> h = make();
    found_them = idsOf(*h) == expected;
  });
  EXPECT_TRUE(found_them);
  return tries;
}

// Lines checked one after the other by a harness that `make` builds.
struct CheckCase {
  const char* name;
  std::unique_ptr<vexal::testing::Harness> (*make)();
  std::vector<std::string> (*lines)();
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class CheckOutOfMemoryTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckOutOfMemoryTest, LeaksNothingAndFindsWhatARunWithMemoryFinds) {
  EXPECT_GT(checkEveryBudget(GetParam().make, GetParam().lines()), 10);
}

const CheckCase kCheckCases[] = {
    {"Tst01", tst::makeHarness,
     [] {
       tst::Line line;
       line.num = "1A";
       line.flag = "J";
       line.anz = "3";
       line.pos = {tst::Pos{}, tst::Pos{"POS2", "00009", "  "}, tst::Pos{"POS3", "X", "  "}};
       return std::vector<std::string>{line.str()};
     }},
    // Faulty in several rules at once, so that findings are written too.
    {"Dsko04", dsko04::makeHarness,
     [] {
       return std::vector<std::string>{dsko04::validRecord()
                                           .set("VERNR", "03")
                                           .set("ED", "20991231000000000000")
                                           .set("EMAILAP", "a@b@c")
                                           .line()
                                           .substr(0, 400)};
     }},
    // Faulty in root and contact-person rules, with the switch-day message.
    {"Dsas01WithContactPerson", dsas01::makeHarness,
     [] {
       return std::vector<std::string>{dsas01::validRecordWithContact()
                                           .set("VERNRAS", "02")
                                           .set("MJAHR", "2029")
                                           .set("DSID", "DS_1")
                                           .set("AN.NAMEAP", "")
                                           .line()};
     }},
    // Three positions and the contact person, faulty in root, position and
    // contact-person rules and a type test; then the same line cut inside
    // its second position, and one that counts four positions but holds
    // three.
    {"Dsln01WithPositionsAndContactPerson", dsln01::makeHarness,
     [] {
       vexal::testing::RecordBuilder record = dsln01::validRecordWithPositions(3);
       dsln01::addContact(record.set("MMDBAP", "J"))
           .set("VF", "UVSDD")
           .set("MJAHR", "2029")
           .set("UV[2].GTST", "")
           .set("UV[3].UVEGSUMM", "X")
           .set("AN.NAMEAP", "");
       const std::string line = record.line();
       return std::vector<std::string>{
           line, line.substr(0, 494 + 59 + 20),
           vexal::testing::RecordBuilder(record).set("ANUV", "04").line()};
     }},
    // Faulty in the enterprise number, a version field and the contact
    // person.
    {"Dsas02WithContactPerson", dsas02::makeHarness,
     [] {
       return std::vector<std::string>{dsas02::validRecordWithContact()
                                           .set("UNRS", "123456789017000")
                                           .set("VERNRDSAS", "")
                                           .set("AN.ORT", "")
                                           .line()};
     }},
    // Faulty in the reporting period, the working hours of a position and
    // the contact person.
    {"Dsln02WithPositionsAndContactPerson", dsln02::makeHarness,
     [] {
       vexal::testing::RecordBuilder record = dsln02::validRecordWithPositions(2);
       dsln02::addContact(record.set("MMDBAP", "J"))
           .set("ZRVON", "20231301")
           .set("UV[2].ARBSTDSUMM", "")
           .set("AN.PLZ", "");
       return std::vector<std::string>{record.line()};
     }},
};

INSTANTIATE_TEST_SUITE_P(RecordTypes, CheckOutOfMemoryTest, ::testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

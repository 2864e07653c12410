// Damaged DSLN_01 wage reports never break a check, whatever ANUV says and
// wherever the line ends: every check ends balanced and without an error
// line, the cut tells the length the line has and the one its counter and
// contact-person flag imply, and the findings name the tariff position or
// contact person the damage lies in.

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSLN_01/dsln01_record.h"
#include "support/damaged_records.h"
#include "support/matchers.h"

namespace {

using namespace vexal::testing::matchers;
using vexal::testing::RecordBuilder;

// The header, one tariff position and the contact person, in characters.
constexpr std::size_t kHeader = 494;
constexpr std::size_t kPosition = 59;
constexpr std::size_t kContact = 321;

constexpr char kDSLN267[] = "#P_ANUV DSLN267 ANZAHL-UV nicht numerisch";
constexpr char kDSLN268[] = "#P_ANUV DSLN268 ANZAHL-UV Grundstellung unzul\xE4ssig";

// ANUV as the record carries it: two digits.
std::string count(int positions) {
  return std::string(1, static_cast<char>('0' + positions / 10)) +
         static_cast<char>('0' + positions % 10);
}

std::size_t lengthOf(int positions, bool contact) {
  return kHeader + positions * kPosition + (contact ? kContact : 0);
}

// A valid report with `positions` tariff positions, with or without the
// contact person. Only a cancellation may list no position.
RecordBuilder report(int positions, bool contact) {
  RecordBuilder record = dsln01::validRecordWithPositions(positions);
  if (positions == 0) record.set("KENNZST", "J");
  if (contact) dsln01::addContact(record.set("MMDBAP", "J"));
  return record;
}

// Where a finding belongs: 0 for the header, n for the n-th tariff
// position, -1 for the contact person.
constexpr int kHeaderBlock = 0;
constexpr int kContactBlock = -1;
int blockOf(const std::string& id) {
  if (id.rfind("AN[", 0) == 0) return kContactBlock;
  if (id.rfind("UV[", 0) != 0) return kHeaderBlock;
  return std::stoi(id.substr(3));
}

// --- Randomly damaged reports ---------------------------------------------

struct DamageCase {
  int positions;
  bool contact;
  int copies;
};

void PrintTo(const DamageCase& c, std::ostream* os) {
  *os << c.positions << " positions" << (c.contact ? " with contact person" : "");
}

class Dsln01DamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(Dsln01DamageTest, RandomlyDamagedReportsEndCleanly) {
  const DamageCase& c = GetParam();
  auto h = dsln01::makeHarness();
  const std::string line = report(c.positions, c.contact).line();
  ASSERT_EQ(line.size(), lengthOf(c.positions, c.contact));
  h->check(line);
  ASSERT_THAT(h->ids(), IsEmpty()) << "the undamaged report is valid";
  unsigned seed = 20261208u + 2u * static_cast<unsigned>(c.positions) + (c.contact ? 1u : 0u);
  int with_findings = vexal::testing::checkDamagedCopies(*h, line, c.copies, seed);
  // Most damage hits a numeric field, a company number or a fixed code;
  // the rest falls into free text.
  EXPECT_GT(with_findings, c.copies / 2);
}

INSTANTIATE_TEST_SUITE_P(Positions, Dsln01DamageTest,
                         ::testing::Values(DamageCase{0, false, 1500}, DamageCase{0, true, 1500},
                                           DamageCase{1, false, 1500}, DamageCase{1, true, 1500},
                                           DamageCase{3, false, 1500}, DamageCase{3, true, 1500},
                                           DamageCase{99, false, 500}, DamageCase{99, true, 500}),
                         [](const auto& info) {
                           return std::to_string(info.param.positions) + "Positions" +
                                  (info.param.contact ? "WithContact" : "");
                         });

// --- The count of tariff positions ------------------------------------------

// Every count from "00" to "99" reads that many positions: a report that
// lists them is valid (or, with none, refused for its count alone), with
// or without the contact person after them.
TEST(Dsln01CountTest, EveryCountReadsThatManyPositions) {
  auto h = dsln01::makeHarness();
  for (int n = 0; n <= 99; ++n) {
    for (bool contact : {false, true}) {
      SCOPED_TRACE("ANUV " + count(n) + (contact ? " with contact person" : ""));
      RecordBuilder record = dsln01::validRecordWithPositions(n);
      if (contact) dsln01::addContact(record.set("MMDBAP", "J"));
      const std::string line = record.line();
      ASSERT_EQ(line.size(), lengthOf(n, contact));
      h->check(line);
      vexal::testing::expectCleanEnd(*h, count(n));
      EXPECT_EQ(h->cut().expected_length, line.size());
      EXPECT_EQ(h->cut().actual_length, line.size());
      EXPECT_THAT(h->fieldFindings(), IsEmpty());
      if (n == 0) {
        EXPECT_THAT(h->ruleFindings(), ElementsAre(kDSLN268));
      } else {
        EXPECT_THAT(h->ruleFindings(), IsEmpty());
      }
    }
  }
}

// The findings of the n-th tariff position when the line does not hold it:
// its four mandatory fields are missing (field stage), and its rules find
// no carrier and no numbers (rule stage; GT-STELLE is only required with a
// carrier).
std::vector<std::string> missingFields(int n) {
  const std::string uv = "UV[" + std::to_string(n) + "].";
  return {uv + "BBNRGT#BBNRGT", uv + "GTST#GTST", uv + "UVEGSUMM#UVEGSUMM",
          uv + "ANZVERSGTST#ANZVERSGTST"};
}
std::vector<std::string> missingRules(int n) {
  const std::string uv = "UV[" + std::to_string(n) + "]";
  return {uv + "#P_BBNRGT", uv + "#P_UVEGSUMM", uv + "#P_ARBSTDSUMM", uv + "#P_ANZVERSGTST"};
}

// Any count over a report of three positions: a smaller count leaves the
// surplus unread (the cut tells the line is too long), a larger one reads
// positions the line lacks, each found missing in its own occurrence.
TEST(Dsln01CountTest, EveryCountOverThreePositions) {
  auto h = dsln01::makeHarness();
  RecordBuilder record = dsln01::validRecordWithPositions(3);
  for (int n = 0; n <= 99; ++n) {
    SCOPED_TRACE("ANUV " + count(n));
    h->check(record.set("ANUV", count(n)).line());
    vexal::testing::expectCleanEnd(*h, count(n));
    EXPECT_EQ(h->cut().expected_length, lengthOf(n, false));
    EXPECT_EQ(h->cut().actual_length, lengthOf(3, false));
    if (n == 0) {
      EXPECT_THAT(h->ruleFindings(), ElementsAre(kDSLN268));
      EXPECT_THAT(h->fieldFindings(), IsEmpty());
      continue;
    }
    std::vector<std::string> expected;
    for (int k = 4; k <= n; ++k) {
      for (std::string& id : missingFields(k)) expected.push_back(id);
    }
    for (int k = 4; k <= n; ++k) {
      for (std::string& id : missingRules(k)) expected.push_back(id);
    }
    EXPECT_THAT(h->ids(), ElementsAreArray(expected));
  }
}

// A count that is no number reads no position: the positions after the
// header are surplus, and a contact person right after the header is read
// as such. Either way only the count is found faulty.
struct NotNumericCase {
  const char* name;
  std::string count;
};

void PrintTo(const NotNumericCase& c, std::ostream* os) { *os << c.name; }

class Dsln01CountNotNumericTest : public ::testing::TestWithParam<NotNumericCase> {};

TEST_P(Dsln01CountNotNumericTest, ReadsNoPosition) {
  const std::string& anuv = GetParam().count;
  auto h = dsln01::makeHarness();
  h->check(dsln01::validRecordWithPositions(1).setRaw("ANUV", anuv).line());
  vexal::testing::expectCleanEnd(*h, "one position");
  EXPECT_EQ(h->cut().expected_length, lengthOf(0, false));
  EXPECT_EQ(h->cut().actual_length, lengthOf(1, false));
  EXPECT_THAT(h->fieldFindings(), ElementsAre(std::pair(std::string("ANUV#ANUV"), 2)));
  EXPECT_THAT(h->ruleFindings(), ElementsAre(kDSLN267));

  RecordBuilder with_contact = dsln01::validRecordWithPositions(0);
  dsln01::addContact(with_contact.set("MMDBAP", "J").setRaw("ANUV", anuv));
  h->check(with_contact.line());
  vexal::testing::expectCleanEnd(*h, "contact person");
  EXPECT_EQ(h->cut().expected_length, lengthOf(0, true));
  EXPECT_EQ(h->cut().actual_length, lengthOf(0, true));
  EXPECT_THAT(h->fieldFindings(), ElementsAre(std::pair(std::string("ANUV#ANUV"), 2)));
  EXPECT_THAT(h->ruleFindings(), ElementsAre(kDSLN267));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Dsln01CountNotNumericTest,
    ::testing::Values(NotNumericCase{"Blanks", "  "}, NotNumericCase{"TrailingBlank", "1 "},
                      NotNumericCase{"LeadingBlank", " 1"}, NotNumericCase{"Letter", "A1"},
                      NotNumericCase{"Minus", "-1"}, NotNumericCase{"Plus", "+1"},
                      NotNumericCase{"Point", "1."}, NotNumericCase{"Superscripts", "\xB9\xB2"},
                      NotNumericCase{"Umlauts", "\xE4\xF6"},
                      NotNumericCase{"YDiaeresis", "\xFF\xFF"},
                      NotNumericCase{"NulByte", std::string("1\0", 2)}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Lines cut short ----------------------------------------------------------

// Every cut of a report with three positions and the contact person.
TEST(Dsln01CutTest, EveryCutFindsWhatItDrops) {
  auto h = dsln01::makeHarness();
  vexal::testing::checkCutsAfter(*h, report(3, true).line(), vexal::testing::reportLineLayout(3, true));
}

// Every cut of a report with 99 positions from the 97th position on.
TEST(Dsln01CutTest, EveryCutOfTheLastPositionsOf99) {
  auto h = dsln01::makeHarness();
  const std::string line = report(99, false).line();
  const std::size_t from = lengthOf(96, false);
  const vexal::testing::LineLayout layout = vexal::testing::reportLineLayout(99, false);
  vexal::testing::checkCutsAfter(*h, line, layout, from);
}

struct CutCase {
  const char* name;
  int positions;
  std::size_t length;
  const char* first;  // the first finding
  std::string rule;   // a rule finding of the block the cut lies in
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }

class Dsln01CutInsideTest : public ::testing::TestWithParam<CutCase> {};

// Cuts inside a tariff position or the contact person: the finding names
// that occurrence, nothing before it is found, and the cut tells the
// length of the whole report.
TEST_P(Dsln01CutInsideTest, FindsTheOccurrenceItCuts) {
  const CutCase& c = GetParam();
  auto h = dsln01::makeHarness();
  const std::string line = report(c.positions, true).line();
  h->check(std::string_view(line).substr(0, c.length));
  vexal::testing::expectCleanEnd(*h, c.name);
  EXPECT_EQ(h->cut().expected_length, lengthOf(c.positions, true));
  EXPECT_EQ(h->cut().actual_length, c.length);
  ASSERT_GT(h->findingCount(), 0u);
  EXPECT_EQ(h->ids().front(), c.first);
  EXPECT_THAT(h->ruleFindings(), Contains(c.rule));
  const int cut_block = blockOf(c.first);
  for (const std::string& id : h->ids()) {
    int block = blockOf(id);
    EXPECT_TRUE(block == kContactBlock || (cut_block != kContactBlock && block >= cut_block)) << id;
  }
}

// Offsets inside a position: BBNRGT 0-14, GTST 15-22, UVEGSUMM 23-37,
// ARBSTDSUMM 38-52, ANZVERSGTST 53-58. Inside the contact person: KE 0-3,
// ANRAP 4, NAMEAP 5-34, TELAP 35-54, FAXAP 55-74, EMAILAP 75-144.
INSTANTIATE_TEST_SUITE_P(
    Cuts, Dsln01CutInsideTest,
    ::testing::Values(
        CutCase{"InsideTheCarrierOfPosition2", 3, kHeader + kPosition + 7, "UV[2].GTST#GTST",
                "UV[2]#P_BBNRGT DSLN270 BBNR-GTS ist unzul\xE4ssig"},
        CutCase{"InsideTheTariffPositionOfPosition2", 3, kHeader + kPosition + 19,
                "UV[2].UVEGSUMM#UVEGSUMM", "UV[2]#P_UVEGSUMM DSLN284 UV-EG-SUMME nicht numerisch"},
        CutCase{"InsideTheEarningsOfPosition2", 3, kHeader + kPosition + 30,
                "UV[2].ANZVERSGTST#ANZVERSGTST",
                "UV[2]#P_ARBSTDSUMM DSLN290 ARBSTD-SUMME nicht numerisch"},
        CutCase{"InsideTheInsuredOfPosition3", 3, kHeader + 2 * kPosition + 53,
                "UV[3].ANZVERSGTST#ANZVERSGTST",
                "UV[3]#P_ANZVERSGTST DSLN295 ANZ-VERSICHERTE-PRO-GTST nicht numerisch"},
        CutCase{"InsideTheCodeOfTheContactPerson", 3, kHeader + 3 * kPosition + 2,
                "AN[1].NAMEAP#NAMEAP", "AN[1]#P_KE DBAP010 KENNUNG ungleich DBAP"},
        CutCase{"InsideTheEmailOfTheContactPerson", 3, kHeader + 3 * kPosition + 85,
                "AN[1].NAME1#NAME1", "AN[1]#P_NAME1 DBAP050 NAME1 Grundstellung unzul\xE4ssig"},
        CutCase{"InsideTheTariffPositionOfPosition50Of99", 99, kHeader + 49 * kPosition + 19,
                "UV[50].UVEGSUMM#UVEGSUMM",
                "UV[50]#P_UVEGSUMM DSLN284 UV-EG-SUMME nicht numerisch"},
        CutCase{"InsideTheCarrierOfPosition99", 99, kHeader + 98 * kPosition + 3,
                "UV[99].GTST#GTST", "UV[99]#P_BBNRGT DSLN270 BBNR-GTS ist unzul\xE4ssig"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// The field stage: type-conformance checks over whole records.

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "machinery/field_check.h"
#include "machinery/internal/problem.h"
#include "pl/data_record.h"
#include "pl/plausi_problem.h"
#include "pl/topic.h"
#include "pl/type_descriptor.h"
#include "support/tst_harness.h"

namespace {

using pl::ProblemInfoType;

struct FieldCase {
  const char* label;
  std::string line;
  // "<final id>:<info type>" of every field finding, in order.
  std::vector<std::string> findings;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.label; }

std::vector<std::string> fieldFindings(const vexal::testing::Harness& h) {
  std::vector<std::string> result;
  for (std::size_t i = 0; i < h.findingCount(); ++i) {
    const pl::PlausiProblem& p = h.finding(i);
    if (p.getProblemType() != pl::ProblemType::kField) continue;
    result.push_back(std::string(p.getId()) + ":" +
                     std::to_string(static_cast<int>(p.getInfoType())));
  }
  return result;
}

tst::Line with(void (*edit)(tst::Line&)) {
  tst::Line line;
  edit(line);
  return line;
}

class FieldStageTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldStageTest, ReportsTheFirstFailingTestOfEachField) {
  auto h = tst::makeHarness();
  h->check(GetParam().line);
  EXPECT_EQ(fieldFindings(*h), GetParam().findings);
  EXPECT_TRUE(h->sections.balanced());
  EXPECT_EQ(h->ctx().getSectionDepth(), 0u);
}

// Unobserved, the runtime leaves the checks of passing texts uncalled: the
// findings must not tell, on the first record of a plan and the next.
TEST_P(FieldStageTest, FindsTheSameWithoutASectionObserver) {
  auto h = tst::makeHarness();
  h->ctx().setSectionObserver(nullptr);
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    h->check(GetParam().line);
    EXPECT_EQ(fieldFindings(*h), GetParam().findings);
    EXPECT_EQ(h->ctx().getCurrentField(), nullptr);
  }
}

const FieldCase kFieldCases[] = {
    FieldCase{"valid", tst::Line{}.str(), {}},
    FieldCase{"numeric field with a letter",
              with([](tst::Line& l) { l.num = "1A"; }).str(),
              {"NUM#NUM:2"}},
    FieldCase{
        "numeric field of blanks", with([](tst::Line& l) { l.num = "  "; }).str(), {"NUM#NUM:2"}},
    FieldCase{"line ends after OPT: mandatory fields missing, counter unread",
              tst::Line{}.str().substr(0, 9),
              {"FLAG#FLAG:1", "ANZ#ANZ:1"}},
    FieldCase{"line ends inside NUM: partial text is present",
              tst::Line{}.str().substr(0, 5),
              {"FLAG#FLAG:1", "ANZ#ANZ:1"}},
    FieldCase{"optional field not supplied gives nothing",
              tst::Line{}.str().substr(0, 6),
              {"FLAG#FLAG:1", "ANZ#ANZ:1"}},
    FieldCase{"empty line", "", {"KE#KE:1", "NUM#NUM:1", "FLAG#FLAG:1", "ANZ#ANZ:1"}},
    FieldCase{"block field names its occurrence",
              with([](tst::Line& l) {
                l.anz = "2";
                l.pos = {tst::Pos{}, tst::Pos{"POS2", "12A45", "  "}};
              }).str(),
              {"POS[2].BETRAG#BETRAG:2"}},
    FieldCase{
        "counted block runs past the line end",
        with([](tst::Line& l) { l.anz = "3"; }).str(),
        {"POS[2].KE#KE:1", "POS[2].BETRAG#BETRAG:1", "POS[3].KE#KE:1", "POS[3].BETRAG#BETRAG:1"}},
    FieldCase{"counter not numeric: no block",
              with([](tst::Line& l) { l.anz = "X"; }).str(),
              {"ANZ#ANZ:2"}},
    FieldCase{"conditional block present and cut short",
              with([](tst::Line& l) { l.flag = "J"; }).str().substr(0, 24),
              {"ZUS[1].INFO#INFO:1"}},
    FieldCase{"conditional block absent", with([](tst::Line& l) { l.flag = "N"; }).str(), {}}};

INSTANTIATE_TEST_SUITE_P(Records, FieldStageTest, ::testing::ValuesIn(kFieldCases),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

// Unobserved, a record cut as the one before is checked with what the
// field stage learnt of that cut: after any other record, each record
// finds what it finds alone, and leaves no current field.
TEST(FieldStageSequenceTest, EachRecordFindsWhatItFindsAloneAfterAnyOther) {
  for (const FieldCase& first : kFieldCases) {
    for (const FieldCase& second : kFieldCases) {
      SCOPED_TRACE(std::string(first.label) + " then " + second.label);
      auto h = tst::makeHarness();
      h->ctx().setSectionObserver(nullptr);
      for (const FieldCase* c : {&first, &second, &second, &first}) {
        h->check(c->line);
        EXPECT_EQ(fieldFindings(*h), c->findings) << c->label;
        EXPECT_EQ(h->ctx().getCurrentField(), nullptr);
      }
    }
  }
}

// A record that supplies longer texts than the layout allows (hosts may fill
// DataRecords themselves).
class HandMadeRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* path : {"KE", "NUM", "OPT", "FLAG", "ANZ"}) record.internPath(path);
  }
  void check(std::string_view num, std::string_view opt) {
    std::string text = "KE01" + std::string(num) + std::string(opt) + "N0";
    record.clear();
    record.setText(text);
    std::size_t at = 0;
    auto add = [&](const char* path, std::size_t size) {
      record.addField(record.findPath(path), nullptr, at, size, true);
      at += size;
    };
    add("KE", 4);
    add("NUM", num.size());
    add("OPT", opt.size());
    add("FLAG", 1);
    add("ANZ", 1);
    h->ctx().reset();
    h->ctx().setDataRecord(&record);
    pl::checkRecord(&h->plausi(), &h->ctx());
  }
  std::unique_ptr<vexal::testing::Harness> h = tst::makeHarness();
  pl::DataRecord record;
};

TEST_F(HandMadeRecordTest, TooLongComesBeforeTypeConformity) {
  struct Case {
    const char* num;
    const char* opt;
    std::vector<std::string> expected;
  } cases[] = {
      {"05", "abc", {}},
      {"123", "abc", {"NUM#NUM:3"}},  // one character over
      {"12A", "abc", {"NUM#NUM:3"}},  // too long wins over not conform
      {"05", "abcd", {"OPT#OPT:3"}},  // optional fields are length-checked too
      {"", "abc", {"NUM#NUM:2"}},     // supplied but empty: present, not conform
  };
  for (bool observed : {true, false}) {
    h->ctx().setSectionObserver(observed ? &h->sections : nullptr);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.num) + "/" + c.opt + (observed ? " observed" : " unobserved"));
      check(c.num, c.opt);
      EXPECT_EQ(fieldFindings(*h), c.expected);
    }
  }
}

TEST(FieldCheckPassTest, IsWhatTheFieldCheckPassesWithoutAFinding) {
  using vexal::machinery::FieldRow;
  struct Case {
    FieldRow row;
    bool known;
    std::size_t max_length;
    std::size_t digits;
  } cases[] = {
      {{"A", "A", ::FieldType::kAlphanumeric, 5, vexal::machinery::Presence::kOptional},
       true,
       5,
       0},
      {{"N", "N", ::FieldType::kNumeric, 5, vexal::machinery::Presence::kMandatory}, true, 5, 5},
      {{"L", "L", ::FieldType::kNumeric, 40, vexal::machinery::Presence::kMandatory}, true, 40, 31},
      // No text of a numeric field without room is type-conform.
      {{"Z", "Z", ::FieldType::kNumeric, 0, vexal::machinery::Presence::kMandatory}, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row.name);
    const pl::FieldCheckPass pass = vexal::machinery::fieldCheckPass(c.row);
    EXPECT_EQ(pass.known, c.known);
    if (!c.known) continue;
    EXPECT_EQ(pass.max_length, c.max_length);
    EXPECT_EQ(pass.digits, c.digits);
  }
}

TEST(FieldFindingTest, CarriesTheFieldAttributesByteForByte) {
  auto h = tst::makeHarness();
  h->check(tst::Line{}.str().substr(0, 4));  // NUM missing
  ASSERT_GE(h->findingCount(), 1u);
  const pl::PlausiProblem& p = h->finding(0);
  EXPECT_EQ(p.getProblemType(), pl::ProblemType::kField);
  EXPECT_EQ(p.getWeight(), 9);
  EXPECT_STREQ(p.getId(), "NUM#NUM");
  EXPECT_STREQ(p.getShortDescription(), "Ihre Eingabe ist unzul\xE4ssig.");
  EXPECT_STREQ(p.getLongDescription(), "Ihre Eingabe ist unzul\xE4ssig.");
  EXPECT_STREQ(p.getCorrectionInfo(), "Korrigieren Sie bitte Ihre Angabe.");
  EXPECT_STREQ(p.getReferenceTopic(), "Merkmalpruefung");
  EXPECT_STREQ(p.getFieldDisplayName(), "NUM");
  ASSERT_TRUE(p.hasFieldType());
  EXPECT_EQ(p.getFieldType(), pl::FieldType::kNumeric);
  EXPECT_STREQ(p.getFieldMask(), "0##");
  ASSERT_TRUE(p.hasFieldLength());
  EXPECT_EQ(p.getFieldLength(), 2);
  EXPECT_EQ(p.getInfoType(), ProblemInfoType::kInvalid);
  EXPECT_EQ(p.getException(), nullptr);
  EXPECT_EQ(p.getReferenceField(), static_cast<tst::Plausi_TST_01&>(h->plausi()).root()->NUM);
  EXPECT_STREQ(p.getReferenceFieldHierarchy(), "NUM");
  ASSERT_EQ(p.getSectionCount(), 1u);
  EXPECT_STREQ(p.getSection(0).title, "Merkmal NUM");
  EXPECT_TRUE(p.getSection(0).flag);
  // An alphanumeric field carries type 0 and no mask.
  const pl::PlausiProblem& flag = h->finding(1);
  EXPECT_STREQ(flag.getId(), "FLAG#FLAG");
  EXPECT_EQ(flag.getFieldType(), pl::FieldType::kAlphanumeric);
  EXPECT_EQ(flag.getFieldMask(), nullptr);
  EXPECT_EQ(flag.getFieldLength(), 1);
}

TEST(FieldFindingTest, TracesEveryWrittenIdAndLeavesNoCurrentField) {
  auto h = tst::makeHarness();
  h->check(with([](tst::Line& l) { l.num = "1A"; }).str());
  EXPECT_EQ(h->trace.lines.front(), "FehlerID angeschrieben: NUM#NUM");
  EXPECT_EQ(h->ctx().getCurrentField(), nullptr);
  EXPECT_NE(std::find(h->sections.started.begin(), h->sections.started.end(), "Merkmal NUM|1"),
            h->sections.started.end());
}

}  // namespace

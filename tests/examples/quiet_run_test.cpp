// A check with no section observer takes shortcuts: sections open only
// around the findings written in them, and field checks that pass open
// nothing. What it reports must be what an observed check reports: the
// same findings with the same texts, attributes and sections, and the same
// log lines. Checked on the example transmission and on damaged copies of
// valid records of every record type, each record type checked by an
// observed and an unobserved harness side by side.

#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DSAS_01/dsas01_record.h"
#include "DSAS_02/dsas02_record.h"
#include "DSKO_04/dsko04_record.h"
#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/dsln02_record.h"
#include "pl/plausi_problem.h"

namespace {

using HarnessPtr = std::unique_ptr<vexal::testing::Harness>;

std::string text(const char* s) { return s == nullptr ? "(null)" : s; }

// Everything a host can learn from one check: the findings field by field
// and the log lines.
std::vector<std::string> report(const vexal::testing::Harness& h) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < h.findingCount(); ++i) {
    const pl::PlausiProblem& p = h.finding(i);
    std::string line =
        text(p.getId()) + "|" + std::to_string(static_cast<int>(p.getProblemType())) + "|" +
        std::to_string(p.getWeight()) + "|" + text(p.getShortDescription()) + "|" +
        text(p.getLongDescription()) + "|" + text(p.getCorrectionInfo()) + "|" +
        text(p.getReferenceTopic()) + "|" + text(p.getReferenceFieldHierarchy()) + "|" +
        text(p.getFieldDisplayName()) + "|" + text(p.getFieldMask()) + "|" +
        std::to_string(static_cast<int>(p.getInfoType())) + "|" + text(p.getException()) + "|";
    for (std::size_t k = 0; k < p.getSectionCount(); ++k) {
      line += text(p.getSection(k).title) + (p.getSection(k).flag ? "+" : "-") + ";";
    }
    lines.push_back(line);
  }
  for (const std::string& error : h.errors.lines) lines.push_back("E:" + error);
  for (const std::string& trace : h.trace.lines) lines.push_back("T:" + trace);
  return lines;
}

struct RecordType {
  const char* name;
  std::function<HarnessPtr()> make;
  std::vector<std::string> valid_lines;
};

std::vector<RecordType> recordTypes() {
  return {
      {"DSKO_04", dsko04::makeHarness, {dsko04::validRecord().line()}},
      {"DSAS_01",
       dsas01::makeHarness,
       {dsas01::validRecord().line(), dsas01::validRecordWithContact().line()}},
      {"DSAS_02",
       dsas02::makeHarness,
       {dsas02::validRecord().line(), dsas02::validRecordWithContact().line()}},
      {"DSLN_01",
       dsln01::makeHarness,
       {dsln01::validRecord().line(), dsln01::validRecordWithContact().line(),
        dsln01::validRecordWithPositions(7).line()}},
      {"DSLN_02",
       dsln02::makeHarness,
       {dsln02::validRecord().line(), dsln02::validRecordWithContact().line()}},
  };
}

class QuietRunTest : public ::testing::TestWithParam<int> {};

TEST_P(QuietRunTest, ReportsWhatAnObservedRunReports) {
  RecordType type = recordTypes()[static_cast<std::size_t>(GetParam())];
  HarnessPtr observed = type.make();
  HarnessPtr quiet = type.make();
  quiet->ctx().setSectionObserver(nullptr);
  std::vector<std::string> lines;
  std::ifstream in(VEXAL_EXAMPLE_FILE, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, 4, std::string(type.name, 4)) == 0) lines.push_back(line);
  }
  std::mt19937 random(20261208);
  for (int i = 0; i < 1500; ++i) {
    std::string line = type.valid_lines[random() % type.valid_lines.size()];
    for (int k = random() % 6; k > 0; --k) {
      line[random() % line.size()] = "0 9A@.-J\xE4"[random() % 9];
    }
    if (random() % 4 == 0) line.resize(random() % (line.size() + 20), ' ');
    lines.push_back(line);
  }
  int with_findings = 0;
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    observed->check(line);
    quiet->check(line);
    ASSERT_EQ(report(*quiet), report(*observed));
    EXPECT_EQ(quiet->ctx().getSectionDepth(), 0u);
    EXPECT_EQ(quiet->ctx().getCurrentField(), nullptr);
    if (observed->findingCount() > 0) ++with_findings;
  }
  EXPECT_TRUE(quiet->sections.started.empty());
  EXPECT_GT(with_findings, 500);
}

INSTANTIATE_TEST_SUITE_P(RecordTypes, QuietRunTest, ::testing::Range(0, 5),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(recordTypes()[info.param].name);
                         });

}  // namespace

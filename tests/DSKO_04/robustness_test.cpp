// Damaged DSKO_04 records never break a check: every line yields findings
// and the run ends balanced.

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "DSKO_04/dsko04_record.h"
#include "pl/plausi_exception.h"

namespace {

TEST(Dsko04RobustnessTest, RandomlyDamagedRecords) {
  auto h = dsko04::makeHarness();
  std::mt19937 random(20261208);
  const std::string base = dsko04::validRecord().line();
  int with_findings = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string line = base;
    for (int k = random() % 8; k > 0; --k)
      line[random() % line.size()] = static_cast<char>(random() % 256);
    if (random() % 3 == 0) line.resize(random() % (base.size() + 40), ' ');
    try {
      h->check(line);
    } catch (const pl::PlausiException& e) {
      ADD_FAILURE() << "check error on line " << i << ": " << e.getMessage();
    }
    if (h->findingCount() > 0) ++with_findings;
    ASSERT_TRUE(h->sections.balanced()) << "line " << i;
    ASSERT_TRUE(h->errors.lines.empty()) << "line " << i << ": " << h->errors.lines.front();
  }
  EXPECT_GT(with_findings, 1500);
}

}  // namespace

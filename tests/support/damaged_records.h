// Randomly damaged copies of a valid record line, checked one after the
// other: no copy may break a check.

#ifndef VEXAL_TESTS_SUPPORT_DAMAGED_RECORDS_H_
#define VEXAL_TESTS_SUPPORT_DAMAGED_RECORDS_H_

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "pl/plausi_exception.h"
#include "support/harness.h"

namespace vexal::testing {

// Checks `count` copies of `base` with up to seven random bytes replaced
// and every third one cut or padded. Each check must end balanced, without
// an error line and without a check error; returns how many copies had
// findings.
inline int checkDamagedCopies(Harness& h, const std::string& base, int count, unsigned seed) {
  std::mt19937 random(seed);
  int with_findings = 0;
  for (int i = 0; i < count; ++i) {
    std::string line = base;
    for (int k = random() % 8; k > 0; --k)
      line[random() % line.size()] = static_cast<char>(random() % 256);
    if (random() % 3 == 0) line.resize(random() % (base.size() + 40), ' ');
    try {
      h.check(line);
    } catch (const pl::PlausiException& e) {
      ADD_FAILURE() << "check error on line " << i << ": " << e.getMessage();
    }
    if (h.findingCount() > 0) ++with_findings;
    EXPECT_TRUE(h.sections.balanced()) << "line " << i;
    if (!h.errors.lines.empty()) ADD_FAILURE() << "line " << i << ": " << h.errors.lines.front();
    if (::testing::Test::HasFailure()) break;
  }
  return with_findings;
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_DAMAGED_RECORDS_H_

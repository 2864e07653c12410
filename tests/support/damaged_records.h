// Damaged copies of a valid record line, checked one after the other: no
// copy may break a check. Randomly damaged copies, and the line cut at
// every length.

#ifndef VEXAL_TESTS_SUPPORT_DAMAGED_RECORDS_H_
#define VEXAL_TESTS_SUPPORT_DAMAGED_RECORDS_H_

#include <random>
#include <string>
#include <string_view>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pl/plausi_exception.h"
#include "support/harness.h"
#include "support/line_layout.h"

namespace vexal::testing {

// Checks one line as a host does. A check error is a failure: damaged
// lines must yield findings, not errors. `what` names the line in
// failures.
inline void checkWithoutError(Harness& h, std::string_view line, const std::string& what) {
  try {
    h.check(line);
  } catch (const pl::PlausiException& e) {
    ADD_FAILURE() << "check error on " << what << ": " << e.getMessage();
  }
}

// The last check ended as every check must: its sections balanced, no
// section and no field left current, and no error line written.
inline void expectCleanEnd(Harness& h, const std::string& what) {
  EXPECT_TRUE(h.sections.balanced()) << what;
  EXPECT_EQ(h.ctx().getSectionDepth(), 0u) << what;
  EXPECT_EQ(h.ctx().getCurrentField(), nullptr) << what;
  if (!h.errors.lines.empty()) ADD_FAILURE() << what << ": " << h.errors.lines.front();
}

// Checks `count` copies of `base` with up to seven random bytes replaced
// and every third one cut or padded. Each check must end cleanly and
// without a check error; returns how many copies had findings.
inline int checkDamagedCopies(Harness& h, const std::string& base, int count, unsigned seed) {
  std::mt19937 random(seed);
  int with_findings = 0;
  for (int i = 0; i < count; ++i) {
    std::string line = base;
    for (int k = random() % 8; k > 0; --k)
      line[random() % line.size()] = static_cast<char>(random() % 256);
    if (random() % 3 == 0) line.resize(random() % (base.size() + 40), ' ');
    const std::string what = "line " + std::to_string(i);
    checkWithoutError(h, line, what);
    if (h.findingCount() > 0) ++with_findings;
    expectCleanEnd(h, what);
    if (::testing::Test::HasFailure()) break;
  }
  return with_findings;
}

// Checks every prefix of `line` shorter than the line, from `from`
// characters on. Each check must end cleanly and without a check error, and its cut
// must tell the length it got and a longer one the layout implies: a line
// cut anywhere is too short, also where the cut falls into a counter or a
// condition field. inspect(length) runs after each check for the caller's
// own assertions; stops at the first failure.
template <class Inspect>
void checkEveryCut(Harness& h, const std::string& line, std::size_t from, Inspect&& inspect) {
  for (std::size_t length = from; length < line.size(); ++length) {
    const std::string what = "line cut to " + std::to_string(length) + " characters";
    checkWithoutError(h, std::string_view(line).substr(0, length), what);
    expectCleanEnd(h, what);
    EXPECT_EQ(h.cut().actual_length, length) << what;
    EXPECT_GT(h.cut().expected_length, length) << what;
    inspect(length);
    if (::testing::Test::HasFailure()) return;
  }
}

// Checks every cut of `line` from `from` characters on (checkEveryCut),
// the line laid out as `layout` says. A cut inside the header leaves the
// header's last field incomplete, which is mandatory in the record types
// with groups (ANUV of the wage reports, AFGRUND of the queries): it has
// findings. A cut after the header keeps the counters and conditions, so
// the layout implies the whole line; it finds nothing in the header nor in
// an occurrence the line still holds whole, and it finds every mandatory
// field it drops wholly.
inline void checkCutsAfter(Harness& h, const std::string& line, const LineLayout& layout,
                           std::size_t from = 0) {
  checkEveryCut(h, line, from, [&](std::size_t length) {
    if (length < layout.header) {
      EXPECT_GT(h.findingCount(), 0u) << "line cut to " << length;
      return;
    }
    EXPECT_EQ(h.cut().expected_length, line.size()) << "line cut to " << length;
    for (const std::string& id : h.ids()) {
      bool in_a_cut_occurrence = false;
      for (const auto& [prefix, end] : layout.occurrences) {
        if (id.rfind(prefix, 0) == 0) in_a_cut_occurrence = end > length;
      }
      EXPECT_TRUE(in_a_cut_occurrence) << id << " on a line cut to " << length;
    }
    for (const auto& [id, start] : layout.mandatory) {
      if (length <= start) {
        EXPECT_THAT(h.ids(), ::testing::Contains(id)) << "line cut to " << length;
      }
    }
  });
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_DAMAGED_RECORDS_H_

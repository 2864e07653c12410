#ifndef VEXAL_TESTS_SUPPORT_TST_HARNESS_H_
#define VEXAL_TESTS_SUPPORT_TST_HARNESS_H_

#include <memory>

#include "support/harness.h"
#include "support/test_rule_set.h"
#include "support/tst_lines.h"

namespace tst {

inline std::unique_ptr<vexal::testing::Harness> makeHarness() {
  return std::make_unique<vexal::testing::Harness>(std::make_shared<Plausi_TST_01>(),
                                                   std::make_shared<RecordDefinition_TST_01>());
}

}  // namespace tst

#endif  // VEXAL_TESTS_SUPPORT_TST_HARNESS_H_

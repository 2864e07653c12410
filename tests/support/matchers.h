// The gmock matchers the tests name unqualified, brought in with one line:
// `using namespace vexal::testing::matchers;`.

#ifndef VEXAL_TESTS_SUPPORT_MATCHERS_H_
#define VEXAL_TESTS_SUPPORT_MATCHERS_H_

#include <gmock/gmock.h>

namespace vexal::testing::matchers {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Pair;
using ::testing::StartsWith;

}  // namespace vexal::testing::matchers

#endif  // VEXAL_TESTS_SUPPORT_MATCHERS_H_

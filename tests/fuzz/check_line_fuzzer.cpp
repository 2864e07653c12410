// libFuzzer target: any bytes as a record line of the test record type,
// cut by its layout and checked by its rule set.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "pl/plausi_exception.h"
#include "support/tst_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::unique_ptr<vexal::testing::Harness> harness = tst::makeHarness();
  std::string_view line(reinterpret_cast<const char*>(data), size);
  try {
    harness->check(line);
  } catch (const pl::PlausiException&) {
    // A check error is a result, not a crash.
  }
  if (!harness->sections.balanced() || harness->ctx().getSectionDepth() != 0) __builtin_trap();
  return 0;
}

// libFuzzer target: any bytes as a record line, cut by a record layout and
// checked by its rule set. The first byte chooses the record type (the
// test record type or DSKO_04); the rest is the line. A DSKO_04 line is
// laid over a valid record, so that the fuzzer starts from deep inside the
// rules rather than from a record that fails at its first field.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DSKO_04/dsko04_record.h"
#include "pl/plausi_exception.h"
#include "support/tst_harness.h"

namespace {

void checkBalanced(vexal::testing::Harness& harness, std::string_view line) {
  try {
    harness.check(line);
  } catch (const pl::PlausiException&) {
    // A check error is a result, not a crash.
  }
  if (!harness.sections.balanced() || harness.ctx().getSectionDepth() != 0 ||
      harness.ctx().getCurrentField() != nullptr) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::unique_ptr<vexal::testing::Harness> tst_harness = tst::makeHarness();
  static std::unique_ptr<vexal::testing::Harness> dsko_harness = dsko04::makeHarness();
  static const std::string dsko_line = dsko04::validRecord().line();
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 2 == 0) {
    checkBalanced(*tst_harness, bytes);
  } else {
    // The fuzzed bytes replace the record from an offset chosen by the
    // first byte; the line ends where they end.
    std::size_t from = (data[0] / 2) * dsko_line.size() / 128;
    std::string line = dsko_line.substr(0, from);
    line.append(bytes);
    checkBalanced(*dsko_harness, line);
  }
  return 0;
}

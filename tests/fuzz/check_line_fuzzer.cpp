// libFuzzer target: any bytes as a record line, cut by a record layout and
// checked by its rule set. The first byte chooses the record type (the
// test record type, DSKO_04 or DSAS_01 with a contact person); the rest is
// the line. A DSKO_04 or DSAS_01 line is laid over a valid record, so that
// the fuzzer starts from deep inside the rules rather than from a record
// that fails at its first field.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "DSAS_01/dsas01_record.h"
#include "DSKO_04/dsko04_record.h"
#include "pl/plausi_exception.h"
#include "support/tst_harness.h"

namespace {

// The fuzzed bytes replace the record from an offset chosen by `where`;
// the line ends where they end.
std::string overlay(const std::string& valid, std::uint8_t where, std::string_view bytes) {
  std::string line = valid.substr(0, where * valid.size() / 256);
  line.append(bytes);
  return line;
}

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
  static std::unique_ptr<vexal::testing::Harness> dsas_harness = dsas01::makeHarness();
  static const std::string dsko_line = dsko04::validRecord().line();
  static const std::string dsas_line = dsas01::validRecordWithContact().line();
  if (size < 2) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  switch (data[0] % 3) {
    case 0:
      checkBalanced(*tst_harness, bytes);
      break;
    case 1:
      checkBalanced(*dsko_harness, overlay(dsko_line, data[1], bytes));
      break;
    default:
      checkBalanced(*dsas_harness, overlay(dsas_line, data[1], bytes));
      break;
  }
  return 0;
}

// libFuzzer target: any bytes as a record line, cut by a record layout and
// checked by its rule set. The first byte chooses the record type and how
// the bytes make the line: the test record type takes them as its line;
// every other type lays them over a valid record of its own, from an
// offset the second byte chooses, so that the fuzzer starts from deep
// inside the rules rather than from a record that fails at its first
// field. The line either ends where the bytes end, or keeps the rest of
// the valid record behind them. The wage reports have three tariff
// positions (one of them 99) and the contact person, so that fuzzed bytes
// reach their count ANUV with positions behind it, cut occurrences and
// damage them in place. tests/fuzz/seeds holds starting inputs that do so
// (named after what they do); they depend on the order of makeTargets().

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DSAS_01/dsas01_record.h"
#include "DSAS_02/dsas02_record.h"
#include "DSKO_04/dsko04_record.h"
#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/dsln02_record.h"
#include "pl/plausi_exception.h"
#include "support/tst_harness.h"

namespace {

// A record type under fuzzing: its harness, and the valid line the fuzzed
// bytes are laid over (empty for the test record type).
struct Target {
  std::unique_ptr<vexal::testing::Harness> harness;
  std::string valid;
};

std::string wageReport01(int positions) {
  vexal::testing::RecordBuilder record = dsln01::validRecordWithPositions(positions);
  return dsln01::addContact(record.set("MMDBAP", "J")).line();
}

std::string wageReport02(int positions) {
  vexal::testing::RecordBuilder record = dsln02::validRecordWithPositions(positions);
  return dsln02::addContact(record.set("MMDBAP", "J")).line();
}

std::vector<Target> makeTargets() {
  std::vector<Target> targets;
  targets.push_back({tst::makeHarness(), ""});
  targets.push_back({dsko04::makeHarness(), dsko04::validRecord().line()});
  targets.push_back({dsas01::makeHarness(), dsas01::validRecordWithContact().line()});
  targets.push_back({dsln01::makeHarness(), wageReport01(3)});
  targets.push_back({dsln01::makeHarness(), wageReport01(99)});
  targets.push_back({dsas02::makeHarness(), dsas02::validRecordWithContact().line()});
  targets.push_back({dsln02::makeHarness(), wageReport02(3)});
  return targets;
}

// The fuzzed bytes replace the record from an offset chosen by `where`.
// Cut short, the line ends where they end; otherwise the rest of the record
// follows them.
std::string overlay(const std::string& valid, std::uint8_t where, bool cut_short,
                    std::string_view bytes) {
  std::string line = valid.substr(0, where * valid.size() / 256);
  line.append(bytes);
  if (!cut_short && line.size() < valid.size()) line.append(valid, line.size());
  return line;
}

void checkBalanced(vexal::testing::Harness& harness, std::string_view line) {
  try {
    harness.check(line);
  } catch (const pl::PlausiException&) {
    // A check error is a result, not a crash.
  }
  if (!harness.sections.balanced() || harness.ctx().getSectionDepth() != 0 ||
      harness.ctx().getCurrentField() != nullptr || harness.cut().actual_length != line.size()) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::vector<Target> targets = makeTargets();
  if (size < 2) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  Target& target = targets[data[0] % targets.size()];
  const bool cut_short = (data[0] / targets.size()) % 2 == 0;
  if (target.valid.empty()) {
    checkBalanced(*target.harness, bytes);
  } else {
    checkBalanced(*target.harness, overlay(target.valid, data[1], cut_short, bytes));
  }
  return 0;
}

// The cost of a line through libvexalcheck's C API against the same line
// through the checking core directly, as vexal check runs it (tell the
// record type, cut, field stage, rule stage, findings as plain values; no
// output). Both load libvexal from the build; the C API hands its results
// out as C structs with UTF-8 texts. Reports records per second and heap
// allocations per record in steady state.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "DSAS_01/dsas01_record.h"
#include "DSKO_04/dsko04_record.h"
#include "core/checker.h"
#include "core/library.h"
#include "core/rule_sets.h"
#include "counting_allocator.h"
#include "vexal/check.h"

namespace {

std::vector<std::string> linesOf(int input) {
  switch (input) {
    case 0:  // one valid DSKO_04 record
      return {dsko04::validRecord().line()};
    case 1:  // that and three faulty ones in turn, one to three findings each
      return {dsko04::validRecord().line(), dsko04::validRecord().set("VERNR", "03").line(),
              dsko04::validRecord().set("ED", "20270101000000000000").line(),
              dsko04::validRecord().set("EMAILAP", "a@b@c.de").set("NAME1", "").line()};
    case 2:  // one valid DSAS_01 query with contact person
      return {dsas01::validRecordWithContact().line()};
    default:  // that and three faulty queries in turn
      return {dsas01::validRecordWithContact().line(),
              dsas01::validRecord().set("ABSN", "12345672").line(),
              dsas01::validRecord().set("MNR", "12345678").line(),
              dsas01::validRecordWithContact().set("AN.NAMEAP", "").line()};
  }
}

// Runs check(line) over the input's lines in turn and sets the counters.
template <class Check>
void checkInTurn(benchmark::State& state, Check&& check) {
  const std::vector<std::string> lines = linesOf(static_cast<int>(state.range(0)));
  constexpr long kWarmUp = 100;
  long start = 0, n = 0, findings = 0;
  for (auto _ : state) {
    if (n == kWarmUp) start = vexal::bench::allocationCount();
    findings += static_cast<long>(check(lines[n % lines.size()], n + 1));
    ++n;
  }
  state.counters["records_per_s"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsRate);
  state.counters["allocs_per_record"] =
      n > kWarmUp ? static_cast<double>(vexal::bench::allocationCount() - start) /
                        static_cast<double>(n - kWarmUp)
                  : 0;
  state.counters["findings_per_record"] = static_cast<double>(findings) / static_cast<double>(n);
}

void BM_Core(benchmark::State& state) {
  std::string error;
  std::unique_ptr<vexal::core::Library> library =
      vexal::core::Library::open(VEXAL_LIBRARY_PATH, error);
  if (library == nullptr) {
    state.SkipWithError(error.c_str());
    return;
  }
  vexal::core::LibraryRuleSets rule_sets(*library);
  vexal::core::Checker checker(rule_sets);
  vexal::core::CheckOptions options;
  options.today = vexal::core::Date{2026, 12, 8};
  checker.configure(options);
  checkInTurn(state, [&](const std::string& line, long number) {
    return checker.check(line, number).findings.size();
  });
}

void BM_CApi(benchmark::State& state) {
  vx_options options;
  vx_options_init(&options);
  options.today = "20261208";
  vx_checker* checker = nullptr;
  char message[256];
  if (vx_checker_new(&options, &checker, message, sizeof message) != VX_OK) {
    state.SkipWithError(message);
    return;
  }
  checkInTurn(state, [&](const std::string& line, long number) {
    const vx_result* result = nullptr;
    vx_check_line(checker, line.data(), line.size(), number, &result);
    return result->finding_count;
  });
  vx_checker_free(checker);
}

BENCHMARK(BM_Core)->ArgName("input")->DenseRange(0, 3);
BENCHMARK(BM_CApi)->ArgName("input")->DenseRange(0, 3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::AddCustomContext("cpu_model", vexal::bench::cpuModel());
  benchmark::AddCustomContext("build_type", VEXAL_BUILD_TYPE);
  benchmark::AddCustomContext(
      "input",
      "input/0 one valid DSKO_04 record (415 characters); input/1 that and three faulty ones in "
      "turn; input/2 one valid DSAS_01 query with contact person (784 characters); input/3 "
      "that and three faulty queries in turn. Core: core::Checker as vexal check runs it; CApi: "
      "vx_check_line of libvexalcheck, results as C structs in UTF-8");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

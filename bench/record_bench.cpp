// Checking DSKO_04 records as a host does, without output: reset, cut,
// field stage and rule stage. Reports records per second and heap
// allocations per record in steady state.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "DSKO_04/DSKO_04.h"
#include "DSKO_04/dsko04_record.h"
#include "counting_allocator.h"
#include "pl/check_record.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace {

struct Host {
  DSKO_04::Plausi_DSKO_04 plausi;
  RecordDefinition_DSKO_04 layout;
  vexal::host::RecordInput input{layout};
  pl::RuntimeContext ctx;

  Host() {
    ctx.setDataRecord(&input.record());
    ctx.setProcessingDate(2026, 12, 8);
  }
  std::size_t check(std::string_view line) {
    ctx.reset();
    input.load(line);
    pl::checkRecord(&plausi, &ctx);
    return ctx.getProblemCount();
  }
};

// One valid record, or a mix of one valid and three faulty ones (wrong
// version, creation date after the processing date, an e-mail address
// with two at-signs, a blank name).
std::vector<std::string> records(bool faulty) {
  std::vector<std::string> lines = {dsko04::validRecord().line()};
  if (faulty) {
    lines.push_back(dsko04::validRecord().set("VERNR", "03").line());
    lines.push_back(dsko04::validRecord().set("ED", "20270101000000000000").line());
    lines.push_back(dsko04::validRecord().set("EMAILAP", "a@b@c.de").set("NAME1", "").line());
  }
  return lines;
}

void BM_CheckDSKO04(benchmark::State& state) {
  Host host;
  const std::vector<std::string> lines = records(state.range(0) != 0);
  constexpr long kWarmUp = 100;
  long start = 0, n = 0, findings = 0;
  for (auto _ : state) {
    if (n == kWarmUp) start = vexal::bench::allocationCount();
    findings += static_cast<long>(host.check(lines[n % lines.size()]));
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
BENCHMARK(BM_CheckDSKO04)->ArgName("faulty")->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::AddCustomContext("cpu_model", vexal::bench::cpuModel());
  benchmark::AddCustomContext("build_type", VEXAL_BUILD_TYPE);
  benchmark::AddCustomContext("input",
                              "DSKO_04 records of 415 characters: faulty/0 one valid record, "
                              "faulty/1 one valid and three faulty records in turn");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

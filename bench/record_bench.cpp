// Checking records as a host does, without output: reset, cut, field stage
// and rule stage. Reports records per second and heap allocations per
// record in steady state, per record type and input.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "DSAS_01/dsas01_record.h"
#include "DSAS_02/dsas02_record.h"
#include "DSKO_04/dsko04_record.h"
#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/dsln02_record.h"
#include "bench_commit.h"
#include "counting_allocator.h"
#include "pl/check_record.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace {

template <class Plausi, class Layout>
struct Host {
  Plausi plausi;
  Layout layout;
  vexal::host::RecordInput input{layout};
  pl::RuntimeContext ctx;
  pl::RecordChecker checker{&plausi};

  Host() {
    ctx.setDataRecord(&input.record());
    ctx.setProcessingDate(2026, 12, 8);
    ctx.setInitParam("ipMjahrSchalttag", "1201");
  }
  std::size_t check(std::string_view line) {
    ctx.reset();
    input.load(line);
    checker.check(&ctx);
    return ctx.getProblemCount();
  }
};

template <class Plausi, class Layout>
void checkInTurn(benchmark::State& state, const std::vector<std::string>& lines) {
  Host<Plausi, Layout> host;
  constexpr long kWarmUp = 100;
  long start = 0, n = 0, findings = 0;
  for (auto _ : state) {
    if (n == kWarmUp) start = vexal::bench::allocationCount();
    findings += static_cast<long>(host.check(lines[n % lines.size()]));
    ++n;
  }
  // Read before the counters below allocate their map entries.
  const long allocations = vexal::bench::allocationCount() - start;
  state.counters["records_per_s"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsRate);
  state.counters["allocs_per_record"] =
      n > kWarmUp ? static_cast<double>(allocations) / static_cast<double>(n - kWarmUp) : 0;
  state.counters["findings_per_record"] = static_cast<double>(findings) / static_cast<double>(n);
}

// One valid record, or a mix of one valid and three faulty ones (wrong
// version, creation date after the processing date, an e-mail address
// with two at-signs, a blank name).
void BM_CheckDSKO04(benchmark::State& state) {
  std::vector<std::string> lines = {dsko04::validRecord().line()};
  if (state.range(0) != 0) {
    lines.push_back(dsko04::validRecord().set("VERNR", "03").line());
    lines.push_back(dsko04::validRecord().set("ED", "20270101000000000000").line());
    lines.push_back(dsko04::validRecord().set("EMAILAP", "a@b@c.de").set("NAME1", "").line());
  }
  checkInTurn<DSKO_04::Plausi_DSKO_04, RecordDefinition_DSKO_04>(state, lines);
}
BENCHMARK(BM_CheckDSKO04)->ArgName("faulty")->Arg(0)->Arg(1);

// 0: one valid query without contact person; 1: one with; 2: those two and
// three faulty ones (wrong check digit of the sender, membership number of
// the wrong length, a blank contact name) in turn.
void BM_CheckDSAS01(benchmark::State& state) {
  std::vector<std::string> lines;
  if (state.range(0) != 1) lines.push_back(dsas01::validRecord().line());
  if (state.range(0) != 0) lines.push_back(dsas01::validRecordWithContact().line());
  if (state.range(0) == 2) {
    lines.push_back(dsas01::validRecord().set("ABSN", "12345672").line());
    lines.push_back(dsas01::validRecord().set("MNR", "12345678").line());
    lines.push_back(dsas01::validRecordWithContact().set("AN.NAMEAP", "").line());
  }
  checkInTurn<DSAS_01::Plausi_DSAS_01, RecordDefinition_DSAS_01>(state, lines);
}
BENCHMARK(BM_CheckDSAS01)->ArgName("input")->Arg(0)->Arg(1)->Arg(2);

// 0: one valid query without contact person; 1: one with.
void BM_CheckDSAS02(benchmark::State& state) {
  std::vector<std::string> lines = {state.range(0) == 0 ? dsas02::validRecord().line()
                                                        : dsas02::validRecordWithContact().line()};
  checkInTurn<DSAS_02::Plausi_DSAS_02, RecordDefinition_DSAS_02>(state, lines);
}
BENCHMARK(BM_CheckDSAS02)->ArgName("input")->Arg(0)->Arg(1);

// One valid wage report with this many tariff positions, without contact
// person: the cost per position is the slope between the arguments.
void BM_CheckDSLN01(benchmark::State& state) {
  std::vector<std::string> lines = {
      dsln01::validRecordWithPositions(static_cast<int>(state.range(0))).line()};
  checkInTurn<DSLN_01::Plausi_DSLN_01, RecordDefinition_DSLN_01>(state, lines);
}
BENCHMARK(BM_CheckDSLN01)->ArgName("positions")->Arg(1)->Arg(10)->Arg(99);

void BM_CheckDSLN02(benchmark::State& state) {
  std::vector<std::string> lines = {
      dsln02::validRecordWithPositions(static_cast<int>(state.range(0))).line()};
  checkInTurn<DSLN_02::Plausi_DSLN_02, RecordDefinition_DSLN_02>(state, lines);
}
BENCHMARK(BM_CheckDSLN02)->ArgName("positions")->Arg(1)->Arg(10);

}  // namespace

int main(int argc, char** argv) {
  benchmark::AddCustomContext("cpu_model", vexal::bench::cpuModel());
  benchmark::AddCustomContext("build_type", VEXAL_BUILD_TYPE);
  benchmark::AddCustomContext("commit", VEXAL_BENCH_COMMIT);
  benchmark::AddCustomContext(
      "input",
      "DSKO_04 records of 415 characters: faulty/0 one valid record, faulty/1 one valid and "
      "three faulty records in turn; DSAS_01 queries of 463 characters (784 with the contact "
      "person): input/0 one valid query, input/1 one valid query with contact person, input/2 "
      "those two and three faulty ones in turn; DSAS_02 queries of 463 characters (784 with "
      "the contact person): input/0 one valid query, input/1 one with contact person; DSLN_01 "
      "and DSLN_02 wage reports of 494 characters and 59 per tariff position: positions/n one "
      "valid report with n positions, without contact person");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Hot operations of the rule runtime and one whole check, with the heap
// allocations each makes (counted by this binary's global allocator).

#include <benchmark/benchmark.h>

#include <string>

#include "bench_commit.h"
#include "counting_allocator.h"
#include "pl/check_record.h"
#include "pl/functions.h"
#include "pl/runtime_context.h"
#include "record_input.h"
#include "support/test_rule_set.h"
#include "support/tst_lines.h"

namespace {

using pl::Functions;

// Runs body once per iteration, resetting the context every 1000 values as
// a host does between records, and reports heap allocations per operation.
template <class Body>
void measure(benchmark::State& state, pl::RuntimeContext& ctx, Body&& body) {
  constexpr long kPerRecord = 1000;
  long start = 0;
  long n = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(body());
    if (++n % kPerRecord == 0) {
      ctx.reset();
      // Counted from the first reset on: the arena has grown to size then.
      if (n == kPerRecord) start = vexal::bench::allocationCount();
    }
  }
  long counted = n - kPerRecord;
  state.counters["allocs_per_op"] =
      counted > 0 ? static_cast<double>(vexal::bench::allocationCount() - start) /
                        static_cast<double>(counted)
                  : 0;
}

void BM_CreateStringValue(benchmark::State& state) {
  pl::RuntimeContext ctx;
  measure(state, ctx, [&] { return ctx.createStringValue("ABSENDER-NUMMER"); });
}
BENCHMARK(BM_CreateStringValue);

void BM_CreateNumberValue(benchmark::State& state) {
  pl::RuntimeContext ctx;
  measure(state, ctx, [&] { return ctx.createNumberValue(2023); });
}
BENCHMARK(BM_CreateNumberValue);

void BM_EqTexts(benchmark::State& state) {
  pl::RuntimeContext ctx;
  pl::Value* a = ctx.createStringValue("UVSDD");
  pl::Value* b = ctx.createStringValue("UVELN");
  measure(state, ctx, [&] { return Functions::eq(&ctx, a, b); });
}
BENCHMARK(BM_EqTexts);

void BM_EqTextAndNumber(benchmark::State& state) {
  pl::RuntimeContext ctx;
  pl::Value* a = ctx.createStringValue("2024");
  pl::Value* b = ctx.createNumberValue(2023);
  measure(state, ctx, [&] { return Functions::gt(&ctx, a, b); });
}
BENCHMARK(BM_EqTextAndNumber);

void BM_Teil(benchmark::State& state) {
  pl::RuntimeContext ctx;
  measure(state, ctx, [&] {
    return Functions::TEIL(&ctx, ctx.createStringValue("20240131123000000000"),
                           ctx.createNumberValue(9), ctx.createNumberValue(6));
  });
}
BENCHMARK(BM_Teil);

void BM_Numerisch(benchmark::State& state) {
  pl::RuntimeContext ctx;
  pl::Value* v = ctx.createStringValue("123456789012345");
  measure(state, ctx, [&] { return Functions::NUMERISCH(&ctx, v); });
}
BENCHMARK(BM_Numerisch);

void BM_IsTypeConformDate(benchmark::State& state) {
  pl::RuntimeContext ctx;
  pl::Value* v = ctx.createStringValue("20240229");
  measure(state, ctx,
          [&] { return Functions::isTypeConform(&ctx, v, pl::FieldType::kDateTime, "JJJJMMTT"); });
}
BENCHMARK(BM_IsTypeConformDate);

// A host's loop over records of the test record type, without any
// tracing: one rule set, one layout, one context.
struct LeanHost {
  tst::Plausi_TST_01 plausi;
  tst::RecordDefinition_TST_01 layout;
  vexal::host::RecordInput input{layout};
  pl::RuntimeContext ctx;
  pl::RecordChecker checker{&plausi};

  LeanHost() { ctx.setDataRecord(&input.record()); }
  void check(std::string_view line) {
    ctx.reset();
    input.load(line);
    checker.check(&ctx);
  }
};

std::string sampleLine() {
  tst::Line line;
  line.anz = "3";
  line.pos = {tst::Pos{}, tst::Pos{}, tst::Pos{"POS3", "00009", "  "}};
  return line.str();
}

// One type-conformance check (Merkmal_NUM of the test rule set) on a field
// of a loaded record.
void BM_TypeConformanceCheck(benchmark::State& state) {
  LeanHost host;
  host.check(sampleLine());
  pl::FieldCheckProc check = host.plausi.findFieldCheckProc("NUM");
  pl::Field* field = host.plausi.root()->NUM;
  measure(state, host.ctx, [&] { return check(&host.ctx, field); });
}
BENCHMARK(BM_TypeConformanceCheck);

// A whole record of the test record type (5 root fields and 3 block
// occurrences of 3 fields; 3 root procedures and one per occurrence; one
// finding): reset, cut, field stage, rule stage.
void BM_CheckRecord(benchmark::State& state) {
  LeanHost host;
  const std::string line = sampleLine();
  constexpr long kWarmUp = 100;
  long start = 0, n = 0;
  for (auto _ : state) {
    if (n++ == kWarmUp) start = vexal::bench::allocationCount();
    host.check(line);
  }
  state.counters["records_per_s"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsRate);
  state.counters["allocs_per_record"] =
      n > kWarmUp ? static_cast<double>(vexal::bench::allocationCount() - start) /
                        static_cast<double>(n - kWarmUp)
                  : 0;
}
BENCHMARK(BM_CheckRecord);

}  // namespace

int main(int argc, char** argv) {
  benchmark::AddCustomContext("cpu_model", vexal::bench::cpuModel());
  benchmark::AddCustomContext("build_type", VEXAL_BUILD_TYPE);
  benchmark::AddCustomContext("commit", VEXAL_BENCH_COMMIT);
  benchmark::AddCustomContext(
      "input", "synthetic values; test record type TST_01 (44 characters, 3 block occurrences)");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

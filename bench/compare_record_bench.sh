#!/usr/bin/env bash
# Compares the per-record cost of an older commit with the working tree:
# builds the commit's record_bench in a temporary git worktree beside the
# current one, runs both builds in turn (old, new, new, old, ...; the
# machine is shared and its speed drifts), and prints the setup and, per
# benchmark, the median nanoseconds per record of each build and their
# ratio. A benchmark that only one build has is shown for the new build
# only.
#
#   bench/compare_record_bench.sh OLD_COMMIT [BUILD_DIR] [ROUNDS]
#     OLD_COMMIT  the commit to compare with, e.g. 2fe3458 or main
#     BUILD_DIR   the current build (default build/default; record_bench is
#                 built there if needed)
#     ROUNDS      runs of each build (default 5)
#
# Environment:
#   MIN_TIME        seconds each benchmark runs per round (default 0.5)
#   FILTER          a --benchmark_filter regular expression (default: all)
#   KEEP_OLD_BUILD  a directory to keep the old build in and to reuse it
#                   from when it holds the same commit (default: a
#                   temporary one, removed at the end)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
usage="usage: bench/compare_record_bench.sh OLD_COMMIT [BUILD_DIR] [ROUNDS]"
commit=${1:?$usage}
build=${2:-build/default}
rounds=${3:-5}
min_time=${MIN_TIME:-0.5}
filter=${FILTER:-.}
jobs=$(($(nproc) < 2 ? 1 : 2))

old_hash=$(git rev-parse --verify "$commit^{commit}")
work=$(mktemp -d /tmp/vexal-compare.XXXXXX)
old_build=${KEEP_OLD_BUILD:-$work/old-build}
cleanup() {
  git worktree remove --force "$work/old" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# --- The two builds ---------------------------------------------------------

if [[ -x $old_build/bin/record_bench && $(cat "$old_build/commit" 2>/dev/null) == "$old_hash" ]]; then
  echo "reusing the build of $commit in $old_build"
else
  echo "building record_bench of $commit ($(git rev-parse --short "$old_hash")) in $old_build"
  git worktree add --detach "$work/old" "$old_hash" >/dev/null 2>&1
  rm -rf "$old_build"
  cmake -S "$work/old" -B "$old_build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$old_build" --target record_bench -j "$jobs" >/dev/null
  echo "$old_hash" >"$old_build/commit"
fi
echo "building record_bench of the working tree in $build"
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target record_bench -j "$jobs" >/dev/null
old_bench=$old_build/bin/record_bench
new_bench=$build/bin/record_bench

# --- Setup --------------------------------------------------------------------

cache_value() { grep -E "^$2:" "$1/CMakeCache.txt" | cut -d= -f2- || true; }
compiler_of() { "$(cache_value "$1" CMAKE_CXX_COMPILER)" --version | head -1; }
new_state=$(git rev-parse --short HEAD)
if ! git diff --quiet HEAD -- . 2>/dev/null; then new_state="$new_state with uncommitted changes"; fi
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')
echo
echo "machine:   $cpu, $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)"
echo "old:       $(git log -1 --format='%h %cs %s' "$old_hash" | cut -c1-90)"
echo "           $(cache_value "$old_build" CMAKE_BUILD_TYPE) build, $(compiler_of "$old_build")"
echo "new:       $new_state (working tree, branch $(git branch --show-current))"
echo "           $(cache_value "$build" CMAKE_BUILD_TYPE) build, $(compiler_of "$build")"
echo "runs:      $rounds of each build, in turn, ${min_time} s per benchmark and run; medians"
echo

# --- Runs ---------------------------------------------------------------------

run() {  # run BUILD ROUND
  local binary=$old_bench
  [[ $1 == new ]] && binary=$new_bench
  "$binary" --benchmark_filter="$filter" --benchmark_min_time="$min_time" \
    --benchmark_format=json --benchmark_out_format=json --benchmark_out="$work/$1-$2.json" \
    >/dev/null 2>&1
}
progress=false
[[ -t 2 ]] && progress=true
for ((round = 1; round <= rounds; ++round)); do
  $progress && printf '\rround %d of %d ' "$round" "$rounds" >&2
  if ((round % 2)); then
    run old "$round"
    run new "$round"
  else
    run new "$round"
    run old "$round"
  fi
done
$progress && printf '\r%*s\r' 20 '' >&2

python3 - "$work" "$rounds" <<'EOF'
import json
import statistics
import sys

work, rounds = sys.argv[1], int(sys.argv[2])
scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(build):
    """Per benchmark: the real times of every round in ns, and the counters of the last."""
    times, counters, order = {}, {}, []
    for round_ in range(1, rounds + 1):
        with open(f"{work}/{build}-{round_}.json") as f:
            for b in json.load(f)["benchmarks"]:
                if b.get("run_type", "iteration") != "iteration":
                    continue
                name = b["name"]
                if name not in times:
                    times[name] = []
                    order.append(name)
                times[name].append(b["real_time"] * scale[b.get("time_unit", "ns")])
                counters[name] = b
    return {n: statistics.median(t) for n, t in times.items()}, counters, order


old, _, old_order = load("old")
new, new_counters, new_order = load("new")
names = new_order + [n for n in old_order if n not in new]
width = max(len(n) for n in names)
print(f"{'benchmark':<{width}}  {'old ns':>9}  {'new ns':>9}  {'old/new':>7}  {'allocs/rec':>10}")
for name in names:
    if name not in new:
        continue  # the new build lacks it: nothing to set beside
    allocs = new_counters[name].get("allocs_per_record")
    allocs_text = f"{allocs:10.2f}" if allocs is not None else f"{'':10}"
    if name in old:
        ratio = old[name] / new[name]
        print(f"{name:<{width}}  {old[name]:9.0f}  {new[name]:9.0f}  {ratio:6.2f}x  {allocs_text}")
    else:
        print(f"{name:<{width}}  {'-':>9}  {new[name]:9.0f}  {'-':>7}  {allocs_text}")
EOF

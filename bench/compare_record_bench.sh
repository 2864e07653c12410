#!/usr/bin/env bash
# Compares the per-record cost of an older commit with the working tree:
# builds the commit's record_bench in a temporary git worktree beside the
# current one, runs each benchmark of both builds back to back (old then
# new, then new then old, ...; the machine is shared and its speed drifts),
# and prints the setup and, per benchmark, the median nanoseconds per record
# of each build and the median and spread of the ratios of the pairs. A
# benchmark that only the new build has is shown for it alone.
#
#   bench/compare_record_bench.sh OLD_COMMIT [BUILD_DIR] [ROUNDS]
#     OLD_COMMIT  the commit to compare with, e.g. 2fe3458 or main
#     BUILD_DIR   the current build (default build/default; record_bench is
#                 built there if needed)
#     ROUNDS      pairs of runs of each benchmark (default 7)
#
# Environment:
#   MIN_TIME        seconds each benchmark runs per run (default 0.3)
#   FILTER          a --benchmark_filter regular expression (default: all)
#   KEEP_OLD_BUILD  a directory to keep the old build in and to reuse it
#                   from when it holds the same commit (default: a
#                   temporary one, removed at the end)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
usage="usage: bench/compare_record_bench.sh OLD_COMMIT [BUILD_DIR] [ROUNDS]"
commit=${1:?$usage}
build=${2:-build/default}
rounds=${3:-7}
min_time=${MIN_TIME:-0.3}
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
echo "runs:      $rounds pairs per benchmark, old and new back to back, ${min_time} s a run;"
echo "           medians, and the median ratio of the pairs with its spread"
echo

# --- Runs ---------------------------------------------------------------------

# Each benchmark runs in both builds back to back, in turn old-new and
# new-old, so that the two figures of a pair see the same state of the
# machine; a ratio is taken per pair and the median of the pairs is shown.
list_benchmarks() {
  "$1" --benchmark_list_tests --benchmark_filter="$filter" 2>/dev/null
}
mapfile -t new_names < <(list_benchmarks "$new_bench")
mapfile -t old_names < <(list_benchmarks "$old_bench")
file_of() { printf '%s' "$2" | tr -c 'A-Za-z0-9' '_' | sed "s|^|$work/$1-$3-|; s|\$|.json|"; }
run() {  # run BUILD NAME ROUND
  local binary=$old_bench
  [[ $1 == new ]] && binary=$new_bench
  local exact
  exact=$(printf '%s' "$2" | sed 's/[][\.*^$+?(){}|]/\\&/g')
  "$binary" --benchmark_filter="^$exact\$" --benchmark_min_time="$min_time" \
    --benchmark_format=json --benchmark_out_format=json \
    --benchmark_out="$(file_of "$1" "$2" "$3")" >/dev/null 2>&1
}
progress=false
[[ -t 2 ]] && progress=true
for ((round = 1; round <= rounds; ++round)); do
  $progress && printf '\rround %d of %d ' "$round" "$rounds" >&2
  for name in "${new_names[@]}"; do
    if printf '%s\n' "${old_names[@]}" | grep -qxF -- "$name"; then
      if ((round % 2)); then
        run old "$name" "$round"
        run new "$name" "$round"
      else
        run new "$name" "$round"
        run old "$name" "$round"
      fi
    else
      run new "$name" "$round"
    fi
  done
done
$progress && printf '\r%*s\r' 20 '' >&2

python3 - "$work" "$rounds" "${new_names[@]}" <<'EOF'
import json
import os
import re
import statistics
import sys

work, rounds, names = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def figure(build, name, round_):
    """The real time in ns of one run of one benchmark, and its counters."""
    path = f"{work}/{build}-{round_}-{re.sub('[^A-Za-z0-9]', '_', name)}.json"
    if not os.path.exists(path):
        return None, None
    with open(path) as f:
        for b in json.load(f)["benchmarks"]:
            if b["name"] == name and b.get("run_type", "iteration") == "iteration":
                return b["real_time"] * scale[b.get("time_unit", "ns")], b
    return None, None


width = max(len(n) for n in names)
print(f"{'benchmark':<{width}}  {'old ns':>9}  {'new ns':>9}  {'old/new':>7}  "
      f"{'min-max':>11}  {'allocs/rec':>10}")
for name in names:
    old, new, ratios, counters = [], [], [], None
    for round_ in range(1, rounds + 1):
        o, _ = figure("old", name, round_)
        n, c = figure("new", name, round_)
        if n is None:
            continue
        new.append(n)
        counters = c
        if o is not None:
            old.append(o)
            ratios.append(o / n)
    if not new:
        continue
    allocs = counters.get("allocs_per_record")
    allocs_text = f"{allocs:10.2f}" if allocs is not None else f"{'':10}"
    if ratios:
        spread = f"{min(ratios):.2f}-{max(ratios):.2f}"
        print(f"{name:<{width}}  {statistics.median(old):9.0f}  {statistics.median(new):9.0f}  "
              f"{statistics.median(ratios):6.2f}x  {spread:>11}  {allocs_text}")
    else:
        print(f"{name:<{width}}  {'-':>9}  {statistics.median(new):9.0f}  {'-':>7}  "
              f"{'':>11}  {allocs_text}")
EOF

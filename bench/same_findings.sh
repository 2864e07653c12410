#!/usr/bin/env bash
# Shows that the working tree reports exactly what an older commit reports:
# builds the commit's vexal beside the current one, checks the example
# transmission and a large generated transmission of valid and damaged
# records of every record type with both, and compares the jsonl output
# and the runtime's log lines (--log) byte for byte, with one worker and
# with two.
#
#   bench/same_findings.sh COMMIT [RECORDS] [BUILD_DIR]
#     COMMIT     the commit to compare with, e.g. main or 2fe3458
#     RECORDS    lines of the generated transmission (default 200000)
#     BUILD_DIR  the current build (default build/default; built if needed)
#
# Exits 0 when every output is identical, 1 when one differs (the first
# differing lines are shown).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
commit=${1:?usage: bench/same_findings.sh COMMIT [RECORDS] [BUILD_DIR]}
records=${2:-200000}
build=${3:-build/default}

work=$(mktemp -d /tmp/vexal-same-findings.XXXXXX)
cleanup() {
  git worktree remove --force "$work/old" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "building $commit ($(git rev-parse --short "$commit")) in $work/old"
git worktree add --detach "$work/old" "$commit" >/dev/null 2>&1
cmake -S "$work/old" -B "$work/old-build" -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF \
  -DVEXAL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$work/old-build" --target vexal_cli -j "$(nproc)" >/dev/null
echo "building the working tree in $build"
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target vexal_cli -j "$(nproc)" >/dev/null
old=$work/old-build/bin/vexal
new=$build/bin/vexal

# Every record line of the example transmission, as it is or damaged: bytes
# replaced by digits, letters, blanks, umlauts and signs, lines cut short or
# grown. A fixed seed makes the same file on every run.
generated=$work/generated.txt
grep -a -v '^$' examples/transmission.txt >"$work/pattern"
LC_ALL=C awk -v n="$records" 'BEGIN { srand(20261208) }
  { line[NR] = $0 }
  END {
    split("0 9 1 A x - _ . / @ J N", pieces, " ")
    pieces[13] = " "; pieces[14] = "\344"; pieces[15] = "\337"; pieces[16] = ""
    for (i = 0; i < n; ++i) {
      l = line[int(rand() * NR) + 1]
      if (rand() < 0.3) { print l; continue }
      changes = int(rand() * 3) + 1
      for (c = 0; c < changes; ++c) {
        r = rand()
        len = length(l)
        if (r < 0.1 && len > 5) {
          l = substr(l, 1, int(rand() * len) + 1)
        } else if (r < 0.15) {
          l = l substr(l, int(rand() * len) + 1, int(rand() * 80) + 1)
        } else if (len > 0) {
          p = int(rand() * len) + 1
          l = substr(l, 1, p - 1) pieces[int(rand() * 16) + 1] substr(l, p + 1)
        }
      }
      print l
    }
  }' "$work/pattern" >"$generated"

echo "old:   $($old --version | head -1) ($commit)"
echo "new:   $($new --version | head -1) (working tree)"
status=0
for input in examples/transmission.txt "$generated"; do
  for jobs in 1 2; do
    for run in old new; do
      binary=$old
      [[ $run == new ]] && binary=$new
      "$binary" check -j "$jobs" --today 20261208 --param ipMjahrSchalttag=1201 --format jsonl \
        --log "$input" >"$work/$run.jsonl" 2>"$work/$run.log" || true
    done
    lines=$(wc -l <"$input")
    findings=$(wc -l <"$work/new.jsonl")
    log_lines=$(wc -l <"$work/new.log")
    if cmp -s "$work/old.jsonl" "$work/new.jsonl" && cmp -s "$work/old.log" "$work/new.log"; then
      echo "same:  $input -j $jobs ($lines lines, $findings jsonl lines, $log_lines log lines)"
    else
      echo "DIFFERENT: $input -j $jobs ($lines lines)"
      diff "$work/old.jsonl" "$work/new.jsonl" | head -10 || true
      diff "$work/old.log" "$work/new.log" | head -10 || true
      status=1
    fi
  done
done
exit "$status"

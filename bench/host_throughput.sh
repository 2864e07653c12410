#!/usr/bin/env bash
# Throughput of the command-line host on a large generated transmission:
# prints its setup (machine, build, input, commit), then per output format
# the best of RUNS runs (default 5; the best, as the machine is shared) in
# MB/s and records/s, with one worker (-j 1) and with two (-j 2, and their
# ratio). Given an older commit, it builds that
# commit's vexal beside the current one and times it on the same input in
# the same run, with the same number of workers when it has --jobs, and
# prints the ratio of its time to the current one's.
#
#   bench/host_throughput.sh [BUILD_DIR] [RECORDS] [COMMIT]
#     BUILD_DIR  the current build (default build/default)
#     RECORDS    lines of the generated transmission (default 1000000)
#     COMMIT     an older commit to compare with, e.g. 2fe3458 (default none);
#                or a build folder of one (holding bin/vexal), which is
#                taken as it is; OLD_NAME then names it in the figures
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/default}
records=${2:-1000000}
commit=${3:-}
runs=${RUNS:-5}
vexal=$build/bin/vexal
if [[ ! -x $vexal ]]; then
  echo "no $vexal: build first (cmake --build --preset default)" >&2
  exit 2
fi

work=$(mktemp -d /tmp/vexal-throughput.XXXXXX)
reuse=
cleanup() {
  if [[ -n $commit && -z $reuse ]]; then
    git worktree remove --force "$work/old" >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
input=$work/transmission.txt

old=
if [[ -n $commit && -x $commit/bin/vexal ]]; then
  old=$commit/bin/vexal
  commit=${OLD_NAME:-$commit}
  reuse=1
elif [[ -n $commit ]]; then
  echo "building $commit ($(git rev-parse --short "$commit")) in $work/old ..."
  git worktree add --detach "$work/old" "$commit" >/dev/null 2>&1
  cmake -S "$work/old" -B "$work/old-build" -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF \
    -DVEXAL_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$work/old-build" --target vexal_cli -j "$(nproc)" >/dev/null
  old=$work/old-build/bin/vexal
fi

# The DSKO_04 records of the example transmission, 70 % of them valid and
# 30 % with one or two findings, as a sender's file of mostly good records
# looks: the valid ones and the faulty ones each in turn. The current build
# tells which is which.
grep -a '^DSKO' examples/transmission.txt | awk 'length($0) == 415' >"$work/pattern"
"$vexal" check --today 20261208 --format jsonl "$work/pattern" 2>/dev/null |
  sed -n 's/.*"kind":"record".*"line":\([0-9]*\),.*"findings":\([0-9]*\).*/\1 \2/p' \
    >"$work/findings" || true
awk 'NR == FNR { findings[$1] = $2; next }
  findings[FNR] == 0 { print > "'"$work/valid"'" }
  findings[FNR] == 1 || findings[FNR] == 2 { print > "'"$work/faulty"'" }' \
  "$work/findings" "$work/pattern"
valid_lines=$(wc -l <"$work/valid")
faulty_lines=$(wc -l <"$work/faulty")
awk -v n="$records" 'FILENAME == ARGV[1] { valid[++v] = $0; next } { faulty[++f] = $0 }
  END { for (i = 0; i < n; ++i) print (i % 10 < 7 ? valid[i % v + 1] : faulty[i % f + 1]) }' \
  "$work/valid" "$work/faulty" >"$input"
bytes=$(stat -c %s "$input")

build_type=$(grep -E '^CMAKE_BUILD_TYPE:' "$build/CMakeCache.txt" | cut -d= -f2 || echo unknown)
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')
echo "machine:    $cpu, $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)"
echo "load:       $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes) before the runs"
echo "build:      $build ($build_type), $($vexal --version | head -1)," \
  "commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- . || echo ' with changes')"
if [[ -n $old ]]; then echo "against:    $commit, built Release in ${old%/bin/vexal}"; fi
echo "input:      $records DSKO_04 records of 415 characters, $((bytes / 1000000)) MB: 70 % valid, 30 %"
echo "            with one or two findings (in turn $valid_lines valid and $faulty_lines faulty records of"
echo "            examples/transmission.txt)"
echo "command:    vexal check --today 20261208 --format FORMAT [-j N] FILE > /dev/null," \
  "best of $runs runs"
echo

# The best of the runs of the program with the arguments, in seconds.
best_of_runs() {
  local best= start end status took
  for ((run = 0; run < runs; ++run)); do
    start=$(date +%s.%N)
    status=0
    "$@" >/dev/null 2>&1 || status=$?
    end=$(date +%s.%N)
    if ((status > 1)); then
      echo "$* failed (exit $status)" >&2
      exit 1
    fi
    took=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    if [[ -z $best ]] || awk -v t="$took" -v b="$best" 'BEGIN { exit !(t < b) }'; then
      best=$took
    fi
  done
  echo "$best"
}

row() {  # LABEL SECONDS [RATIO-TEXT]
  awk -v l="$1" -v t="$2" -v b="$bytes" -v n="$records" -v r="${3:-}" \
    'BEGIN { printf "%-22s %7.3f s  %7.1f MB/s  %9.0f records/s  %s\n", l, t, b / t / 1e6, n / t, r }'
}

# An older vexal that has --jobs runs with the same number of workers as
# the current one; one without runs as it is, against the one-worker
# figures.
old_jobs=
if [[ -n $old ]] && "$old" check --help 2>&1 | grep -q -- '--jobs'; then old_jobs=yes; fi
ratio() {  # OLD_SECONDS NEW_SECONDS LABEL
  awk -v a="$1" -v b="$2" -v l="$3" 'BEGIN { printf "%.2fx %s", a / b, l }'
}

for format in jsonl text csv; do
  arguments=(check --today 20261208 --format "$format" "$input")
  one=$(best_of_runs "$vexal" "${arguments[@]}" -j 1)
  if [[ -n $old_jobs ]]; then
    before=$(best_of_runs "$old" "${arguments[@]}" -j 1)
    row "$format $commit -j 1" "$before"
    row "$format -j 1" "$one" "$(ratio "$before" "$one" "$commit -j 1")"
  elif [[ -n $old ]]; then
    before=$(best_of_runs "$old" "${arguments[@]}")
    row "$format $commit" "$before"
    row "$format -j 1" "$one" "$(ratio "$before" "$one" "$commit")"
  else
    row "$format -j 1" "$one"
  fi
  two=$(best_of_runs "$vexal" "${arguments[@]}" -j 2)
  if [[ -n $old_jobs ]]; then
    before_two=$(best_of_runs "$old" "${arguments[@]}" -j 2)
    row "$format $commit -j 2" "$before_two"
    row "$format -j 2" "$two" "$(ratio "$one" "$two" "-j 1"), $(ratio "$before_two" "$two" "$commit -j 2")"
  else
    row "$format -j 2" "$two" "$(ratio "$one" "$two" "-j 1")"
  fi
done

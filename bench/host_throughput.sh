#!/usr/bin/env bash
# Throughput of the command-line host on a large generated transmission:
# prints its setup (machine, build, input), then for each output format the
# best of three runs in MB/s and records/s.
#
#   bench/host_throughput.sh [BUILD_DIR] [RECORDS]   (default build/default, 200000)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/default}
records=${2:-200000}
vexal=$build/bin/vexal
if [[ ! -x $vexal ]]; then
  echo "no $vexal: build first (cmake --build --preset default)" >&2
  exit 2
fi

work=$(mktemp -d /tmp/vexal-throughput.XXXXXX)
trap 'rm -rf "$work"' EXIT
input=$work/transmission.txt

# The DSKO_04 records of the example transmission, valid and faulty, over
# and over.
grep -a '^DSKO' examples/transmission.txt | awk 'length($0) == 415' >"$work/pattern"
pattern_lines=$(wc -l <"$work/pattern")
awk -v n="$records" 'NR == FNR { line[FNR] = $0; count = FNR; next }
  END { for (i = 0; i < n; ++i) print line[i % count + 1] }' "$work/pattern" /dev/null >"$input"
bytes=$(stat -c %s "$input")

build_type=$(grep -E '^CMAKE_BUILD_TYPE:' "$build/CMakeCache.txt" | cut -d= -f2 || echo unknown)
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')
echo "machine:    $cpu, $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)"
echo "build:      $build ($build_type), $($vexal --version | head -1)"
echo "input:      $records DSKO_04 records of 415 characters ($pattern_lines patterns from"
echo "            examples/transmission.txt, valid and faulty), $((bytes / 1000000)) MB"
echo "command:    vexal check --today 20261208 --format FORMAT FILE > /dev/null"
echo

for format in jsonl text csv; do
  best=
  for run in 1 2 3; do
    start=$(date +%s.%N)
    status=0
    "$vexal" check --today 20261208 --format "$format" "$input" >/dev/null 2>&1 || status=$?
    end=$(date +%s.%N)
    if ((status > 1)); then
      echo "vexal check --format $format failed (exit $status)" >&2
      exit 1
    fi
    took=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    if [[ -z $best ]] || awk -v t="$took" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$took; fi
  done
  awk -v f="$format" -v t="$best" -v b="$bytes" -v n="$records" \
    'BEGIN { printf "%-6s %7.3f s  %7.1f MB/s  %9.0f records/s\n", f, t, b / t / 1e6, n / t }'
done

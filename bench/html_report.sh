#!/usr/bin/env bash
# Size and render time of the html report of a large transmission: prints
# its setup (machine, build, input, commit), then per record type the time
# of `vexal check --format html`, the page's size, and how long headless
# Chromium takes to open and render it (bench/html_render.js, best of
# RUNS, default 3). The inputs come from make_transmission: RECORDS lines,
# 30 % faulty.
#
#   bench/html_report.sh [BUILD_DIR] [RECORDS] [CASE...]
#     BUILD_DIR  a build with vexal and make_transmission (default build/default)
#     RECORDS    lines per transmission (default 1000000)
#     CASE       make_transmission's cases (default DSKO_04 DSLN_01x10)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/default}
records=${2:-1000000}
shift $(($# > 2 ? 2 : $#))
cases=("$@")
if ((${#cases[@]} == 0)); then cases=(DSKO_04 DSLN_01x10); fi
runs=${RUNS:-3}
vexal=$build/bin/vexal
make=$build/bin/make_transmission
for tool in "$vexal" "$make"; do
  if [[ ! -x $tool ]]; then
    echo "no $tool: build first (cmake --build $build --target vexal_cli make_transmission)" >&2
    exit 2
  fi
done
if [[ ! -d tests/browser/node_modules/playwright-core ]]; then
  echo "no playwright-core: npm ci in tests/browser" >&2
  exit 2
fi
work=$(mktemp -d /tmp/vexal-html-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

build_type=$(grep -E '^CMAKE_BUILD_TYPE:' "$build/CMakeCache.txt" | cut -d= -f2 || echo unknown)
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')
echo "machine:    $cpu, $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)"
echo "load:       $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes) before the runs"
echo "build:      $build ($build_type), $($vexal --version | head -1)," \
  "commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- . || echo ' with changes')"
echo "browser:    $(/usr/bin/chromium --version 2>/dev/null | head -1), node $(node --version)"
echo "input:      $records records per case, 7 of 10 valid, 3 faulty (make_transmission)"
echo "options:    --today 20261208 --format html (default --html-limit 100), -j $(nproc)"
echo
printf '%-11s %9s %12s %9s %14s %s\n' case "MB in" "findings" "check s" "page" "Chromium open+render"
for case in "${cases[@]}"; do
  input=$work/$case.txt
  "$make" "$case" "$records" >"$input"
  page=$work/$case.html
  start=$(date +%s.%N)
  "$vexal" check -q --today 20261208 --format html "$input" >"$page" || [[ $? == 1 ]]
  end=$(date +%s.%N)
  findings=$(grep -o 'id=s-findings>[0-9.]*' "$page" | cut -d'>' -f2)
  render=$(node bench/html_render.js "$page" "$runs")
  printf '%-11s %9.1f %12s %9.2f %11.2f MB %s\n' "$case" \
    "$(awk -v b="$(stat -c %s "$input")" 'BEGIN { print b / 1e6 }')" "$findings" \
    "$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')" \
    "$(awk -v b="$(stat -c %s "$page")" 'BEGIN { print b / 1e6 }')" "$render"
  rm -f "$input"
done

#!/usr/bin/env bash
# Instructions per record, old commit against the working tree, counted by
# valgrind's callgrind: the figure to trust on a shared machine, since the
# same binary and input give the same count whatever else runs.
#
#   bench/instructions.sh OLD_COMMIT [BUILD_DIR] [RECORDS]
#     OLD_COMMIT  the commit to compare with, e.g. dc249ed; or a build folder
#                 of one (holding bin/vexal), taken as it is, which OLD_NAME
#                 then names
#     BUILD_DIR   the current build (default build/default; built if needed)
#     RECORDS     lines of each generated transmission (default 10000)
#
# For each record type (DSKO_04; DSAS_01 with contact person; DSAS_02;
# DSLN_01 with one and with ten tariff positions; DSLN_02) it makes a
# transmission of RECORDS lines, 70 % valid and 30 % faulty
# (bin/make_transmission), and runs `vexal check -j 1` of both builds on it
# under callgrind, in text and jsonl. It prints per record:
#   - the whole process, with start-up taken out: the count of a run on
#     the file less that of a run on its first ten lines, over RECORDS - 10;
#   - the rule stage alone: what the runtime's check of a record
#     (RULE_STAGE, default pl::RecordChecker::check) costs with all it
#     calls, over RECORDS, from the same run (text).
# KEEP_OLD_BUILD names a folder to keep the old build in, and to reuse it
# from when it holds the same commit.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
usage="usage: bench/instructions.sh OLD_COMMIT [BUILD_DIR] [RECORDS]"
commit=${1:?$usage}
build=${2:-build/default}
records=${3:-10000}
rule_stage=${RULE_STAGE:-pl::RecordChecker::check(}
if ! command -v valgrind >/dev/null || ! command -v callgrind_annotate >/dev/null; then
  echo "needs valgrind and callgrind_annotate (Debian: valgrind)" >&2
  exit 2
fi
if ((records <= 10)); then
  echo "$usage: RECORDS must be more than 10" >&2
  exit 2
fi

work=$(mktemp -d /tmp/vexal-instructions.XXXXXX)
worktree=
cleanup() {
  if [[ -n $worktree ]]; then git worktree remove --force "$worktree" >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The old build: a folder as it is, or the commit built in a worktree.
if [[ -x $commit/bin/vexal ]]; then
  old_build=$commit
  commit=${OLD_NAME:-$commit}
else
  old_build=${KEEP_OLD_BUILD:-$work/old-build}
  wanted=$(git rev-parse "$commit")
  if [[ ! -x $old_build/bin/vexal || $(cat "$old_build/vexal-commit" 2>/dev/null) != "$wanted" ]]; then
    echo "building $commit in $old_build ..."
    worktree=$work/old
    git worktree add --detach "$worktree" "$commit" >/dev/null 2>&1
    cmake -S "$worktree" -B "$old_build" -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF \
      -DVEXAL_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$old_build" --target vexal_cli vexal -j "$(nproc)" >/dev/null
    echo "$wanted" >"$old_build/vexal-commit"
  fi
fi
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target vexal_cli vexal make_transmission -j "$(nproc)" >/dev/null
old=$old_build/bin/vexal
new=$build/bin/vexal

build_type=$(grep -E '^CMAKE_BUILD_TYPE:' "$build/CMakeCache.txt" | cut -d= -f2 || echo unknown)
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')
echo "machine:    $cpu, $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)"
echo "build:      $build ($build_type), commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD || echo ' with changes')"
echo "against:    $commit ($old_build)"
echo "counter:    $(valgrind --version) --tool=callgrind, instructions executed (Ir)"
echo "input:      $records lines per record type, 7 of 10 valid, 3 faulty (bin/make_transmission)"
echo "command:    vexal check -j 1 --today 20261208 --param ipMjahrSchalttag=1201 --format F FILE"
echo "per record: whole process = (Ir(FILE) - Ir(first 10 lines)) / $((records - 10));"
echo "            rule stage = Ir of ${rule_stage%(} with its callees / $records (text run)"
echo

# Prints "TOTAL RULE_STAGE" for one run.
count() {
  local out=$work/callgrind.out
  valgrind --tool=callgrind --callgrind-out-file="$out" "$@" >/dev/null 2>&1 || true
  local total stage
  # The readers stop at the line they want; callgrind_annotate may then
  # die of a closed pipe, which is no failure here.
  total=$(callgrind_annotate "$out" 2>/dev/null |
    awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }' || true)
  stage=$(callgrind_annotate --inclusive=yes --threshold=100 "$out" 2>/dev/null |
    awk -v f=":$rule_stage" 'index($0, f) { gsub(",", "", $1); print $1; exit }' || true)
  rm -f "$out"
  echo "${total:-0} ${stage:-0}"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }'; }
per() { awk -v a="$1" -v b="$2" -v n="$3" 'BEGIN { printf "%.0f", (a - b) / n }'; }

printf '%-11s %-6s %12s %12s %8s\n' "record type" format "$commit" now "old/new"
stage_rows=()
for case in DSKO_04 DSAS_01 DSAS_02 DSLN_01x1 DSLN_01x10 DSLN_02; do
  file=$work/$case.txt
  "$build/bin/make_transmission" "$case" "$records" >"$file"
  head -10 "$file" >"$work/$case.10.txt"
  for format in text jsonl; do
    arguments=(check -j 1 --today 20261208 --param ipMjahrSchalttag=1201 --format "$format")
    read -r old_all old_stage < <(count "$old" "${arguments[@]}" "$file")
    read -r old_start _ < <(count "$old" "${arguments[@]}" "$work/$case.10.txt")
    read -r new_all new_stage < <(count "$new" "${arguments[@]}" "$file")
    read -r new_start _ < <(count "$new" "${arguments[@]}" "$work/$case.10.txt")
    old_per=$(per "$old_all" "$old_start" $((records - 10)))
    new_per=$(per "$new_all" "$new_start" $((records - 10)))
    printf '%-11s %-6s %12s %12s %8s\n' "$case" "$format" "$old_per" "$new_per" "$(ratio "$old_per" "$new_per")"
    if [[ $format == text ]]; then
      old_stage_per=$(per "$old_stage" 0 "$records")
      new_stage_per=$(per "$new_stage" 0 "$records")
      stage_rows+=("$(printf '%-11s %-6s %12s %12s %8s' "$case" stage "$old_stage_per" "$new_stage_per" \
        "$(ratio "$old_stage_per" "$new_stage_per")")")
    fi
  done
done
echo
echo "rule stage (${rule_stage%(} with its callees):"
printf '%s\n' "${stage_rows[@]}"

#!/usr/bin/env bash
# Line and branch coverage per folder of src/, platform/ and host/, from a
# build with clang's source-based coverage after its test run:
#
#   cmake --workflow --preset coverage && tests/coverage/report.sh
#
# Merges the counts the tests wrote (build/coverage/profiles/*.profraw,
# consumed: the next test run starts from none) into
# build/coverage/coverage.profdata, prints a table and exits 1 when a
# figure is below its floor in tests/coverage/floors.txt.
#
#   tests/coverage/report.sh --uncovered-branches [PATH_PREFIX]
#
# lists instead every branch under PATH_PREFIX (default src/) that the
# tests did not take both ways, as FILE:LINE:COLUMN, which way is missing
# and the condition's text.
#
# BUILD_DIR (default build/coverage) names another build; LLVM_COV and
# LLVM_PROFDATA other tools (default: llvm-cov-14 or llvm-cov, and alike).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${BUILD_DIR:-$root/build/coverage}
mode=figures
prefix=src/
if [[ ${1:-} == --uncovered-branches ]]; then
  mode=branches
  prefix=${2:-src/}
elif [[ $# -gt 0 ]]; then
  echo "usage: $0 [--uncovered-branches [PATH_PREFIX]]" >&2
  exit 2
fi

tool() {
  local name=$1
  for candidate in "$name-14" "$name"; do
    if command -v "$candidate" >/dev/null; then
      echo "$candidate"
      return
    fi
  done
  echo "no $name found (Debian: llvm-14)" >&2
  exit 2
}
llvm_cov=${LLVM_COV:-$(tool llvm-cov)}
llvm_profdata=${LLVM_PROFDATA:-$(tool llvm-profdata)}

profiles=$build/profiles
profdata=$build/coverage.profdata
shopt -s nullglob
raw=("$profiles"/*.profraw)
if ((${#raw[@]} > 0)); then
  "$llvm_profdata" merge -sparse -o "$profdata" "${raw[@]}"
  rm -f "${raw[@]}"
elif [[ ! -f $profdata ]]; then
  echo "no counts in $profiles: run cmake --workflow --preset coverage first" >&2
  exit 2
fi

# Every instrumented program and library of the build.
objects=()
for f in "$build"/bin/*; do
  if [[ -f $f && -x $f ]] && [[ $(head -c 4 "$f" | od -An -c | tr -d ' ') == 177ELF ]]; then
    objects+=(-object "$f")
  fi
done
if ((${#objects[@]} == 0)); then
  echo "no programs in $build/bin" >&2
  exit 2
fi
objects=("${objects[@]:1}")

json=$(mktemp /tmp/vexal-coverage.XXXXXX)
trap 'rm -f "$json"' EXIT
summary=()
[[ $mode == figures ]] && summary=(-summary-only)
# Inline functions a program includes but never emits have no counts of
# their own ("mismatched data"); their emitted copies elsewhere count.
"$llvm_cov" export "${summary[@]}" -instr-profile "$profdata" -ignore-filename-regex='^/usr/' \
  "${objects[@]}" 2> >(grep -v 'functions have mismatched data' >&2) >"$json"
python3 "$root/tests/coverage/figures.py" "$mode" "$json" "$root" "$root/tests/coverage/floors.txt" \
  "$prefix"

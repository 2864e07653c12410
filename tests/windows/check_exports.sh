#!/usr/bin/env bash
# Checks that vexal.dll exports exactly the twenty load and unload
# functions by name, and nothing else (no further names, no exports by
# ordinal only); given vexalcheck.dll, that it exports exactly the
# functions vexal/check.h declares.
#
# Usage: tests/windows/check_exports.sh [path/to/vexal.dll | path/to/vexalcheck.dll]
# OBJDUMP may name the objdump to use (default x86_64-w64-mingw32-objdump).
set -euo pipefail

dll=${1:-build/windows/bin/vexal.dll}
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

if [[ ! -f $dll ]]; then
  echo "check_exports: no such file: $dll" >&2
  exit 2
fi
if ! command -v "$objdump" >/dev/null; then
  echo "check_exports: $objdump not found (Debian: binutils-mingw-w64-x86-64)" >&2
  exit 2
fi

if [[ $(basename "$dll") == vexalcheck.dll ]]; then
  header=$(dirname "${BASH_SOURCE[0]}")/../../include/vexal/check.h
  expected=$(sed -nE 's/^VX_API [^(]*[ *](vx_[a-z_]+)\(.*/\1/p' "$header" | LC_ALL=C sort)
else
  expected=$(
    list=$(dirname "${BASH_SOURCE[0]}")/../../src/frame/record_types.h
    for r in $(sed -nE 's/^  X\(([A-Z]+_[0-9]+)\).*/\1/p' "$list"); do
      for op in loadPlausi unloadPlausi loadRecordDefinition unloadRecordDefinition; do
        echo "$op$r"
      done
    done | LC_ALL=C sort
  )
fi

dump=$("$objdump" -p "$dll")

# The name table: "[Ordinal/Name Pointer] Table" followed by lines
# "[   3] name", up to the next empty line.
actual=$(
  awk '/^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
       names && /^[[:space:]]*$/ { names = 0 }
       names && /^[[:space:]]*\[[[:space:]]*[0-9]+\]/ { sub(/^[[:space:]]*\[[^]]*\][[:space:]]*/, ""); print }' \
    <<<"$dump" | LC_ALL=C sort
)

# Entries of the address table; each must have a name.
addresses=$(awk '/Export Address Table[[:space:]]+[0-9a-fA-F]+$/ { print $NF; exit }' <<<"$dump")

status=0
if [[ $actual != "$expected" ]]; then
  echo "check_exports: FAIL: the export names of $dll differ (- missing, + unexpected):"
  diff <(echo "$expected") <(echo "$actual") | sed -n 's/^</  -/p; s/^>/  +/p' || true
  status=1
fi
count=$(grep -c . <<<"$actual" || true)
if [[ -z $addresses ]] || (( 16#$addresses != count )); then
  echo "check_exports: FAIL: $dll has ${addresses:-no} address-table entries (hex) for $count names"
  status=1
fi
if (( status == 0 )); then
  echo "check_exports: ok: $dll exports exactly the $count expected names"
fi
exit $status

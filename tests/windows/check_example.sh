#!/usr/bin/env bash
# Builds the C example (examples/c/check_file.c) with the mingw-w64 C
# compiler against the header and import library of the unpacked Windows
# zip, as a Windows host would, runs it under wine from the zip's bin
# folder (so that vexalcheck.dll, and the vexal.dll beside it, come from
# the zip), and requires the lines and the exit status of the Linux
#   vexal check --today 20261208 FILE
# started from the same folder. msvcrt writes CR LF; the CRs are dropped.
#
# Usage: tests/windows/check_example.sh ZIP_ROOT LINUX_VEXAL FILE
#   ZIP_ROOT  the unpacked zip's top folder (holding bin/, include/, lib/)
# WINE may name the wine loader (default: wine64, then wine); CC the
# compiler (default x86_64-w64-mingw32-gcc).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_check.sh"

wine_check_setup check_example 3 "$0 ZIP_ROOT LINUX_VEXAL FILE" "$@"
root=$1
linux=$2
file=$3
cc=${CC:-x86_64-w64-mingw32-gcc}
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

require_files check_example "$root/include/vexal/check.h" "$root/lib/libvexalcheck.dll.a" \
  "$root/bin/vexalcheck.dll" "$linux" "$file"
require_commands check_example "$cc"

work=$(mktemp -d /tmp/vexal-check-example.XXXXXX)
trap 'rm -rf "$work"; rm -f "$root/bin/check_file.exe"' EXIT
"$cc" -std=c99 -Wall -Wextra -pedantic -Werror -O2 -I "$root/include" examples/c/check_file.c \
  "$root/lib/libvexalcheck.dll.a" -o "$root/bin/check_file.exe" || {
  echo "check_example: FAIL: check_file.c does not build against the zip"
  exit 1
}

arguments=(--today 20261208 "$file")
"$linux" check "${arguments[@]}" </dev/null >"$work/linux.out" 2>/dev/null
linux_status=$?
timeout 600 "$wine" "$root/bin/check_file.exe" "${arguments[@]}" </dev/null 2>"$work/windows.err" |
  tr -d '\r' >"$work/windows.out"
windows_status=${PIPESTATUS[0]}

lines=$(wc -l <"$work/linux.out")
echo "check_example: vexal (linux) exit $linux_status, check_file.exe exit $windows_status," \
  "$lines lines"
status=0
if ((linux_status != windows_status)); then
  echo "check_example: FAIL: the exit statuses differ; check_file.exe said:"
  sed 's/^/  /' "$work/windows.err"
  status=1
fi
if ((lines == 0)) || ! cmp -s "$work/linux.out" "$work/windows.out"; then
  echo "check_example: FAIL: the lines differ (- vexal on linux, + check_file.exe):"
  diff "$work/linux.out" "$work/windows.out" | head -20 | cut -c1-240 | sed "s/^/  /"
  status=1
fi
if ((status == 0)); then
  echo "check_example: ok: check_file.exe from the zip prints vexal's lines for $file"
fi
exit $status

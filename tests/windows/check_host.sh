#!/usr/bin/env bash
# Checks one file with the Linux vexal and with vexal.exe under wine, both
# started from the current folder with the same arguments
#   check --today 20261208 --format jsonl FILE
# and requires byte-identical standard output and the same exit status
# (neither may be 2, a usage or I/O error). Prints both exit statuses and
# the line count.
#
# Usage: tests/windows/check_host.sh LINUX_VEXAL WINDOWS_VEXAL_EXE FILE
# WINE may name the wine loader to use (default: wine64, then wine).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_check.sh"

wine_check_setup check_host 3 "$0 LINUX_VEXAL WINDOWS_VEXAL_EXE FILE" "$@"
linux=$1
windows=$2
file=$3
require_files check_host "$linux" "$windows" "$file"
require_commands check_host

work=$(mktemp -d /tmp/vexal-check-host.XXXXXX)
trap 'rm -rf "$work"' EXIT
arguments=(check --today 20261208 --format jsonl "$file")

"$linux" "${arguments[@]}" </dev/null >"$work/linux.out" 2>"$work/linux.err"
linux_status=$?
timeout 600 "$wine" "$windows" "${arguments[@]}" </dev/null >"$work/windows.out" \
  2>"$work/windows.err"
windows_status=$?

lines=$(wc -l <"$work/linux.out")
echo "check_host: linux exit $linux_status, windows exit $windows_status, $lines lines of jsonl"

status=0
if ((linux_status != windows_status)); then
  echo "check_host: FAIL: the exit statuses differ"
  status=1
fi
if ((linux_status == 2 || windows_status == 2)); then
  echo "check_host: FAIL: usage or I/O error; standard error:"
  sed 's/^/  linux:   /' "$work/linux.err"
  sed 's/^/  windows: /' "$work/windows.err"
  status=1
fi
if ((lines == 0)); then
  echo "check_host: FAIL: no output"
  status=1
fi
if ! cmp -s "$work/linux.out" "$work/windows.out"; then
  echo "check_host: FAIL: the outputs differ (- linux, + windows):"
  diff "$work/linux.out" "$work/windows.out" | head -20 | cut -c1-240 | sed "s/^/  /"
  status=1
fi
if ((status == 0)); then
  echo "check_host: ok: byte-identical output for $file"
fi
exit $status

#!/usr/bin/env bash
# German text from vexal.exe, on a console and redirected, under wine:
#
#   check --today 20261208 --color never FILE
#
# - redirected to a file, standard output must be the Linux vexal's bytes
#   (UTF-8);
# - on a console (wine makes one when it starts on a terminal; script(1)
#   gives it a pseudo-terminal), wine's console shows what the program
#   wrote through its code page (437 unless set). Every output line of the
#   Linux vexal that holds a non-ASCII letter must show as the same UTF-8
#   text on the terminal, and none may show as code page 437 read from
#   UTF-8 bytes ("unzul├ñssig" for "unzulässig").
#
# Usage: tests/windows/check_console.sh LINUX_VEXAL WINDOWS_VEXAL_EXE FILE
# WINE may name the wine loader to use (default: wine64, then wine).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_check.sh"

wine_check_setup check_console 3 "$0 LINUX_VEXAL WINDOWS_VEXAL_EXE FILE" "$@"
linux=$1
windows=$2
file=$3
require_files check_console "$linux" "$windows" "$file"
require_commands check_console script perl

work=$(mktemp -d /tmp/vexal-check-console.XXXXXX)
trap 'rm -rf "$work"' EXIT
arguments=(check --today 20261208 --color never "$file")

"$linux" "${arguments[@]}" </dev/null >"$work/linux.out" 2>/dev/null
timeout 600 "$wine" "$windows" "${arguments[@]}" </dev/null >"$work/redirected.out" 2>/dev/null
# The terminal's copy, wide enough that no line wraps. Wine's console
# draws some blanks as a cursor move ("\e[1C"): those become blanks again;
# its other sequences and the CRs are dropped.
quoted=$(printf '%q ' "$wine" "$windows" "${arguments[@]}")
LANG=C.UTF-8 LC_ALL=C.UTF-8 timeout 600 script -qec "stty cols 4000 rows 200; $quoted </dev/null 2>/dev/null" /dev/null |
  perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\r//g' >"$work/console.out"

status=0
if ! cmp -s "$work/linux.out" "$work/redirected.out"; then
  echo "check_console: FAIL: redirected output differs from the Linux vexal's"
  diff "$work/linux.out" "$work/redirected.out" | head -10 | cut -c1-200 | sed 's/^/  /'
  status=1
fi
LC_ALL=C grep -a $'[\x80-\xff]' "$work/linux.out" >"$work/german.lines"
german=$(wc -l <"$work/german.lines")
if ((german == 0)); then
  echo "check_console: FAIL: the Linux vexal printed no line with a non-ASCII letter"
  status=1
fi
missing=0
while IFS= read -r expected; do
  if ! grep -aqF -- "$expected" "$work/console.out"; then
    ((missing == 0)) && echo "check_console: FAIL: not on the console as written: $expected"
    missing=$((missing + 1))
  fi
done <"$work/german.lines"
if ((missing > 0)); then
  echo "check_console: $missing of $german lines with German letters are not on the console; it shows:"
  LC_ALL=C grep -a $'[\x80-\xff]' "$work/console.out" | head -3 | cut -c1-200 | sed 's/^/  /'
  status=1
fi
if grep -aq $'\xe2\x94\x9c' "$work/console.out"; then
  echo "check_console: FAIL: UTF-8 bytes shown through code page 437 on the console"
  status=1
fi
if ((status == 0)); then
  echo "check_console: ok: $german lines with German letters on the console as written, redirected output byte-identical"
fi
exit $status

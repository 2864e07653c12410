#!/usr/bin/env bash
# Checks the Debian package: its file list, then `dpkg -i` into a scratch
# root (its own dpkg database, which knows the libraries the package depends
# on as installed on this machine, and a shell and ldconfig for the
# maintainer scripts), the installed vexal checking the shipped example,
# and `dpkg -r` leaving nothing behind.
#
# Usage: tests/package/check_deb.sh PACKAGE.deb     (as root)
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 PACKAGE.deb" >&2
  exit 2
fi
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
deb=$(realpath "$1")
work=$(mktemp -d /tmp/vexal-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root
status=0

# The file list: everything an install holds, under /usr, nothing of the
# build (tests, benchmarks, the Windows checks).
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/contents"
for f in $(tests/package/installed_files.sh); do
  if ! grep -qx "usr/$f" "$work/contents"; then
    echo "check_deb: FAIL: usr/$f is not in the package"
    status=1
  fi
done
if grep -vE '^usr/' "$work/contents" | grep -q .; then
  echo "check_deb: FAIL: files outside /usr:"
  grep -vE '^usr/' "$work/contents"
  status=1
fi
if grep -E '_test$|_bench$|load_all|fuzzer' "$work/contents"; then
  echo "check_deb: FAIL: test or benchmark programs in the package"
  status=1
fi
echo "check_deb: $(grep -cv '/$' "$work/contents") files; $(dpkg-deb --field "$deb" Depends)"

# The scratch root: a dpkg database holding only the packages vexal
# depends on, taken from this machine's, with empty file lists.
admin=$root/var/lib/dpkg
mkdir -p "$admin/info" "$admin/updates" "$root/var/log" "$root/etc" "$root/tmp"
touch "$admin/available"
depends=$(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep .)
for package in $depends; do
  dpkg-query --status "$package" >>"$admin/status"
  echo >>"$admin/status"
  arch=$(dpkg-query --show --showformat='${Architecture}' "$package")
  touch "$admin/info/$package.list" "$admin/info/$package:$arch.list"
done
# Maintainer scripts run inside the root: a shell and ldconfig with the
# libraries they load.
for program in /bin/sh /sbin/ldconfig; do
  real=$(readlink -f "$program")
  install -D "$real" "$root$program"
  for library in $(ldd "$real" 2>/dev/null | grep -o '/[^ ]*' || true); do
    install -D "$(readlink -f "$library")" "$root$library"
  done
done

dpkg --root="$root" --install "$deb" >"$work/dpkg.log" 2>&1 || {
  cat "$work/dpkg.log"
  echo "check_deb: FAIL: dpkg -i"
  exit 1
}
installed=$(dpkg --root="$root" --status vexal | grep '^Status:')
echo "check_deb: dpkg -i: $installed"
[[ $installed == "Status: install ok installed" ]] || status=1

# The installed program checks the example it ships, with the result the
# built program gives.
example=usr/share/doc/vexal/examples/transmission.txt
run_status=0
(cd "$root" && usr/bin/vexal check --today 20261208 --format jsonl "$example") \
  >"$work/installed.jsonl" || run_status=$?
summary=$(tail -1 "$work/installed.jsonl")
expected='{"kind":"summary","records":28,"records_with_findings":19,"findings":60,'
if ((run_status != 1)) || [[ $summary != "$expected"* ]]; then
  echo "check_deb: FAIL: installed vexal (exit $run_status): $summary"
  status=1
else
  echo "check_deb: ok: installed vexal checks $example: $summary"
fi

dpkg --root="$root" --remove vexal >"$work/dpkg.log" 2>&1 || {
  cat "$work/dpkg.log"
  echo "check_deb: FAIL: dpkg -r"
  exit 1
}
left=0
if [[ -d $root/usr ]]; then left=$(find "$root/usr" -type f | wc -l); fi
if ((left != 0)); then
  echo "check_deb: FAIL: $left files left after dpkg -r"
  status=1
else
  echo "check_deb: ok: dpkg -r removes every file"
fi
exit $status

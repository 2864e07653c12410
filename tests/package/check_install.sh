#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a user gets:
# the files in their places, the installed vexal checking the example
# transmission as the built one does, and a consumer project
# (tests/package/consumer) built with find_package(vexal) against the
# prefix and run.
#
# Usage: tests/package/check_install.sh BUILD_DIR
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
build=$1
work=$(mktemp -d /tmp/vexal-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
status=0
for f in $(tests/package/installed_files.sh); do
  if [[ ! -f $prefix/$f ]]; then
    echo "check_install: FAIL: $f not installed"
    status=1
  fi
done
echo "check_install: $(find "$prefix" -type f | wc -l) files installed"

# The installed program, away from the build tree, prints what the built
# one prints.
arguments=(check --today 20261208 --format jsonl examples/transmission.txt)
expected_status=0
"$build/bin/vexal" "${arguments[@]}" >"$work/built.jsonl" || expected_status=$?
installed_status=0
"$prefix/bin/vexal" "${arguments[@]}" >"$work/installed.jsonl" || installed_status=$?
if ((installed_status != expected_status)) || ! cmp -s "$work/built.jsonl" "$work/installed.jsonl"; then
  echo "check_install: FAIL: the installed vexal differs (exit $installed_status," \
    "built $expected_status)"
  diff "$work/built.jsonl" "$work/installed.jsonl" | head -5
  status=1
else
  echo "check_install: ok: installed vexal checks the example (exit $installed_status)"
fi

# A host project against the package; its DSKO_04 findings are those vexal
# counts.
cmake -S tests/package/consumer -B "$work/consumer" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >"$work/consumer.log" || {
  cat "$work/consumer.log"
  exit 1
}
cmake --build "$work/consumer" >>"$work/consumer.log" || {
  cat "$work/consumer.log"
  exit 1
}
got=$("$work/consumer/consumer" examples/transmission.txt)
findings=$(tail -1 "$work/built.jsonl" | sed -n 's/.*"DSKO_04":\([0-9]*\).*/\1/p')
records=$(grep -c '"kind":"record".*"record_type":"DSKO_04"' "$work/built.jsonl")
if [[ $got != "DSKO_04: $records records, $findings findings" ]]; then
  echo "check_install: FAIL: consumer printed '$got', vexal counts $records records, $findings findings"
  status=1
else
  echo "check_install: ok: consumer built with find_package(vexal): $got"
fi
exit $status

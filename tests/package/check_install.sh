#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a user gets:
# the files in their places, the installed vexal checking the example
# transmission as the built one does, a consumer project
# (tests/package/consumer) built with find_package(vexal) against the
# prefix and run, the C example (examples/c) built against the installed
# header and libvexalcheck printing what vexal prints, and the installed
# Python package finding the libvexalcheck beside it.
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

# Every relative link of the installed documents leads to an installed
# file or folder.
links=0
while IFS= read -r page; do
  while IFS= read -r target; do
    target=${target%%#*}
    [[ -z $target || $target == *://* ]] && continue
    links=$((links + 1))
    if [[ ! -e $(dirname "$page")/$target ]]; then
      echo "check_install: FAIL: ${page#"$prefix"/} links to $target, which is not installed"
      status=1
    fi
  done < <(grep -o '\](\([^)]*\))' "$page" | sed 's/^](//; s/)$//')
done < <(find "$prefix/share/doc" -name '*.md')
echo "check_install: $links links of the installed documents checked"

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
# The C example against the installed header and library: line for line
# what vexal check prints, and the same exit status.
cmake -S examples/c -B "$work/example" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >"$work/example.log" || {
  cat "$work/example.log"
  exit 1
}
cmake --build "$work/example" >>"$work/example.log" || {
  cat "$work/example.log"
  exit 1
}
text_arguments=(--today 20261208 examples/transmission.txt)
vexal_status=0
"$build/bin/vexal" check "${text_arguments[@]}" >"$work/vexal.txt" 2>/dev/null || vexal_status=$?
example_status=0
"$work/example/check_file" "${text_arguments[@]}" >"$work/check_file.txt" || example_status=$?
if ((example_status != vexal_status)) || ! cmp -s "$work/vexal.txt" "$work/check_file.txt"; then
  echo "check_install: FAIL: examples/c/check_file differs from vexal check (exit" \
    "$example_status, vexal $vexal_status)"
  diff "$work/vexal.txt" "$work/check_file.txt" | head -5
  status=1
else
  echo "check_install: ok: check_file built against the install prints vexal's" \
    "$(wc -l <"$work/vexal.txt") lines (exit $example_status)"
fi

# The installed Python package, away from the source tree and without
# VEXAL_LIBRARY: it finds the libvexalcheck beside it and finds what vexal
# finds.
example=$PWD/examples/transmission.txt
python_findings=$(cd "$work" && env -u VEXAL_LIBRARY PYTHONPATH="$prefix/lib/vexal" python3 -c "
import sys, vexal, vexal._library as library
assert library.find().startswith('$prefix/'), library.find()
with vexal.Checker(today='20261208') as c:
    print(sum(len(r.findings) for r in c.check_file(sys.argv[1])))
" "$example") || python_findings="failed"
jsonl_findings=$(grep -c '"kind":"finding"' "$work/built.jsonl")
if [[ $python_findings != "$jsonl_findings" ]]; then
  echo "check_install: FAIL: the installed Python package found $python_findings findings," \
    "vexal $jsonl_findings"
  status=1
else
  echo "check_install: ok: the installed Python package finds vexal's $python_findings findings"
fi
exit $status

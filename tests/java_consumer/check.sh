#!/usr/bin/env bash
# The consumer test of the Java binding: compiles CheckFile.java against the
# built jar alone (with JNA on the class path, nothing of the source tree),
# runs it with no library path set, so that the binding unpacks the natives
# the jar carries, and compares its lines and exit status with those of
# `vexal check` for the same file.
#
#   tests/java_consumer/check.sh JAR VEXAL FILE
#
# JNA_JAR, JAVAC and JAVA as for bindings/java/test.sh.
set -euo pipefail

if [[ $# -ne 3 ]]; then
  echo "usage: $0 JAR VEXAL FILE" >&2
  exit 2
fi
jar=$1 vexal=$2 file=$3
jna=${JNA_JAR:-/usr/share/java/jna.jar}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/vexal-java-consumer.XXXXXX)
trap 'rm -rf "$work"' EXIT

"${JAVAC:-javac}" --release 17 -Werror -encoding UTF-8 -cp "$jar" -d "$work" "$here/CheckFile.java"

java_status=0
env -u VEXAL_LIBRARY "${JAVA:-java}" -cp "$jar:$jna:$work" CheckFile --today 20261208 "$file" \
  >"$work/java.out" || java_status=$?
vexal_status=0
"$vexal" check --today 20261208 --quiet "$file" >"$work/vexal.out" || vexal_status=$?

if ! cmp -s "$work/java.out" "$work/vexal.out"; then
  echo "CheckFile and vexal check differ:"
  diff "$work/vexal.out" "$work/java.out" | head -20
  exit 1
fi
if ((java_status != vexal_status)); then
  echo "CheckFile exited $java_status, vexal check $vexal_status"
  exit 1
fi
if [[ ! -s $work/java.out ]]; then
  echo "no lines to compare from $file"
  exit 1
fi
echo "CheckFile through $(basename "$jar"): $(wc -l <"$work/java.out") lines as vexal check's, exit $java_status"

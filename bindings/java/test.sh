#!/usr/bin/env bash
# Runs the JUnit 5 tests of the Java binding with Debian's console launcher
# against a built jar and the libvexalcheck and vexal of a build:
#
#   bindings/java/test.sh JAR LIBVEXALCHECK VEXAL EXAMPLE WORK_DIR
#
# The tests compare what the binding gives with vexal's jsonl and layouts.
# JNA_JAR and JAVAC as for build.sh, JAVA the java launcher (default: from
# the PATH), JUNIT_CONSOLE the console launcher (default
# /usr/share/java/junit-platform-console-standalone.jar, Debian junit5).
set -euo pipefail

if [[ $# -ne 5 ]]; then
  echo "usage: $0 JAR LIBVEXALCHECK VEXAL EXAMPLE WORK_DIR" >&2
  exit 2
fi
jar=$1 library=$2 vexal=$3 example=$4 work=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
jna=${JNA_JAR:-/usr/share/java/jna.jar}
console=${JUNIT_CONSOLE:-/usr/share/java/junit-platform-console-standalone.jar}
for f in "$jar" "$library" "$vexal" "$example" "$jna" "$console"; do
  if [[ ! -f $f ]]; then
    echo "missing $f" >&2
    exit 1
  fi
done

rm -rf "$work/test-classes"
mkdir -p "$work/test-classes"
"${JAVAC:-javac}" --release 17 -Xlint:all -Werror -encoding UTF-8 -cp "$jar:$jna:$console" \
  -d "$work/test-classes" $(find "$here/src/test/java" -name '*.java' | sort)

# The library of the build, not the natives the jar may carry.
env -u VEXAL_LIBRARY "${JAVA:-java}" -Dvexal.library.path="$library" -Dvexal.cli="$vexal" \
  -Dvexal.example="$example" -jar "$console" \
  --class-path "$work/test-classes:$jar:$jna" --scan-class-path "$work/test-classes" \
  --include-engine=junit-jupiter --fail-if-no-tests --disable-banner --disable-ansi-colors \
  --details=tree --details-theme=ascii

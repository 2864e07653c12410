#!/usr/bin/env bash
# What the Java binding costs per line over the C API: the same lines, in
# one run, checked by a C program through vx_check_line() and by a Java
# program through a bare JNA call of vx_check_line, Checker.checkLine
# (results as records) and Checker.checkFile. Prints its setup, then per
# way the time per line (the best pass of each program, and the best of
# three rounds: drift of a shared machine only ever adds time) and its
# ratio to the C API's.
#
#   bench/java_overhead.sh [BUILD_DIR [JAR [RECORDS]]]
#     (default build/default, BUILD_DIR/bindings/java/vexal-1.0.jar, 20000)
#
# The input: the DSKO_04 records of examples/transmission.txt (valid and
# faulty, 415 characters), over and over. Needs cc, a JDK and JNA (JNA_JAR,
# default /usr/share/java/jna.jar).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
jar=${2:-$build/bindings/java/vexal-1.0.jar}
records=${3:-20000}
jna=${JNA_JAR:-/usr/share/java/jna.jar}
library=$build/bin/libvexalcheck.so
for f in "$library" "$jar" "$jna"; do
  if [[ ! -f $f ]]; then
    echo "missing $f" >&2
    exit 1
  fi
done
work=$(mktemp -d /tmp/vexal-java-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

grep -a '^DSKO' "$root/examples/transmission.txt" | tr -d '\r' | awk 'length($0) == 415' \
  >"$work/patterns.txt"
patterns=$(wc -l <"$work/patterns.txt")
awk -v n="$records" '{ p[NR] = $0 } END { for (i = 0; i < n; i++) print p[i % NR + 1] }' \
  "$work/patterns.txt" >"$work/lines.txt"

cc -std=c99 -O2 -I "$root/include" "$root/bench/java_overhead/c_api_lines.c" -o "$work/c_api_lines" \
  -L "$(dirname "$library")" -lvexalcheck -Wl,-rpath,"$(dirname "$library")"
javac --release 17 -encoding UTF-8 -cp "$jar:$jna" -d "$work" \
  "$root/bench/java_overhead/CheckLineBench.java"

build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
echo "machine:  $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(nproc) cores"
echo "build:    $build (${build_type:-unknown build type}), commit $(git -C "$root" rev-parse --short HEAD)"
echo "java:     $(java --version | head -1), JNA $(basename "$(readlink -f "$jna")" .jar)"
echo "input:    $records DSKO_04 records of 415 characters ($patterns patterns of" \
  "examples/transmission.txt, valid and faulty), processing date 20261208"
echo

# Three rounds, the C program and the Java program in turn, so that drift
# of a shared machine falls on both; the best of the rounds per way.
: >"$work/figures"
for round in 1 2 3; do
  "$work/c_api_lines" "$work/lines.txt" | sed 's/^c_api_ns_per_line/c_api ns_per_line/' \
    >>"$work/figures"
  java -Dvexal.library.path="$library" -cp "$jar:$jna:$work" CheckLineBench "$work/lines.txt" \
    >>"$work/figures"
done
best() { awk -v way="$1" '$1 == way { print $3 }' "$work/figures" | sort -n | head -1; }
rounds() { awk -v way="$1" '$1 == way { printf "%s%s", sep, $3; sep = " " }' "$work/figures"; }
c=$(best c_api)
printf '%-38s %8s %7s   %s\n' way ns/line ratio "rounds (ns/line)"
for way in c_api bare_jna_call checkLine checkFile; do
  case $way in
    c_api) label="C: vx_check_line" ;;
    bare_jna_call) label="Java: bare JNA call of vx_check_line" ;;
    checkLine) label="Java: Checker.checkLine" ;;
    checkFile) label="Java: Checker.checkFile" ;;
  esac
  ns=$(best "$way")
  printf '%-38s %8d %7.2f   %s\n' "$label" "$ns" "$(awk -v a="$ns" -v b="$c" 'BEGIN { print a / b }')" \
    "$(rounds "$way")"
done

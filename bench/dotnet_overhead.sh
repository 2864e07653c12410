#!/usr/bin/env bash
# What the .NET binding adds per line against the C API's time per line,
# the same lines in one process: builds bench/dotnet_bench (Release, into
# BUILD/dotnet/bench) and runs it. Prints its setup, then the figures.
#
# Usage: bench/dotnet_overhead.sh [BUILD] [RECORDS]   (default build/default, 20000)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/default}
records=${2:-20000}
if [[ ! -f $build/bin/libvexalcheck.so ]]; then
  echo "no $build/bin/libvexalcheck.so: cmake --build $build --target vexalcheck vexal" >&2
  exit 2
fi
dotnet build bench/dotnet_bench -c Release --artifacts-path "$build/dotnet/bench" >/dev/null
dotnet "$build/dotnet/bench/bin/DotnetBench/release/DotnetBench.dll" "$build/bin/libvexalcheck.so" \
  "$records" "$PWD"

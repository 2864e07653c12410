#!/usr/bin/env bash
# A vendor's view of the Vexal NuGet package: builds tests/dotnet_consumer
# in a scratch folder against the .nupkg in PACKAGES alone (a nuget.config
# that clears every other source, an empty package cache of its own, no
# VEXAL_LIBRARY), runs it, and requires the lines and the exit status of
#   vexal check --today 20261208 FILE
# started from the same folder. The native library must come from the
# package's runtimes/linux-x64/native. Then the README's lines of C#, built
# the same way as a program of their own and run from the top of the tree,
# must print what the README says they print.
#
# Usage: tests/dotnet_consumer/check_consumer.sh PACKAGES VEXAL FILE
#   PACKAGES  a folder holding Vexal.VERSION.nupkg
set -uo pipefail

if (($# != 3)); then
  echo "usage: $0 PACKAGES VEXAL FILE" >&2
  exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
packages=$(cd "$1" && pwd)
vexal=$2
file=$3
nupkg=$(ls "$packages"/Vexal.*.nupkg 2>/dev/null | head -1)
if [[ -z $nupkg ]]; then
  echo "check_consumer: FAIL: no Vexal.*.nupkg in $packages"
  exit 1
fi
version=$(basename "$nupkg" .nupkg)
version=${version#Vexal.}

work=$(mktemp -d /tmp/vexal-dotnet-consumer.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$here/DotnetConsumer.csproj" "$here/Program.cs" "$work/"
cat >"$work/nuget.config" <<CONFIG
<?xml version="1.0" encoding="utf-8"?>
<configuration>
  <packageSources>
    <clear />
    <add key="vexal" value="$packages" />
  </packageSources>
</configuration>
CONFIG

export NUGET_PACKAGES=$work/nuget-cache MSBUILDDISABLENODEREUSE=1 DOTNET_CLI_USE_MSBUILD_SERVER=0
unset VEXAL_LIBRARY
if ! dotnet build "$work/DotnetConsumer.csproj" -c Release -p:VexalVersion="$version" \
  -o "$work/out" >"$work/build.log" 2>&1; then
  echo "check_consumer: FAIL: the consumer does not build against $nupkg"
  tail -20 "$work/build.log" | sed 's/^/  /'
  exit 1
fi
native=$work/out/runtimes/linux-x64/native/libvexalcheck.so
if [[ ! -f $native ]]; then
  echo "check_consumer: FAIL: the build output lacks $native"
  exit 1
fi

arguments=(--today 20261208 "$file")
"$vexal" check "${arguments[@]}" </dev/null >"$work/vexal.out" 2>/dev/null
vexal_status=$?
dotnet "$work/out/DotnetConsumer.dll" "${arguments[@]}" </dev/null >"$work/consumer.out" \
  2>"$work/consumer.err"
consumer_status=$?

lines=$(wc -l <"$work/vexal.out")
echo "check_consumer: Vexal $version; vexal exit $vexal_status, consumer exit $consumer_status," \
  "$lines lines"
status=0
if ((vexal_status != consumer_status)); then
  echo "check_consumer: FAIL: the exit statuses differ; the consumer said:"
  sed 's/^/  /' "$work/consumer.err"
  status=1
fi
if ((lines == 0)) || ! cmp -s "$work/vexal.out" "$work/consumer.out"; then
  echo "check_consumer: FAIL: the lines differ (- vexal, + consumer):"
  diff "$work/vexal.out" "$work/consumer.out" | head -20 | cut -c1-240 | sed "s/^/  /"
  status=1
fi
if ((status == 0)); then
  echo "check_consumer: ok: the consumer of $(basename "$nupkg") prints vexal's lines for $file"
fi

# The README's sample: its ```csharp block and the `...` after "prints".
source=$(cd "$here/../.." && pwd)
mkdir "$work/readme"
cp "$work/nuget.config" "$work/readme/"
sed -e 's|<ImplicitUsings>disable</ImplicitUsings>|<ImplicitUsings>enable</ImplicitUsings>|' \
  "$here/DotnetConsumer.csproj" >"$work/readme/ReadmeSample.csproj"
sed -n '/^```csharp$/,/^```$/p' "$source/README.md" | sed '1d;$d' >"$work/readme/Program.cs"
said=$(sed -n '/^```csharp$/,$p' "$source/README.md" | grep -m1 -o '^prints `[^`]*`' | sed 's/^prints `//; s/`$//')
if [[ ! -s $work/readme/Program.cs || -z $said ]]; then
  echo "check_consumer: FAIL: no C# sample with what it prints in README.md"
  exit 1
fi
if ! dotnet build "$work/readme/ReadmeSample.csproj" -c Release -p:VexalVersion="$version" \
  -o "$work/readme/out" >"$work/readme/build.log" 2>&1; then
  echo "check_consumer: FAIL: the README's C# sample does not build"
  tail -20 "$work/readme/build.log" | sed 's/^/  /'
  exit 1
fi
printed=$(cd "$source" && dotnet "$work/readme/out/ReadmeSample.dll" 2>&1)
if [[ $printed != "$said" ]]; then
  echo "check_consumer: FAIL: the README's C# sample prints '$printed', the README says '$said'"
  status=1
else
  echo "check_consumer: ok: the README's C# sample prints $said"
fi
exit $status

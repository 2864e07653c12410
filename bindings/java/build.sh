#!/usr/bin/env bash
# Builds the Java binding with the JDK's own tools, javac and jar, against
# Debian's JNA:
#
#   bindings/java/build.sh OUT_DIR [--linux BIN_DIR] [--windows BIN_DIR]
#
# gives OUT_DIR/vexal-1.0.jar: the classes of src/main/java (Java 17) and the
# natives of the build folders named, under JNA's resource prefixes:
#   linux-x86-64/  libvexalcheck.so libvexal.so libpl_runtime.so libvexal-mod.so
#   win32-x86-64/  vexalcheck.dll vexal.dll pl_runtime.dll vexal-mod.dll and the
#                  mingw runtime DLLs they need
# each with vexal-natives.txt listing them, so that the binding unpacks them
# side by side. A platform not named has no natives in the jar; the binding
# then wants -Dvexal.library.path or VEXAL_LIBRARY there.
#
# JNA_JAR names JNA's jar (default /usr/share/java/jna.jar, Debian
# libjna-java); JAVAC and JAR the tools (default: from the PATH).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
usage() {
  echo "usage: $0 OUT_DIR [--linux BIN_DIR] [--windows BIN_DIR]" >&2
  exit 2
}
[[ $# -ge 1 ]] || usage
out=$1
shift
linux=
windows=
while [[ $# -gt 0 ]]; do
  case $1 in
    --linux) linux=${2:?}; shift 2 ;;
    --windows) windows=${2:?}; shift 2 ;;
    *) usage ;;
  esac
done
jna=${JNA_JAR:-/usr/share/java/jna.jar}
javac=${JAVAC:-javac}
jar=${JAR:-jar}
if [[ ! -f $jna ]]; then
  echo "no JNA at $jna (Debian: libjna-java)" >&2
  exit 1
fi

rm -rf "$out/classes" "$out/natives"
mkdir -p "$out/classes" "$out/natives"
"$javac" --release 17 -Xlint:all -Werror -encoding UTF-8 -cp "$jna" -d "$out/classes" \
  $(find "$here/src/main/java" -name '*.java' | sort)

# natives PREFIX BIN_DIR REQUIRED OPTIONAL: copies the libraries of BIN_DIR
# into the jar's PREFIX/ with their listing; a required one missing fails.
natives() {
  local prefix=$1 bin=$2 required=$3 optional=$4 f
  mkdir -p "$out/natives/$prefix"
  : >"$out/natives/$prefix/vexal-natives.txt"
  for f in $required; do
    if [[ ! -f $bin/$f ]]; then
      echo "missing $bin/$f" >&2
      exit 1
    fi
  done
  for f in $required $optional; do
    if [[ -f $bin/$f ]]; then
      cp "$bin/$f" "$out/natives/$prefix/"
      echo "$f" >>"$out/natives/$prefix/vexal-natives.txt"
    fi
  done
}
if [[ -n $linux ]]; then
  natives linux-x86-64 "$linux" "libvexalcheck.so libvexal.so libpl_runtime.so libvexal-mod.so" ""
fi
if [[ -n $windows ]]; then
  natives win32-x86-64 "$windows" "vexalcheck.dll vexal.dll pl_runtime.dll vexal-mod.dll" \
    "libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll"
fi

"$jar" --create --file "$out/vexal-1.0.jar.tmp" -C "$out/classes" . -C "$out/natives" .
mv "$out/vexal-1.0.jar.tmp" "$out/vexal-1.0.jar"
echo "built $out/vexal-1.0.jar"

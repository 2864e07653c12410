# Sourced by the checks that run Windows programs under wine.
#   wine_check_setup NAME ARGUMENT_COUNT "USAGE" "$@"
# exits 2 with the usage when the arguments are not ARGUMENT_COUNT, and sets
# `wine` to the loader: WINE, else wine64, else wine.
#   require_files NAME FILE...
# exits 2 naming the first FILE that does not exist.
#   require_commands NAME COMMAND...
# exits 2 when wine was not found or a COMMAND is not installed.

wine_check_setup() {
  local count=$2 usage=$3
  shift 3
  if (($# != count)); then
    echo "usage: $usage" >&2
    exit 2
  fi
  wine=${WINE:-$(command -v wine64 || command -v /usr/lib/wine/wine64 || command -v wine || true)}
}

require_files() {
  local name=$1 f
  shift
  for f in "$@"; do
    if [[ ! -f $f ]]; then
      echo "$name: no such file: $f" >&2
      exit 2
    fi
  done
}

require_commands() {
  local name=$1 c
  shift
  if [[ -z $wine ]]; then
    echo "$name: no wine found" >&2
    exit 2
  fi
  for c in "$@"; do
    if ! command -v "$c" >/dev/null; then
      echo "$name: needs $c" >&2
      exit 2
    fi
  done
}

#!/usr/bin/env bash
# Configures (once) and builds Lumo with the mingw-w64 toolchain.
# Usage: tools/build.sh BUILD_DIR [CMAKE BUILD ARGS...]   (e.g. --target Lumo)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
build=${1:?build folder}
shift
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j "${LUMO_JOBS:-2}" "$@"

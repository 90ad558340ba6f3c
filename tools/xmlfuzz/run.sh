#!/usr/bin/env bash
# Builds the XML reading loop for this (Linux) host with AddressSanitizer and UBSan and runs the
# robustness corpus through it. Usage: tools/xmlfuzz/run.sh [OUTPUT_DIR]   (default /tmp/xmlfuzz)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
out=${1:-/tmp/xmlfuzz}
mkdir -p "$out"
g++ -std=c++17 -Wall -Wextra -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined \
    -fno-sanitize-recover=all -I"$src" "$here/XmlFuzzHost.cpp" -o "$out/xmlfuzz"
ASAN_OPTIONS=detect_leaks=1 "$out/xmlfuzz" "$src/resources"

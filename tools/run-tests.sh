#!/usr/bin/env bash
# Builds Lumo and runs its tests under one Xvfb display and one persistent wineserver, with an ALSA
# null device. Usage: tools/run-tests.sh BUILD_DIR [CTEST ARGS...]   (e.g. -R foundation)
# Ends with a line counting the individual test cases of every test executable that ran.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build folder}
shift
. "$here/wine-session.sh"
lumo_begin_session "$build" || exit 1

results="$LUMO_BUILD/test-results"
rm -rf "$results"
mkdir -p "$results"
(cd "$LUMO_BUILD" && ctest --output-on-failure --timeout 900 "$@")
rc=$?

# CTest counts executables; this counts the test cases inside them.
passed=0; failed=0; skipped=0
for xml in "$results"/*.xml; do
  [ -f "$xml" ] || continue
  read -r t f e d s < <(sed -n 's/.*<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)" disabled="\([0-9]*\)" errors="\([0-9]*\)".*/\1 \2 \4 \3 0/p' "$xml" | head -n1)
  sk=$(grep -c '<skipped' "$xml")
  passed=$((passed + t - f - e - sk)); failed=$((failed + f + e)); skipped=$((skipped + sk))
done
if [ $rc -ne 0 ] && [ $failed -eq 0 ]; then
  failed=1   # an executable crashed or timed out before writing its results
fi
echo "Tests: $passed passed, $failed failed, $skipped skipped"
exit $rc

#!/usr/bin/env bash
# Builds and starts Lumo.exe under Wine. With a display it runs there until the user closes it; on a
# machine without one it runs under Xvfb, saves a screenshot of its window to
# BUILD_DIR/screenshots/run.png a few seconds after start, then closes it like a user would.
# Usage: tools/run-lumo.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build folder}
sound=""
[ -d /dev/snd ] || sound=--sound-null
"$here/setup.sh" "$build" $sound || exit 1
"$here/build.sh" "$build" || exit 1
. "$here/lumo-env.sh" "$build"
exe="$LUMO_BUILD/bin/Lumo.exe"
mkdir -p "$LUMO_BUILD/logs"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine "$exe" >"$LUMO_BUILD/logs/lumo.out" 2>"$LUMO_BUILD/logs/lumo.err" </dev/null
  exit $?
fi

. "$here/xvfb.sh"
lumo_start_xvfb || exit 1
trap 'wineserver -k >/dev/null 2>&1; lumo_stop_xvfb' EXIT
wine "$exe" >"$LUMO_BUILD/logs/lumo.out" 2>"$LUMO_BUILD/logs/lumo.err" </dev/null &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Lumo$' | head -n1)
if [ -z "$window" ]; then
  echo "Lumo's window did not appear (see $LUMO_BUILD/logs)" >&2
  exit 1
fi
sleep 4
mkdir -p "$LUMO_BUILD/screenshots"
import -window "$window" "$LUMO_BUILD/screenshots/run.png"
echo "No display here: ran under Xvfb; screenshot saved to $LUMO_BUILD/screenshots/run.png"
xdotool key --window "$window" alt+F4
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
wait "$pid"
rc=$?
echo "Lumo exited with code $rc"
exit $rc

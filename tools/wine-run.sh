#!/usr/bin/env bash
# Runs one Windows program of the build under the project's Wine environment, the way CTest's
# emulator calls it: wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]. Wine's output goes to files, never
# to a pipe (its helper processes would hold a pipe open for seconds), and is shown afterwards.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lumo-env.sh" "$1"
shift
log=$(mktemp -d "${TMPDIR:-/tmp}/lumo-run.XXXXXX")
wine "$@" >"$log/out" 2>"$log/err" </dev/null
rc=$?
cat "$log/out"
cat "$log/err" >&2
rm -rf "$log"
exit $rc

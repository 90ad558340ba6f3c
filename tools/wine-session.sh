# Sourced by the tools that run our Windows programs in bulk (tests, benchmarks): lumo_begin_session
# BUILD_DIR installs what is missing, builds, loads the environment of tools/lumo-env.sh and starts
# one Xvfb display and one persistent wineserver for every program the caller runs; both end when
# the caller exits.
lumo_begin_session() {
  local tools build=${1:?build folder}
  tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  "$tools/setup.sh" "$build" --sound-null || return 1
  "$tools/build.sh" "$build" || return 1
  . "$tools/lumo-env.sh" "$build"
  . "$tools/xvfb.sh"
  trap 'wineserver -k >/dev/null 2>&1; lumo_stop_xvfb' EXIT
  lumo_start_xvfb || return 1
  wineserver -p >/dev/null 2>&1 </dev/null
}

# Sourced by the tools: lumo_start_xvfb starts one private Xvfb display and exports DISPLAY;
# lumo_stop_xvfb ends it. Its output goes to a file so no pipe of the caller is held open.
lumo_start_xvfb() {
  local fdfile
  fdfile=$(mktemp "${TMPDIR:-/tmp}/lumo-xvfb.XXXXXX")
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$fdfile.log" 2>&1 &
  LUMO_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; cat "$fdfile.log" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile" "$fdfile.log"
}

lumo_stop_xvfb() {
  [ -n "${LUMO_XVFB_PID:-}" ] && kill "$LUMO_XVFB_PID" 2>/dev/null && wait "$LUMO_XVFB_PID" 2>/dev/null
  LUMO_XVFB_PID=
}

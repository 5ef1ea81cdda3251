# Sourced by scripts that need the demo site: start_demo_site starts it on a free loopback port,
# sets DEMO_BASE to its address and stops it when the calling script exits.
start_demo_site() {
  local log
  log="$(mktemp)"
  python3 "$(dirname "${BASH_SOURCE[0]}")/../demo/demosite.py" --port 0 >"$log" &
  DEMO_SITE_PID=$!
  trap 'kill "$DEMO_SITE_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    [ -s "$log" ] && break
    sleep 0.1
  done
  DEMO_BASE="$(head -n 1 "$log")"
  rm -f "$log"
  [ -n "$DEMO_BASE" ] || { echo "the demo site did not start" >&2; return 1; }
}

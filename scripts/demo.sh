#!/usr/bin/env bash
# Installs what is needed, builds the program for the bundled demo site, starts the site on a free
# loopback port and the program against it. Closing the window stops the site.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

site_log="$(mktemp)"
python3 demo/demosite.py --port 0 >"$site_log" &
site_pid=$!
trap 'kill "$site_pid" 2>/dev/null || true; rm -f "$site_log"' EXIT
for _ in $(seq 100); do
  [ -s "$site_log" ] && break
  sleep 0.1
done
base="$(head -n 1 "$site_log")"
[ -n "$base" ] || { echo "the demo site did not start" >&2; exit 1; }
echo "demo site: $base"

# The site address is a build setting; only the file that holds it is rebuilt when it changes.
cmake --preset release -B build/demo -DZELKOR_BUILD_TESTS=OFF -DZELKOR_BUILD_BENCH=OFF \
  -DSITE_BASE="$base" >/dev/null
cmake --build build/demo --target zelkor-downloader zelkor-cli

# The browser engine refuses to start its sandbox as root.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox ${QTWEBENGINE_CHROMIUM_FLAGS:-}"
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "no display found: running the window under a virtual X server (xvfb-run)"
  xvfb-run -a -s "-screen 0 1024x768x24" build/demo/app/zelkor-downloader
else
  build/demo/app/zelkor-downloader
fi

#!/usr/bin/env bash
# Installs what is needed, builds the program for the bundled demo site, starts the site on a free
# loopback port and the program against it. Closing the window stops the site.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

source scripts/demosite.sh
start_demo_site
base="$DEMO_BASE"
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

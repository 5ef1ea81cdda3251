#!/usr/bin/env bash
# The command-line harvest of the demo site's 200-page category against curl fetching the same
# 201 addresses in one process over one kept-alive connection (the transport's limit).
# Usage: bench/harvest/cli_vs_curl.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/release}"
cli="$build/cli/zelkor-cli"
[ -x "$cli" ] || { echo "build $cli first (cmake --preset release && cmake --build --preset release)" >&2; exit 1; }

source scripts/demosite.sh
start_demo_site
base="$DEMO_BASE"

urls="${base}wode_source/etools/"
for n in $(seq 1 200); do urls+=" ${base}wode_source/etools/$n.html"; done
rows="$("$cli" --site-base "$base" category etools 2>/dev/null | wc -l)"
echo "harvest of etools: $rows rows from 201 pages"

python3 bench/sidebyside.py \
  --name "curl (201 pages)" --command "curl -s $urls" \
  --name "zelkor-cli category" --command "$cli --site-base $base category etools"

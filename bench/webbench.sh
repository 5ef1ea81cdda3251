#!/usr/bin/env bash
# 200 sequential FetchPageText calls of a 30 KB page against curl fetching the same 200
# addresses in one process (curl reuses its connection), both from the same kept-alive loopback
# server. Prints the median times and the ratio.
# Usage: bench/webbench.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
bench="$build/bench/web/bench_web"
[ -x "$bench" ] || { echo "build $bench first (cmake --preset release && cmake --build --preset release)" >&2; exit 1; }

log="$(mktemp)"
fifo="$(mktemp -u)"
mkfifo "$fifo"
"$bench" serve <"$fifo" >"$log" &
server=$!
exec 3>"$fifo"
trap 'exec 3>&-; wait $server; rm -f "$log" "$fifo"' EXIT
for _ in $(seq 100); do [ -s "$log" ] && break; sleep 0.1; done
base="$(head -n 1 "$log")"

urls=""
for n in $(seq 1 200); do urls+=" $base/list_$n.html"; done
"$bench" fetch "$base" 200

python3 bench/sidebyside.py \
  --name "curl (200 pages)" --command "curl -s $urls" \
  --name "FetchPageText x200" --command "$bench fetch $base 200"

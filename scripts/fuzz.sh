#!/usr/bin/env bash
# Builds every fuzzer with clang and the sanitizers and runs each for SECONDS (default 60) over
# its seed corpus. New inputs go to a scratch folder; the committed corpus stays as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for fuzzer in build/fuzz/fuzz/*/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name="$(basename "$fuzzer")"
  seeds="fuzz/corpus/${name#fuzz_}"
  scratch="build/fuzz/corpus-$name"
  mkdir -p "$scratch"
  echo "== $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 "$scratch" "$seeds" 2>&1 | tail -n 12
done

#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time on its seed corpus.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)

"$here/scripts/install-deps.sh" clang libclang-rt-14-dev
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSETWRIGHT_FUZZ=ON -DSETWRIGHT_TESTS=OFF -DSETWRIGHT_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); name=${name#fuzz_}
  corpus=$(mktemp -d)
  [ -d "$here/fuzz/corpus/$name" ] && cp -r "$here/fuzz/corpus/$name/." "$corpus/"
  [ -x "$build/fuzz/make_seeds_$name" ] && "$build/fuzz/make_seeds_$name" "$corpus"
  echo "== fuzz_$name: $(ls "$corpus" | wc -l) seeds, ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10 \
       -print_final_stats=0 -artifact_prefix="$build/fuzz/$name-" "$corpus" >"$build/fuzz/$name.log" 2>&1; then
    echo "fuzz_$name found a problem:"; tail -n 40 "$build/fuzz/$name.log"; status=1
  else
    grep -E '^#[0-9]+.*DONE' "$build/fuzz/$name.log" | tail -n 1 || true
  fi
  rm -rf "$corpus"
done
exit $status

#!/usr/bin/env bash
# Builds the submission benchmarks for Windows and runs them under Wine with a private display and
# prefix (build/bench-win32); prints the figures: the run's wait and latency, then its memory over
# 100 runs answered, ended by the watchdog and dropped (the memory rows of bench/run.sh's table).
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$(pwd)"
cmake --preset win32 -B build/bench-win32 -DSQ_BUILD_BENCH=ON -DSQ_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench-win32 --target submission_wait_bench submission_memory_bench stand_in_service -j2
source scripts/wine-env.sh "$root/build/bench-win32"
trap sq_wine_env_stop EXIT
(cd build/bench-win32/bin && wine submission_wait_bench.exe </dev/null)
echo "submission runs' memory"
bench/submit/memory.sh "$root/build/bench-win32/bin" "$root/build/bench-win32/memory" "${SQ_BENCH_RUNS:-100}"

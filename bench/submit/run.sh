#!/usr/bin/env bash
# Builds the submission benchmark for Windows and runs it under Wine with a private display and
# prefix (build/bench-win32); prints the figures.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$(pwd)"
cmake --preset win32 -B build/bench-win32 -DSQ_BUILD_BENCH=ON -DSQ_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench-win32 --target submission_wait_bench -j2
source scripts/wine-env.sh "$root/build/bench-win32"
trap sq_wine_env_stop EXIT
cd build/bench-win32/bin
wine submission_wait_bench.exe </dev/null

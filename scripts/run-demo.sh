#!/usr/bin/env bash
# The main job: builds the plug-in, registers it in a private Wine prefix and drives it as the
# player's host wrapper would, printing what happens.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

source scripts/wine-env.sh "$root/build/demo"
trap sq_wine_env_stop EXIT
cd build/win32/bin
wine regsvr32 /s Sonoquill_WA.dll
echo "registered Sonoquill_WA.dll in $WINEPREFIX"
wine host_demo.exe "${SQ_DEMO_SECONDS:-5}" </dev/null

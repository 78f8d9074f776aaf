#!/usr/bin/env bash
# Installs what is missing, builds the native core and the Windows DLL, and runs every test:
# the native unit tests (under ASan and UBSan) and the Windows tests under Wine, with the checks
# of src/ among them (its includes against the layers, clang-tidy over the core and the shell).
set -uo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

scripts/install-deps.sh || exit 1
if [[ "${CI:-}" == true ]]; then export SQ_WERROR=ON; fi

set -e
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32
set +e

mkdir -p build/logs
ctest --preset native --output-log build/logs/native.log
native_rc=$?

source scripts/wine-env.sh "$root/build"
trap sq_wine_env_stop EXIT
ctest --preset win32 --output-log build/logs/win32.log
win_rc=$?

# One closing line for both runs.
passed=0
failed=0
for log in build/logs/native.log build/logs/win32.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  total=$(grep -Eo 'out of [0-9]+' <<<"$line" | grep -Eo '[0-9]+' || echo 0)
  bad=$(grep -Eo '[0-9]+ tests? failed' <<<"$line" | grep -Eo '^[0-9]+' || echo 0)
  passed=$((passed + ${total:-0} - ${bad:-0}))
  failed=$((failed + ${bad:-0}))
done
echo
echo "$passed passed, $failed failed"
[[ $native_rc == 0 && $win_rc == 0 && $failed == 0 ]]

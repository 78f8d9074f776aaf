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

# Each run's result is its exit code: ctest fails when a test fails or does not run, and here when
# it finds none. The JUnit files only count the tests for the closing line.
mkdir -p build/logs
rm -f build/logs/native.xml build/logs/win32.xml
ctest --preset native --no-tests=error --output-log build/logs/native.log --output-junit "$root/build/logs/native.xml"
native_rc=$?

# Wine runs the 32-bit tests with a 32-bit loader of its own; a kernel whose IA-32 emulation is off
# (some virtual machines boot that way) refuses to start it ("Exec format error"). There only the
# checks that need no Wine run, and the closing lines say so.
wine_runs=1
if [[ -x /usr/lib/wine/wine ]] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then wine_runs=0; fi
if ((wine_runs)); then
  source scripts/wine-env.sh "$root/build"
  trap sq_wine_env_stop EXIT
  ctest --preset win32 --no-tests=error --output-log build/logs/win32.log --output-junit "$root/build/logs/win32.xml"
else
  ctest --preset win32 -L static --no-tests=error --output-log build/logs/win32.log --output-junit "$root/build/logs/win32.xml"
fi
win_rc=$?

# One closing line for both runs; a test that did not run counts as failed, as ctest counts it.
junit_counts() {
  python3 - "$@" <<'EOF'
import sys
import xml.etree.ElementTree as ET
passed = failed = not_run = 0
for path in sys.argv[1:]:
    try:
        cases = list(ET.parse(path).getroot().iter("testcase"))
    except (OSError, ET.ParseError):
        print(f"no test results in {path}", file=sys.stderr)
        continue
    passed += sum(case.get("status") == "run" for case in cases)
    failed += sum(case.get("status") == "fail" for case in cases)
    not_run += sum(case.get("status") == "notrun" for case in cases)
print(passed, failed + not_run, not_run)
EOF
}
read -r passed failed not_run < <(junit_counts build/logs/native.xml build/logs/win32.xml)
echo
if ((!wine_runs)); then
  echo "NOT RUN: the Windows tests under Wine. This machine's kernel runs no 32-bit programs"
  echo "(IA-32 emulation off: /usr/lib/wine/wine --version fails), so only the native tests and the"
  echo "checks that need no Wine (clang-tidy over the shell) ran. Run this command on a machine that"
  echo "runs 32-bit programs to test the plug-in in the player."
fi
echo "$passed passed, $failed failed$( ((not_run == 0)) || echo " ($not_run did not run)")"
[[ $native_rc == 0 && $win_rc == 0 ]]

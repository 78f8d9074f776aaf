#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs one of them for a while.
#   scripts/fuzz-smoke.sh [seconds=60] [target=media_read_mp3]     (or player_playlist_entry)
#   scripts/fuzz-smoke.sh --build-only                             (builds every target, runs none)
#   scripts/fuzz-smoke.sh --no-build [seconds] [target]            (runs what --build-only made)
# The build is the "fuzz" preset's (build/fuzz). The corpus grows in build/fuzz/corpus/<target>;
# findings land in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/fuzz

mode=build-and-run
case "${1:-}" in
  --build-only) mode=build; shift ;;
  --no-build) mode=run; shift ;;
esac
seconds="${1:-60}"
target="${2:-media_read_mp3}"

if [[ "$mode" != run ]]; then
  if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
  cmake --preset fuzz >/dev/null
  if [[ "$mode" == build ]]; then
    cmake --build --preset fuzz >/dev/null
    exit 0
  fi
  cmake --build --preset fuzz --target "${target}_fuzz" >/dev/null
fi

mkdir -p "$build/corpus/$target" "$build/findings"
if [[ "$target" == media_read_mp3 ]]; then
  # No single allocation may pass 1 MB: inputs are at most 200 kB and the scan buffer at most 264 kB.
  "$build/tests/media/fuzz/media_read_mp3_fuzz" "$build/corpus/media_read_mp3" \
    -dict=tests/media/fuzz/read_mp3.dict -max_total_time="$seconds" -max_len=200000 \
    -rss_limit_mb=2048 -malloc_limit_mb=1 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" 2>&1 | tail -n 20
else
  "$build/tests/player/fuzz/${target}_fuzz" "$build/corpus/$target" -max_total_time="$seconds" \
    -max_len=300000 -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" 2>&1 | tail -n 20
fi

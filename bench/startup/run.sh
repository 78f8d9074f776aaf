#!/usr/bin/env bash
# The player's start with the plug-in, under Wine: how long the wrapper's init takes to return
# inside the player simulator, first with no excluded folder stored, then with one stored on a
# network drive each of whose file-system calls answers only after 5 s, as a sleeping NAS or a
# mapped share that is gone answers (slow_drive.py: a FUSE pass-through, mapped as drive N:);
# and, the same two ways, how long the control window's first show holds the player's thread
# (first_show_bench.cpp), the show that reads the drives and folders instead.
# Prints rows of the benchmark's table; bench/run.sh puts them into it. Alone, as root on
# Debian 12, in about five minutes:
#   bash bench/startup/run.sh [--bin FOLDER] [--starts N] [--delay S]
# --bin FOLDER  measures gen_sonoquill.dll, Sonoquill_WA.dll and player_sim.exe from FOLDER (an
#               earlier build, say) instead of building them
# --starts N    starts per figure (default 8); the first, which brings the files into the cache,
#               is not counted, and the median of the others is shown
# --delay S     seconds each call on the slow drive waits (default 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$(pwd)"
out="$root/build/bench-run/startup"
bin=""
starts=8
delay=5
while (($#)); do
  case "$1" in
    --bin) bin="$(cd "$2" && pwd)"; shift 2 ;;
    --starts) starts="$2"; shift 2 ;;
    --delay) delay="$2"; shift 2 ;;
    *) echo "usage: $0 [--bin FOLDER] [--starts N] [--delay S]" >&2; exit 2 ;;
  esac
done
mkdir -p "$out"
log="$out/build.log"
: >"$log"
quiet() { "$@" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "failed: $*" >&2; exit 1; }; }

if [[ ! -e /dev/fuse ]]; then
  echo "bench/startup: no /dev/fuse on this machine, so no slow drive can be made" >&2
  exit 1
fi
quiet scripts/install-deps.sh
for package in fuse3 python3-fusepy; do
  if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)" != "install ok installed" ]]; then
    DEBIAN_FRONTEND=noninteractive quiet apt-get install -y -q -o DPkg::Lock::Timeout=600 "$package"
  fi
done
quiet cmake --preset win32 -B build/bench-win32 -DSQ_BUILD_BENCH=ON -DSQ_BUILD_TESTS=OFF
if [[ -z "$bin" ]]; then
  quiet cmake --build build/bench-win32 -j2 --target Sonoquill_WA gen_sonoquill player_sim first_show_bench
  bin="$root/build/bench-win32/bin"
else
  quiet cmake --build build/bench-win32 -j2 --target first_show_bench
fi

# The slow drive's folder, and where the pass-through shows it.
nas="$out/nas"
mount_point="$out/slow-drive"
fuse_pid=""
stop_all() {
  sq_wine_env_stop
  if mountpoint -q "$mount_point"; then fusermount3 -u -z "$mount_point" || umount -l "$mount_point" || true; fi
  if [[ -n "$fuse_pid" ]]; then wait "$fuse_pid" 2>/dev/null || true; fi
}
source scripts/wine-env.sh "$out" >/dev/null
trap stop_all EXIT

# The simulated player in C:\Winamp, with the plug-in copied into its Plugins folder (a complete
# install). It plays nothing: the wrapper's init reads no song.
player="$WINEPREFIX/drive_c/Winamp"
mkdir -p "$player/Plugins"
cp "$bin/player_sim.exe" "$root/build/bench-win32/bin/first_show_bench.exe" "$player/"
cp "$bin/gen_sonoquill.dll" "$bin/Sonoquill_WA.dll" "$player/Plugins/"
(cd "$player" && wine player_sim.exe --register-only </dev/null >/dev/null 2>&1)

# Prints "init-ms load-ms" of each start after the first, sorted; extra simulator options.
init_times() {
  local i
  for i in $(seq 1 "$starts"); do
    (cd "$player" && wine player_sim.exe --linger 0 --exit-after 1 "$@" --log 'C:\Winamp\player.log' \
       </dev/null >/dev/null 2>&1)
    if ((i > 1)); then
      sed -n 's/.*gen_sonoquill.dll: loading took \([0-9.]*\) ms, init \([0-9.]*\) ms.*/\2 \1/p' "$player/player.log"
    fi
  done | sort -n
}
median() { sed -n "$(((starts) / 2))p" "$1" | cut -d' ' -f"$2"; }
# Prints the first show's time of each start after the first, sorted.
first_shows() {
  local i shown
  for i in $(seq 1 "$starts"); do
    shown=$(cd "$player" && wine first_show_bench.exe 'C:\Winamp\Plugins\gen_sonoquill.dll' </dev/null 2>/dev/null |
      sed -n 's/^first show \([0-9.]*\) ms.*/\1/p')
    if ((i > 1)); then echo "$shown"; fi
  done | sort -n
}

# Without the simulator's window watch, whose hook would charge every message of the control
# window's creation a Wine server round trip that no player makes; the figure with it beside.
init_times --no-watch >"$out/starts.txt"
init_times >"$out/starts-watched.txt"
first_shows >"$out/shows.txt"

# Then the same player with its excluded folder stored on the slow drive. The prefix restarts so
# that its drive list takes in the new drive.
rm -rf "$nas"
mkdir -p "$nas/Music/Live" "$nas/Music/Studio" "$mount_point"
/usr/bin/python3 "$root/bench/startup/slow_drive.py" "$nas" "$mount_point" "$delay" >>"$log" 2>&1 &
fuse_pid=$!
for _ in $(seq 1 100); do mountpoint -q "$mount_point" && break; sleep 0.1; done
mountpoint -q "$mount_point" || { echo "bench/startup: the slow drive did not mount (see $log)" >&2; exit 1; }
ln -sfn "$mount_point" "$WINEPREFIX/dosdevices/n:"
wine reg add 'HKLM\Software\Wine\Drives' /v n: /t REG_SZ /d network /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\VB and VBA Program Settings\Sonoquill\Settings' /v Exclude /t REG_SZ /d 'N:\Music' /f \
  </dev/null >/dev/null 2>&1
wineserver -k
sq_wine_boot
init_times --no-watch >"$out/starts-slow-drive.txt"
first_shows >"$out/shows-slow-drive.txt"
listing_s=$( { TIMEFORMAT=%R; time ls "$mount_point/Music" >/dev/null; } 2>&1 )

row() { printf '  %-46s %20s   %-10s %s\n' "$@"; }
verdict() { awk -v m="$1" -v limit="$2" 'BEGIN {print (m != "" && m < limit) ? "ok" : "MISSED"}'; }
init_ms=$(median "$out/starts.txt" 1)
slow_ms=$(median "$out/starts-slow-drive.txt" 1)
row "wrapper's init returns after" "$init_ms ms" "< 50 ms" "$(verdict "$init_ms" 50)"
row "  median of $((starts - 1)) starts after a first one" ""
row "  loading gen_sonoquill.dll before it" "$(median "$out/starts.txt" 2) ms"
row "  with the simulator's window watch hooked in" "$(median "$out/starts-watched.txt" 1) ms"
row "the same, excluded folder on a drive that" "$slow_ms ms" "< 50 ms" "$(verdict "$slow_ms" 50)"
row "  answers each call after $delay s (N:\\Music)" ""
row "  a listing of N:\\Music (from Linux) takes" "$listing_s s"
show_ms=$(median "$out/shows.txt" 1)
slow_show_ms=$(median "$out/shows-slow-drive.txt" 1)
row "control window's first show (Configure) after" "$show_ms ms"
row "the same, excluded folder on that drive" "$slow_show_ms ms" "< 1500 ms" "$(verdict "$slow_show_ms" 1500)"

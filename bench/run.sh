#!/usr/bin/env bash
# The benchmark of what ships, in one run on this machine, printed as one table, each figure
# against its target:
#   - the reader (clsMP3::ReadMP3) built as the DLL is built (32-bit x86, Pentium Pro, -O3),
#     against TagLib built for the same target, with a plain 0xFF scan and a plain read of the
#     same bytes as floors; the 64-bit build for reference;
#   - the sizes of the two shipped DLLs;
#   - inside the player simulator under Wine: how long the wrapper's init takes, also with the
#     excluded folder stored on a drive that answers late (bench/startup/run.sh, which runs this
#     part alone), what one report costs the player's thread with 20,000 entries marked changed,
#     for the build before the plug-in stopped having the player write its list and for this one
#     (bench/report/run.sh, which runs this part alone), the player's CPU time over ten minutes of
#     ticking on a steady title with and without the plug-in, and the process's private memory
#     after 100 submission runs against after the first, with its heap after 100 runs answered,
#     ended by the watchdog and dropped, each beside bare WinINet requests (bench/submit/memory.sh).
# Installs what it needs first (as root): the test dependencies, Debian's multilib compiler,
# and TagLib's i386 packages, unpacked into build/bench32 (the host's TagLib stays as it is).
# Builds, makes the corpus when it is missing (bench/make_corpus.sh), then measures.
#   bash bench/run.sh                 SQ_BENCH_IDLE_SECONDS (default 600) sets the idle span
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
idle_seconds="${SQ_BENCH_IDLE_SECONDS:-600}"
settle_seconds=90  # the plug-in submits the steady title once, after 51 s; the span starts after
out="$root/build/bench-run"
mkdir -p "$out"
log="$out/build.log"
quiet() { "$@" >>"$log" 2>&1 || { tail -n 40 "$log"; echo "failed: $*" >&2; exit 1; }; }
: >"$log"

# --- What the benchmark needs beyond the tests.
scripts/install-deps.sh
if [[ "$(dpkg-query -W -f='${Status}' g++-multilib 2>/dev/null || true)" != "install ok installed" ]]; then
  echo "Installing g++-multilib"
  DEBIAN_FRONTEND=noninteractive quiet apt-get install -y -q -o DPkg::Lock::Timeout=600 g++-multilib
fi
taglib32="$root/build/bench32/taglib-i386"
if [[ ! -e "$taglib32/usr/lib/i386-linux-gnu/libtag.so" ]]; then
  echo "Unpacking TagLib's i386 packages into $taglib32"
  debs="$root/build/bench32/debs"
  mkdir -p "$debs"
  (cd "$debs" && quiet apt-get download libtag1-dev:i386 libtag1v5:i386 libtag1v5-vanilla:i386)
  for deb in "$debs"/*.deb; do dpkg -x "$deb" "$taglib32"; done
fi

# --- Builds.
echo "Building (log: $log)"
quiet cmake --preset bench
quiet cmake --build --preset bench --target clsmp3_bench
quiet cmake --preset bench32 -DSQ_TAGLIB_ROOT="$taglib32"
quiet cmake --build --preset bench32 --target clsmp3_bench
quiet cmake --preset win32 -B build/bench-win32 -DSQ_BUILD_BENCH=ON -DSQ_BUILD_TESTS=OFF
quiet cmake --build build/bench-win32 -j2 --target Sonoquill_WA gen_sonoquill player_sim stand_in_service \
  submission_memory_bench
bin="$root/build/bench-win32/bin"
corpus="$root/build/bench/corpus"
if [[ ! -s "$corpus/list.txt" ]]; then
  echo "Making the corpus (a few minutes, once)"
  quiet bench/make_corpus.sh "$corpus" 300
fi

row() { printf '  %-46s %20s   %-10s %s\n' "$@"; }
table="$out/table.txt"
: >"$table"
say() { echo "$*" | tee -a "$table"; }

say "Sonoquill benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
  "$(nproc) cores; load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
say ""

# --- The reader, first and alone on the machine.
taglib_version=$(zcat "$taglib32"/usr/share/doc/libtag1v5-vanilla/changelog.Debian.gz | head -n1 | sed 's/.*(\(.*\)).*/\1/')
./build/bench32/bench/clsmp3_bench --title "Reader, 32-bit as the DLL is built (-m32 -march=pentiumpro -O3), TagLib $taglib_version i386" \
  --list "$corpus/list.txt" --nosync "$root/build/bench/nosync.bin" | tee -a "$table"
say ""
./build/bench/bench/clsmp3_bench --title "Reader, 64-bit (reference)" --list "$corpus/list.txt" \
  --nosync "$root/build/bench/nosync.bin" | tee -a "$table"
say ""

# --- Sizes of the shipped DLLs (stripped; the installer packs these files).
size_row() {
  local bytes=$(stat -c %s "$bin/$1")
  local kb=$(((bytes + 1023) / 1024))
  row "$1" "$kb kB" "<= $2 kB" "$( ((kb <= $2)) && echo ok || echo MISSED)" | tee -a "$table"
}
say "Shipped DLLs, stripped (debug information in the .debug files beside them)"
size_row gen_sonoquill.dll 150
size_row Sonoquill_WA.dll 400
say ""

# --- Inside the player, under Wine. Three prefixes on one private display: the first takes the
# start-up measurement, alone on the machine; then the player with the plug-in and the player
# alone tick side by side in the other two for the idle span, while the first takes the memory
# measurement (CPU time, unlike wall time, is not shared out by load).
source scripts/wine-env.sh "$out/main"
prefixes=("$WINEPREFIX")
memory_pid=""
stop_all() {
  if [[ -n "$memory_pid" ]]; then kill "$memory_pid" 2>/dev/null || true; fi
  for prefix in "${prefixes[@]:1}"; do WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
  sq_wine_env_stop
}
trap stop_all EXIT

# A fresh prefix of its own for one idle player, with the network pointed at nothing.
new_prefix() {
  local prefix="$1"
  rm -rf "$prefix"
  prefixes+=("$prefix")
  WINEPREFIX="$prefix" sq_wine_boot
  WINEPREFIX="$prefix" sq_wine_proxy 127.0.0.1:9
}

# The simulated player in C:\Winamp of a prefix, with the plug-in copied into its Plugins folder
# (a complete install) or without it, playing one tagged song from the corpus.
install_player() {
  local prefix="$1" with_plugin="$2"
  local folder="$prefix/drive_c/Winamp"
  mkdir -p "$folder/Plugins"
  cp "$bin/player_sim.exe" "$folder/"
  cp "$corpus/track001.mp3" "$folder/song.mp3"
  if [[ "$with_plugin" == 1 ]]; then cp "$bin/gen_sonoquill.dll" "$bin/Sonoquill_WA.dll" "$folder/Plugins/"; fi
  (cd "$folder" && WINEPREFIX="$prefix" wine player_sim.exe --register-only </dev/null >/dev/null 2>&1)
}

# Linux CPU time (user + system, seconds) of a process, and of the Wine server of a prefix.
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{sub(/^.*\) /, ""); print ($12 + $13) / hz}' "/proc/$1/stat"; }
pid_of() {  # the process whose command line starts with $2, in prefix $1
  local p
  for p in /proc/[0-9]*; do
    if [[ "$( (tr '\0' ' ' <"$p/cmdline") 2>/dev/null)" == "$2"* ]] &&
       (tr '\0' '\n' <"$p/environ") 2>/dev/null | grep -qx "WINEPREFIX=$1"; then
      basename "$p"
      return
    fi
  done
}

# Start-up: the wrapper's init in the simulator, alone on the machine, in a prefix of its own;
# then one report's cost to the player's thread, before and after, alone as well.
startup_rows="$(bench/startup/run.sh)"
report_rows="$(bench/report/run.sh)"

echo "Starting the idle players ($((settle_seconds + idle_seconds)) s in all)"
new_prefix "$out/idle-with"
new_prefix "$out/idle-alone"
install_player "$out/idle-with" 1
install_player "$out/idle-alone" 0
for kind in with alone; do
  prefix="$out/idle-$kind"
  (cd "$prefix/drive_c/Winamp" && WINEPREFIX="$prefix" wine player_sim.exe --no-watch --schedule 100000 --linger 0 \
     --exit-after $((settle_seconds + idle_seconds + 60)) --log 'C:\Winamp\player.log' 'C:\Winamp\song.mp3' \
     </dev/null >/dev/null 2>&1 &)
done
idle_start=$(date +%s)

# Memory, while the idle span runs: 100 submission runs against each stand-in service
# (answering, never answering, dropping), each in a process of its own; about five minutes.
bench/submit/memory.sh "$bin" "$out/memory" >"$out/memory-rows.txt" &
memory_pid=$!

# Idle CPU: the span starts once the plug-in has submitted the steady title.
wait_s=$((idle_start + settle_seconds - $(date +%s)))
if ((wait_s > 0)); then sleep "$wait_s"; fi
declare -A player_pid server_pid cpu_before server_before
for kind in with alone; do
  prefix="$out/idle-$kind"
  player_pid[$kind]=$(pid_of "$prefix" 'player_sim.exe')
  server_pid[$kind]=$(pid_of "$prefix" '/usr/lib/wine/wineserver')
  cpu_before[$kind]=$(cpu_seconds "${player_pid[$kind]}")
  server_before[$kind]=$(cpu_seconds "${server_pid[$kind]}")
done
sleep "$idle_seconds"
declare -A cpu server
for kind in with alone; do
  cpu[$kind]=$(awk -v a="$(cpu_seconds "${player_pid[$kind]}")" -v b="${cpu_before[$kind]}" 'BEGIN {print a - b}')
  server[$kind]=$(awk -v a="$(cpu_seconds "${server_pid[$kind]}")" -v b="${server_before[$kind]}" 'BEGIN {print a - b}')
done
per10=$(awk -v w="${cpu[with]}" -v a="${cpu[alone]}" -v s="$idle_seconds" 'BEGIN {printf "%.2f", (w - a) * 600 / s}')
per10_server=$(awk -v w="${cpu[with]}" -v a="${cpu[alone]}" -v sw="${server[with]}" -v sa="${server[alone]}" \
  -v s="$idle_seconds" 'BEGIN {printf "%.2f", (w + sw - a - sa) * 600 / s}')

wait "$memory_pid" || true
memory_pid=""
memory_rows="$(cat "$out/memory-rows.txt")"

say "Inside the player (player simulator under Wine)"
say "$startup_rows"
say "$report_rows"
row "player's CPU, $((idle_seconds / 60)) min on a steady title:" "" | tee -a "$table"
row "  with the plug-in" "$(printf '%.2f s' "${cpu[with]}")" "" "$(printf '(its Wine server %.2f s)' "${server[with]}")" |
  tee -a "$table"
row "  the player alone" "$(printf '%.2f s' "${cpu[alone]}")" "" "$(printf '(its Wine server %.2f s)' "${server[alone]}")" |
  tee -a "$table"
row "  the plug-in's share, per 10 minutes" "$per10 s" "< 0.2 s" \
  "$(awk -v c="$per10" 'BEGIN {print (c < 0.2) ? "ok" : "MISSED"}')" | tee -a "$table"
row "  the same with the Wine servers' share" "$per10_server s" | tee -a "$table"
say "$memory_rows"
say ""
say "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "(table saved in $table)"

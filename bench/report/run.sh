#!/usr/bin/env bash
# What one report costs the player's thread, before and after the plug-in stopped having the
# player write its playlist to find the playing file. The player simulator behaves as Winamp 5.x
# with a playlist of 20,000 entries that is marked changed before every request, so that each
# request 120 rewrites Winamp.m3u and Winamp.m3u8 in full, as while the user edits the list or
# just after one was loaded. It loads the real wrapper and plug-in and plays one tagged song in
# the middle of the list until the plug-in has reported it to the stand-in service, reached as
# the prefix's proxy, with an account and an excluded folder stored (with a folder stored the
# earlier plug-in looked the file up twice). From the player's log, which gives each request it
# answered with how long the answer took, and the service's, which gives when the report
# arrived (both on the performance counter), it prints per build:
#   - the 120 requests that reached the player during the report;
#   - the time the player's thread spent answering the plug-in's requests during the report:
#     those of the tick that began it, through the last one before the POST;
#   - the time from the report tick's first request (its play state) to the POST's arrival at
#     the service: how long the tick held the player's thread before the run began to wait for
#     the network, with WinINet's connection on its own thread on top (on the loopback that is
#     less than the whole figure of the later build) and the simulator's own log lines in it.
# "before" is the pair of DLLs built from REV (default 59f6199, the last commit before the plug-in
# asked for the playing file itself) in a git worktree of its own under build/bench-run/report;
# "after" the pair of this tree. Prints rows of the benchmark's table; bench/run.sh puts them
# into it. Alone, as root on Debian 12, in about eight minutes with a first build of REV:
#   bash bench/report/run.sh [--before REV] [--bin FOLDER] [--runs N] [--entries N]
# --before REV    the revision whose DLLs are "before" (default 59f6199)
# --bin FOLDER    takes the "after" DLLs from FOLDER (an earlier build, say) instead of building them
# --runs N        reports per build, taken in turn (default 3); the median of each figure is shown
# --entries N     the playlist's length (default 20000)
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$(pwd)"
out="$root/build/bench-run/report"
before_rev=59f6199
bin=""
runs=3
entries=20000
usage() { echo "usage: bench/report/run.sh [--before REV] [--bin FOLDER] [--runs N] [--entries N]" >&2; exit 2; }
while (($#)); do
  case "$1" in
    --before) before_rev="$2"; shift 2 ;;
    --bin) bin="$(cd "$2" && pwd)"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --entries) entries="$2"; shift 2 ;;
    *) usage ;;
  esac
done
if [[ ! $runs =~ ^[1-9][0-9]*$ || ! $entries =~ ^[1-9][0-9]+$ ]]; then usage; fi
mkdir -p "$out"
log="$out/build.log"
: >"$log"
quiet() { "$@" >>"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "failed: $*" >&2; exit 1; }; }

# --- Builds: the simulator and the service of this tree run both pairs of DLLs.
quiet scripts/install-deps.sh
quiet cmake --preset win32 -B build/bench-win32 -DSQ_BUILD_BENCH=ON -DSQ_BUILD_TESTS=OFF
tools=(player_sim stand_in_service)
if [[ -z "$bin" ]]; then tools+=(Sonoquill_WA gen_sonoquill); fi
quiet cmake --build build/bench-win32 -j2 --target "${tools[@]}"
tools_bin="$root/build/bench-win32/bin"
after_bin="${bin:-$tools_bin}"
before_commit="$(git rev-parse --short "$before_rev^{commit}")"
before_tree="$out/source-$before_commit"
if [[ ! -e "$before_tree/.git" ]]; then
  quiet git worktree add --force --detach "$before_tree" "$before_commit"
fi
(cd "$before_tree" && quiet cmake --preset win32 -DSQ_BUILD_TESTS=OFF &&
  quiet cmake --build build/win32 -j2 --target Sonoquill_WA gen_sonoquill)
before_bin="$before_tree/build/win32/bin"
quiet scripts/make-demo-songs.sh "$out/songs"

source scripts/wine-env.sh "$out" >/dev/null
service_pid=""
stop_all() {
  if [[ -n "$service_pid" ]]; then kill "$service_pid" 2>/dev/null || true; fi
  sq_wine_env_stop
}
trap stop_all EXIT

rm -f "$out/service.port"
wine "$tools_bin/stand_in_service.exe" --answer Success --port-file "$(winepath -w "$out/service.port")" \
  --log "$(winepath -w "$out/service.log")" </dev/null >/dev/null 2>&1 &
service_pid=$!
for _ in $(seq 1 100); do [[ -s "$out/service.port" ]] && break; sleep 0.2; done
sq_wine_proxy "127.0.0.1:$(tr -d '\r\n' <"$out/service.port")"
settings='HKCU\Software\VB and VBA Program Settings\Sonoquill\Settings'
wine reg add "$settings" /v Username /d bench /f </dev/null >/dev/null 2>&1
wine reg add "$settings" /v Password /d secret /f </dev/null >/dev/null 2>&1
wine reg add "$settings" /v Exclude /d 'C:\Old' /f </dev/null >/dev/null 2>&1

# A simulated player for each build in C:\Winamp-KIND, the build's pair in its Plugins folder (a
# complete install; the wrapper makes the plug-in from the DLL beside it).
for kind in before after; do
  player="$WINEPREFIX/drive_c/Winamp-$kind"
  rm -rf "$player"
  mkdir -p "$player/Plugins"
  cp "$tools_bin/player_sim.exe" "$out/songs/01-first.mp3" "$player/"
  if [[ $kind == before ]]; then from="$before_bin"; else from="$after_bin"; fi
  cp "$from/gen_sonoquill.dll" "$from/Sonoquill_WA.dll" "$player/Plugins/"
done

# One report: the song in the middle of the list, reported after 51 s of play.
middle=$((entries / 2))
report() {
  local kind="$1" n="$2"
  local player="$WINEPREFIX/drive_c/Winamp-$kind"
  rm -rf "$player/Playlists"
  (cd "$player" && wine player_sim.exe --profile 5 --no-watch --marked-changed --playlist-folder 'Playlists' \
     --generated "$middle" "C:\\Winamp-$kind\\01-first.mp3" --generated $((entries - middle - 1)) \
     --start-at $((middle + 1)) --exit-after 58 --log "C:\\Winamp-$kind\\report-$n.log" </dev/null >/dev/null 2>&1)
  cp "$player/report-$n.log" "$out/$kind-$n.log"
}

# The figures of one report: "120-requests answering-ms held-ms requests", from the player's log
# and the time the service received the report. The report's requests run to the last one of
# another kind than the play state before the POST arrived, and begin at the play-state request of
# their tick, the last one before them (every tick asks it first; a tick on a new title asks more).
figures() {
  local player_log="$1" received="$2"
  tr -d '\r' <"$player_log" | awk -v received="$received" '
    /^player: request [0-9]+.*; answered in / {
      n = $3; sub(/:$/, "", n)
      match($0, /answered in [0-9.]+ ms, at [0-9.]+ ms$/)
      split(substr($0, RSTART, RLENGTH), t, " ")
      took[++count] = t[3]; at[count] = t[6]; number[count] = n
    }
    END {
      last = 0
      for (i = 1; i <= count; i++) if (number[i] != 104 && at[i] < received) last = i
      if (!last) exit 1
      first = last
      while (first > 1 && number[first] != 104) first--
      writes = 0; answering = 0
      for (i = first; i <= last; i++) { answering += took[i]; if (number[i] == 120) writes++ }
      printf "%d %.2f %.1f %d\n", writes, answering, received - at[first], last - first + 1
    }'
}

echo "Reports: $runs per build, in turn, $entries entries, about $((runs * 2)) minutes" >&2
declare -A results=([before]="" [after]="")
expected=0
for n in $(seq 1 "$runs"); do
  for kind in before after; do
    report "$kind" "$n"
    expected=$((expected + 1))
    received=$(tr -d '\r' <"$out/service.log" | awk '/^  received at /{r = $3} END {print r}')
    if (($(grep -c '^submission ' "$out/service.log" || true) != expected)); then
      echo "bench/report: the $kind build's report $n did not reach the service (see $out/$kind-$n.log)" >&2
      exit 1
    fi
    if ! measured=$(figures "$out/$kind-$n.log" "$received"); then
      echo "bench/report: no request of the $kind build's report $n in $out/$kind-$n.log" >&2
      exit 1
    fi
    results[$kind]+="$measured"$'\n'
  done
done

row() { printf '  %-46s %9s %10s   %-10s %s\n' "$@"; }
# The median of column $2 of build $1's reports.
median() { printf '%s' "${results[$1]}" | awk -v c="$2" '{print $c}' | sort -n | sed -n "$(((runs + 1) / 2))p"; }
writes_after=$(median after 1)
row "one report, $entries entries marked changed" "$before_commit" "this tree"
row "  (an excluded folder stored; median of $runs)" ""
row "  120 requests, each writing the whole list" "$(median before 1)" "$writes_after" "= 0" \
  "$( ((writes_after == 0)) && echo ok || echo MISSED)"
row "  requests from its tick's play state on" "$(median before 4)" "$(median after 4)"
row "  player's thread answering them" "$(median before 2) ms" "$(median after 2) ms"
row "  tick's start to the POST at the service" "$(median before 3) ms" "$(median after 3) ms"

#!/usr/bin/env bash
# The main job, as a user sees it: builds everything, installs the plug-in with its installer
# into a simulated Winamp in a private Wine prefix, starts a local stand-in of the Sonoquill
# service, and lets the player simulator start idle, as after an ordinary start with a restored
# playlist, then play two tagged songs, the first with a pause of over a minute in the middle.
# Shows the player's and the control window's progress, what the service received (one report
# per song played), and saves a screenshot of the player with the control window open
# (build/demo/screenshot.png).
#
# Uses the current X display when there is one (SQ_USE_DISPLAY=0 forces a private Xvfb).
# SQ_DEMO_SONG_SECONDS sets how long each song plays (default 56; a song is reported after 51 s
# of play).
# SQ_DEMO_ANSWER sets the service's answer (default "Success"; e.g. "Bad_Login", "Msg Hello", or
# "Old_Client|Success" to answer in turn).
# SQ_DEMO_PROFILE sets the player the simulator behaves as: 5 (default; Winamp 5.9.2, playlist in
# the per-user folder) or 2 (Winamp 2.91).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
demo="$root/build/demo"
song_seconds="${SQ_DEMO_SONG_SECONDS:-56}"
answer="${SQ_DEMO_ANSWER:-Success}"
profile="${SQ_DEMO_PROFILE:-5}"

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
bin="$root/build/win32/bin"
scripts/make-demo-songs.sh "$demo/songs" >/dev/null

export SQ_USE_DISPLAY="${SQ_USE_DISPLAY:-1}"
source scripts/wine-env.sh "$demo"
service_pid=""
stop_all() {
  if [[ -n "$service_pid" ]]; then kill "$service_pid" 2>/dev/null || true; fi
  sq_wine_env_stop
}
trap stop_all EXIT

say() { printf '\n== %s\n' "$*"; }

# A Wine virtual desktop draws window frames and titles even without a window manager.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Sonoquill /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Sonoquill /d 1024x768 /f >/dev/null

say "Installing into a simulated Winamp (C:\\Winamp) with Sonoquill-Setup.exe"
player="$WINEPREFIX/drive_c/Winamp"
mkdir -p "$player"
cp "$bin/player_sim.exe" "$player/"
# The player's own setup registers its file type; the installer finds the player through it.
(cd "$player" && wine player_sim.exe --register-only </dev/null)
wine "$bin/Sonoquill-Setup.exe" /S </dev/null
ls "$player/Plugins"

say "Account and network"
settings='HKCU\Software\VB and VBA Program Settings\Sonoquill\Settings'
wine reg add "$settings" /v Username /d demo /f >/dev/null
wine reg add "$settings" /v Password /d secret /f >/dev/null
echo "account: Username=demo Password=secret"

rm -f "$demo/service.port" "$demo/service.log"
wine "$bin/stand_in_service.exe" --answer "$answer" --port-file "$(winepath -w "$demo/service.port")" \
  --log "$(winepath -w "$demo/service.log")" </dev/null >/dev/null 2>&1 &
service_pid=$!
for _ in $(seq 1 100); do [[ -s "$demo/service.port" ]] && break; sleep 0.2; done
port="$(tr -d '\r\n' <"$demo/service.port")"
sq_wine_proxy "127.0.0.1:$port"
echo "stand-in service on 127.0.0.1:$port, reached as the prefix's proxy; it answers \"$answer\""

# The player starts idle; song 1 plays 20 s, pauses 65 s, then plays to its end; song 2 follows.
idle=8
pause_at=$((idle + 20))
resume_at=$((pause_at + 65))
song2_at=$((resume_at + song_seconds - 20))
config_at=$((song2_at + song_seconds + 2))
say "Winamp $profile.x: idle for $idle s, song 1 paused from $pause_at s to $resume_at s, song 2 from $song2_at s (about $((config_at + 10)) s)"
song1="$(winepath -w "$demo/songs/01-first.mp3")"
song2="$(winepath -w "$demo/songs/02-second.mp3")"
rm -f "$demo/player.log" "$demo/screenshot.png"
(cd "$player" && wine player_sim.exe --profile "$profile" --idle --schedule "$song_seconds,600" \
   --events "$idle=play,$pause_at=pause,$resume_at=play" --report-module Sonoquill_WA.dll \
   --config-after "$config_at" --press-save-after $((config_at + 6)) --exit-after $((config_at + 8)) \
   --log "$(winepath -w "$demo/player.log")" "$song1" "$song2" </dev/null 2>/dev/null) &
player_pid=$!

# The screenshot is taken while the control window is up.
shot_taken=0
while kill -0 "$player_pid" 2>/dev/null; do
  if ((shot_taken == 0)) && grep -q ': config \.\.\.' "$demo/player.log" 2>/dev/null; then
    sleep 3
    import -window root "$demo/screenshot.png" && echo "(screenshot saved: $demo/screenshot.png)"
    shot_taken=1
  fi
  sleep 0.5
done
# A player that fails still gets its summary below; the script then ends with its exit code.
player_rc=0
wait "$player_pid" || player_rc=$?

say "What the stand-in service received"
if [[ -s "$demo/service.log" ]] && grep -q '^submission' "$demo/service.log"; then
  grep -v '^service: listening' "$demo/service.log"
else
  echo "no submission arrived"
fi

say "Control window status texts, in order"
grep -E '^control window ' "$demo/player.log" 2>/dev/null || echo "(none)"

say "Reports per song played (a song is reported once, after 51 s of play; idle, paused and stopped time does not count)"
queries() { tr -d '\r' <"$demo/service.log" 2>/dev/null | grep '^  query: ' || true; }
reports() { queries | grep -c "&trk=$1\$" || true; }
song1_reports=$(reports 'First%20Song')
song2_reports=$(reports 'Second%20Song')
echo "song 1, Demo Artist - First Song (20 s of play, 65 s paused, then played on): reported $song1_reports time(s)"
echo "song 2, The Other Band - Second Song:                                        reported $song2_reports time(s)"
echo "anything else (the idle player's own name, a paused or stopped title):        reported $(($(queries | wc -l) - song1_reports - song2_reports)) time(s)"

count=$(grep -c '^submission' "$demo/service.log" 2>/dev/null || true)
echo
echo "player profile: $(grep -m1 '^player: profile ' "$demo/player.log" 2>/dev/null | cut -d' ' -f3- || echo "Winamp $profile.x")"
shot="$demo/screenshot.png"
if [[ ! -s "$shot" ]]; then shot="none taken"; fi
echo "player exit code $player_rc; ${count:-0} submission(s) received for 2 songs played; screenshot: $shot"
exit "$player_rc"

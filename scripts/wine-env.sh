# Source this file (bash) to get a private X display and a fresh Wine prefix for this shell:
#   source scripts/wine-env.sh [build-folder]      then run Windows programs or ctest
#   sq_wine_env_stop                               stops what it started (run scripts do it on EXIT)
#   sq_wine_proxy HOST:PORT                        sends the current prefix's requests to that proxy
#   sq_wine_boot                                   starts and boots the current prefix (WINEPREFIX)
# The prefix lives under the build folder; SQ_KEEP_PREFIX=1 reuses an existing one.
# SQ_USE_DISPLAY=1 uses the caller's X display when there is one instead of a private Xvfb.
# Wine's settings for every Windows program of the project live here alone: the win32 test
# preset takes them from this shell.
sq_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sq_build="${1:-$sq_root/build}"
mkdir -p "$sq_build"

export WINEPREFIX="$sq_build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

# Starts the Wine server of the current prefix and boots the prefix outside any pipe, or Wine's
# services inherit the pipe and its reader hangs.
sq_wine_boot() {
  mkdir -p "$WINEPREFIX"
  wineserver -p || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Points the current prefix's Internet settings at a proxy (HOST:PORT), which WinINet honours for
# every request: the stand-in service, or an address where nothing listens.
sq_wine_proxy() {
  local inet='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
  wine reg add "$inet" /v ProxyEnable /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1 &&
    wine reg add "$inet" /v ProxyServer /t REG_SZ /d "$1" /f </dev/null >/dev/null 2>&1
}

# A display of our own: Xvfb picks a free number and reports it through a file descriptor.
sq_xvfb_pid=""
if [[ "${SQ_USE_DISPLAY:-0}" != 1 || -z "${DISPLAY:-}" ]]; then
  sq_display_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$sq_display_file" >/dev/null 2>&1 &
  sq_xvfb_pid=$!
  for _ in $(seq 1 100); do
    [[ -s "$sq_display_file" ]] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$sq_display_file")"
  rm -f "$sq_display_file"
fi

if [[ "${SQ_KEEP_PREFIX:-0}" != 1 ]]; then
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
sq_wine_boot
# Wine does not load its own Tahoma unless the font files sit in the prefix.
sq_fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$sq_fonts"
for f in tahoma.ttf tahomabd.ttf marlett.ttf; do
  if [[ -f /usr/share/wine/fonts/$f ]]; then cp -f "/usr/share/wine/fonts/$f" "$sq_fonts/"; fi
done

# Tests talk only to loopback: by default every request goes to a proxy address on 127.0.0.1
# where nothing listens; tests that need the stand-in service point the proxy at it themselves.
sq_wine_proxy 127.0.0.1:9 || true

sq_wine_env_stop() {
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
  if [[ -n "$sq_xvfb_pid" ]]; then
    kill "$sq_xvfb_pid" 2>/dev/null || true
    wait "$sq_xvfb_pid" 2>/dev/null || true
    sq_xvfb_pid=""
  fi
}

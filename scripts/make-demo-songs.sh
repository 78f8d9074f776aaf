#!/usr/bin/env bash
# Writes tagged MP3 files for the player simulator into the given folder (default build/songs):
# two seconds of a quiet tone each, encoded by lame with ID3v1 and ID3v2 tags (ID3v2 text in
# Latin-1, as the players of the plug-in's time wrote it).
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/.." && pwd)/build/songs}"
mkdir -p "$out"

songs=(
  "01-first.mp3|Demo Artist|First Song|Demo Album|2026|Rock"
  "02-second.mp3|The Other Band|Second Song|Demo Album|2026|Pop"
  "03-third.mp3|Demo Artist|Third Song|Demo Album|2026|Jazz"
)
tone="$out/.tone.wav"
if [[ ! -s "$tone" ]]; then
  # 2 s of a quiet 440 Hz square wave, 16-bit mono at 44.1 kHz, made without extra tools.
  python3 - "$tone" <<'PY'
import struct, sys, wave
rate, seconds = 44100, 2
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    w.writeframes(b"".join(struct.pack("<h", 2000 if (i * 880 // rate) % 2 else -2000) for i in range(rate * seconds)))
PY
fi
for entry in "${songs[@]}"; do
  IFS='|' read -r file artist title album year genre <<<"$entry"
  [[ -s "$out/$file" ]] && continue
  lame --quiet -m m -b 128 \
    --add-id3v2 --id3v2-latin1 --tt "$title" --ta "$artist" --tl "$album" --ty "$year" --tg "$genre" \
    "$tone" "$out/$file"
done
ls "$out"/*.mp3

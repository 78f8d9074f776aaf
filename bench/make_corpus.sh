#!/usr/bin/env bash
# Builds a benchmark corpus of real encoder output: 300 MP3 files of 3-8 MB (1.6 GB), constant
# and variable bit rate, ID3v2.3 tags (88 of them with a cover picture of 0.1-1 MB), with and
# without ID3v1, and a few with ID3v1 only.
#   bench/make_corpus.sh [folder=build/bench/corpus] [count=300]
# Writes <folder>/list.txt naming every file, for `clsmp3_bench --list`.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-build/bench/corpus}"
count="${2:-300}"
command -v lame >/dev/null || { echo "lame is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
mkdir -p "$folder/base"

# A few minutes of noisy tone, encoded once per bit-rate kind; every corpus file is cut from one.
python3 - "$folder/base/source.wav" <<'PY'
import math, random, struct, sys
rate, seconds, repeat = 44100, 20, 16
random.seed(7)
noise = bytearray(random.randbytes(rate * seconds * 4))
# Quiet noise: keep the high byte of every 16-bit sample within -8..7.
noise[1::2] = bytes(noise[1::2]).translate(bytes(((b & 0x0F) - 16) & 0xFF if b & 0x08 else b & 0x0F for b in range(256)))
tone = bytearray()
for i in range(0, rate * seconds):
    v = int(6000 * math.sin(2 * math.pi * 330 * i / rate))
    tone += struct.pack('<hh', v, v // 2)
# Interleave: tone on one half-second, noise on the next, so encoders vary their frames.
half = rate // 2 * 4
segment = bytearray()
for k in range(0, len(tone), half):
    segment += (tone if (k // half) % 2 == 0 else noise)[k:k + half]
data = bytes(segment) * repeat
with open(sys.argv[1], 'wb') as f:
    f.write(b'RIFF' + struct.pack('<I', 36 + len(data)) + b'WAVEfmt ' +
            struct.pack('<IHHIIHH', 16, 1, 2, rate, rate * 4, 4, 16) + b'data' + struct.pack('<I', len(data)))
    f.write(data)
PY
encode() {  # name, lame options
  [[ -s "$folder/base/$1.mp3" ]] || lame --quiet $2 "$folder/base/source.wav" "$folder/base/$1.mp3" 2>/dev/null
}
encode cbr128 "-m j -b 128" & encode cbr192 "-m s -b 192" & wait
encode cbr320 "-m j -b 320" & encode vbr0 "-m j -V 0" & wait
encode vbr2 "-m s -V 2" & encode vbr4 "-m j -V 4" & wait

# Cover pictures of 0.1 to 1 MB: JPEG-like bytes (start and end markers, entropy-coded data with
# JPEG's 0xFF stuffing), so that a search for 0xFF pairs meets what it meets in real covers.
python3 - "$folder/base" <<'PY'
import os, random, sys
base = sys.argv[1]
random.seed(11)
for n, size in enumerate((100_000, 250_000, 450_000, 700_000, 1_000_000)):
    out = os.path.join(base, 'cover%d.jpg' % n)
    if os.path.exists(out):
        continue
    body = random.randbytes(size).replace(b'\xff', b'\xff\x00')
    jpg = b'\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00' + body + b'\xff\xd9'
    open(out, 'wb').write(jpg)
PY

python3 - "$folder" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
base = os.path.join(folder, 'base')
streams = [open(os.path.join(base, n + '.mp3'), 'rb').read() for n in ('cbr128', 'cbr192', 'cbr320', 'vbr0', 'vbr2', 'vbr4')]
covers = [open(os.path.join(base, 'cover%d.jpg' % n), 'rb').read() for n in range(5)]

def frame(fid, data):
    return fid.encode() + len(data).to_bytes(4, 'big') + b'\x00\x00' + data

def text(fid, s):
    return frame(fid, b'\x00' + s.encode('latin-1'))

def synchsafe(n):
    return bytes(((n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F))

def id3v2(i, picture):
    body = (text('TIT2', 'Corpus Song %d' % i) + text('TPE1', 'Corpus Artist %d' % (i % 37)) +
            text('TALB', 'Corpus Album %d' % (i % 11)) + text('TYER', str(1980 + i % 40)) +
            text('TCON', '(%d)' % (i % 126)) + text('TRCK', '%d/12' % (i % 12 + 1)) +
            frame('COMM', b'\x00eng\x00Made for the clsMP3 benchmark'))
    if picture is not None:
        body += frame('APIC', b'\x00image/jpeg\x00\x03\x00' + picture)
    body += b'\x00' * 2048  # padding, as taggers leave it
    return b'ID3\x03\x00\x00' + synchsafe(len(body)) + body

def id3v1(i):
    field = lambda s, n: s.encode('latin-1')[:n].ljust(n, b'\x00')
    return (b'TAG' + field('Corpus Song %d' % i, 30) + field('Corpus Artist', 30) + field('Corpus Album', 30) +
            field('2001', 4) + field('v1 comment', 28) + b'\x00' + bytes((i % 12 + 1, i % 126)))

names = []
pictures = 0
for i in range(count):
    size = 3_000_000 + (i * 7_919_993) % 5_000_000
    v1_only = i % 8 == 7
    # 88 covers in 300 files, spread evenly over those with an ID3v2 tag.
    picture = not v1_only and pictures < (i + 1) * 88 // count
    pictures += picture
    head = b'' if v1_only else id3v2(i, covers[i % len(covers)] if picture else None)
    tail = id3v1(i) if i % 2 == 1 else b''
    want = max(0, size - len(head) - len(tail))
    stream = streams[i % len(streams)]
    audio = (stream * (want // len(stream) + 1))[:want]  # frames simply follow on
    name = os.path.join(folder, 'track%03d.mp3' % i)
    with open(name, 'wb') as f:
        f.write(head + audio + tail)
    names.append(os.path.abspath(name))
open(os.path.join(folder, 'list.txt'), 'w').write('\n'.join(names) + '\n')
print('%d files (%d with a cover picture) in %s' % (len(names), pictures, folder))
PY

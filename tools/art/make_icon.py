#!/usr/bin/env python3
"""Writes the Sonoquill window icon: one 32 x 32 image in 16 colours (4 bits per pixel, the
standard VGA palette), a white eighth note on a blue disc with a dark rim. The result is
committed; a build never runs this."""
import struct
import sys
from pathlib import Path

# The 16-colour palette every display adapter shows the same way (B, G, R, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # given as R, G, B
NAVY, BLUE, WHITE, GREY = 4, 12, 15, 8
SIZE = 32


def pixel(x, y):
    """Colour index at (x, y), or None where the icon is transparent."""
    cx, cy = x + 0.5 - 16, y + 0.5 - 16
    r2 = cx * cx + cy * cy
    if r2 > 15.5 ** 2:
        return None
    colour = NAVY if r2 > 13.8 ** 2 else BLUE
    # Note head: a tilted ellipse low on the left.
    hx, hy = x + 0.5 - 12.5, y + 0.5 - 21.5
    if (hx * 0.9 + hy * 0.45) ** 2 / 16 + (-hx * 0.45 + hy * 0.9) ** 2 / 7 <= 1:
        return WHITE
    # Stem, and the flag running down from its top to the right.
    if 15 <= x <= 16 and 7 <= y <= 21:
        return WHITE
    if 17 <= x <= 23 and 7 + (x - 17) * 0.6 <= y <= 10 + (x - 17) * 0.9:
        return WHITE
    return colour


def main(out):
    rows_xor, rows_and = [], []
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        xor_row = bytearray()
        and_bits = 0
        for x in range(0, SIZE, 2):
            pair = []
            for xx in (x, x + 1):
                p = pixel(xx, y)
                if p is None:
                    and_bits |= 1 << (SIZE - 1 - xx)
                    p = 0
                pair.append(p)
            xor_row.append(pair[0] << 4 | pair[1])
        rows_xor.append(bytes(xor_row))
        rows_and.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + b"".join(rows_xor) + b"".join(rows_and)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    Path(out).write_bytes(directory + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "src/ui/art/sonoquill.ico")

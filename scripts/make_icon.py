#!/usr/bin/env python3
"""Writes res/penlet.ico: the window icon, 32 x 32 in 16 colours, from the picture below
(drawn at 16 x 16, each pixel doubled). Run it again after changing the picture."""
import os
import struct

PICTURE = [
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwbbbbbwkwk...",
    "..kwwwwwwwkkkk..",
    "..kwbbbbbbbwk..r",
    "..kwwwwwwwwwk.ry",
    "..kwbbbbbbbwkryk",
    "..kwwwwwwwwwryk.",
    "..kwbbbbbbwryk..",
    "..kwwwwwwwryk...",
    "..kwbbbbbwsk.k..",
    "..kwwwwwwkkwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]

# The standard 16-colour palette; the picture uses some of it.
PALETTE = [
    ("k", 0x000000), ("R", 0x800000), ("G", 0x008000), ("Y", 0x808000),
    ("B", 0x000080), ("m", 0x800080), ("C", 0x008080), ("s", 0xC0C0C0),
    ("g", 0x808080), ("r", 0xFF0000), ("e", 0x00FF00), ("y", 0xFFFF00),
    ("b", 0x0000FF), ("M", 0xFF00FF), ("c", 0x00FFFF), ("w", 0xFFFFFF),
]


def main():
    size = 32
    index = {c: i for i, (c, _) in enumerate(PALETTE)}
    pixels = [[PICTURE[y // 2][x // 2] for x in range(size)] for y in range(size)]
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        row = pixels[y]
        for x in range(0, size, 2):
            hi = index.get(row[x], 0)
            lo = index.get(row[x + 1], 0)
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if row[x] == "." else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", v & 0xFF, (v >> 8) & 0xFF, v >> 16, 0)
                       for _, v in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    out = os.path.join(os.path.dirname(__file__), "..", "res", "penlet.ico")
    with open(out, "wb") as f:
        f.write(icondir + entry + image)


if __name__ == "__main__":
    main()

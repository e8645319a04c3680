#!/usr/bin/env python3
"""Draws the launcher's program icon (a red wheel on a dark tile) and writes it as
an .ico file with seven sizes from 16 to 256 pixels, 32 bits per pixel.

usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
TILE = (0x10, 0x0D, 0x0D)
RED = (0xE2, 0x30, 0x32)
CREAM = (0xE8, 0xE0, 0xD4)


def coverage(x, y):
    """Colour and opacity of one point of the unit square (0..1, y down)."""
    # Rounded tile.
    r = 0.18
    cx, cy = min(max(x, r), 1 - r), min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return None
    dx, dy = x - 0.5, y - 0.47
    d = math.hypot(dx, dy)
    ring_outer, ring_inner = 0.36, 0.30
    if ring_inner <= d <= ring_outer:
        return RED
    if d < 0.075:
        return CREAM
    if d < ring_inner:
        for k in range(8):
            a = k * math.pi / 4
            # distance from the spoke's line through the hub
            if abs(-math.sin(a) * dx + math.cos(a) * dy) < 0.022 and math.cos(a) * dx + math.sin(a) * dy > 0:
                return RED
    # cabins on the rim
    for k in range(8):
        a = k * math.pi / 4 + math.pi / 8
        px, py = 0.5 + 0.33 * math.cos(a), 0.47 + 0.33 * math.sin(a)
        if math.hypot(x - px, y - py) < 0.05:
            return CREAM
    # stand
    if y > 0.47 and y < 0.9 and abs(abs(x - 0.5) - (y - 0.47) * 0.45) < 0.025:
        return RED
    if 0.86 < y < 0.9 and 0.28 < x < 0.72:
        return RED
    return TILE


def render(size):
    """BGRA rows, top to bottom, supersampled 4 x 4 for smooth edges."""
    n = 4
    rows = []
    for j in range(size):
        row = bytearray()
        for i in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sj in range(n):
                for si in range(n):
                    c = coverage((i + (si + 0.5) / n) / size, (j + (sj + 0.5) / n) / size)
                    if c is not None:
                        hits += 1
                        acc = [a + b for a, b in zip(acc, c)]
            if hits:
                r, g, b = (round(v / hits) for v in acc)
                row += bytes((b, g, r, round(255 * hits / (n * n))))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def bmp_entry(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_stride * size)


def png_entry(size, rows):
    raw = b"".join(b"\x00" + bytes(px for i in range(0, len(r), 4) for px in (r[i + 2], r[i + 1], r[i], r[i + 3]))
                   for r in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_entry(size, rows) if size == 256 else bmp_entry(size, rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

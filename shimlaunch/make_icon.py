#!/usr/bin/env python3
"""Writes shimlaunch.ico: a blue disc with a white "K", drawn at 32x32 and
16x16 in the 16 colours of the standard Windows palette.

    python3 make_icon.py shimlaunch.ico
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
DARK_BLUE, BLUE, WHITE = 4, 12, 15


def near_segment(px, py, ax, ay, bx, by, half_width):
    """True when (px, py) lies within half_width of the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return (px - cx) ** 2 + (py - cy) ** 2 <= half_width ** 2


def draw(size):
    """Returns rows top to bottom of (colour index or None for transparent)."""
    centre = size / 2.0
    radius = size / 2.0
    stroke = size * 0.075
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            distance = ((px - centre) ** 2 + (py - centre) ** 2) ** 0.5
            if distance > radius:
                row.append(None)
                continue
            colour = DARK_BLUE if distance > radius - max(1.0, size / 16.0) else BLUE
            s = size
            in_k = (near_segment(px, py, 0.36 * s, 0.24 * s, 0.36 * s, 0.76 * s, stroke)
                    or near_segment(px, py, 0.38 * s, 0.55 * s, 0.68 * s, 0.24 * s, stroke)
                    or near_segment(px, py, 0.48 * s, 0.46 * s, 0.70 * s, 0.76 * s, stroke))
            row.append(WHITE if in_k else colour)
        rows.append(row)
    return rows


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def image(size):
    """One icon image: header, palette, colour bits and mask, bottom row first."""
    rows = draw(size)
    colour_bits = b""
    mask_bits = b""
    for row in reversed(rows):
        nibbles = [0 if c is None else c for c in row]
        colour_bits += padded(bytes((nibbles[i] << 4) | nibbles[i + 1]
                                    for i in range(0, size, 2)))
        mask = 0
        for c in row:
            mask = (mask << 1) | (1 if c is None else 0)
        mask_bits += padded(mask.to_bytes(size // 8, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour_bits) + len(mask_bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + colour_bits + mask_bits


def icon(sizes):
    images = [image(size) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon([32, 16]))

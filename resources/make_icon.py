#!/usr/bin/env python3
"""Draws the Quorvel program icon and writes it as quorvel.ico.

The picture: a blue rounded tile holding a white lottery ball with a green
tick on it. Eight images: 32 and 16 pixels in 16 colours; 48, 32 and 16
pixels in 256 colours and in 32-bit colour. Standard library only.

    python3 resources/make_icon.py [output.ico]
"""

import math
import os
import struct
import sys

BLUE = (0x1F, 0x5C, 0xB8)
WHITE = (0xFF, 0xFF, 0xFF)
GREEN = (0x1E, 0x9A, 0x3C)
SHADE = (0xC8, 0xD4, 0xE8)

SUPERSAMPLING = 8

# (size, bits per pixel), in the order the file holds them.
IMAGES = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8), (48, 32), (32, 32), (16, 32)]

# The 16 colours of the standard Windows palette, and the entry each layer
# takes there: the nearest colour by distance would turn the blue into teal.
VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
VGA_INDEX = {BLUE: 12, WHITE: 15, GREEN: 2, SHADE: 7}


def palette_256():
    """The 16 standard colours, a 6x6x6 colour cube and a grey ramp."""
    levels = [0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF]
    colours = list(VGA_PALETTE)
    colours += [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(v, v, v) for v in range(8, 248, 10)][: 256 - len(colours)]
    return colours + [(0, 0, 0)] * (256 - len(colours))


# --- The picture, in coordinates from 0 to 1 --------------------------------

def in_rounded_tile(x, y):
    margin, radius = 0.04, 0.18
    low, high = margin + radius, 1 - margin - radius
    dx = max(low - x, 0, x - high)
    dy = max(low - y, 0, y - high)
    inside_box = margin <= x <= 1 - margin and margin <= y <= 1 - margin
    return inside_box and dx * dx + dy * dy <= radius * radius


def in_ball(x, y):
    return (x - 0.5) ** 2 + (y - 0.52) ** 2 <= 0.34 ** 2


def in_ball_shade(x, y):
    # A thin crescent at the ball's lower right gives it some depth.
    return in_ball(x, y) and (x - 0.46) ** 2 + (y - 0.48) ** 2 > 0.33 ** 2


def distance_to_segment(x, y, a, b):
    ax, ay = a
    bx, by = b
    vx, vy = bx - ax, by - ay
    t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
    t = min(1.0, max(0.0, t))
    return math.hypot(x - (ax + t * vx), y - (ay + t * vy))


TICK = [(0.31, 0.53), (0.45, 0.67), (0.71, 0.37)]


def in_tick(x, y):
    width = 0.075
    return any(distance_to_segment(x, y, TICK[i], TICK[i + 1]) <= width
               for i in range(len(TICK) - 1))


def colour_at(x, y):
    """The topmost layer at a point: a colour, or None where the icon is clear."""
    if in_tick(x, y) and in_ball(x, y):
        return GREEN
    if in_ball_shade(x, y):
        return SHADE
    if in_ball(x, y):
        return WHITE
    if in_rounded_tile(x, y):
        return BLUE
    return None


# --- Rendering ---------------------------------------------------------------

def samples(size, px, py):
    n = SUPERSAMPLING
    for sy in range(n):
        for sx in range(n):
            yield colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)


def render_smooth(size):
    """Anti-aliased RGBA pixels, top row first."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            covered = [c for c in samples(size, px, py) if c is not None]
            alpha = len(covered) / SUPERSAMPLING ** 2
            if not covered:
                row.append((0, 0, 0, 0))
                continue
            rgb = tuple(round(sum(c[i] for c in covered) / len(covered)) for i in range(3))
            row.append(rgb + (round(alpha * 255),))
        pixels.append(row)
    return pixels


def render_hard(size):
    """Pixels with hard edges: each takes the layer that covers most of it."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            counts = {}
            for c in samples(size, px, py):
                counts[c] = counts.get(c, 0) + 1
            winner = max(counts, key=counts.get)
            row.append(winner)
        pixels.append(row)
    return pixels


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - rgb[k]) ** 2 for k in range(3)))


# --- The ICO file --------------------------------------------------------------

def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def pack_bits(values, bits):
    out = bytearray()
    per_byte = 8 // bits
    for i in range(0, len(values), per_byte):
        byte = 0
        for j, v in enumerate(values[i:i + per_byte]):
            byte |= v << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out)


def and_mask(size, transparent):
    rows = b""
    for y in reversed(range(size)):
        rows += padded(pack_bits([1 if transparent[y][x] else 0 for x in range(size)], 1))
    return rows


def bitmap_header(size, bits, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, image_bytes, 0, 0, 0, 0)


def palette_image(size, bits):
    palette = VGA_PALETTE if bits == 4 else palette_256()
    if bits == 4:
        source = render_hard(size)
        transparent = [[p is None for p in row] for row in source]
        indices = [[0 if p is None else VGA_INDEX[p] for p in row] for row in source]
    else:
        source = render_smooth(size)
        transparent = [[p[3] < 128 for p in row] for row in source]
        indices = [[0 if p[3] < 128 else nearest(palette, p[:3]) for p in row] for row in source]
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    xor = b"".join(padded(pack_bits(indices[y], bits)) for y in reversed(range(size)))
    mask = and_mask(size, transparent)
    return bitmap_header(size, bits, len(xor) + len(mask)) + colours + xor + mask


def true_colour_image(size):
    source = render_smooth(size)
    xor = b"".join(b"".join(struct.pack("<BBBB", p[2], p[1], p[0], p[3]) for p in source[y])
                   for y in reversed(range(size)))
    mask = and_mask(size, [[p[3] == 0 for p in row] for row in source])
    return bitmap_header(size, 32, len(xor) + len(mask)) + xor + mask


def icon_file():
    images = [true_colour_image(s) if b == 32 else palette_image(s, b) for s, b in IMAGES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), data in zip(IMAGES, images):
        colour_count = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "quorvel.ico")
    with open(target, "wb") as f:
        f.write(icon_file())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the payment dialog's icon: a calendar page with a marked processing day.

Writes six images, 32x32 and 16x16 pixels at 24, 8 and 4 bits per pixel, into one .ico file.

    make_icon.py OUTPUT.ico           write the icon
    make_icon.py --check EXISTING.ico exit 1 when the file differs from what would be written
"""
import struct
import sys

# Colours of the drawing (red, green, blue).
OUTLINE = (64, 64, 64)
PAGE = (255, 255, 255)
HEADER_TOP = (40, 90, 170)
HEADER_BOTTOM = (10, 40, 110)
RING = (128, 128, 128)
DAY = (192, 192, 192)
MARKED_DAY = (200, 30, 30)
MARK_EDGE = (120, 10, 10)

# The sixteen colours of the classic palette, for the 4-bit images.
CLASSIC_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Where things go at each size: page box, header height, ring columns, day grid, marked day.
LAYOUTS = {
    32: dict(page=(2, 4, 29, 29), header=6, rings=(8, 22), ring_size=(2, 5), ring_top=2,
             cell=3, columns=(5, 10, 15, 20, 25), rows=(14, 19, 24), marked=(3, 1)),
    16: dict(page=(1, 2, 14, 14), header=3, rings=(4, 11), ring_size=(1, 3), ring_top=1,
             cell=2, columns=(3, 6, 9, 12), rows=(7, 10), marked=(2, 1)),
}


def blend(first, second, share):
    return tuple(round(a + (b - a) * share) for a, b in zip(first, second))


def draw(size):
    """The picture as rows from the top, each pixel a colour or None (transparent)."""
    layout = LAYOUTS[size]
    pixels = [[None] * size for _ in range(size)]

    def fill(left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                pixels[y][x] = colour

    left, top, right, bottom = layout["page"]
    fill(left, top, right, bottom, OUTLINE)
    fill(left + 1, top + 1, right - 1, bottom - 1, PAGE)
    header = layout["header"]
    for row in range(header):
        share = row / max(header - 1, 1)
        fill(left + 1, top + 1 + row, right - 1, top + 1 + row,
             blend(HEADER_TOP, HEADER_BOTTOM, share))

    ring_width, ring_height = layout["ring_size"]
    for ring in layout["rings"]:
        fill(ring, layout["ring_top"], ring + ring_width - 1,
             layout["ring_top"] + ring_height - 1, RING)

    cell = layout["cell"]
    marked_column, marked_row = layout["marked"]
    for row_index, y in enumerate(layout["rows"]):
        for column_index, x in enumerate(layout["columns"]):
            if (column_index, row_index) == (marked_column, marked_row):
                fill(x - 1, y - 1, x + cell, y + cell, MARK_EDGE)
                fill(x, y, x + cell - 1, y + cell - 1, MARKED_DAY)
            else:
                fill(x, y, x + cell - 1, y + cell - 1, DAY)
    return pixels


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def pack_bits(values, bits):
    """Packs small numbers into bytes, most significant bits first."""
    per_byte = 8 // bits
    packed = bytearray()
    for start in range(0, len(values), per_byte):
        byte = 0
        for offset, value in enumerate(values[start:start + per_byte]):
            byte |= value << (8 - bits * (offset + 1))
        packed.append(byte)
    return bytes(packed)


def encode_image(pixels, bits):
    """One icon image: bitmap header, palette, colour rows and mask rows, bottom row first."""
    size = len(pixels)
    if bits == 24:
        palette = []
    elif bits == 8:
        palette = sorted({p for row in pixels for p in row if p is not None})
    else:
        palette = CLASSIC_PALETTE
    colour_rows = []
    mask_rows = []
    for row in reversed(pixels):
        mask_rows.append(padded(pack_bits([1 if p is None else 0 for p in row], 1)))
        if bits == 24:
            data = b"".join(bytes((0, 0, 0) if p is None else (p[2], p[1], p[0])) for p in row)
        else:
            indices = [0 if p is None else nearest(p, palette) for p in row]
            data = bytes(indices) if bits == 8 else pack_bits(indices, 4)
        colour_rows.append(padded(data))
    colour_data = b"".join(colour_rows)
    mask_data = b"".join(mask_rows)
    palette_entries = [] if bits == 24 else palette + [(0, 0, 0)] * ((1 << bits) - len(palette))
    palette_data = b"".join(bytes((b, g, r, 0)) for r, g, b in palette_entries)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(colour_data) + len(mask_data), 0, 0, 0, 0)
    return header + palette_data + colour_data + mask_data


def build_icon():
    images = []
    for size in (32, 16):
        pixels = draw(size)
        for bits in (24, 8, 4):
            images.append((size, bits, encode_image(pixels, bits)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, bits, data in images:
        colour_count = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(data),
                               offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, _, data in images)


def main(arguments):
    if len(arguments) == 2 and arguments[0] == "--check":
        with open(arguments[1], "rb") as existing:
            if existing.read() != build_icon():
                print(f"{arguments[1]} is not what make_icon.py draws: regenerate it")
                return 1
        return 0
    if len(arguments) == 1:
        with open(arguments[0], "wb") as output:
            output.write(build_icon())
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

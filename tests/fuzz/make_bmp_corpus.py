#!/usr/bin/env python3
"""Writes the BMP fuzz target's seed corpus into corpus/bmp/: a few tiny
valid files of odd sizes and layouts, and files the reader must turn away."""
import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "bmp"


def bmp(width, height, offset=54, bit_count=24, gap=b""):
    """A BMP of width x |height| pixels (top row first when height < 0)."""
    rows = abs(height)
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in range(rows):
        line = bytearray()
        for x in range(width):
            line += bytes(((x * 40) & 255, (row * 60) & 255, (x + row) * 30 & 255))
        pixels += line + b"\xee" * (stride - len(line))
    gap = gap or b"\x55" * (offset - 54)
    size = offset + len(pixels)
    header = b"BM" + struct.pack("<IHHI", size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, 0,
                       len(pixels), 2835, 2835, 0, 0)
    return header + info + gap + bytes(pixels)


def seeds():
    yield "valid_1x1", bmp(1, 1)
    yield "valid_3x2_padded", bmp(3, 2)
    yield "valid_4x4_unpadded", bmp(4, 4)
    yield "valid_5x3_offset138", bmp(5, 3, offset=138)
    yield "top_down_2x3", bmp(2, -3)
    yield "no_last_padding_5x2", bmp(5, 2)[:-1]
    yield "zero_width_0x4", bmp(0, 4)
    palette = b"".join(bytes((i * 60, i * 60, i * 60, 0)) for i in range(4))
    eight_bit = bytearray(bmp(2, 2, offset=70, gap=palette))
    eight_bit[28] = 8
    yield "palette_8bit_2x2", bytes(eight_bit)
    yield "truncated_header", bmp(3, 3)[:30]
    yield "truncated_pixels_3x3", bmp(3, 3)[:-5]
    huge = bytearray(bmp(1, 1))
    huge[18:26] = struct.pack("<ii", 16384, -16384)
    yield "huge_16384_header_only", bytes(huge)
    inside = bytearray(bmp(2, 2))
    inside[10:14] = struct.pack("<I", 20)
    yield "offset_inside_header", bytes(inside)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for name, data in seeds():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()

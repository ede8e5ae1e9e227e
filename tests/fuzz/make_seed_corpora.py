#!/usr/bin/env python3
"""Writes the seed corpora of the overworld, text, mapview and camera fuzz
targets into corpus/NAME/: a few small inputs each, laid out as the target
decodes them, that reach the edge cases at once (lengths around one layer,
the ends of the int range, non-finite floats, odd image shapes)."""
import math
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
INT_MIN, INT_MAX = -2**31, 2**31 - 1
LAYER = 65536


def i32(value):
    return struct.pack("<i", value)


def f32(value):
    return struct.pack("<f", value)


def near(value, first):
    """A coordinate the target reads as first + offset (selector 0)."""
    return b"\x00" + struct.pack("<I", value - first)


def raw(value):
    """A coordinate the target reads as the raw int (selector 1)."""
    return b"\x01" + i32(value)


def overworld():
    pattern = bytes((10 + i * 7) % 256 for i in range(LAYER + 1))
    yield "empty", b""
    yield "one_byte", b"\x0a"
    yield "row_and_one_257", pattern[:257]
    yield "layer_and_one_65537", pattern


def text_input(flags, x, y, colour, body):
    return bytes([flags]) + x + y + b"".join(i32(c) for c in colour) + body


def text():
    yellow = (255, 255, 0)
    # flags: 1 map mode, 2 terminated, 4 small font only, 8 large font only
    yield "status_line_320", text_input(2, near(12, -64), near(31, -64), yellow,
                                        b"SX=12,SY=34,SZ=12 mx=0 my=0")
    yield "every_byte_unterminated_640", text_input(1, near(-64, -64), near(100, -64),
                                                    (1, 2, 3), bytes(range(1, 256)))
    yield "high_bytes_terminated", text_input(3, near(300, -64), near(235, -64),
                                              (-1, 256, INT_MIN), bytes(range(128, 256)))
    yield "pen_at_int_max", text_input(2, raw(INT_MAX - 3), near(10, -64), yellow, b"MMMM")
    yield "rows_at_int_min", text_input(2, raw(INT_MIN), raw(INT_MIN), yellow, b"@@")
    yield "crossing_left_and_bottom", text_input(2, near(-3, -64), near(4, -64), yellow,
                                                 b"@Wg$j")
    yield "crossing_right_and_top_640", text_input(3, near(634, -64), near(486, -64), yellow,
                                                   b"MW")
    yield "no_glyph_codes", text_input(2, near(40, -64), near(60, -64), yellow,
                                       bytes(range(1, 32)) + b"`{|}~\x7f")
    yield "rows_at_int_max_unterminated", text_input(0, near(-3, -64), raw(INT_MAX), yellow,
                                                     b"Wy\\_")


# The target's pickable image ids, by index.
IMAGE = {10: 0, 17: 1, 24: 2, 111: 3, 118: 4, 119: 5, 128: 6, 136: 7, 137: 8,
         167: 9, 180: 10, 184: 11, 188: 12, 194: 13, 849: 14, 0: 15, 3099: 16}


def image(image_id, width, height, seed):
    return bytes([IMAGE[image_id]]) + struct.pack("<HH", width, height) + bytes([seed])


def map_input(flags, sx, sy, sz, images, cells):
    return (bytes([flags]) + sx + sy + sz + bytes([len(images)]) + b"".join(images)
            + bytes(cells))


def mapview():
    # flags: 1 map mode (640 x 480), 2 the frame's map step and status lines
    land = [10, 17, 24, 0, 3, 160]
    dungeon = [61, 60, 68, 70, 76, 77, 0, 1]
    yield "land_tiles_640", map_input(1, near(0, -48), near(0, -48), near(0, -8),
                                      [image(10, 16, 16, 4), image(17, 16, 16, 5),
                                       image(24, 1, 1, 7)],
                                      (land * 200)[:1200])
    yield "wide_and_empty_320", map_input(0, near(250, -48), near(-10, -48), near(140, -8),
                                          [image(10, 40, 8, 1), image(17, 0, 0, 0),
                                           image(24, 16, 3, 2), image(111, 4, 300, 3)],
                                          (land * 50)[:300])
    yield "frame_step_dungeon", map_input(3, near(20, -48), near(20, -48), near(143, -8),
                                          [image(111, 16, 16, 9), image(119, 24, 24, 11),
                                           image(849, 20, 20, 1)],
                                          (dungeon * 150)[:1200])
    yield "large_image", map_input(1, near(100, -48), near(100, -48), near(0, -8),
                                   [image(10, 1024, 4, 6)], [10] * 40)
    yield "frame_step_int_limits", map_input(3, raw(INT_MIN), raw(INT_MAX), near(0, -8),
                                             [image(849, 16, 16, 1)], [10, 17])
    yield "origin_near_int_max", map_input(1, raw(INT_MAX - 5), raw(INT_MIN + 3),
                                           near(0, -8), [image(10, 16, 16, 2)], [10] * 8)


def camera_input(offsets, step_count, yaw, pitch, cell, neighbours, probe, frames):
    data = b"".join(f32(v) for v in offsets) + i32(step_count) + f32(yaw) + f32(pitch)
    data += b"".join(cell) + neighbours + b"".join(f32(v) for v in probe)
    for keys, mouse in frames:
        data += bytes([keys]) + b"".join(i32(v) for v in mouse)
    return data


def camera():
    # keys: 1 left button, 2 Z, 4 middle button, 8 right button
    centre = (160, 320, 120, 240)
    open_space = bytes(16)
    walled = bytearray(b"\xff" * 16)
    walled[62 // 8] &= ~(1 << (62 % 8))  # the camera's own cell stays empty
    cell = lambda x, y, z: (near(x, -4), near(y, -4), near(z, -4))
    limits_min = (raw(INT_MIN),) * 3
    limits_max = (raw(INT_MAX),) * 3
    yield "fly_forward_open", camera_input(
        (0.5, 0.5, 0.5), 0, 0, -90, cell(100, 100, 100), open_space, (0, 0, 0),
        [(1, centre)] * 8)
    yield "bob_layer_walled", camera_input(
        (0.5, 0.5, 0.5), 7, 30, -45, cell(17, 49, 12), bytes(walled), (-0.3, 0.2, 1.5),
        [(2, centre), (3, centre), (8, (0, 1, 0, 1)), (4, (INT_MAX, 1, INT_MIN, 1))])
    yield "non_finite", camera_input(
        (math.nan, math.inf, -math.inf), 0, math.nan, math.inf,
        (raw(INT_MIN), raw(INT_MAX), raw(INT_MIN)), open_space, (math.nan, math.inf, 1e30),
        [(1, centre), (2, centre)])
    yield "carry_down_at_int_min", camera_input(
        (1.5, -0.5, 1.5), 0, 0, -90, limits_min, open_space, (-1, -1, -1), [(0, centre)])
    yield "carry_up_at_int_max", camera_input(
        (-0.5, 1.5, -0.5), 0, 0, -90, limits_max, open_space, (1, 1, 1), [(0, centre)])
    yield "step_count_limits", camera_input(
        (0.5, 0.5, 0.5), INT_MAX, 0, -90, cell(10, 10, 12), open_space, (0, 0, 0),
        [(1, centre), (2, centre), (2, centre)])
    yield "huge_and_grid_edge", camera_input(
        (3e38, -3e38, 1e20), INT_MIN, 1e38, -1e38, cell(-1, 255, 179), bytes(walled),
        (-3e38, 0.999, -0.001), [(1, centre), (9, (-5, 7, 5, -7))])


def main():
    for name, seeds in (("overworld", overworld), ("text", text), ("mapview", mapview),
                        ("camera", camera)):
        folder = HERE / "corpus" / name
        folder.mkdir(parents=True, exist_ok=True)
        for seed, data in seeds():
            (folder / seed).write_bytes(data)


if __name__ == "__main__":
    main()

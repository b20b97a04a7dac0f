#!/usr/bin/env python3
"""Draws the twelve frame pictures and the program icon into resources/.

Plain Python draws every pixel; cjpeg (libjpeg-turbo-progs) writes the JPEGs
as baseline JFIF with no chroma subsampling; the bitmaps are written here as
uncompressed 24-bit BMP. Usage: tools/make_artwork.py [output-dir]
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

FRAME_GREY = (207, 207, 207)
LIGHT_GREY = (226, 228, 232)
DEEP_BLUE = (14, 34, 92)
WHITE = (255, 255, 255)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def band_row(y):
    """The title band's colour in row y (49 rows)."""
    if y <= 6:
        return mix((240, 241, 244), LIGHT_GREY, y / 6)
    if y <= 23:
        # dark blue with fine horizontal stripes behind the caption text
        base = mix((22, 52, 124), (30, 66, 146), (y - 7) / 16)
        return mix(base, (255, 255, 255), 0.08) if y % 2 else base
    if y <= 43:
        return mix((74, 124, 200), (122, 164, 224), (y - 24) / 19)
    return mix((196, 198, 204), FRAME_GREY, (y - 44) / 4)


def bottom_row(y):
    """The bottom band, grey at the top darkening to deep blue (12 rows)."""
    return FRAME_GREY if y < 2 else mix(FRAME_GREY, DEEP_BLUE, (y - 1) / 10)


class Picture:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]


def band(w, h=49, row=band_row):
    p = Picture(w, h)
    for y in range(h):
        c = row(y)
        for x in range(w):
            p.set(x, y, c)
    return p


def round_corner(p, cx, cy, r, outside):
    """Paints `outside` where a pixel lies outside the quarter circle."""
    for y in range(p.h):
        for x in range(p.w):
            inside_box = (x < cx if cx <= r else x > cx) and (y < cy if cy <= r else y > cy)
            if inside_box and math.hypot(x + 0.5 - cx, y + 0.5 - cy) > r:
                p.set(x, y, outside)


def left_cap():
    p = band(81)
    round_corner(p, 8, 8, 8, FRAME_GREY)
    # emblem under the control box (4, 5, 37 x 21): a small clock face
    cx, cy, r = 22.5, 15.5, 8.5
    for y in range(5, 26):
        for x in range(4, 41):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                p.set(x, y, (250, 214, 90) if d > r - 1.6 else (246, 248, 252))
    for t in range(0, 6):   # minute hand, up
        p.set(22, 15 - t, DEEP_BLUE)
    for t in range(0, 5):   # hour hand, right
        p.set(22 + t, 15, DEEP_BLUE)
    return p


def right_cap():
    p = band(94)
    round_corner(p, 94 - 8, 8, 8, FRAME_GREY)
    return p


def button(colour, mark):
    p = Picture(17, 19, FRAME_GREY)
    dark = mix(colour, (0, 0, 0), 0.35)
    for y in range(1, 18):
        for x in range(0, 17):
            edge = x in (0, 16) or y in (1, 17)
            corner = (x in (0, 16)) and (y in (1, 17))
            if not corner:
                p.set(x, y, dark if edge else mix(mix(colour, WHITE, 0.25), colour, (y - 1) / 16))
    mark(p)
    return p


def minimise_mark(p):
    for x in range(4, 13):
        for y in (12, 13):
            p.set(x, y, WHITE)


def outline(p, x0, y0, x1, y1):
    for x in range(x0, x1 + 1):
        p.set(x, y0, WHITE)
        p.set(x, y0 + 1, WHITE)  # the window's own title bar
        p.set(x, y1, WHITE)
    for y in range(y0, y1 + 1):
        p.set(x0, y, WHITE)
        p.set(x1, y, WHITE)


def maximise_mark(p):
    outline(p, 4, 5, 12, 13)


def restore_mark(p):
    outline(p, 6, 4, 12, 10)
    for y in range(7, 15):
        for x in range(4, 11):
            p.set(x, y, p.get(x, y) if y not in range(8, 14) or x not in range(5, 10) else (230, 160, 40))
    outline(p, 4, 7, 10, 13)


def close_mark(p):
    for i in range(9):
        for d in (0, 1):
            p.set(4 + i + d, 5 + i, WHITE)
            p.set(12 - i + d, 5 + i, WHITE)


def edge(w, h, outer_left):
    p = Picture(w, h)
    for x in range(w):
        t = x / (w - 1) if outer_left else (w - 1 - x) / (w - 1)
        c = mix(DEEP_BLUE, (150, 176, 218), t)
        if t > 0.85:
            c = mix(c, FRAME_GREY, 0.6)
        for y in range(h):
            p.set(x, y, c)
    return p


def bottom_cap(w, left):
    p = band(w, 12, bottom_row)
    round_corner(p, 6 if left else w - 6, 12 - 6, 6, FRAME_GREY)
    return p


def icon():
    p = Picture(32, 32, (0, 0, 0))
    for y in range(32):
        for x in range(32):
            d = math.hypot(x + 0.5 - 16, y + 0.5 - 16)
            if d <= 15:
                p.set(x, y, mix((30, 66, 146), (74, 124, 200), y / 31) if d > 12.5 else (246, 248, 252))
    for t in range(10):
        p.set(16, 16 - t, DEEP_BLUE)
        p.set(15, 16 - t, DEEP_BLUE)
    for t in range(7):
        p.set(16 + t, 16, (210, 50, 40))
        p.set(16 + t, 17, (210, 50, 40))
    return p


def ppm(p):
    data = bytearray(b"P6\n%d %d\n255\n" % (p.w, p.h))
    for row in p.px:
        for c in row:
            data += bytes(c)
    return bytes(data)


def write_jpeg(p, path, work):
    src = os.path.join(work, "in.ppm")
    with open(src, "wb") as f:
        f.write(ppm(p))
    subprocess.run(["cjpeg", "-quality", "95", "-sample", "1x1", "-baseline", "-optimize",
                    "-outfile", path, src], check=True)


def write_bmp(p, path):
    stride = (p.w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(p.px):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, p.w, p.h, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_png(p, path):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in p.px)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", p.w, p.h, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def write_ico(p, path):
    """One 32 x 32 image at 24 bits per pixel, the Windows main icon."""
    xor = bytearray()
    for row in reversed(p.px):
        for r, g, b in row:
            xor += bytes((b, g, r))
    mask = bytes(((p.w + 31) // 32) * 4 * p.h)
    info = struct.pack("<IiiHHIIiiII", 40, p.w, p.h * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + bytes(xor) + mask
    header = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", p.w, p.h, 0, 0, 1, 24, len(image), 22)
    with open(path, "wb") as f:
        f.write(header + image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    frame = os.path.join(out, "frame")
    os.makedirs(frame, exist_ok=True)
    jpegs = {
        "TopLeft.jpg": left_cap(),
        "TopRight.jpg": right_cap(),
        "Left.jpg": edge(10, 800, True),
        "Right.jpg": edge(13, 800, False),
        "Minimize.jpg": button((64, 172, 74), minimise_mark),
        "Maximize.jpg": button((230, 160, 40), maximise_mark),
        "Restore.jpg": button((230, 160, 40), restore_mark),
        "Close.jpg": button((212, 52, 42), close_mark),
        "BottomLeft.jpg": bottom_cap(10, True),
        "BottomRight.jpg": bottom_cap(13, False),
    }
    with tempfile.TemporaryDirectory() as work:
        for name, picture in jpegs.items():
            write_jpeg(picture, os.path.join(frame, name), work)
    write_bmp(band(1280), os.path.join(frame, "TopCenter.bmp"))
    write_bmp(band(1280, 12, bottom_row), os.path.join(frame, "BottomCenter.bmp"))
    write_bmp(icon(), os.path.join(out, "icon.bmp"))
    write_png(icon(), os.path.join(out, "vantoli-timer.png"))  # for the desktop entry
    write_ico(icon(), os.path.join(out, "icon.ico"))  # for Windows builds
    print("wrote", len(jpegs) + 2, "frame pictures and the icon to", out)


if __name__ == "__main__":
    main()

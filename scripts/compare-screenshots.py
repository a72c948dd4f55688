#!/usr/bin/env python3
"""compare-screenshots.py LINUX.png WINDOWS.png [SHARE]: the two renderings of one window must
have the same size and differ only where text is drawn (the fonts differ, the geometry must not).
Prints the share of equal pixels; fails below SHARE (default 0.90; 1 asks for every pixel, and
then the first differing one is named)."""
import struct
import sys
import zlib

DEFAULT_SHARE = 0.90


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG"
    pos, idat, width, height, kind = 8, b"", 0, 0, 0
    while pos < len(data):
        n, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if tag == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and kind in (2, 6), path + ": only 8-bit RGB(A) is read"
        elif tag == b"IDAT":
            idat += body
        pos += 12 + n
    bpp = 4 if kind == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(bytes(line[j:j + 3]) for j in range(0, stride, bpp))
        rows[-1] = list(rows[-1])
        prev = line
    return width, height, rows


def main():
    lw, lh, linux = read_png(sys.argv[1])
    ww, wh, windows = read_png(sys.argv[2])
    if (lw, lh) != (ww, wh):
        sys.exit(f"sizes differ: Linux {lw}x{lh}, Windows {ww}x{wh}")
    wanted = float(sys.argv[3]) if len(sys.argv) > 3 else DEFAULT_SHARE
    equal = sum(a == b for la, wa in zip(linux, windows) for a, b in zip(la, wa))
    share = equal / (lw * lh)
    print(f"{sys.argv[2]}: {lw}x{lh}, {share:.1%} of pixels equal to {sys.argv[1]}")
    if share < wanted < 1:
        sys.exit(f"only {share:.1%} of pixels equal (at least {wanted:.0%} expected)")
    if wanted >= 1 and equal < lw * lh:
        y, x = next((y, x) for y, (la, wa) in enumerate(zip(linux, windows))
                    for x, (a, b) in enumerate(zip(la, wa)) if a != b)
        sys.exit(f"pixel ({x}, {y}) differs: {linux[y][x].hex()} against {windows[y][x].hex()}")


main()

#!/usr/bin/env python3
"""Writes the largest pictures the loaders accept (16M pixels, 4096 x 4096),
one file per form the loaders read, for timing the fuzz targets on them:

    fuzz/largest_pictures.py <folder> [side]

    build-fuzz/fuzz/fuzz_picture <folder>/bmp24.bmp

BMP: 1, 4 and 8 bits with a palette, run-length coded 8 and 4 bits, 16 bits
(5-5-5 and 5-6-5 bit fields), 24 bits (bottom-up, top-down and with the old
12-byte header) and 32 bits (plain and bit fields). PSD: 0, 1, 3 and 4
channels, raw and PackBits. The files are large (up to 64 MB each) and are
not kept in the tree. The pixels are a pattern with black runs, so that
keyed copies have both key and shown pixels; the run-length coded files use
runs of every length, literal and repeated.
"""
import os
import struct
import sys


_base = {}


def pattern_row(y, side):
    """One row of 8-bit values: a stripe pattern with black runs of several
    lengths, shifted along from row to row."""
    if side not in _base:
        _base[side] = bytes(0 if (x // 7) % 3 == 0 or x % 97 < 5 else (x * 5) % 255 + 1 for x in range(side))
    base = _base[side]
    k = (y * 3) % side
    return base[k:] + base[:k]


def table(fn):
    return bytes(fn(i) & 0xFF for i in range(256))


def interleave(planes):
    out = bytearray(len(planes[0]) * len(planes))
    for i, p in enumerate(planes):
        out[i::len(planes)] = p
    return bytes(out)


def orbits(parts):
    """The bytewise OR of equally long byte strings."""
    n = len(parts[0])
    v = 0
    for p in parts:
        v |= int.from_bytes(p, "big")
    return v.to_bytes(n, "big")


def bmp(path, side, bits, compression=0, top_down=False, core=False, masks=None):
    rows = []
    green, red, bit1, hi4, lo4 = (table(lambda c: c ^ 0x55 if c else 0), table(lambda c: c * 3),
                                  table(lambda c: 1 if c & 0x10 else 0), table(lambda c: c & 0xF0),
                                  table(lambda c: c >> 4))
    for y in range(side):
        v = pattern_row(y, side)
        if bits == 1:
            w = v + bytes((-side) % 8)
            rows.append(orbits([bytes(b << (7 - i) for b in w[i::8].translate(bit1)) for i in range(8)]))
        elif bits == 4:
            w = v + bytes(side % 2)
            rows.append(orbits([w[0::2].translate(hi4), w[1::2].translate(lo4)]))
        elif bits == 8:
            rows.append(v)
        elif bits == 16:
            rows.append(interleave([v, v]))
        elif bits == 24:
            rows.append(interleave([v, v.translate(green), v.translate(red)]))
        elif bits == 32:
            rows.append(interleave([v, v.translate(green), v.translate(red), bytes([0x80]) * side]))
    stored = rows if top_down else rows[::-1]
    if compression == 1:  # RLE8: repeats and literals, an end of line per row
        data = bytearray()
        for r in stored:
            x = 0
            n = 1
            while x < side:
                n = n % 255 + 1
                k = min(n, side - x)
                if k >= 3 and n % 2:
                    data += bytes((0, k)) + r[x:x + k] + (b"\0" if k % 2 else b"")
                else:
                    data += bytes((k, r[x]))
                x += k
            data += b"\0\0"
        data += b"\0\1"
        pixels = bytes(data)
    elif compression == 2:  # RLE4
        data = bytearray()
        for y, r in enumerate(stored):
            x = 0
            n = 1
            while x < side:
                n = n % 255 + 1
                k = min(n, side - x)
                nib = lambda i: (r[i >> 1] >> (0 if i & 1 else 4)) & 15
                if k >= 3 and n % 2:
                    lit = bytearray((k + 1) // 2)
                    for i in range(k):
                        lit[i >> 1] |= nib(x + i) << (0 if i & 1 else 4)
                    if len(lit) % 2:
                        lit += b"\0"
                    data += bytes((0, k)) + lit
                else:
                    data += bytes((k, nib(x) << 4 | nib(min(x + 1, side - 1))))
                x += k
            data += b"\0\0"
        data += b"\0\1"
        pixels = bytes(data)
    else:
        pad = (-len(stored[0])) % 4
        pixels = b"".join(r + b"\0" * pad for r in stored)
    palette = b""
    if bits <= 8:
        n = 1 << bits
        palette = b"".join(bytes(((i * 37) & 0xFF, (i * 91) & 0xFF, (i * 13) & 0xFF, 0)) for i in range(n))
        palette = bytes(4) + palette[4:]  # entry 0 black
    if core:
        info = struct.pack("<IHHHH", 12, side, side, 1, bits)
        palette = b"".join(palette[i:i + 3] for i in range(0, len(palette), 4))
    else:
        height = -side if top_down else side
        info = struct.pack("<IiiHHIIiiII", 40, side, height, 1, bits, compression, len(pixels), 2835, 2835, 0, 0)
        if masks:
            info = struct.pack("<IiiHHIIiiII", 40, side, height, 1, bits, 3, len(pixels), 2835, 2835, 0, 0)
            palette = struct.pack("<III", *masks)
    offset = 14 + len(info) + len(palette)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        f.write(info + palette + pixels)


def packbits(plane_row):
    out = bytearray()
    x = 0
    n = 0
    while x < len(plane_row):
        n = n % 128 + 1
        k = min(n, len(plane_row) - x)
        if n % 2:
            out += bytes((k - 1,)) + plane_row[x:x + k]
        else:
            out += bytes((257 - k if k > 1 else 0,)) + plane_row[x:x + 1]
        x += k
    return bytes(out)


def psd(path, side, channels, compression):
    header = b"8BPS" + struct.pack(">H6xHIIHH", 1, channels, side, side, 8, 3)
    header += struct.pack(">I", 0) + struct.pack(">I", 0) + struct.pack(">I", 0) + struct.pack(">H", compression)
    with open(path, "wb") as f:
        f.write(header)
        if compression == 1:
            f.write(bytes(2 * side * channels))
        for c in range(channels):
            scale = table(lambda v: v * (c + 1) if v else 0)
            for y in range(side):
                r = pattern_row(y, side).translate(scale)
                f.write(packbits(r) if compression == 1 else r)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    side = int(sys.argv[2]) if len(sys.argv) > 2 else 4096
    os.makedirs(folder, exist_ok=True)
    at = lambda name: os.path.join(folder, name)
    bmp(at("bmp1.bmp"), side, 1)
    bmp(at("bmp4.bmp"), side, 4)
    bmp(at("bmp8.bmp"), side, 8)
    bmp(at("bmp8_rle.bmp"), side, 8, compression=1)
    bmp(at("bmp4_rle.bmp"), side, 4, compression=2)
    bmp(at("bmp16_555.bmp"), side, 16)
    bmp(at("bmp16_565.bmp"), side, 16, masks=(0xF800, 0x07E0, 0x001F))
    bmp(at("bmp24.bmp"), side, 24)
    bmp(at("bmp24_top_down.bmp"), side, 24, top_down=True)
    bmp(at("bmp24_core_header.bmp"), side, 24, core=True)
    bmp(at("bmp32.bmp"), side, 32)
    bmp(at("bmp32_fields.bmp"), side, 32, masks=(0x00FF0000, 0x0000FF00, 0x000000FF))
    for channels in (0, 1, 3, 4):
        for compression, name in ((0, "raw"), (1, "packbits")):
            psd(at(f"psd{channels}_{name}.psd"), side, channels, compression)


if __name__ == "__main__":
    main()

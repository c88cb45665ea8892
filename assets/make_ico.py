#!/usr/bin/env python3
"""Packs RGBA PAM images into a 16-colour (4 bpp) Windows .ico.

Usage: make_ico.py out.ico image.pam [image.pam ...]
Each image becomes one icon entry: a 4 bpp XOR bitmap in the standard
Windows 16-colour palette plus a 1 bpp AND (transparency) mask, the form
windres, rc.exe and LoadImage all accept. Standard library only.
"""
import struct
import sys

# The standard Windows 16-colour palette, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def read_pam(path):
    """Returns (width, height, rows of (r, g, b, a)) from an RGB_ALPHA PAM."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"P7\n"):
        raise SystemExit(f"{path}: not a PAM file")
    end = data.index(b"ENDHDR\n") + len(b"ENDHDR\n")
    head = {}
    for line in data[3:end].decode("ascii").splitlines():
        parts = line.split()
        if len(parts) == 2:
            head[parts[0]] = parts[1]
    w, h = int(head["WIDTH"]), int(head["HEIGHT"])
    depth, maxval = int(head["DEPTH"]), int(head["MAXVAL"])
    if maxval != 255 or depth not in (3, 4):
        raise SystemExit(f"{path}: need 8-bit RGB or RGBA")
    px = data[end:end + w * h * depth]
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            i = (y * w + x) * depth
            a = px[i + 3] if depth == 4 else 255
            row.append((px[i], px[i + 1], px[i + 2], a))
        rows.append(row)
    return w, h, rows


def nearest(rgb):
    return min(range(16), key=lambda k: sum((c - p) ** 2 for c, p in zip(rgb, PALETTE[k])))


def icon_image(w, h, rows):
    """One icon entry: BITMAPINFOHEADER, palette, XOR and AND bitmaps."""
    xor_stride = ((w * 4 + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        nib = []
        bits = []
        for r, g, b, a in row:
            clear = a < 128
            nib.append(0 if clear else nearest((r, g, b)))
            bits.append(1 if clear else 0)
        line = bytearray()
        for i in range(0, w, 2):
            hi = nib[i]
            lo = nib[i + 1] if i + 1 < w else 0
            line.append((hi << 4) | lo)
        xor += line.ljust(xor_stride, b"\0")
        mline = bytearray()
        for i in range(0, w, 8):
            v = 0
            for j in range(8):
                v = (v << 1) | (bits[i + j] if i + j < w else 1)
            mline.append(v)
        andm += mline.ljust(and_stride, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0,
                         len(xor) + len(andm), 0, 0, 16, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + pal + bytes(xor) + bytes(andm)


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    images = []
    for path in argv[2:]:
        w, h, rows = read_pam(path)
        if w > 256 or h > 256:
            raise SystemExit(f"{path}: too large for an icon")
        images.append((w, h, icon_image(w, h, rows)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, blob in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    for _, _, blob in images:
        out += blob
    with open(argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv)

#!/usr/bin/env python3
"""Contact sheet of the pictogram glyphs, for drawing and checking them.

usage: scripts/glyph_sheet.py OUT.png [FIRST [LAST]] [--zoom N] [--cols N]

Each glyph is drawn in its row colour at N-fold size (default 4) with its row
number and name underneath; a glyph that is missing or malformed shows as a
red square. Needs ImageMagick's montage and the IPA Gothic font.
"""
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
COLORS = {
    "赤": (255, 0, 0), "青": (0, 0, 255), "オレンジ": (255, 128, 0), "緑": (0, 255, 0),
    "紫": (255, 0, 255), "黒": (0, 0, 0), "紺": (0, 0, 128), "茶色": (128, 0, 0),
    "深紫": (128, 0, 128),
}


def read_rows():
    with open(os.path.join(ROOT, "data", "pictograms.embed.tsv"), encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]


def read_glyphs():
    """Returns {index: [12 strings]} keyed by the '; N' header before each glyph."""
    glyphs, current, lines = {}, None, []
    with open(os.path.join(ROOT, "data", "pictogram_glyphs.embed.txt"), encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith(";"):
                if current is not None:
                    glyphs[current] = lines
                parts = line[1:].split()
                current, lines = (int(parts[0]) if parts else None), []
            elif line.strip():
                lines.append(line)
    if current is not None:
        glyphs[current] = lines
    return glyphs


def tile(path, glyph, color, zoom):
    size = 12 * zoom + 2
    ok = glyph is not None and len(glyph) == 12 and all(
        len(r) == 12 and set(r) <= {".", "#"} for r in glyph)
    px = []
    for y in range(size):
        for x in range(size):
            if x in (0, size - 1) or y in (0, size - 1):
                px.append((200, 200, 200))
                continue
            gx, gy = (x - 1) // zoom, (y - 1) // zoom
            if not ok:
                px.append((255, 160, 160))
            elif glyph[gy][gx] == "#":
                px.append(color)
            else:
                px.append((255, 255, 255))
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (size, size))
        f.write(bytes(c for p in px for c in p))


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    opts = dict(a[2:].split("=", 1) for a in argv[1:] if a.startswith("--") and "=" in a)
    zoom = int(opts.get("zoom", 4))
    cols = int(opts.get("cols", 12))
    out = args[0]
    rows = read_rows()
    first = int(args[1]) if len(args) > 1 else 0
    last = int(args[2]) if len(args) > 2 else len(rows) - 1
    glyphs = read_glyphs()
    with tempfile.TemporaryDirectory() as tmp:
        cmd = ["montage"]
        for i in range(first, last + 1):
            p = os.path.join(tmp, "g%03d.ppm" % i)
            tile(p, glyphs.get(i), COLORS.get(rows[i][4], (0, 0, 0)), zoom)
            cmd += ["-label", "%d %s" % (i, rows[i][3][:9]), p]
        cmd += ["-font", "IPAGothic", "-pointsize", "11", "-tile", "%dx" % cols,
                "-geometry", "+4+4", out]
        subprocess.run(cmd, check=True)


if __name__ == "__main__":
    main(sys.argv)

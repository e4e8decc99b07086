#!/usr/bin/env python3
"""Builds the fuzz targets' seed corpora under tests/fuzz/corpus/ from the game's own files.

Run from the repository root after scenes, prefabs or art change; the output is committed.
Only the standard library is used. Seeds are small: the fuzzer grows them itself.
"""
import glob
import hashlib
import json
import os
import re
import shutil
import struct

OUT = "tests/fuzz/corpus"
SCENES = sorted(glob.glob("Assets/Scenes/*.scene") + glob.glob("tests/*/scenes/*.scene"))
PREFABS = sorted(glob.glob("Assets/Prefabs/*.prefab"))
TEMPLATES = sorted(glob.glob("docs/animation-templates/*.json"))
# The factory's table, whose order the component target's first byte indexes.
CLASS_TABLE = "Code/app/ComponentClasses.cpp"


def write(target, data):
    if isinstance(data, str):
        data = data.encode()
    folder = os.path.join(OUT, target)
    os.makedirs(folder, exist_ok=True)
    name = hashlib.sha1(data).hexdigest()[:16]
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def compact(value):
    return json.dumps(value, separators=(",", ":"))


def components(documents):
    for document in documents:
        for component in document.get("Components", []):
            if isinstance(component, dict) and isinstance(component.get("class"), str):
                yield component


def main():
    shutil.rmtree(OUT, ignore_errors=True)
    scenes = [load(p) for p in SCENES]
    prefabs = [load(p) for p in PREFABS]
    classes = re.findall(r'^\s*\{"([^"]+)",', open(CLASS_TABLE, encoding="utf-8").read(), re.M)

    for document in scenes:
        write("scene", compact(document))
        if document.get("Dialogue"):
            write("dialogue", compact(document["Dialogue"]))
    for document in prefabs + scenes[:3]:
        write("prefab", compact(document))
    per_class = {}
    for component in components(scenes + prefabs):
        name = component["class"]
        per_class[name] = per_class.get(name, 0) + 1
        if per_class[name] > 6:
            continue
        body = compact({k: v for k, v in component.items() if k not in ("class", "gameObjectID")})
        if name in classes:
            write("component", bytes([classes.index(name)]) + body.encode())
        if name == "Animator":
            write("animator", body)
        if name == "CombatUnit":
            write("unit", body)
    for path in TEMPLATES:
        write("animator", compact(load(path)))

    # A fresh save, one with progress and music off, a short one and a long one.
    fresh = bytes.fromhex("0600000000000080 3F000000 0000803F 00010000".replace(" ", ""))
    write("save", fresh)
    write("save", bytes.fromhex("0d000000 0000803e 01000000 0000803f 00000000".replace(" ", "")))
    write("save", fresh[:7])
    write("save", fresh + b"\x00" * 12)

    pngs = sorted(p for p in glob.glob("Assets/Art/**/*.png", recursive=True) if os.path.getsize(p) < 4096)
    for path in pngs[:12]:
        write("png", open(path, "rb").read())
    oggs = sorted(p for p in glob.glob("Assets/Audio/**/*.ogg", recursive=True) if os.path.getsize(p) < 16384)
    for path in oggs[:6]:
        write("ogg", open(path, "rb").read())

    for seed in font_seeds():
        write("font", seed)


# The game's font is far too big for a seed; these are tiny TrueType fonts built here,
# with the tables the reader needs: an 'H' (whose top sets the line height), a space,
# one curved glyph, in both index formats.
def simple_glyph(points, ends):
    """A glyph of on/off-curve points (x, y, on) closed at the given end indexes."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    data = struct.pack(">hhhhh", len(ends), min(xs), min(ys), max(xs), max(ys))
    data += struct.pack(">%dH" % len(ends), *ends) + struct.pack(">H", 0)
    data += bytes(1 if p[2] else 0 for p in points)
    last = (0, 0)
    deltas = []
    for x, y, _ in points:
        deltas.append((x - last[0], y - last[1]))
        last = (x, y)
    data += b"".join(struct.pack(">h", d[0]) for d in deltas)
    data += b"".join(struct.pack(">h", d[1]) for d in deltas)
    return data + b"\0" * (len(data) % 2)


def tiny_font(long_offsets):
    h = [(50, 0, 1), (50, 700, 1), (150, 700, 1), (150, 400, 1), (450, 400, 1), (450, 700, 1), (550, 700, 1),
         (550, 0, 1), (450, 0, 1), (450, 300, 1), (150, 300, 1), (150, 0, 1)]
    o = [(300, 0, 1), (50, 0, 0), (50, 250, 1), (50, 500, 0), (300, 500, 1), (550, 500, 0), (550, 250, 1),
         (550, 0, 0)]
    glyphs = [b"", simple_glyph(h, [11]), b"", simple_glyph(o, [7])]  # .notdef, H, space, o
    codes = {72: 1, 32: 2, 111: 3}
    offsets, glyf = [], b""
    for g in glyphs:
        offsets.append(len(glyf))
        glyf += g
    offsets.append(len(glyf))
    loca = struct.pack(">%d%s" % (len(offsets), "I" if long_offsets else "H"),
                       *[x if long_offsets else x // 2 for x in offsets])
    segments = sorted(codes) + [0xFFFF]
    n = len(segments)
    body = struct.pack(">%dH" % n, *segments) + struct.pack(">H", 0) + struct.pack(">%dH" % n, *segments)
    body += struct.pack(">%dh" % n, *[(codes[c] - c) if c in codes else 1 for c in segments])
    body += struct.pack(">%dH" % n, *([0] * n))
    search = 2 ** (n.bit_length() - 1)
    cmap4 = struct.pack(">HHHHHHH", 4, 14 + len(body), 0, n * 2, search * 2, search.bit_length() - 1,
                        n * 2 - search * 2) + body
    cmap = struct.pack(">HHHHI", 0, 1, 3, 1, 12) + cmap4
    count = len(glyphs)
    tables = {
        b"cmap": cmap,
        b"glyf": glyf,
        b"head": struct.pack(">IIIIHHqqhhhhHHhhh", 0x10000, 0x10000, 0, 0x5F0F3CF5, 0, 1000, 0, 0, 0, 0, 600, 700,
                             0, 8, 2, 1 if long_offsets else 0, 0),
        b"hhea": struct.pack(">Ihhh H hhh hhh hhhhh H".replace(" ", ""), 0x10000, 800, -200, 0, 600, 0, 0, 600, 1, 0,
                             0, 0, 0, 0, 0, 0, count),
        b"hmtx": b"".join(struct.pack(">Hh", 600, 50) for _ in range(count)),
        b"loca": loca,
        b"maxp": struct.pack(">IHHHHHHHHHHHHHH", 0x10000, count, 12, 2, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0),
        b"name": struct.pack(">HHH", 0, 0, 6),
        b"post": struct.pack(">IIhhIIIII", 0x30000, 0, -100, 50, 0, 0, 0, 0, 0),
    }
    directory_size = 12 + 16 * len(tables)
    header = struct.pack(">IHHHH", 0x10000, len(tables), 128, 3, len(tables) * 16 - 128)
    entries, data = b"", b""
    for tag in sorted(tables):
        table = tables[tag]
        padded = table + b"\0" * (-len(table) % 4)
        checksum = sum(struct.unpack(">%dI" % (len(padded) // 4), padded)) & 0xFFFFFFFF
        entries += struct.pack(">4sIII", tag, checksum, directory_size + len(data), len(table))
        data += padded
    return header + entries + data


def font_seeds():
    return [tiny_font(False), tiny_font(True)]


if __name__ == "__main__":
    main()

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


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Checks the music: the layers of each layered piece have the same length,
rate and channel count, and every loop joins its end to its start without a
click (the jump across the seam is no bigger than the music's own steps).

Usage: tools/check_music_loops.py      (exit status 1 on a failure)
"""
import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
BGM = os.path.join(ROOT, "Assets", "Audio", "BGM")

LAYERED = {"Slums": ["SlumsBase", "SlumsLead1", "SlumsLead2"],
           "Magitek": ["MagitekBase", "MagitekLead1", "MagitekLead2"]}
LOOPS = ["MenuTheme", "SlumsBase", "SlumsLead1", "SlumsLead2", "MagitekBase", "MagitekLead1", "MagitekLead2",
         "BossBase", "BossNext", "Credits"]


def decode(name):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "x.wav")
        subprocess.run(["oggdec", "-Q", "-o", out, os.path.join(BGM, name + ".ogg")], check=True)
        with wave.open(out) as w:
            rate, ch, n = w.getframerate(), w.getnchannels(), w.getnframes()
            data = np.frombuffer(w.readframes(n), dtype="<i2").astype(float).reshape(-1, ch) / 32768.0
    return rate, data


def seam_ok(data):
    steps = np.abs(np.diff(data, axis=0))
    typical = np.percentile(steps, 99.9, axis=0)
    jump = np.abs(data[0] - data[-1])
    return bool(np.all(jump <= typical + 1e-3)), jump, typical


def main():
    ok = True
    for piece, layers in LAYERED.items():
        shapes = []
        for name in layers:
            rate, data = decode(name)
            shapes.append((rate, data.shape))
        same = len(set(shapes)) == 1
        print("%-8s layers %s: %s" % (piece, "equal" if same else "DIFFER", shapes))
        ok &= same
    for name in LOOPS:
        rate, data = decode(name)
        good, jump, typical = seam_ok(data)
        print("%-13s %d Hz %d ch %.2f s seam %s (jump %s, typical step %s)" %
              (name, rate, data.shape[1], len(data) / rate, "ok" if good else "CLICK",
               np.round(jump, 4), np.round(typical, 4)))
        ok &= good and rate == 44100 and data.shape[1] == 2
    print("music check", "passed" if ok else "FAILED")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

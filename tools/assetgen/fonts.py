"""Installs the game's font: DejaVu Sans Bold from Debian's fonts-dejavu-core."""
import os
import shutil

from pix import ROOT

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
COPYRIGHT = "/usr/share/doc/fonts-dejavu-core/copyright"


def generate():
    dst_dir = os.path.join(ROOT, "Assets", "Fonts")
    os.makedirs(dst_dir, exist_ok=True)
    shutil.copyfile(SOURCE, os.path.join(dst_dir, "Fowviel.ttf"))
    with open(COPYRIGHT, encoding="utf-8") as f:
        text = f.read()
    # Keep only the licence of the font files themselves (not of Debian's packaging).
    cut = text.find("\nFiles: debian/")
    if cut > 0:
        text = text[:cut] + "\n"
    header = ("Assets/Fonts/Fowviel.ttf is DejaVu Sans Bold (file DejaVuSans-Bold.ttf of the\n"
              "DejaVu fonts, as shipped by Debian's fonts-dejavu-core package), unmodified,\n"
              "installed under the file name the game opens. Its licence follows.\n\n")
    with open(os.path.join(dst_dir, "LICENSE-Fowviel.txt"), "w", encoding="utf-8") as f:
        f.write(header + text)

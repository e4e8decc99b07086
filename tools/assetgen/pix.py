"""Shared palette, pixel scale and drawing helpers for every generated picture.

Everything is drawn on a small "logical" canvas with hard edges (no
anti-aliasing) in the palette below, outlined, and then enlarged by the
project-wide pixel scale with nearest-neighbour sampling. That keeps the
heroes, enemies, level pieces and interface in one consistent pixel style.
"""
import math
import os
import random

from PIL import Image, ImageDraw, ImageFont

# One logical pixel is drawn as PX x PX screen pixels, everywhere.
PX = 4

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
FONT_PATH = os.path.join(ROOT, "Assets", "Fonts", "Fowviel.ttf")


def hexc(h, a=255):
    h = h.lstrip("#")
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), a)


# The palette: every colour in the game's art comes from this table.
P = {
    "ink": hexc("1a1423"),
    "night": hexc("241c33"),
    "shadow": hexc("3a2d4f"),
    "dusk1": hexc("3b2d5c"),
    "dusk2": hexc("6b3e75"),
    "dusk3": hexc("b0566e"),
    "dusk4": hexc("e88a6b"),
    "sun": hexc("f6c177"),
    "brick0": hexc("4a2624"),
    "brick1": hexc("6e3429"),
    "brick2": hexc("944a35"),
    "brick3": hexc("b86a45"),
    "wood0": hexc("3d2a20"),
    "wood1": hexc("5e402c"),
    "wood2": hexc("86603c"),
    "wood3": hexc("a88150"),
    "steel0": hexc("20262e"),
    "steel1": hexc("343d48"),
    "steel2": hexc("4f5a67"),
    "steel3": hexc("75828f"),
    "steel4": hexc("a7b3bd"),
    "steel5": hexc("d5dde2"),
    "red0": hexc("5c1020"),
    "red1": hexc("9c1c30"),
    "red2": hexc("e0303f"),
    "red3": hexc("ff6a72"),
    "red4": hexc("ffc0c0"),
    "blue0": hexc("1c2f6b"),
    "blue1": hexc("2f57b0"),
    "blue2": hexc("4d8ee0"),
    "blue3": hexc("8ccbff"),
    "blue4": hexc("dff4ff"),
    "green0": hexc("1f4a3a"),
    "green1": hexc("2f7052"),
    "green2": hexc("4fa46c"),
    "green3": hexc("9ee08c"),
    "gold0": hexc("7a4c16"),
    "gold1": hexc("c48a22"),
    "gold2": hexc("f2c14e"),
    "gold3": hexc("fff0a8"),
    "purple0": hexc("3c1a56"),
    "purple1": hexc("6a2c8e"),
    "purple2": hexc("a055d6"),
    "purple3": hexc("dcaaff"),
    "skin0": hexc("8a5440"),
    "skin1": hexc("c98a6b"),
    "skin2": hexc("ecbc96"),
    "white": hexc("f4efe6"),
    "grey": hexc("8c8794"),
    "clear": (0, 0, 0, 0),
}


def col(name, a=None):
    c = P[name]
    return c if a is None else (c[0], c[1], c[2], a)


def canvas(w, h, fill=None):
    return Image.new("RGBA", (w, h), fill if fill is not None else (0, 0, 0, 0))


def upscale(img, k=PX):
    return img.resize((img.width * k, img.height * k), Image.NEAREST)


def save(img, relpath):
    path = os.path.join(ROOT, relpath)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    # PIL writes no timestamps, so the same pixels give the same bytes.
    img.save(path, format="PNG", optimize=True)
    return path


def outline(img, color=None, alpha_min=1):
    """Adds a one-pixel outline around every opaque shape."""
    color = color or P["ink"]
    src = img.load()
    w, h = img.size
    out = img.copy()
    dst = out.load()
    for y in range(h):
        for x in range(w):
            if src[x, y][3] >= alpha_min:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h and src[nx, ny][3] >= 128:
                    dst[x, y] = color
                    break
    return out


def font(size):
    return ImageFont.truetype(FONT_PATH, size)


def text_size(txt, size):
    f = font(size)
    box = f.getbbox(txt)
    return box[2] - box[0], box[3] - box[1], box


def fit_size(txt, size, max_w):
    """The largest size up to `size` at which txt fits in max_w logical pixels."""
    while size > 6 and text_size(txt, size)[0] > max_w:
        size -= 1
    return size


def draw_text(img, xy, txt, size, fill, anchor="mm", shadow=None, stroke=0, stroke_fill=None):
    """Hard-edged text on a logical canvas (no smoothing, so it stays pixel-crisp)."""
    d = ImageDraw.Draw(img)
    d.fontmode = "1"
    f = font(size)
    if shadow is not None:
        d.text((xy[0] + 1, xy[1] + 1), txt, font=f, fill=shadow, anchor=anchor,
               stroke_width=stroke, stroke_fill=shadow)
    d.text(xy, txt, font=f, fill=fill, anchor=anchor, stroke_width=stroke,
           stroke_fill=stroke_fill if stroke_fill is not None else fill)


def rng(name):
    """A random generator seeded from a name, so each picture is reproducible."""
    seed = 0
    for ch in name:
        seed = (seed * 131 + ord(ch)) % (2 ** 31)
    return random.Random(seed)


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(c1[i], c2[i], t))) for i in range(4))


def dither_gradient(img, box, c_top, c_bottom, steps=4):
    """Vertical gradient in a few flat bands with an ordered-dither seam."""
    x0, y0, x1, y1 = box
    px = img.load()
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    hgt = max(1, y1 - y0)
    for y in range(y0, y1):
        t = (y - y0) / hgt * (steps - 1)
        for x in range(x0, x1):
            band = int(t)
            frac = t - band
            if frac * 16 > bayer[y % 4][x % 4] + 0.5:
                band += 1
            band = min(band, steps - 1)
            px[x, y] = mix(c_top, c_bottom, band / (steps - 1))


def panel(w, h, face="shadow", edge="gold1", light="gold2", dark="ink", inner=None, corner=2):
    """A framed interface panel on a logical canvas of w x h."""
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    d.rectangle([corner, 0, w - 1 - corner, h - 1], fill=P[dark])
    d.rectangle([0, corner, w - 1, h - 1 - corner], fill=P[dark])
    d.rectangle([1, 1, w - 2, h - 2], fill=P[edge])
    d.line([2, 1, w - 3, 1], fill=P[light])
    d.line([1, 2, 1, h - 3], fill=P[light])
    d.rectangle([3, 3, w - 4, h - 4], fill=P[dark])
    d.rectangle([4, 4, w - 5, h - 5], fill=P[inner or face])
    # corner cut-outs keep the rounded pixel look
    for (x, y) in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        img.putpixel((x, y), (0, 0, 0, 0))
    return img


def circle(d, cx, cy, r, fill):
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=fill)


def thick_line(d, p0, p1, width, fill):
    """A limb: a quad from p0 to p1 with rounded ends, hard edged."""
    x0, y0 = p0
    x1, y1 = p1
    dx, dy = x1 - x0, y1 - y0
    ln = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / ln * width / 2.0, dx / ln * width / 2.0
    d.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], fill=fill)
    r = width / 2.0
    d.ellipse([x0 - r, y0 - r, x0 + r, y0 + r], fill=fill)
    d.ellipse([x1 - r, y1 - r, x1 + r, y1 + r], fill=fill)


def radial_sprite(size, stops, seed_name=None, noise=0.0):
    """A soft round particle: stops = [(radius fraction, colour), ...] from the centre out.

    Particles are drawn at their own size by the game, so these are made at
    full resolution with smooth alpha (they are light, not pixel art).
    """
    img = canvas(size, size)
    px = img.load()
    r = rng(seed_name or "radial")
    c = (size - 1) / 2.0
    for y in range(size):
        for x in range(size):
            dist = math.hypot(x - c, y - c) / (size / 2.0)
            if noise:
                dist += (r.random() - 0.5) * noise
            colr = None
            for i in range(len(stops) - 1):
                f0, c0 = stops[i]
                f1, c1 = stops[i + 1]
                if f0 <= dist <= f1:
                    colr = mix(c0, c1, (dist - f0) / max(1e-6, f1 - f0))
                    break
            if colr is None:
                colr = stops[-1][1] if dist > stops[-1][0] else stops[0][1]
                if dist > stops[-1][0]:
                    colr = (colr[0], colr[1], colr[2], 0)
            px[x, y] = colr
    return img

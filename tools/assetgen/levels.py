"""Level art: parallax backgrounds (tileable sideways), floors, platforms, walls,
the portal and its "go" sign, for the Slums (dusk, brick, wood, rooftops) and
the Magitek works (steel, pipes, red neon)."""
import math

from PIL import Image, ImageDraw

from pix import P, PX, canvas, col, dither_gradient, draw_text, mix, outline, rng, save, upscale

W, H = 480, 270  # logical size of a full-screen background (1920 x 1080 drawn)


class Wrap:
    """Draws shapes so that whatever leaves one side comes back on the other:
    the finished strip tiles horizontally without a seam."""

    def __init__(self, img):
        self.img = img
        self.d = ImageDraw.Draw(img)
        self.w = img.width

    def rect(self, box, fill):
        x0, y0, x1, y1 = box
        for s in (-self.w, 0, self.w):
            self.d.rectangle([x0 + s, y0, x1 + s, y1], fill=fill)

    def poly(self, pts, fill):
        for s in (-self.w, 0, self.w):
            self.d.polygon([(x + s, y) for x, y in pts], fill=fill)

    def ellipse(self, box, fill):
        x0, y0, x1, y1 = box
        for s in (-self.w, 0, self.w):
            self.d.ellipse([x0 + s, y0, x1 + s, y1], fill=fill)

    def line(self, pts, fill, width=1):
        for s in (-self.w, 0, self.w):
            self.d.line([(x + s, y) for x, y in pts], fill=fill, width=width)


# ---------------------------------------------------------------- Slums

def slums_sky(w=W, h=H):
    img = canvas(w, h)
    dither_gradient(img, (0, 0, w, int(h * 0.45)), P["night"], P["dusk2"], steps=4)
    dither_gradient(img, (0, int(h * 0.45), w, h), P["dusk2"], P["dusk4"], steps=4)
    d = Wrap(img)
    r = rng("slums_sky")
    for _ in range(40):  # first stars
        x, y = r.randrange(w), r.randrange(int(h * 0.35))
        img.putpixel((x, y), col("sun", 200) if r.random() < 0.3 else col("white", 160))
    # the setting sun, low and large
    cx, cy = w * 0.7, h * 0.40
    d.ellipse([cx - 34, cy - 34, cx + 34, cy + 34], col("dusk4"))
    d.ellipse([cx - 28, cy - 28, cx + 28, cy + 28], col("sun"))
    for k in range(4):  # bands of cloud across the sun
        yy = cy - 18 + k * 10
        d.rect([cx - 60 + k * 9, yy, cx + 50 - k * 5, yy + 2], col("dusk3"))
    for _ in range(9):  # long dusk clouds
        x, y = r.randrange(w), r.randrange(30, int(h * 0.6))
        ln = r.randrange(40, 110)
        d.rect([x, y, x + ln, y + 3], col("dusk3"))
        d.rect([x + 6, y - 2, x + ln - 10, y], col("dusk3"))
        d.rect([x + 4, y + 3, x + ln - 4, y + 4], col("dusk2"))
    return img


def _roofline(d, r, w, base_y, color, window_color, min_w, max_w, min_h, max_h, windows=True):
    x = 0
    while x < w:
        bw = r.randrange(min_w, max_w)
        bh = r.randrange(min_h, max_h)
        top = base_y - bh
        d.rect([x, top, x + bw, H], color)
        kind = r.random()
        if kind < 0.4:  # gable roof
            d.poly([(x - 2, top), (x + bw / 2, top - bw * 0.4), (x + bw + 2, top)], color)
        elif kind < 0.6:  # chimney
            cx = x + r.randrange(2, max(3, bw - 6))
            d.rect([cx, top - 10, cx + 4, top], color)
        elif kind < 0.75:  # water tank on stilts
            tx = x + bw // 2 - 6
            d.rect([tx, top - 14, tx + 12, top - 6], color)
            d.rect([tx + 1, top - 6, tx + 2, top], color)
            d.rect([tx + 10, top - 6, tx + 11, top], color)
        if windows:
            for wy in range(top + 4, H - 6, 8):
                for wx in range(x + 3, x + bw - 4, 7):
                    if r.random() < 0.22:
                        d.rect([wx, wy, wx + 2, wy + 3], window_color)
        x += bw + r.randrange(0, 4)


def slums_far(w=W, h=H):
    img = canvas(w, h)
    d = Wrap(img)
    r = rng("slums_far")
    _roofline(d, r, w, int(h * 0.62), col("dusk1"), col("dusk3"), 18, 40, 20, 70)
    r2 = rng("slums_far2")
    _roofline(d, r2, w, int(h * 0.78), col("shadow"), col("sun"), 24, 50, 10, 60)
    return img


def slums_near(w=W, h=H):
    """Brick tenements with wooden balconies and washing lines; open sky above."""
    img = canvas(w, h)
    d = Wrap(img)
    r = rng("slums_near")
    x = 0
    tops = []
    while x < w - 20:
        bw = r.randrange(70, 110)
        if x + bw > w:
            bw = w - x
        top = r.randrange(int(h * 0.56), int(h * 0.72))
        tops.append((x, bw, top))
        brick = r.choice(["brick0", "brick1"])
        d.rect([x, top, x + bw - 1, h], col(brick))
        # brick courses
        mortar = col("shadow") if brick == "brick0" else col("brick0")
        for by in range(top + 2, h, 4):
            d.rect([x, by, x + bw - 1, by], mortar)
            off = 0 if (by // 4) % 2 else 4
            for bx in range(x + off, x + bw, 8):
                d.rect([bx, by - 3, bx, by], mortar)
        # roof ledge and a tar roof edge
        d.rect([x - 2, top - 3, x + bw + 1, top], col("wood1"))
        d.rect([x - 2, top - 3, x + bw + 1, top - 3], col("wood3"))
        # windows: warm ones lit, others shuttered
        for wy in range(top + 12, h - 20, 26):
            for wx in range(x + 10, x + bw - 16, 24):
                if r.random() < 0.5:
                    d.rect([wx - 1, wy - 1, wx + 10, wy + 14], col("brick0"))
                    d.rect([wx, wy, wx + 9, wy + 13], col("sun"))
                    d.rect([wx + 4, wy, wx + 5, wy + 13], col("wood1"))
                    d.rect([wx, wy + 6, wx + 9, wy + 7], col("wood1"))
                else:
                    d.rect([wx - 1, wy - 1, wx + 10, wy + 14], col("wood0"))
                    for sy in range(wy, wy + 14, 3):
                        d.rect([wx, sy, wx + 9, sy + 1], col("wood2"))
        # a wooden balcony
        by = top + r.randrange(30, 60)
        d.rect([x + 6, by, x + bw - 6, by + 2], col("wood2"))
        for px_ in range(x + 8, x + bw - 6, 4):
            d.rect([px_, by - 8, px_, by], col("wood1"))
        d.rect([x + 6, by - 9, x + bw - 6, by - 8], col("wood3"))
        x += bw
    # washing lines between roofs
    for i in range(len(tops)):
        x0, bw0, t0 = tops[i]
        x1, bw1, t1 = tops[(i + 1) % len(tops)]
        if i + 1 == len(tops):
            x1 += w
        ax, ay = x0 + bw0 - 10, t0 + 8
        bx, by = x1 + 10, t1 + 8
        pts = []
        for k in range(11):
            t = k / 10
            pts.append((ax + (bx - ax) * t, ay + (by - ay) * t + math.sin(t * math.pi) * 10))
        d.line(pts, col("ink"))
        for k in (3, 5, 7):
            cx, cy = pts[k]
            cloth = r.choice(["red2", "blue2", "white", "gold2", "green2"])
            d.rect([cx - 3, cy, cx + 3, cy + 7], col(cloth))
    return img


# ---------------------------------------------------------------- Magitek

def magitek_sky(w=W, h=H):
    img = canvas(w, h)
    dither_gradient(img, (0, 0, w, int(h * 0.6)), P["steel0"], P["red0"], steps=4)
    dither_gradient(img, (0, int(h * 0.6), w, h), P["red0"], P["red1"], steps=3)
    d = Wrap(img)
    r = rng("magitek_sky")
    # smog bands
    for _ in range(8):
        x, y = r.randrange(w), r.randrange(20, int(h * 0.7))
        ln = r.randrange(60, 140)
        d.rect([x, y, x + ln, y + 2], col("steel1"))
    # ceiling girders far above
    for gx in range(0, w, 60):
        d.poly([(gx, 0), (gx + 30, 18), (gx + 60, 0)], col("steel1"))
        d.poly([(gx + 4, 0), (gx + 30, 14), (gx + 56, 0)], col("steel0"))
    d.rect([0, 0, w, 3], col("steel1"))
    return img


def magitek_far(w=W, h=H):
    img = canvas(w, h)
    d = Wrap(img)
    r = rng("magitek_far")
    x = 0
    while x < w:
        bw = r.randrange(24, 60)
        top = r.randrange(int(h * 0.35), int(h * 0.7))
        d.rect([x, top, x + bw, h], col("steel0"))
        if r.random() < 0.5:  # smokestack
            sx = x + r.randrange(2, max(3, bw - 8))
            d.rect([sx, top - 40, sx + 6, top], col("steel0"))
            d.rect([sx, top - 36, sx + 6, top - 35], col("red2"))
        if r.random() < 0.4:  # dome
            d.ellipse([x + 2, top - bw // 3, x + bw - 2, top + bw // 3], col("steel0"))
        # neon strips
        for ny in range(top + 6, h - 10, 14):
            if r.random() < 0.4:
                d.rect([x + 3, ny, x + bw - 4, ny], col("red2"))
        for wy in range(top + 3, h - 4, 6):
            for wx in range(x + 3, x + bw - 3, 5):
                if r.random() < 0.05:
                    d.rect([wx, wy, wx + 1, wy + 1], col("red2"))
        x += bw + r.randrange(0, 6)
    return img


def magitek_near(w=W, h=H):
    """Pipes, girders and red neon signs in front of the far works, kept dark
    so that the heroes and the red machines stand out against them."""
    img = canvas(w, h)
    d = Wrap(img)
    r = rng("magitek_near")
    # a row of steel columns with rivets, in shadow
    for cx in range(20, w, 120):
        d.rect([cx, 40, cx + 22, h], col("steel0"))
        d.rect([cx + 2, 40, cx + 3, h], col("steel1"))
        for ry in range(48, h, 16):
            d.rect([cx + 6, ry, cx + 6, ry], col("steel2"))
            d.rect([cx + 16, ry, cx + 16, ry], col("steel2"))
        d.rect([cx - 4, 36, cx + 26, 42], col("steel1"))
    # horizontal pipes high up, out of the way of the fighting
    for py, thick, c, light in ((70, 8, "steel1", "steel2"), (110, 5, "wood0", "wood1")):
        d.rect([0, py, w, py + thick], col(c))
        d.rect([0, py + 1, w, py + 1], col(light))
        d.rect([0, py + thick, w, py + thick], col("ink"))
        for jx in range(r.randrange(0, 40), w, 70):  # flanges
            d.rect([jx, py - 2, jx + 3, py + thick + 2], col("steel0"))
    # vertical pipes dropping from the high pipe
    for vx in range(70, w, 160):
        d.rect([vx, 78, vx + 5, h], col("steel0"))
        d.rect([vx + 1, 78, vx + 1, h], col("steel1"))
    # red neon signs
    for sx in range(100, w, 240):
        d.rect([sx - 1, 140, sx + 41, 161], col("red0"))
        d.rect([sx, 141, sx + 40, 160], col("ink"))
        d.rect([sx + 2, 143, sx + 38, 143], col("red1"))
        d.rect([sx + 2, 158, sx + 38, 158], col("red1"))
        for gx in range(sx + 5, sx + 36, 8):
            d.rect([gx, 147, gx + 4, 154], col("red2"))
    return img


# ---------------------------------------------------------------- above and below
# The camera has no vertical bound: a hero high on a platform, or one recentred after a
# swap, shows what lies above the sky picture or under the floor strip. These pictures
# continue the sky upward and the ground downward, so the screen never shows black.

def slums_sky_top(w=W, h=H):
    """Night sky above the dusk: its bottom row is the sky picture's top colour."""
    img = canvas(w, h)
    dither_gradient(img, (0, 0, w, h), P["ink"], P["night"], steps=3)
    r = rng("slums_sky_top")
    for _ in range(90):
        x, y = r.randrange(w), r.randrange(h - 8)
        img.putpixel((x, y), col("sun", 200) if r.random() < 0.25 else col("white", 170))
    return img


def magitek_sky_top(w=W, h=H):
    """The roof of the works above the ceiling girders: dark trusses and warning lamps."""
    img = canvas(w, h)
    dither_gradient(img, (0, 0, w, h - 4), P["ink"], P["steel0"], steps=3)
    d = Wrap(img)
    d.rect([0, h - 4, w, h], col("steel1"))  # the same beam as the sky picture's top rows
    for ty in range(h - 70, 0, -70):  # roof trusses, one above the other
        d.rect([0, ty, w, ty + 2], col("steel1"))
        for gx in range(0, w, 60):
            d.line([(gx, ty + 2), (gx + 30, ty + 30)], col("steel1"))
            d.line([(gx + 60, ty + 2), (gx + 30, ty + 30)], col("steel1"))
        for lx in range(30, w, 120):
            d.rect([lx - 1, ty + 3, lx + 1, ty + 4], col("red2"))
    return img


def underground(kind, w=64, h=128):
    """What lies under the floor strip, tileable sideways: its top row meets the
    strip's bottom, and it darkens toward the bottom."""
    img = canvas(w, h)
    d = Wrap(img)
    if kind == "slums":
        dither_gradient(img, (0, 0, w, h), P["brick0"], P["ink"], steps=4)
        for by in range(4, h, 4):  # old foundation courses, fading into the dark
            mortar = col("ink") if by > h // 2 else col("shadow")
            d.rect([0, by, w, by], mortar)
            off = 0 if (by // 4) % 2 else 4
            for bx in range(off, w, 8):
                d.rect([bx, by - 3, bx, by], mortar)
        for sy in range(24, h, 40):  # a drain and a row of stones now and then
            d.rect([0, sy, w, sy + 2], col("brick1"))
            d.rect([0, sy + 3, w, sy + 3], col("ink"))
    else:
        dither_gradient(img, (0, 0, w, h), P["steel1"], P["ink"], steps=4)
        for bx in range(0, w, 16):  # the columns that carry the floor grating
            d.rect([bx, 0, bx + 3, h], col("steel0"))
            d.rect([bx + 1, 0, bx + 1, h], col("steel2"))
        for py in range(12, h, 36):  # pipes between them
            d.rect([0, py, w, py + 3], col("steel0"))
            d.rect([0, py + 1, w, py + 1], col("red0"))
    return img


# ---------------------------------------------------------------- pieces

def floor_piece(kind, w=64, h=16):
    """A floor strip, tileable sideways: a walking surface on top, depth below."""
    img = canvas(w, h)
    d = Wrap(img)
    if kind == "slums":
        d.rect([0, 0, w, h], col("brick1"))
        for by in range(4, h, 4):
            d.rect([0, by, w, by], col("brick0"))
            off = 0 if (by // 4) % 2 else 4
            for bx in range(off, w, 8):
                d.rect([bx, by - 3, bx, by], col("brick0"))
        d.rect([0, 0, w, 2], col("wood2"))  # boardwalk on top
        d.rect([0, 0, w, 0], col("wood3"))
        for bx in range(0, w, 12):
            d.rect([bx, 0, bx, 2], col("wood0"))
        d.rect([0, 3, w, 3], col("wood0"))
    else:
        d.rect([0, 0, w, h], col("steel1"))
        d.rect([0, 0, w, 3], col("steel3"))
        d.rect([0, 0, w, 0], col("steel5"))
        for bx in range(0, w, 4):
            d.rect([bx, 1, bx, 2], col("steel2"))  # grating
        d.rect([0, 4, w, 4], col("steel0"))
        for bx in range(0, w, 16):
            d.rect([bx, 5, bx, h], col("steel0"))
            d.rect([bx + 3, 8, bx + 3, 8], col("steel4"))
        d.rect([0, 10, w, 11], col("red1"))  # hazard neon strip
        d.rect([0, 10, w, 10], col("red2"))
    return img


def platform_piece(kind, w=48, h=10):
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    if kind == "slums":
        # A scaffold walkway: pale planks lit along their top edge on an iron truss. The
        # tenements behind have dark wooden roof ledges; this must not read as one of them.
        d.rectangle([0, 0, w - 1, 3], fill=col("wood3"))
        d.rectangle([0, 0, w - 1, 0], fill=col("gold3"))
        for bx in range(0, w, 12):
            d.rectangle([bx, 1, bx, 3], fill=col("wood2"))
        d.rectangle([0, 4, w - 1, 5], fill=col("steel3"))
        d.rectangle([0, 4, w - 1, 4], fill=col("steel4"))
        for rx in range(3, w, 6):
            d.point([rx, 5], fill=col("steel5"))
        for tx in range(0, w, 12):  # the truss under the walkway
            d.line([(tx, 6), (tx + 6, h - 1)], fill=col("steel3"))
            d.line([(tx + 12, 6), (tx + 6, h - 1)], fill=col("steel3"))
        d.rectangle([0, h - 1, w - 1, h - 1], fill=col("steel2"))
    else:
        d.rectangle([0, 0, w - 1, 4], fill=col("steel3"))
        d.rectangle([0, 0, w - 1, 0], fill=col("steel5"))
        for bx in range(2, w - 1, 4):
            d.rectangle([bx, 2, bx + 1, 3], fill=col("steel1"))
        d.rectangle([0, 5, w - 1, 6], fill=col("red2"))
        d.rectangle([6, 7, w - 7, h - 1], fill=col("steel1"))
    return outline(img)


def wall_piece(kind, w=32, h=64):
    """A wall section, tileable up and down."""
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    if kind == "slums":
        d.rectangle([0, 0, w - 1, h - 1], fill=col("brick2"))
        for by in range(0, h, 4):
            d.line([0, by, w - 1, by], fill=col("brick0"))
            off = 0 if (by // 4) % 2 else 4
            for bx in range(off, w, 8):
                d.line([bx, by, bx, by + 3], fill=col("brick0"))
        d.rectangle([0, 0, 1, h - 1], fill=col("brick3"))
        d.rectangle([w - 2, 0, w - 1, h - 1], fill=col("brick1"))
    else:
        d.rectangle([0, 0, w - 1, h - 1], fill=col("steel2"))
        for py in range(0, h, 16):
            d.rectangle([0, py, w - 1, py], fill=col("steel0"))
            d.rectangle([0, py + 1, w - 1, py + 1], fill=col("steel3"))
            for rx in (3, w - 4):
                d.point([rx, py + 4], fill=col("steel4"))
                d.point([rx, py + 12], fill=col("steel4"))
        d.rectangle([w // 2 - 1, 0, w // 2, h - 1], fill=col("red1"))
        d.rectangle([0, 0, 1, h - 1], fill=col("steel3"))
        d.rectangle([w - 2, 0, w - 1, h - 1], fill=col("steel1"))
    return img


def portal(kind, w=40, h=64):
    """The level exit: an arch with a swirling light."""
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    frame, light, glow, core = (("wood1", "wood3", "purple2", "purple3") if kind == "slums"
                                else ("steel2", "steel4", "red2", "red4"))
    cx = w / 2
    d.rectangle([2, 14, w - 3, h - 1], fill=col(frame))
    d.ellipse([2, 2, w - 3, 28], fill=col(frame))
    d.rectangle([6, 16, w - 7, h - 1], fill=col(glow))
    d.ellipse([6, 6, w - 7, 26], fill=col(glow))
    for k in range(5):  # swirl rings
        rr = 12 - k * 2.2
        d.ellipse([cx - rr, 36 - rr * 1.6, cx + rr, 36 + rr * 1.6], outline=col(core if k % 2 else "white"))
    d.rectangle([2, h - 4, w - 3, h - 1], fill=col(light))
    d.line([3, 14, 3, h - 5], fill=col(light))
    return outline(img)


def go_image(w=64, h=32):
    """The sign that shows once the way is open: "GO" and an arrow."""
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    d.polygon([(0, 6), (44, 6), (44, 0), (63, 16), (44, 31), (44, 25), (0, 25)], fill=col("gold2"))
    d.polygon([(2, 8), (46, 8), (46, 4), (60, 16), (46, 28), (46, 23), (2, 23)], fill=col("gold1"))
    draw_text(img, (24, 16), "GO", 15, col("white"), shadow=col("ink"))
    return outline(img)


def generate():
    for name, fn in (("SlumsSky", slums_sky), ("SlumsFar", slums_far), ("SlumsNear", slums_near),
                     ("MagitekSky", magitek_sky), ("MagitekFar", magitek_far),
                     ("MagitekNear", magitek_near), ("SlumsSkyTop", slums_sky_top),
                     ("MagitekSkyTop", magitek_sky_top)):
        save(upscale(fn()), "Assets/Art/Backgrounds/%s.png" % name)
    for kind, cap in (("slums", "Slums"), ("magitek", "Magitek")):
        save(upscale(floor_piece(kind)), "Assets/Art/Level/%sFloor.png" % cap)
        save(upscale(underground(kind)), "Assets/Art/Level/%sUnderground.png" % cap)
        save(upscale(platform_piece(kind)), "Assets/Art/Level/%sPlatform.png" % cap)
        save(upscale(wall_piece(kind)), "Assets/Art/Level/%sWall.png" % cap)
        save(upscale(portal(kind)), "Assets/Art/Level/%sPortal.png" % cap)
    save(upscale(go_image()), "Assets/Art/Level/GoImage.png")

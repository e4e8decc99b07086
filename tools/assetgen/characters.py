"""Character sprite sheets (n x n atlases) and the hero portraits.

Every sheet is laid out in rows: row 0 idle, row 1 run, row 2 jump, row 3
attack, then one row per skill, then knock-back, then dying. Cells run left
to right from column 0; unused cells are empty. docs/art.md lists each sheet.
"""
import math

from PIL import Image, ImageDraw

from pix import P, PX, canvas, circle, col, mix, save, thick_line, upscale
from puppet import Look, pose, render

TAU = 2 * math.pi

# ------------------------------------------------------------------ looks

LOOKS = {
    "Thief": Look(torso=P["green1"], legs=P["wood1"], boots=P["wood0"], sleeve=P["green0"],
                  hood=P["green1"], cape=P["green0"], scarf=P["red2"], weapon="dagger",
                  belt=P["gold1"], hands=P["wood1"]),
    "Mage": Look(torso=P["blue1"], legs=P["blue0"], boots=P["wood0"], sleeve=P["blue1"], robe=P["blue1"],
                 hat=P["blue1"], accent=P["gold2"], hair=P["white"], weapon="staff", belt=P["gold2"],
                 cape=None),
    "SlumBrute": Look(size=1.08, bulk=1.3, torso=P["brick2"], legs=P["steel2"], boots=P["wood0"],
                      sleeve=P["skin1"], hair=P["ink"], scarf=None, weapon="club", belt=P["wood1"],
                      accent=P["gold1"]),
    "SlumSlinger": Look(size=0.95, torso=P["wood2"], legs=P["wood1"], boots=P["wood0"], sleeve=P["wood2"],
                        hood=P["grey"], weapon="sling", belt=P["brick1"], scarf=P["gold1"]),
    "MagitekAndroidRed": Look(torso=P["red1"], legs=P["steel2"], boots=P["steel1"], sleeve=P["red1"],
                              hands=P["steel3"], helmet=P["red1"], visor=P["gold2"], weapon="blade",
                              belt=P["steel3"], mech=True, eye=P["gold2"]),
    "FinalBoss": Look(size=1.5, bulk=1.2, torso=P["purple1"], legs=P["purple0"], boots=P["ink"],
                      sleeve=P["purple1"], robe=P["purple0"], cape=P["red1"], crown=P["gold2"],
                      hair=P["white"], skin=P["steel4"], accent=P["gold2"], weapon="scepter",
                      belt=P["gold1"], hands=P["steel3"]),
    "LaserBoss": Look(size=1.5, bulk=1.6, torso=P["gold1"], legs=P["steel3"], boots=P["steel2"],
                      sleeve=P["steel4"], hands=P["steel4"], helmet=P["gold1"], visor=P["red2"],
                      weapon="cannon", belt=P["red2"], mech=True, eye=P["red3"]),
}

# ------------------------------------------------------------------ effects drawn over a cell


def fx_slash(arc0, arc1, color="white", radius=13):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        cx, cy = sk.shoulder
        r = radius * look.size
        for k, c in ((0, P[color]), (1.5, P["blue3"])):
            d.arc([cx - r + k, cy - r + k, cx + r - k, cy + r - k], arc0, arc1, fill=c, width=2)
    return f


def fx_orb(color, radius=3, at="hand", off=(0, 0)):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        x, y = sk.arms["F"][1] if at == "hand" else sk.head
        x += off[0]
        y += off[1]
        circle(d, x, y, radius + 1, P[color + "0"] if (color + "0") in P else P[color])
        circle(d, x, y, radius, P[color + "2"] if (color + "2") in P else P[color])
        circle(d, x - 0.5, y - 0.5, max(1, radius - 2), P["white"])
    return f


def fx_bolt(length=16):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        x, y = sk.arms["F"][1]
        pts = [(x, y)]
        for k in range(1, 6):
            pts.append((x + k * length / 5, y + (-2 if k % 2 else 2)))
        d.line(pts, fill=P["gold3"], width=2)
        d.line(pts, fill=P["white"], width=1)
    return f


def fx_crystals(n=3, spread=10):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        x, y = sk.arms["F"][1]
        for k in range(n):
            cx = x + (k - (n - 1) / 2) * 5
            cy = y - 6 - (k % 2) * 3
            d.polygon([(cx, cy - 4), (cx + 2, cy), (cx, cy + 4), (cx - 2, cy)], fill=P["blue3"])
            d.point([cx, cy - 1], fill=P["white"])
    return f


def fx_bubble(color="blue3"):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        cx, cy = sk.hip
        cy -= 5 * look.size
        r = 15 * look.size
        d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=P[color], width=1)
        d.arc([cx - r + 3, cy - r + 3, cx + r - 3, cy + r - 3], 200, 250, fill=P["white"], width=1)
    return f


def fx_speedlines(n=4):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        hx, hy = sk.hip
        for k in range(n):
            y = hy - 12 + k * 5
            d.line([(hx - 20 + k * 2, y), (hx - 9, y)], fill=P["blue3"] if k % 2 else P["white"])
    return f


def fx_glow_ring(color, radius=16):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        cx, cy = sk.hip
        fy = cy + 16 * look.size
        r = radius * look.size
        d.ellipse([cx - r, fy - r * 0.3, cx + r, fy + r * 0.3], outline=P[color], width=1)
    return f


def fx_flying_daggers(n=2):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        x, y = sk.arms["F"][1]
        for k in range(n):
            bx = x + 5 + k * 6
            by = y - 2 + k * 3
            thick_line(d, (bx, by), (bx + 5, by), 1.5, P["steel4"])
            d.point([bx - 1, by], fill=P["gold1"])
    return f


def fx_beam(length=30):
    def f(img, sk, look):
        d = ImageDraw.Draw(img)
        x, y = sk.arms["F"][1]
        v = (1, 0)
        end = min(img.width - 2, x + length)
        d.rectangle([x + 8, y - 2, end, y + 2], fill=P["red2"])
        d.rectangle([x + 8, y - 1, end, y + 1], fill=P["red4"])
    return f


# ------------------------------------------------------------------ animation poses


def idle(t, style):
    b = math.sin(t * TAU)
    p = pose(bob=-0.5 + 0.5 * b, armF=10 + 3 * b, foreF=35 + 4 * b, armB=-8 - 2 * b, cape=0.2 + 0.1 * b)
    if style == "staff":
        p.update(armF=20, foreF=0 + 3 * b, wangle=170)
    if style in ("cannon", "club"):
        p.update(armF=15, foreF=60 + 4 * b)
    return p


def run(t, style):
    a = t * TAU
    sa, ca = math.sin(a), math.cos(a)
    p = pose(lean=12, bob=1.2 * abs(math.cos(a)) - 0.6,
             thighF=32 * sa, shinF=32 * sa - 15 - 30 * max(0.0, -ca),
             thighB=-32 * sa, shinB=-32 * sa - 15 - 30 * max(0.0, ca),
             armF=-35 * sa, foreF=-35 * sa + 60, armB=35 * sa, foreB=35 * sa + 60, cape=0.8 + 0.2 * sa)
    if style == "staff":
        p.update(armF=30, foreF=60, wangle=150)
    return p


def jump(t, style):
    i = int(t * 4 + 1e-6)
    if i == 0:  # crouch before take-off
        p = pose(bob=-3, lean=15, thighF=55, shinF=-20, thighB=40, shinB=-35, armF=-30, foreF=0, armB=-40, cape=0.2)
    elif i == 1:  # rising, legs tucked
        p = pose(bob=4, lean=5, thighF=60, shinF=0, thighB=20, shinB=-40, armF=140, foreF=170, armB=-140,
                 foreB=-170, cape=0.1)
    elif i == 2:  # top of the jump
        p = pose(bob=5, lean=0, thighF=45, shinF=-10, thighB=-10, shinB=-30, armF=100, foreF=120, armB=-60,
                 foreB=-30, cape=0.6)
    else:  # falling, legs reaching down
        p = pose(bob=3, lean=-4, thighF=15, shinF=5, thighB=-15, shinB=-10, armF=70, foreF=100, armB=-80,
                 foreB=-110, cape=1.0)
    if style == "staff":
        p.update(wangle=160)
    return p


def attack(t, style, frames=6):
    i = int(t * frames + 1e-6)
    # wind up, strike, follow through, recover
    arm = [-60, -90, 60, 100, 90, 40][i]
    fore = [-20, -60, 90, 110, 100, 60][i]
    lean = [-5, -8, 15, 18, 12, 4][i]
    p = pose(lean=lean, armF=arm, foreF=fore, thighF=25, shinF=10, thighB=-20, shinB=-15, cape=0.5)
    if style == "dagger":
        if i in (2, 3):
            p["fx"] = (fx_slash(-70, 60),)
    elif style == "staff":
        p.update(wangle=fore + 40)
        if i in (2, 3, 4):
            p["fx"] = (fx_orb("blue", 2 + i - 2),)
    elif style == "club":
        p.update(wangle=fore + 70)
        if i == 3:
            p["fx"] = (fx_slash(-20, 60, "wood3", 16),)
    elif style == "sling":
        p.update(armF=[-120, -160, 160, 100, 90, 40][i], foreF=[-150, -190, 130, 95, 90, 60][i])
        if i == 3:
            p["fx"] = (fx_orb("steel", 1, off=(7, 0)),)
    elif style == "blade":
        if i in (2, 3):
            p["fx"] = (fx_slash(-40, 40, "red3"),)
    elif style == "cannon":
        p.update(armF=90, foreF=90, lean=[0, -3, 5, 5, 3, 0][i])
        if i in (2, 3):
            p["fx"] = (fx_orb("red", 2 + i - 2, off=(10, 0)),)
    elif style == "scepter":
        p.update(wangle=fore + 30)
        if i in (2, 3, 4):
            p["fx"] = (fx_orb("purple", 2),)
    return p


def knockback(t, style):
    i = int(t * 3 + 1e-6)
    lean = [-18, -25, -12][i]
    p = pose(lean=lean, head=-10, armF=[120, 150, 60][i], foreF=[150, 190, 90][i], armB=[-120, -150, -60][i],
             foreB=[-80, -100, -30][i], thighF=[30, 35, 15][i], shinF=[20, 30, 5][i], thighB=-5, shinB=-10,
             dx=[-1, -3, -4][i], cape=0.9, eyes=i != 1)
    if style == "staff":
        p.update(wangle=120)
    return p


def dying(t, style):
    i = int(t * 6 + 1e-6)
    rot = [0, -10, -35, -70, -90, -90][i]
    p = pose(lean=[-15, -22, -15, -10, -5, -5][i], head=-15, rot=rot, dx=[0, -1, 2, 8, 12, 12][i],
             dy=[0, 0, 0, 0, 1, 1][i],
             thighF=[25, 45, 60, 40, 10, 10][i], shinF=[10, -10, -30, 0, 5, 5][i],
             thighB=[-5, 20, 40, 20, 0, 0][i], shinB=[-10, -30, -40, -10, 0, 0][i],
             armF=[120, 80, 60, 140, 170, 175][i], foreF=[150, 90, 50, 160, 175, 178][i],
             armB=[-100, -40, -20, -140, -170, -175][i], foreB=[-60, -20, 0, -160, -175, -178][i],
             eyes=i < 2, cape=[0.9, 0.8, 0.6, 0.4, 0.2, 0.1][i])
    if style == "staff":
        p.update(wangle=[150, 140, 120, 180, 190, 190][i])
    return p


# skills: (frames, function of (t, style) -> pose) per character


def skill_dash(t, style):
    i = int(t * 6 + 1e-6)
    p = pose(lean=[20, 35, 40, 40, 30, 10][i], bob=[-2, 0, 0, 0, 0, -1][i], thighF=[40, 70, 70, 65, 50, 20][i],
             shinF=[-10, 30, 30, 30, 20, 5][i], thighB=[-30, -60, -65, -60, -40, -10][i],
             shinB=[-50, -70, -75, -70, -55, -20][i], armF=[40, 90, 95, 95, 80, 30][i],
             foreF=[80, 100, 100, 100, 90, 50][i], armB=-80, foreB=-60, cape=1.0)
    if i in (1, 2, 3, 4):
        p["fx"] = (fx_speedlines(),)
    if style == "staff":
        p.update(wangle=100)
    return p


def skill_throw(t, style):
    i = int(t * 6 + 1e-6)
    p = pose(lean=[0, -6, 10, 14, 8, 2][i], armF=[-40, -120, 60, 90, 90, 40][i], foreF=[-90, -160, 80, 95, 90, 60][i],
             thighF=22, shinF=8, thighB=-20, shinB=-12, cape=0.5)
    if i in (2, 3, 4):
        p["fx"] = (fx_flying_daggers(1 + (i - 2)),)
        p["weapon"] = "none_after" if i > 2 else None
    return p


def skill_spin(t, style):
    i = int(t * 6 + 1e-6)
    p = pose(lean=[0, 5, 0, -5, 0, 0][i], armF=[60, 110, 150, 110, 60, 30][i], foreF=[90, 120, 150, 120, 90, 50][i],
             armB=[-60, -110, -150, -110, -60, -20][i], foreB=[-90, -120, -150, -120, -90, -20][i],
             thighF=30, shinF=10, thighB=-30, shinB=-10, bob=-1, cape=0.9)
    if i in (1, 2, 3, 4):
        p["fx"] = (fx_slash(0, 360, "white", 16),)
    return p


def skill_cast_up(effect):
    def f(t, style):
        i = int(t * 6 + 1e-6)
        p = pose(lean=[0, -3, -5, -5, -3, 0][i], armF=[40, 120, 160, 165, 150, 60][i],
                 foreF=[60, 150, 175, 180, 170, 90][i], armB=[-20, -60, -90, -95, -80, -30][i],
                 foreB=[0, -40, -70, -75, -60, -10][i], thighF=15, shinF=5, thighB=-15, shinB=-10, cape=0.6)
        p["wangle"] = 185 if style == "staff" else p["foreF"] + 90
        if i in (2, 3, 4):
            p["fx"] = (effect,)
        return p
    return f


def skill_cast_forward(effect):
    def f(t, style):
        i = int(t * 6 + 1e-6)
        p = pose(lean=[0, -4, 8, 12, 8, 2][i], armF=[30, -20, 90, 95, 90, 40][i], foreF=[40, -30, 90, 92, 90, 60][i],
                 thighF=25, shinF=10, thighB=-20, shinB=-15, cape=0.6)
        p["wangle"] = p["foreF"] + (0 if style == "cannon" else 40)
        if i in (2, 3, 4):
            p["fx"] = (effect,)
        return p
    return f


def skill_kneel(effect):
    def f(t, style):
        i = int(t * 6 + 1e-6)
        p = pose(bob=[-1, -4, -6, -6, -4, -1][i], thighF=[20, 70, 85, 85, 70, 20][i], shinF=[5, -10, -20, -20, -10, 5][i],
                 thighB=[-10, 10, 20, 20, 10, -10][i], shinB=[-20, -80, -90, -90, -80, -20][i],
                 armF=[40, 80, 100, 100, 80, 40][i], foreF=[80, 140, 160, 160, 140, 80][i], lean=[5, 10, 12, 12, 10, 5][i])
        if i in (1, 2, 3, 4):
            p["fx"] = (effect,)
        return p
    return f


CHARS = {
    # name: (cell in logical pixels, attack frames, [(skill name, frames, fn)])
    "Thief": (48, [("Dash", 6, skill_dash), ("Knives", 6, skill_throw), ("RadialAoE", 6, skill_spin)]),
    "Mage": (48, [("Shield", 6, skill_cast_up(fx_bubble())), ("Zap", 6, skill_cast_forward(fx_bolt())),
                  ("Freeze", 6, skill_cast_up(fx_crystals()))]),
    "SlumBrute": (48, [("Charge", 6, skill_dash)]),
    "SlumSlinger": (48, [("Volley", 6, skill_cast_forward(fx_orb("steel", 1, off=(6, -2))))]),
    "MagitekAndroidRed": (48, [("Dash", 6, skill_dash), ("EyeLaser", 6, skill_cast_forward(fx_beam(22)))]),
    # The bosses stand half as tall again as the heroes, drawn at about the heroes' pixel size.
    "FinalBoss": (72, [("Orb", 6, skill_cast_forward(fx_orb("purple", 4, off=(6, 0)))),
                       ("Dash", 6, skill_dash),
                       ("Shield", 6, skill_cast_up(fx_bubble("purple3"))),
                       ("Recovery", 6, skill_kneel(fx_glow_ring("green3"))),
                       ("Summon", 6, skill_cast_up(fx_glow_ring("purple2", 20)))]),
    "LaserBoss": (72, [("Charge", 6, skill_cast_forward(fx_orb("red", 4, off=(12, 0)))),
                       ("Laser", 6, skill_cast_forward(fx_beam(40)))]),
}

FRAMES = dict(idle=4, run=8, jump=4, attack=6, knockback=3, dying=6)


def rows_of(name):
    cell, skills = CHARS[name]
    style = LOOKS[name].weapon
    rows = [("idle", FRAMES["idle"], idle), ("run", FRAMES["run"], run), ("jump", FRAMES["jump"], jump),
            ("attack", FRAMES["attack"], attack)]
    for sname, n, fn in skills:
        rows.append(("skill " + sname, n, fn))
    rows.append(("knockback", FRAMES["knockback"], knockback))
    rows.append(("dying", FRAMES["dying"], dying))
    return rows, style, cell


def sheet_layout(name):
    rows, style, cell = rows_of(name)
    n = max(8, len(rows), max(r[1] for r in rows))
    return rows, style, cell, n


def make_sheet(name):
    rows, style, cell, n = sheet_layout(name)
    look = LOOKS[name]
    img = canvas(cell * n, cell * n)
    for r, (rname, frames, fn) in enumerate(rows):
        for c in range(frames):
            p = fn(c / frames, style)
            if p.get("weapon") == "none_after":
                p["weapon"] = None
            cimg = render(look, p, cell)
            img.alpha_composite(cimg, (c * cell, r * cell))
    return upscale(img)


def render_frame(name, row_name, frame, scale=PX):
    """One cell of a character at any scale (for portraits, screens and the silhouettes)."""
    rows, style, cell, n = sheet_layout(name)
    for rname, frames, fn in rows:
        if rname == row_name:
            p = fn(frame / frames, style)
            if p.get("weapon") == "none_after":
                p["weapon"] = None
            img = render(LOOKS[name], p, cell)
            return upscale(img, scale) if scale != 1 else img
    raise KeyError(row_name)


SHEET_PATHS = {
    "Thief": "Assets/Art/Characters/ThiefAtlas.png",
    "Mage": "Assets/Art/Characters/MageAtlas.png",
    "SlumBrute": "Assets/Art/Characters/SlumBruteAtlas.png",
    "SlumSlinger": "Assets/Art/Characters/SlumSlingerAtlas.png",
    "MagitekAndroidRed": "Assets/Art/Characters/MagitekAndroidRedAtlas.png",
    "FinalBoss": "Assets/Art/Characters/FinalBossAtlas.png",
    "LaserBoss": "Assets/Art/Characters/LaserBossAtlas.png",
}


def head_portrait(name, grey=False):
    """HUD head: the idle head cropped from the sheet, on a round badge."""
    cell = render_frame(name, "idle", 0, scale=1)
    # the head sits in the top part of the cell
    crop = cell.crop((12, 0, 37, 25))
    badge = canvas(25, 25)
    d = ImageDraw.Draw(badge)
    d.ellipse([0, 0, 24, 24], fill=P["ink"])
    d.ellipse([1, 1, 23, 23], fill=P["gold1"] if not grey else P["grey"])
    d.ellipse([2, 2, 22, 22], fill=P["shadow"])
    # keep the head inside the badge
    mask = canvas(25, 25)
    ImageDraw.Draw(mask).ellipse([2, 2, 22, 22], fill=(255, 255, 255, 255))
    head = canvas(25, 25)
    head.alpha_composite(crop, (0, 4))
    hp = head.load()
    mp = mask.load()
    for y in range(25):
        for x in range(25):
            if mp[x, y][3] == 0:
                hp[x, y] = (0, 0, 0, 0)
    badge.alpha_composite(head)
    if grey:
        px = badge.load()
        for y in range(25):
            for x in range(25):
                r, g, b, a = px[x, y]
                v = int(0.3 * r + 0.59 * g + 0.11 * b)
                v = int(v * 0.7)
                px[x, y] = (v, v, v, a)
    return upscale(badge)


def silhouette(name, flip=False):
    """The after-image the thief leaves when dashing: a pale blue shape of her run."""
    img = render_frame("Thief", "skill Dash", 2, scale=1)
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            a = px[x, y][3]
            if a:
                px[x, y] = (140, 203, 255, 190)
    if flip:
        img = img.transpose(Image.FLIP_LEFT_RIGHT)
    return upscale(img)


def generate():
    for name, path in SHEET_PATHS.items():
        save(make_sheet(name), path)
    save(head_portrait("Thief"), "Assets/Art/UI/ThiefHead.png")
    save(head_portrait("Thief", grey=True), "Assets/Art/UI/ThiefHeadBnW.png")
    save(head_portrait("Mage"), "Assets/Art/UI/MageHead.png")
    save(head_portrait("Mage", grey=True), "Assets/Art/UI/MageHeadBnW.png")
    save(silhouette("Thief"), "Assets/Art/Particles/ThiefDashParticle2.png")
    save(silhouette("Thief", flip=True), "Assets/Art/Particles/ThiefDashParticle3.png")

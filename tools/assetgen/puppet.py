"""A small jointed puppet that draws every character of the game in one style.

A character is a look (colours, clothes, weapon) and a pose is a handful of
joint angles. Angles are in degrees measured from straight down; positive
turns toward the way the character faces (+x, to the right). The puppet
stands with its feet at the bottom centre of its cell.
"""
import math

from PIL import ImageDraw

from pix import P, canvas, circle, col, mix, outline, thick_line

DEFAULT_POSE = dict(dx=0.0, dy=0.0, bob=0.0, lean=0.0, head=0.0,
                    thighF=6.0, shinF=2.0, thighB=-6.0, shinB=-8.0,
                    armF=12.0, foreF=30.0, armB=-10.0, foreB=5.0,
                    rot=0.0, cape=0.3, weapon=None, fx=(), squash=1.0, eyes=True,
                    crouch=0.0)


def pose(**kw):
    p = dict(DEFAULT_POSE)
    p.update(kw)
    return p


def dirv(angle):
    a = math.radians(angle)
    return math.sin(a), math.cos(a)


def shade(c, k=0.7):
    return (int(c[0] * k), int(c[1] * k), int(c[2] * k), c[3])


class Look:
    """What a character wears and carries."""

    def __init__(self, **kw):
        self.size = 1.0
        self.bulk = 1.0
        self.skin = P["skin1"]
        self.hair = P["wood1"]
        self.torso = P["green1"]
        self.legs = P["wood1"]
        self.boots = P["wood0"]
        self.sleeve = None
        self.hands = None
        self.belt = P["wood2"]
        self.accent = P["red2"]
        self.hood = None
        self.cape = None
        self.robe = None
        self.hat = None
        self.helmet = None
        self.visor = None
        self.scarf = None
        self.crown = None
        self.weapon = None
        self.eye = P["ink"]
        self.mech = False
        self.__dict__.update(kw)
        if self.sleeve is None:
            self.sleeve = self.torso
        if self.hands is None:
            self.hands = self.skin


class Skeleton:
    def __init__(self, look, p, foot):
        s = look.size
        self.s = s
        fx, fy = foot
        fx += p["dx"] * s
        fy += p["dy"] * s
        self.thigh = 8 * s
        self.shin = 8 * s
        self.torso_len = 12 * s
        self.upper = 6.5 * s
        self.fore = 6.5 * s
        self.head_r = 5 * s
        leg_h = (math.cos(math.radians(p["thighF"])) * self.thigh + math.cos(math.radians(p["shinF"])) * self.shin
                 + math.cos(math.radians(p["thighB"])) * self.thigh + math.cos(math.radians(p["shinB"])) * self.shin) / 2
        self.hip = (fx, fy - 1.5 * s - leg_h - p["bob"] * s)
        hx, hy = self.hip
        lx, ly = dirv(p["lean"])
        self.neck = (hx + lx * self.torso_len, hy - ly * self.torso_len)
        nx, ny = self.neck
        hd = dirv(p["lean"] + p["head"])
        self.head = (nx + hd[0] * (self.head_r + 0.5 * s), ny - hd[1] * (self.head_r + 0.5 * s))
        # shoulders sit a little under the neck
        self.shoulder = (hx + lx * (self.torso_len - 2 * s), hy - ly * (self.torso_len - 2 * s))
        self.legs = {}
        for side in ("F", "B"):
            t = dirv(p["thigh" + side])
            knee = (hx + t[0] * self.thigh, hy + t[1] * self.thigh)
            sh = dirv(p["shin" + side])
            foot_ = (knee[0] + sh[0] * self.shin, knee[1] + sh[1] * self.shin)
            self.legs[side] = (knee, foot_)
        self.arms = {}
        sx, sy = self.shoulder
        for side in ("F", "B"):
            u = dirv(p["arm" + side])
            elbow = (sx + u[0] * self.upper, sy + u[1] * self.upper)
            f = dirv(p["fore" + side])
            hand = (elbow[0] + f[0] * self.fore, elbow[1] + f[1] * self.fore)
            self.arms[side] = (elbow, hand)


def _rotate_about(pt, c, deg):
    a = math.radians(deg)
    x, y = pt[0] - c[0], pt[1] - c[1]
    return (c[0] + x * math.cos(a) - y * math.sin(a), c[1] + x * math.sin(a) + y * math.cos(a))


def draw_weapon(d, look, hand, angle, s, p):
    """Draws the held weapon from the hand; angle is the direction it points (from down)."""
    kind = p["weapon"] if p["weapon"] is not None else look.weapon
    if kind is None:
        return
    v = dirv(angle)
    hx, hy = hand
    if kind == "dagger":
        tip = (hx + v[0] * 7 * s, hy + v[1] * 7 * s)
        thick_line(d, hand, tip, 1.6 * s, P["steel4"])
        thick_line(d, (hx - v[1] * 1.5 * s, hy + v[0] * 1.5 * s), (hx + v[1] * 1.5 * s, hy - v[0] * 1.5 * s), 1, P["gold1"])
    elif kind == "staff":
        top = (hx + v[0] * 14 * s, hy + v[1] * 14 * s)
        bot = (hx - v[0] * 9 * s, hy - v[1] * 9 * s)
        thick_line(d, bot, top, 1.6 * s, P["wood2"])
        circle(d, top[0], top[1], 2.4 * s, P["blue3"])
        circle(d, top[0] - 0.6, top[1] - 0.6, 1.0 * s, P["blue4"])
    elif kind == "club":
        tip = (hx + v[0] * 11 * s, hy + v[1] * 11 * s)
        thick_line(d, hand, tip, 2.2 * s, P["wood2"])
        circle(d, tip[0], tip[1], 2.3 * s, P["wood1"])
        d.point([tip[0], tip[1]], fill=P["steel4"])
    elif kind == "sling":
        tip = (hx + v[0] * 5 * s, hy + v[1] * 5 * s)
        d.line([hand, tip], fill=P["wood3"], width=1)
        circle(d, tip[0], tip[1], 1.3 * s, P["steel3"])
    elif kind == "blade":
        tip = (hx + v[0] * 10 * s, hy + v[1] * 10 * s)
        thick_line(d, hand, tip, 2.0 * s, P["red3"])
        thick_line(d, hand, tip, 0.8 * s, P["red4"])
    elif kind == "cannon":
        tip = (hx + v[0] * 10 * s, hy + v[1] * 10 * s)
        thick_line(d, hand, tip, 5.0 * s, P["steel2"])
        thick_line(d, hand, tip, 2.0 * s, P["steel3"])
        circle(d, tip[0], tip[1], 1.6 * s, P["red2"])
    elif kind == "scepter":
        top = (hx + v[0] * 12 * s, hy + v[1] * 12 * s)
        thick_line(d, (hx - v[0] * 4 * s, hy - v[1] * 4 * s), top, 1.5 * s, P["gold1"])
        circle(d, top[0], top[1], 2.6 * s, P["purple2"])
        circle(d, top[0], top[1], 1.2 * s, P["purple3"])


def draw_body(img, look, p, foot):
    d = ImageDraw.Draw(img)
    sk = Skeleton(look, p, foot)
    s = sk.s * look.bulk
    ss = sk.s
    hx, hy = sk.hip
    nx, ny = sk.neck
    # cape behind everything
    if look.cape is not None:
        back = -1.0
        flow = 6 + 10 * p["cape"]
        sx, sy = sk.shoulder
        hem_y = min(hy + 10 * ss, foot[1] - 2 * ss)
        d.polygon([(sx + 1.5 * s, sy - 1 * ss), (sx - 3 * s, sy - 0.5 * ss),
                   (sx + back * flow * ss, hem_y - p["cape"] * 4 * ss),
                   (sx + back * (flow - 6) * ss, hem_y + 1 * ss)], fill=look.cape)
    # limbs on the far side, in shadow
    knee, foot_b = sk.legs["B"]
    thick_line(d, sk.hip, knee, 3.6 * s, shade(look.legs))
    thick_line(d, knee, foot_b, 3.0 * s, shade(look.legs))
    thick_line(d, (foot_b[0], foot_b[1] - 0.5 * ss), (foot_b[0] + 2.5 * ss, foot_b[1] - 0.5 * ss), 2.4 * s, shade(look.boots))
    elbow, hand = sk.arms["B"]
    thick_line(d, sk.shoulder, elbow, 2.8 * s, shade(look.sleeve))
    thick_line(d, elbow, hand, 2.4 * s, shade(look.sleeve))
    circle(d, hand[0], hand[1], 1.3 * s, shade(look.hands))
    if p.get("two_weapons", True) and (p["weapon"] or look.weapon) == "dagger":
        fb = dirv(p["foreB"] + 90)
        draw_weapon(d, look, hand, p["foreB"] + 80, ss, p)
    # robe skirt
    if look.robe is not None:
        kF = sk.legs["F"][1]
        kB = sk.legs["B"][1]
        hem_l = min(kF[0], kB[0]) - 2.5 * s
        hem_r = max(kF[0], kB[0]) + 2.5 * s
        hem_y = max(kF[1], kB[1]) - 2.5 * ss
        d.polygon([(hx - 3.5 * s, hy - 1), (hx + 3.5 * s, hy - 1), (hem_r, hem_y), (hem_l, hem_y)], fill=look.robe)
        d.line([(hem_l, hem_y), (hem_r, hem_y)], fill=look.accent, width=1)
    # front leg
    knee, foot_f = sk.legs["F"]
    if look.robe is None:
        thick_line(d, sk.hip, knee, 3.6 * s, look.legs)
        thick_line(d, knee, foot_f, 3.0 * s, look.legs)
    thick_line(d, (foot_f[0], foot_f[1] - 0.5 * ss), (foot_f[0] + 2.5 * ss, foot_f[1] - 0.5 * ss), 2.4 * s, look.boots)
    # torso: a quad from the hips to the shoulders
    lx, ly = dirv(p["lean"])
    px_, py_ = ly, lx  # perpendicular
    wh, ws = 3.2 * s, 3.8 * s
    torso_pts = [(hx - px_ * wh, hy - py_ * wh), (hx + px_ * wh, hy + py_ * wh),
                 (nx + px_ * ws, ny + py_ * ws), (nx - px_ * ws, ny - py_ * ws)]
    d.polygon(torso_pts, fill=look.torso)
    # light down the front edge
    d.line([(hx + px_ * wh, hy + py_ * wh), (nx + px_ * ws, ny + py_ * ws)], fill=mix(look.torso, P["white"], 0.25))
    # belt
    bx, by = hx + lx * 2 * ss, hy - ly * 2 * ss
    thick_line(d, (bx - px_ * wh, by - py_ * wh), (bx + px_ * wh, by + py_ * wh), 1.2 * ss, look.belt)
    if look.scarf is not None:
        thick_line(d, (nx - px_ * 3 * s, ny - py_ * 3 * s), (nx + px_ * 3 * s, ny + py_ * 3 * s), 2.2 * ss, look.scarf)
        tail = (nx - 4 * ss - 4 * p["cape"] * ss, ny + 3 * ss)
        thick_line(d, (nx - 2 * ss, ny), tail, 1.5 * ss, look.scarf)
    # head
    hcx, hcy = sk.head
    r = sk.head_r
    face_dir = 1.0
    if look.helmet is not None:
        circle(d, hcx, hcy, r + 0.5 * ss, look.helmet)
        d.rectangle([hcx - 0.5 * ss, hcy - 1.5 * ss, hcx + r + 0.5 * ss, hcy + 0.5 * ss], fill=look.visor or P["red2"])
        if look.crown is not None:
            for k in (-3, 0, 3):
                d.polygon([(hcx + k * ss - 1.3 * ss, hcy - r), (hcx + k * ss, hcy - r - 3.5 * ss),
                           (hcx + k * ss + 1.3 * ss, hcy - r)], fill=look.crown)
    else:
        if look.hood is not None:
            circle(d, hcx - 0.5 * ss, hcy - 0.3 * ss, r + 1.2 * ss, look.hood)
            d.polygon([(hcx - r, hcy - 2 * ss), (hcx - r - 4 * ss, hcy + 2.5 * ss), (hcx - r + 1 * ss, hcy + 2 * ss)],
                      fill=look.hood)
            d.ellipse([hcx - 0.5 * ss, hcy - 3 * ss, hcx + r + 0.4 * ss, hcy + 3.5 * ss], fill=look.skin)
            d.rectangle([hcx - 0.5 * ss, hcy - 3.2 * ss, hcx + r, hcy - 2 * ss], fill=shade(look.hood, 0.6))
        else:
            circle(d, hcx, hcy, r, look.skin)
            # hair on the back and top
            d.chord([hcx - r - 0.5, hcy - r - 0.5, hcx + r + 0.5, hcy + r * 0.6], 160, 360, fill=look.hair)
            d.rectangle([hcx - r - 0.5, hcy - 1, hcx - r + 2.5 * ss, hcy + 2.5 * ss], fill=look.hair)
        if p["eyes"]:
            ex = hcx + 2.2 * ss * face_dir
            d.rectangle([ex, hcy - 0.5 * ss, ex + 0.9 * ss, hcy + 0.9 * ss], fill=look.eye)
        if look.hat is not None:
            brim_y = hcy - r * 0.55
            d.polygon([(hcx - r - 3 * ss, brim_y + 1 * ss), (hcx + r + 3 * ss, brim_y + 1 * ss),
                       (hcx + r, brim_y - 1 * ss), (hcx - r, brim_y - 1 * ss)], fill=look.hat)
            tip = (hcx - 5 * ss - 3 * p["cape"] * ss, brim_y - 11 * ss)
            d.polygon([(hcx - r + 0.5 * ss, brim_y - 0.5 * ss), (hcx + r - 0.5 * ss, brim_y - 0.5 * ss), tip],
                      fill=look.hat)
            d.line([(hcx - r + 1 * ss, brim_y - 1.5 * ss), (hcx + r - 1 * ss, brim_y - 1.5 * ss)], fill=look.accent,
                   width=max(1, int(ss)))
        if look.crown is not None:
            for k in (-3, 0, 3):
                d.polygon([(hcx + k * ss - 1.3 * ss, hcy - r + 1), (hcx + k * ss, hcy - r - 3.5 * ss),
                           (hcx + k * ss + 1.3 * ss, hcy - r + 1)], fill=look.crown)
    # front arm and the weapon
    elbow, hand = sk.arms["F"]
    thick_line(d, sk.shoulder, elbow, 3.0 * s, look.sleeve)
    thick_line(d, elbow, hand, 2.6 * s, look.sleeve)
    if look.mech:
        circle(d, elbow[0], elbow[1], 1.2 * s, P["steel4"])
    w_angle = p.get("wangle")
    if w_angle is None:
        w_angle = p["foreF"] + 90
    draw_weapon(d, look, hand, w_angle, ss, p)
    circle(d, hand[0], hand[1], 1.4 * s, look.hands)
    return sk


def render(look, p, cell, foot=None):
    """One cell: the posed character, outlined, with a clear border all round."""
    img = canvas(cell, cell)
    foot = foot or (cell / 2, cell - 3)
    body = canvas(cell, cell)
    sk = draw_body(body, look, p, foot)
    if p["rot"]:
        c = (foot[0] + p["dx"] * look.size, foot[1])
        body = body.rotate(-p["rot"], center=c, resample=0)
        # a body lying on the ground rests on it rather than sinking into it
        lift = int(round(abs(math.sin(math.radians(p["rot"]))) * 4 * look.size * look.bulk))
        if lift:
            moved = canvas(cell, cell)
            moved.paste(body.crop((0, lift, cell, cell)), (0, 0))
            body = moved
    body = outline(body)
    img.alpha_composite(body)
    for fx in p["fx"]:
        fx(img, sk, look)
    # keep a one-pixel transparent border so neighbouring cells never bleed
    px = img.load()
    for i in range(cell):
        px[i, 0] = px[i, cell - 1] = (0, 0, 0, 0)
        px[0, i] = px[cell - 1, i] = (0, 0, 0, 0)
    return img

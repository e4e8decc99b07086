"""Particle textures and combat effects (shields, projectiles, impacts).

Particles are stretched to many sizes by the game, so they are small
pictures in the common pixel scale whose light falls off in a few flat bands.
"""
import math

from PIL import Image, ImageDraw

from pix import P, canvas, circle, col, mix, outline, rng, save, thick_line, upscale

PART = "Assets/Art/Particles/"
FX = "Assets/Art/Effects/"


def banded_orb(n, colors, alphas=None):
    """A round glow of len(colors) flat rings, centre first."""
    img = canvas(n, n)
    px = img.load()
    c = (n - 1) / 2
    k = len(colors)
    alphas = alphas or [255] * k
    for y in range(n):
        for x in range(n):
            dist = math.hypot(x - c, y - c) / (n / 2)
            band = int(dist * k)
            if band < k:
                cc = colors[band]
                px[x, y] = (cc[0], cc[1], cc[2], alphas[band])
    return img


def puff(n, colors, name, alpha=(230, 170, 110)):
    """A lumpy smoke puff made of overlapping round blobs."""
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    r = rng(name)
    c = n / 2
    for layer, (colr, a) in enumerate(zip(colors, alpha)):
        for _ in range(6):
            rad = n * (0.26 - layer * 0.05) * (0.8 + 0.4 * r.random())
            ang = r.random() * 2 * math.pi
            off = n * 0.14 * r.random()
            x, y = c + math.cos(ang) * off, c + math.sin(ang) * off
            d.ellipse([x - rad, y - rad, x + rad, y + rad], fill=(colr[0], colr[1], colr[2], a))
    return img


def sparkle(n, colr, core):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    m = n // 2
    d.line([(m, 0), (m, n - 1)], fill=colr)
    d.line([(0, m), (n - 1, m)], fill=colr)
    d.point([m, m], fill=core)
    if n >= 7:
        d.point([m - 1, m - 1], fill=colr)
        d.point([m + 1, m + 1], fill=colr)
        d.point([m - 1, m + 1], fill=colr)
        d.point([m + 1, m - 1], fill=colr)
    return img


def streak(w, h, colors):
    """A vertical bar of light that fades toward its ends."""
    img = canvas(w, h)
    px = img.load()
    for y in range(h):
        t = abs((y - (h - 1) / 2) / (h / 2))
        a = 255 if t < 0.5 else (170 if t < 0.8 else 90)
        for x in range(w):
            edge = x == 0 or x == w - 1
            c = colors[1] if edge else colors[0]
            px[x, y] = (c[0], c[1], c[2], a if not edge else a // 2)
    return img


def beam_band(n=32, core="red4", mid="red2", outer="red1"):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    m = n // 2
    d.rectangle([0, m - 6, n - 1, m + 5], fill=col(outer, 120))
    d.rectangle([0, m - 4, n - 1, m + 3], fill=col(mid, 220))
    d.rectangle([0, m - 1, n - 1, m], fill=col(core))
    return img


def bolt_segment(w=32, h=8):
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    m = h // 2
    pts = [(0, m), (6, m - 2), (12, m + 1), (18, m - 1), (24, m + 2), (w - 1, m)]
    d.line(pts, fill=col("gold2"), width=3)
    d.line(pts, fill=col("white"), width=1)
    return img


def zap_effect(n=24):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    c = n // 2
    r = rng("zap")
    for k in range(7):
        ang = k / 7 * 2 * math.pi + r.random() * 0.4
        pts = [(c, c)]
        for s in range(1, 4):
            rad = s * n / 7
            pts.append((c + math.cos(ang) * rad + r.randint(-1, 1), c + math.sin(ang) * rad + r.randint(-1, 1)))
        d.line(pts, fill=col("gold2"), width=1)
    circle(d, c, c, 3, col("gold3"))
    circle(d, c, c, 1.5, col("white"))
    return img


def snowflake(n=9):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    m = n // 2
    c = col("blue4")
    d.line([(m, 0), (m, n - 1)], fill=c)
    d.line([(0, m), (n - 1, m)], fill=c)
    d.line([(1, 1), (n - 2, n - 2)], fill=col("blue3"))
    d.line([(1, n - 2), (n - 2, 1)], fill=col("blue3"))
    d.point([m, m], fill=col("white"))
    return img


def ice_shard(n=12):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    d.polygon([(n // 2, 0), (n - 3, n // 2), (n // 2, n - 1), (2, n // 2)], fill=col("blue3"))
    d.polygon([(n // 2, 1), (n // 2 + 2, n // 2), (n // 2, n - 3)], fill=col("blue4"))
    d.line([(n // 2 - 1, 2), (n // 2 - 2, 5)], fill=col("white"))
    return outline(img, col("blue1"))


def ice_block(n=14):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    d.rectangle([1, 1, n - 2, n - 2], fill=col("blue3", 200))
    d.rectangle([1, 1, n - 2, 3], fill=col("blue4", 230))
    d.line([(3, 5), (6, 9)], fill=col("white"))
    d.rectangle([1, 1, n - 2, n - 2], outline=col("blue1"))
    return img


def slash(w, h, horizontal=False):
    """A thin white crescent of a blade's edge."""
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    if horizontal:
        d.chord([0, 0, w - 1, h * 2], 180, 360, fill=col("white"))
        d.chord([2, 2, w - 3, h * 2], 180, 360, fill=(0, 0, 0, 0))
        d.chord([0, 0, w - 1, h * 2 - 2], 200, 340, fill=col("blue4"))
        d.chord([1, 3, w - 2, h * 2], 180, 360, fill=(0, 0, 0, 0))
    else:
        d.chord([0, 0, w * 2, h - 1], 90, 270, fill=col("white"))
        d.chord([3, 1, w * 2, h - 2], 90, 270, fill=(0, 0, 0, 0))
    return img


def blade_arc(flip=False, second=False, n=32):
    """The big swept blades of the thief's whirl."""
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    if second:
        d.arc([2, 2, n - 3, n - 3], 200, 340, fill=col("white"), width=3)
        d.arc([4, 4, n - 5, n - 5], 210, 330, fill=col("blue3"), width=1)
        d.polygon([(n - 6, n // 2 - 6), (n - 1, n // 2 - 9), (n - 4, n // 2 - 2)], fill=col("steel4"))
    else:
        d.arc([2, 2, n - 3, n - 3], 20, 160, fill=col("white"), width=3)
        d.arc([5, 5, n - 6, n - 6], 30, 150, fill=col("green3"), width=1)
        d.polygon([(4, n // 2 + 6), (0, n // 2 + 10), (7, n // 2 + 9)], fill=col("steel4"))
    if flip:
        img = img.transpose(Image.FLIP_LEFT_RIGHT)
    return img


def summon_circle(n=50):
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    c = (n - 1) / 2
    d.ellipse([1, 1, n - 2, n - 2], outline=col("purple2"), width=2)
    d.ellipse([6, 6, n - 7, n - 7], outline=col("purple3"), width=1)
    pts = []
    for k in range(5):
        a = -math.pi / 2 + k * 4 * math.pi / 5
        pts.append((c + math.cos(a) * (n / 2 - 7), c + math.sin(a) * (n / 2 - 7)))
    d.line(pts + [pts[0]], fill=col("purple2"), width=1)
    for k in range(12):  # runes on the ring
        a = k / 12 * 2 * math.pi
        x, y = c + math.cos(a) * (n / 2 - 4), c + math.sin(a) * (n / 2 - 4)
        d.rectangle([x - 0.5, y - 0.5, x + 0.5, y + 0.5], fill=col("gold2"))
    return img


def shield_sheet(main, light, dark, hexes=False):
    """A 4 x 4 atlas of a shimmering bubble; the bottom row is the loop the game plays."""
    cell = 75  # drawn 300 x 300 by the game
    img = canvas(cell * 4, cell * 4)
    for r in range(4):
        for cidx in range(4):
            k = r * 4 + cidx
            ph = (cidx / 4) * 2 * math.pi
            sub = canvas(cell, cell)
            d = ImageDraw.Draw(sub)
            m = (cell - 1) / 2
            rad = cell / 2 - 2 - (1 if cidx % 2 else 0)
            d.ellipse([m - rad, m - rad, m + rad, m + rad], fill=col(dark, 70))
            d.ellipse([m - rad, m - rad, m + rad, m + rad], outline=col(main, 230), width=3)
            d.ellipse([m - rad + 5, m - rad + 5, m + rad - 5, m + rad - 5], outline=col(light, 90), width=1)
            a0 = 200 + cidx * 25
            d.arc([m - rad + 3, m - rad + 3, m + rad - 3, m + rad - 3], a0, a0 + 50, fill=col("white", 230), width=3)
            if hexes:
                for hx in range(-5, 6):
                    for hy in range(-5, 6):
                        x = m + hx * 9 + (hy % 2) * 4.5
                        y = m + hy * 8
                        if math.hypot(x - m, y - m) < rad - 5:
                            d.regular_polygon((x, y, 4), 6, outline=col(light, 110 + int(60 * math.sin(ph + hx))))
            else:
                for s in range(3):
                    a = ph + s * 2.1
                    x, y = m + math.cos(a) * rad * 0.6, m + math.sin(a) * rad * 0.6
                    d.rectangle([x - 1, y - 1, x + 1, y + 1], fill=col("white", 220))
            img.alpha_composite(sub, (cidx * cell, r * cell))
    return upscale(img)


def projectile(kind):
    if kind == "mage":
        img = banded_orb(14, [col("white"), col("blue4"), col("blue3"), col("blue2")], [255, 255, 230, 150])
    elif kind == "boss":
        img = banded_orb(14, [col("white"), col("purple3"), col("purple2"), col("purple1")], [255, 255, 230, 150])
    elif kind == "stone":
        img = canvas(8, 8)
        d = ImageDraw.Draw(img)
        d.ellipse([1, 1, 6, 6], fill=col("steel3"))
        d.point([3, 2], fill=col("steel5"))
        img = outline(img)
    elif kind == "knife":
        img = canvas(16, 8)
        d = ImageDraw.Draw(img)
        d.polygon([(5, 3), (15, 4), (5, 5)], fill=col("steel5"))
        d.rectangle([3, 2, 4, 6], fill=col("gold1"))
        d.rectangle([0, 3, 2, 5], fill=col("wood1"))
        img = outline(img)
    elif kind == "bolt":
        img = canvas(16, 8)
        d = ImageDraw.Draw(img)
        d.rectangle([1, 2, 14, 5], fill=col("red2"))
        d.rectangle([3, 3, 14, 4], fill=col("red4"))
    elif kind == "impact":
        img = sparkle(13, col("gold2"), col("white"))
        d = ImageDraw.Draw(img)
        d.ellipse([3, 3, 9, 9], outline=col("gold3"))
    elif kind == "iceburst":
        img = canvas(24, 24)
        for k in range(6):
            a = k / 6 * 2 * math.pi
            s = ice_shard(10).rotate(-math.degrees(a), expand=False)
            img.alpha_composite(s, (int(7 + math.cos(a) * 6), int(7 + math.sin(a) * 6)))
    return upscale(img)


def generate():
    # mana
    save(upscale(banded_orb(12, [col("white"), col("blue4"), col("blue3"), col("blue2")], [255, 255, 220, 140])),
         PART + "MainManaParticle.png")
    save(upscale(sparkle(5, col("blue3"), col("white"))), PART + "SmallManaParticle.png")
    save(upscale(banded_orb(8, [col("blue4"), col("purple3"), col("purple2")], [255, 220, 150])),
         PART + "ManaVampParticle.png")
    # boss
    save(upscale(sparkle(9, col("purple3"), col("white"))), PART + "BossProjectileInner.png")
    save(upscale(puff(16, [col("purple0"), col("purple1"), col("shadow")], "bosssmoke")), PART + "BossSmokeParticle.png")
    save(upscale(streak(4, 16, [col("gold3"), col("purple2")])), PART + "BossImmuneParticle.png")
    save(upscale(summon_circle()), PART + "BossSpawnBase.png")
    save(upscale(sparkle(7, col("purple2"), col("purple3"))), PART + "BossSpawnParticle.png")
    # laser
    save(upscale(beam_band()), PART + "EnemyLaserParticle.png")
    # mage
    save(upscale(puff(16, [col("steel3"), col("blue3"), col("steel4")], "magesmoke")), PART + "MageSmokeParticle.png")
    save(upscale(banded_orb(12, [col("blue4"), col("blue3"), col("blue2")], [255, 200, 120])),
         PART + "MageTrailParticle.png")
    save(upscale(bolt_segment()), PART + "MageZapParticle.png")
    save(upscale(banded_orb(12, [col("white"), col("gold3"), col("gold2")], [255, 230, 150])),
         PART + "MageEnergyBall.png")
    save(upscale(zap_effect()), PART + "MageZapEffect.png")
    save(upscale(puff(16, [col("blue4"), col("blue3"), col("white")], "freezesmoke", (200, 140, 90))),
         PART + "MageFreezeSmokeParticle.png")
    save(upscale(ice_shard()), PART + "MageFreezeOneParticle.png")
    save(upscale(ice_block()), PART + "MageFreezeTwoParticle.png")
    save(upscale(snowflake()), PART + "MageSnowParticle.png")
    save(upscale(banded_orb(6, [col("white"), col("blue3")], [255, 200])), PART + "MageAttackDotParticle.png")
    # thief
    save(upscale(slash(6, 16)), PART + "ThiefSlashParticle.png")
    save(upscale(slash(16, 6, horizontal=True)), PART + "ThiefSlashParticleHor.png")
    save(upscale(puff(12, [col("steel3"), col("grey"), col("steel4")], "dust")), PART + "ThiefDashParticle.png")
    save(upscale(blade_arc()), PART + "ThiefAOE1.png")
    save(upscale(blade_arc(flip=True)), PART + "ThiefAOE1Flip.png")
    save(upscale(blade_arc(second=True)), PART + "ThiefAOE2.png")
    save(upscale(blade_arc(flip=True, second=True)), PART + "ThiefAOE2Flip.png")
    # effects
    save(projectile("mage"), FX + "MageProjectile.png")
    save(shield_sheet("blue3", "blue4", "blue1"), FX + "Shield.png")
    save(shield_sheet("purple2", "purple3", "purple0", hexes=True), FX + "ShieldBoss.png")
    save(projectile("boss"), FX + "BossOrb.png")
    save(projectile("stone"), FX + "SlingStone.png")
    save(projectile("knife"), FX + "ThiefKnife.png")
    save(projectile("bolt"), FX + "AndroidBolt.png")
    save(projectile("impact"), FX + "Impact.png")
    save(projectile("iceburst"), FX + "IceBurst.png")

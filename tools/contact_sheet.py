#!/usr/bin/python3
"""Contact sheet: the heroes, enemies, bosses, level pieces and interface put
together at their in-game proportions (half size), to judge the art as a whole.

Usage: tools/contact_sheet.py [out.png]   (default docs/contact-sheet.png)
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
A = os.path.join(ROOT, "Assets")
HALF = 0.5
FONT = ImageFont.truetype(os.path.join(A, "Fonts", "Fowviel.ttf"), 22)


def load(rel):
    return Image.open(os.path.join(A, rel)).convert("RGBA")


def scaled(img, k):
    return img.resize((max(1, int(img.width * k)), max(1, int(img.height * k))), Image.NEAREST)


def cell(sheet, n, col, row):
    w = sheet.width // n
    return sheet.crop((col * w, row * w, (col + 1) * w, (row + 1) * w))


SHEETS = {  # name: (cells per row, row used for the scene pose, column)
    "Thief": 9, "Mage": 9, "SlumBrute": 8, "SlumSlinger": 8, "MagitekAndroidRed": 8, "FinalBoss": 11,
    "LaserBoss": 8,
}


DYING_ROW = {"Thief": 8, "Mage": 8, "SlumBrute": 6, "SlumSlinger": 6, "MagitekAndroidRed": 7, "FinalBoss": 10,
             "LaserBoss": 7}


def sprite(name, row=0, col=0, flip=False):
    sheet = load("Art/Characters/%sAtlas.png" % name)
    c = cell(sheet, SHEETS[name], col, row)
    return c.transpose(Image.FLIP_LEFT_RIGHT) if flip else c


def level_scene(kind, cast):
    """A 960 x 540 view of a level: parallax layers, floor, platform, portal and units."""
    cap = kind.capitalize()
    img = Image.new("RGBA", (1920, 1080))
    for layer in ("Sky", "Far", "Near"):
        img.alpha_composite(load("Art/Backgrounds/%s%s.png" % (cap, layer)))
    floor = load("Art/Level/%sFloor.png" % cap)
    y_floor = 1080 - floor.height
    for x in range(0, 1920, floor.width):
        img.alpha_composite(floor, (x, y_floor))
    plat = load("Art/Level/%sPlatform.png" % cap)
    for k in range(3):
        img.alpha_composite(plat, (1100 + k * plat.width, 640))
    wall = load("Art/Level/%sWall.png" % cap)
    img.alpha_composite(wall, (0, y_floor - wall.height))
    img.alpha_composite(wall, (0, y_floor - 2 * wall.height))
    portal = load("Art/Level/%sPortal.png" % cap)
    img.alpha_composite(portal, (1920 - portal.width - 20, y_floor - portal.height))
    go = load("Art/Level/GoImage.png")
    img.alpha_composite(go, (1920 - portal.width - 20, y_floor - portal.height - go.height - 10))
    for name, x, row, col, flip, on_plat in cast:
        s = sprite(name, row, col, flip)
        y = (640 if on_plat else y_floor) - s.height + 8
        img.alpha_composite(s, (x, y))
    return scaled(img, HALF)


def hud_scene():
    img = level_scene("slums", [("Thief", 500, 0, 0, False, False), ("Mage", 330, 0, 1, False, False),
                                ("SlumBrute", 1300, 3, 2, True, False)])
    img = img.resize((1920, 1080), Image.NEAREST)
    # health and mana bars as the HUD places them (left ends at x 150)
    for (y, hero) in ((55, "Thief"), (155, "Mage")):
        for kind, dy, ratio in (("Health", 0, 0.8 if hero == "Thief" else 0.45), ("Mana", 35, 0.6)):
            bg = load("Art/UI/%sBarBG.png" % kind).resize((480, 30), Image.NEAREST)
            fill = load("Art/UI/%sBarFill.png" % kind).resize((int(480 * ratio), 30), Image.NEAREST)
            border = load("Art/UI/%sBarBorder.png" % kind).resize((480, 30), Image.NEAREST)
            for im in (bg, fill, border):
                img.alpha_composite(im, (150, y + dy - 15))
        head = load("Art/UI/%sHead%s.png" % (hero, "" if hero == "Thief" else "BnW")).resize((100, 100))
        img.alpha_composite(head, (96 - 50, y + 20 - 50))
        for k in range(3):
            icon = load("Art/UI/%sSkill%d%s.png" % (hero, k + 1, "Locked" if (hero, k) == ("Mage", 2) else ""))
            icon = icon.resize((60, 60), Image.NEAREST)
            img.alpha_composite(icon, (670 + 80 * k - 30 + 30, y - 15 + 15 - 30 + 15))
            if (hero, k) == ("Thief", 1):
                veil = load("Art/UI/SkillFill.png").resize((30, 60), Image.NEAREST)
                img.alpha_composite(veil, (670 + 80 * k + 30 - 30, y - 15))
    for k, key in enumerate(("Qbutton", "Wbutton", "Ebutton")):
        img.alpha_composite(load("Art/UI/ControllerUI/%s.png" % key).resize((60, 60), Image.NEAREST),
                            (700 + 80 * k - 30, 240 - 30))
    ptr = load("Art/UI/Selected Pointer.png")
    img.alpha_composite(ptr, (500 + 96 - 16, 1080 - 64 - 192 - 40))
    # pause menu
    pb = load("Art/UI/Pause or Death Menu/Pause Background.png")
    img.alpha_composite(pb, (960 - pb.width // 2, 540 - pb.height // 2))
    for name, px, py, sel in (("Resume", 60, 47, True), ("Restart", 60, 54, False), ("Quit", 60, 61, False),
                              ("Options", 40, 47, False)):
        b = load("Art/UI/Pause or Death Menu/%s%s.png" % (name, "Selected" if sel else ""))
        img.alpha_composite(b, (int(1920 * px / 100) - b.width // 2, int(1080 * py / 100) - b.height // 2))
    return scaled(img, HALF)


def dialogue_scene():
    img = level_scene("magitek", [("Thief", 300, 0, 0, False, False), ("Mage", 140, 0, 2, False, False),
                                  ("FinalBoss", 1200, 0, 0, True, False)])
    img = img.resize((1920, 1080), Image.NEAREST)
    img.alpha_composite(load("Art/UI/DialogueOverlay.png"))
    # a speech bubble laid out as the nine pieces are (corner c = h / 2)
    w, h = 520, 110
    cx, cy = 520, 560
    c = h // 2
    pieces = {}
    for name in ("TopLeft", "Top", "TopRight", "Left", "Middle", "Right", "BottomLeft", "Bottom", "BottomRight"):
        pieces[name] = load("Art/UI/SpeechBubble/SB%s.png" % name)
    x0, y0 = cx - w // 2, cy - h // 2
    body = [("TopLeft", 0, 0, c, c), ("Top", c, 0, w - 2 * c, c), ("TopRight", w - c, 0, c, c),
            ("Left", 0, c, c, h - 2 * c), ("Middle", c, c, w - 2 * c, h - 2 * c), ("Right", w - c, c, c, h - 2 * c),
            ("BottomLeft", 0, h - c, c, c), ("Bottom", c, h - c, w - 2 * c, c), ("BottomRight", w - c, h - c, c, c)]
    for name, x, y, pw, ph in body:
        if pw > 0 and ph > 0:
            img.alpha_composite(pieces[name].resize((pw, ph), Image.NEAREST), (x0 + x, y0 + y))
    p = h // 2
    img.alpha_composite(load("Art/UI/SpeechBubble/SBPointer.png").resize((p, p), Image.NEAREST),
                        (cx - p // 2, cy + h // 2 - p // 2))
    d = ImageDraw.Draw(img)
    d.text((x0 + 20, y0 + 14), "There you are. I have been\nexpecting you, little thieves.", font=FONT, fill=(0, 0, 0))
    # damage numbers of the four styles
    for k, (sheet, text) in enumerate((("DamageFont", "512"), ("DamageFontNormal", "37"),
                                       ("DamageFontShield", "20"), ("DamageFontHeal", "45"))):
        digits = load("Art/UI/%s.png" % sheet)
        size = 100 if k == 0 else 80
        where = {"0": (0, 3), "1": (1, 3), "2": (2, 3), "3": (3, 3), "4": (0, 2), "5": (1, 2), "6": (2, 2),
                 "7": (3, 2), "8": (0, 1), "9": (1, 1)}
        for i, ch in enumerate(text):
            cc = cell(digits, 4, *where[ch]).resize((size, size), Image.NEAREST)
            img.alpha_composite(cc, (1150 + k * 180 + i * 48 - 60 * (k == 0), 250 + (k % 2) * 60))
    sh = load("Art/Effects/Shield.png")
    img.alpha_composite(cell(sh, 4, 1, 3).resize((300, 300), Image.NEAREST), (300 - 54, 1080 - 64 - 260))
    return scaled(img, HALF)


def sheets_strip():
    """Idle, run, attack and dying cells of every character, at in-game size / 2."""
    out = Image.new("RGBA", (1920, 330), (36, 28, 51, 255))
    x = 10
    d = ImageDraw.Draw(out)
    for name, n in SHEETS.items():
        sheet = load("Art/Characters/%sAtlas.png" % name)
        frames = [cell(sheet, n, 0, 0), cell(sheet, n, 2, 1), cell(sheet, n, 3, 3), cell(sheet, n, 5, DYING_ROW[name])]
        w = sheet.width // n
        k = 0.45
        for i, f in enumerate(frames):
            f = scaled(f, k)
            out.alpha_composite(f, (x + (i % 2) * int(w * k), 40 + (i // 2) * int(w * k)))
        d.text((x, 8), name, font=FONT, fill=(242, 193, 78))
        x += max(int(2 * w * k), 240) + 12
    return out


def screens_strip():
    out = Image.new("RGBA", (1920, 216), (0, 0, 0, 255))
    names = ["Splash/SplashScreen.png", "UI/MainMenu/Background.png", "Backgrounds/Game Over Screen Mage.png",
             "Credits/Credits1.png", "Backgrounds/Victory.png"]
    for i, n in enumerate(names):
        im = load("Art/" + n).resize((384, 216), Image.BILINEAR)
        bg = Image.new("RGBA", im.size, (0, 0, 0, 255))
        bg.alpha_composite(im)
        out.alpha_composite(bg, (i * 384, 0))
    return out


def main(path):
    a = level_scene("slums", [("Thief", 360, 1, 2, False, False), ("Mage", 200, 0, 0, False, False),
                              ("SlumBrute", 900, 0, 1, True, False), ("SlumSlinger", 1200, 3, 3, True, True),
                              ("SlumBrute", 1500, 6, 2, True, False)])
    b = level_scene("magitek", [("Thief", 200, 3, 3, False, False), ("Mage", 420, 5, 3, False, False),
                                ("MagitekAndroidRed", 800, 1, 3, True, False), ("LaserBoss", 1150, 5, 3, True, True),
                                ("FinalBoss", 1450, 4, 2, True, False)])
    sheet = Image.new("RGBA", (1920, 540 * 2 + 330 + 216), (0, 0, 0, 255))
    sheet.alpha_composite(a, (0, 0))
    sheet.alpha_composite(b, (960, 0))
    sheet.alpha_composite(hud_scene(), (0, 540))
    sheet.alpha_composite(dialogue_scene(), (960, 540))
    sheet.alpha_composite(sheets_strip(), (0, 1080))
    sheet.alpha_composite(screens_strip(), (0, 1410))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    sheet.convert("RGB").save(path, optimize=True)
    print("wrote", path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "docs", "contact-sheet.png"))

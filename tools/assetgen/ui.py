"""Interface pictures: menus, options, pause and death screens, HUD bars and
icons, key prompts, damage digits, speech bubble pieces and the dialogue overlay.

Sizes: every picture is made at the size it is drawn on a 1920 x 1080 screen
(twice the Transform scale), in logical pixels of PX screen pixels each.
"""
from PIL import Image, ImageDraw

from pix import P, PX, canvas, circle, col, draw_text, fit_size, mix, outline, panel, save, text_size, thick_line, upscale

UI = "Assets/Art/UI/"
PAUSE = UI + "Pause or Death Menu/"
MENU = UI + "Menu UI/"
CTRL = UI + "ControllerUI/"
BUBBLE = UI + "SpeechBubble/"


# ------------------------------------------------------------------ hand-set letters
# Labels of five or six rows are set from these tables: the font's letters break up at
# that size ("Y" loses an arm).

BOLD6 = {
    "Y": ["11..11", "11..11", ".1111.", "..11..", "..11..", "..11.."],
    "E": ["11111", "11...", "1111.", "11...", "11...", "11111"],
    "S": [".1111", "11...", ".111.", "...11", "...11", "1111."],
    "N": ["11..11", "111.11", "111111", "11.111", "11..11", "11..11"],
    "O": [".1111.", "11..11", "11..11", "11..11", "11..11", ".1111."],
}

SMALL5 = {
    "Q": [".111.", "1...1", "1...1", "1..1.", ".11.1"],
    "W": ["1...1", "1...1", "1.1.1", "1.1.1", ".1.1."],
    "E": ["1111", "1...", "111.", "1...", "1111"],
    "R": ["111.", "1..1", "111.", "1.1.", "1..1"],
    "F": ["1111", "1...", "111.", "1...", "1..."],
    "X": ["1.1", "1.1", ".1.", "1.1", "1.1"],
    "Y": ["1.1", "1.1", ".1.", ".1.", ".1."],
    "B": ["11.", "1.1", "11.", "1.1", "11."],
    "1": [".1", "11", ".1", ".1", ".1"],
}
# Narrow forms for two letters side by side on a shoulder button.
NARROW5 = dict(SMALL5, R=["11.", "1.1", "11.", "1.1", "1.1"])


def pixel_text_width(text, glyphs):
    return sum(len(glyphs[ch][0]) for ch in text) + len(text) - 1


def pixel_text(img, x, y, text, glyphs, fill):
    """Sets text from a glyph table with its top-left corner at (x, y), one column apart."""
    px = img.load()
    for ch in text:
        rows = glyphs[ch]
        for r, row in enumerate(rows):
            for c, bit in enumerate(row):
                if bit == "1":
                    px[x + c, y + r] = fill
        x += len(rows[0]) + 1


# ------------------------------------------------------------------ buttons

def button(w, h, label, selected, size=None, face=None):
    """A bar button; the selected look is brighter with a gold rim and arrows."""
    if selected:
        img = panel(w, h, face="dusk2", edge="gold2", light="gold3")
    else:
        img = panel(w, h, face=face or "shadow", edge="steel3", light="steel4")
    size = fit_size(label, size or max(7, int(h * 0.5)), w - (22 if selected and w > 3 * h and h >= 20 else 6))
    fill = col("gold3") if selected else col("white")
    draw_text(img, (w // 2, h // 2), label, size, fill, shadow=col("ink"))
    if selected and w > 3 * h and h >= 20:
        d = ImageDraw.Draw(img)
        cy = h // 2
        for x, dirn in ((7, 1), (w - 8, -1)):
            d.polygon([(x - 2 * dirn, cy - 3), (x + 2 * dirn, cy), (x - 2 * dirn, cy + 3)], fill=col("gold2"))
    return img


def confirm_button(label, selected):
    """The pause confirmations' yes and no. The menus stack them 32 screen pixels apart at a
    drawn height of 50 (13 logical rows of about 3.85 pixels), so each label keeps to rows
    4 to 9: six rows of hand-set letters (the font breaks up at that size), which leaves a
    clear gap of about 9 pixels between the two. White, or gold between two arrows while
    selected."""
    img = canvas(50, 13)
    fill = col("gold3") if selected else col("white")
    width = pixel_text_width(label, BOLD6)
    left = 25 - width // 2
    pixel_text(img, left, 4, label, BOLD6, fill)
    if selected:  # a three-column arrow on each side, pointing at the label
        d = ImageDraw.Draw(img)
        for x, dirn in ((left - 5, 1), (left + width + 4, -1)):
            for step in range(3):
                d.line([(x + step * dirn, 5 + step), (x + step * dirn, 9 - step)], fill=col("gold2"))
    return img


def _text_in_rows(img, cx, top, label, size, fill, shadow=None):
    """Centres label on column cx with the top of its letters on row `top`."""
    w, _, box = text_size(label, size)
    draw_text(img, (cx - w // 2 - box[0], top - box[1]), label, size, fill, anchor="la", shadow=shadow)


def _slim_frame(w, h, selected):
    """A small button face with a two-pixel frame (ink, then the rim colour)."""
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], fill=col("ink"))
    d.rectangle([1, 1, w - 2, h - 2], fill=col("gold2" if selected else "steel3"))
    d.rectangle([2, 2, w - 3, h - 3], fill=col("dusk2" if selected else "shadow"))
    d.line([(2, 2), (w - 3, 2)], fill=col("gold3" if selected else "steel4"))
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        img.putpixel((x, y), (0, 0, 0, 0))
    return img


PAUSE_LABELS = ("RESUME", "RESTART", "QUIT", "OPTIONS")


def pause_button(label, selected):
    """The pause screen's buttons, also the death menu's restart and quit.

    One picture serves two places with the same 4:1 shape: 400 x 100 pixels on the pause
    screen (rows 76 pixels apart) and 600 x 150 on the death menu (rows 108 apart, the
    restart button's left part off the screen's left edge). So the button itself keeps to
    the middle: columns 22 to 77 and rows 5 to 19 of the 100 x 25 picture. That leaves a
    gap between the rows in both menus and, on the death menu, 33 pixels between the
    screen's edge and the restart button."""
    img = canvas(100, 25)
    face = _slim_frame(56, 15, selected)
    size = min(fit_size(t, 9, 56 - 8) for t in PAUSE_LABELS)
    fill = col("gold3") if selected else col("white")
    _text_in_rows(face, 28, 4, label, size, fill, shadow=col("ink"))
    img.alpha_composite(face, (22, 5))
    return img


def square_button(n, label, selected, icon=None):
    img = panel(n, n, face="dusk2" if selected else "shadow", edge="gold2" if selected else "steel3",
                light="gold3" if selected else "steel4")
    if icon:
        icon(img, selected)
    if label:
        draw_text(img, (n // 2, n // 2), label, fit_size(label, int(n * 0.3), n - 12), col("gold3") if selected else col("white"),
                  shadow=col("ink"))
    return img


def choice_button(label, selected):
    """The yes and no of the options' window mode and of the new-game question: a square
    button in the middle 34 x 34 of a 50 x 50 picture. The options screen draws them
    200 pixels wide but only 192 apart, the right one 22 pixels from the panel's inner
    frame; the margin keeps them apart and off the frame."""
    img = canvas(50, 50)
    img.alpha_composite(square_button(34, label, selected), (8, 8))
    return img


def done_button(selected):
    """The options screen's done: drawn 200 x 200 with its centre 92 pixels above the
    panel's bottom edge, so the button keeps to rows 17 to 32 of the 50 x 50 picture
    (68 pixels up to the bottom edge, 48 down from the sound toggle)."""
    img = canvas(50, 50)
    face = panel(40, 16, face="dusk2" if selected else "shadow", edge="gold2" if selected else "steel3",
                 light="gold3" if selected else "steel4")
    _text_in_rows(face, 20, 4, "DONE", 9, col("gold3") if selected else col("white"), shadow=col("ink"))
    img.alpha_composite(face, (5, 17))
    return img


def icon_note(img, selected, off):
    d = ImageDraw.Draw(img)
    c = col("gold3") if selected else col("white")
    d.rectangle([13, 6, 14, 16], fill=c)
    d.rectangle([13, 6, 18, 8], fill=c)
    d.ellipse([9, 14, 14, 19], fill=c)
    if off:
        _cross(d)


def icon_speaker(img, selected, off):
    d = ImageDraw.Draw(img)
    c = col("gold3") if selected else col("white")
    d.rectangle([6, 10, 9, 15], fill=c)
    d.polygon([(9, 10), (14, 6), (14, 19), (9, 15)], fill=c)
    if not off:
        d.arc([13, 8, 19, 17], -60, 60, fill=c)
    if off:
        _cross(d)


def _cross(d):
    d.line([(5, 5), (19, 19)], fill=col("red2"), width=2)
    d.line([(19, 5), (5, 19)], fill=col("red2"), width=2)


def toggle_icon(icon, off, selected):
    img = panel(25, 25, face="dusk2" if selected else "shadow", edge="gold2" if selected else "steel3",
                light="gold3" if selected else "steel4")
    icon(img, selected, off)
    return img


# ------------------------------------------------------------------ backgrounds of the menus

def options_bg():
    w, h = 224, 192
    img = panel(w, h, face="night", edge="gold1", light="gold2")
    draw_text(img, (w // 2, 14), "OPTIONS", 14, col("gold2"), shadow=col("ink"))
    d = ImageDraw.Draw(img)
    d.line([(20, 25), (w - 21, 25)], fill=col("gold1"))
    # labels beside where the code places each choice
    for y, txt in ((61, "FULLSCREEN"), (96, "MUSIC"), (136, "SOUND")):
        draw_text(img, (16, y), txt, 11, col("white"), anchor="lm", shadow=col("ink"))
        d.line([(16, y + 8), (100, y + 8)], fill=col("shadow"))
    return img


def pause_bg():
    w, h = 224, 128
    img = panel(w, h, face="night", edge="gold1", light="gold2")
    draw_text(img, (w // 2, 22), "PAUSED", 18, col("gold2"), shadow=col("ink"))
    d = ImageDraw.Draw(img)
    d.line([(30, 37), (w - 31, 37)], fill=col("gold1"))
    return img


def confirmation_bg():
    w, h = 128, 64
    img = panel(w, h, face="night", edge="red2", light="red3")
    draw_text(img, (w // 2, 12), "ARE YOU SURE?", 9, col("white"), shadow=col("ink"))
    return img


# ------------------------------------------------------------------ HUD

def bar_piece(kind, part):
    """Bar pictures are stretched by the game; they are drawn 120 x 8 logical pixels."""
    w, h = 120, 8
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    if part == "BG":
        d.rectangle([0, 0, w - 1, h - 1], fill=col("night"))
        d.line([(1, h - 2), (w - 2, h - 2)], fill=col("ink"))
    elif part == "Fill":
        base, light, dark = (("red2", "red3", "red1") if kind == "Health" else ("blue2", "blue3", "blue1"))
        d.rectangle([0, 0, w - 1, h - 1], fill=col(base))
        d.rectangle([0, 1, w - 1, 2], fill=col(light))
        d.rectangle([0, h - 2, w - 1, h - 1], fill=col(dark))
    else:  # Border: a frame, open in the middle
        d.rectangle([0, 0, w - 1, h - 1], outline=col("ink"))
        d.rectangle([1, 1, w - 2, h - 2], outline=col("gold1"))
        d.line([(2, 1), (w - 3, 1)], fill=col("gold2"))
        for x in range(w // 4, w - 1, w // 4):  # tick marks every quarter
            d.line([(x, 1), (x, 2)], fill=col("gold2"))
    return img


def skill_icon(hero, k):
    n = 16
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    bg = "green0" if hero == "Thief" else "blue0"
    d.rectangle([0, 0, n - 1, n - 1], fill=col(bg))
    d.rectangle([1, 1, n - 2, n - 2], fill=col("green1" if hero == "Thief" else "blue1"))
    if hero == "Thief":
        if k == 1:  # dash: a boot with speed lines
            d.polygon([(6, 3), (10, 3), (10, 10), (13, 11), (13, 13), (6, 13)], fill=col("wood2"))
            for y in (5, 8, 11):
                d.line([(2, y), (4, y)], fill=col("white"))
        elif k == 2:  # knives
            for i, x in enumerate((4, 8, 12)):
                d.line([(x, 3), (x, 10)], fill=col("steel5"))
                d.line([(x - 1, 11), (x + 1, 11)], fill=col("gold2"))
                d.line([(x, 12), (x, 13)], fill=col("wood2"))
        else:  # whirl of blades
            d.arc([3, 3, 12, 12], 0, 300, fill=col("white"), width=1)
            d.arc([5, 5, 10, 10], 90, 360, fill=col("steel4"), width=1)
            d.polygon([(12, 7), (14, 5), (14, 9)], fill=col("white"))
    else:
        if k == 1:  # shield bubble
            d.ellipse([3, 3, 12, 12], outline=col("blue4"))
            d.ellipse([5, 5, 10, 10], fill=col("blue3"))
            d.point([6, 6], fill=col("white"))
        elif k == 2:  # lightning bolt
            d.polygon([(9, 2), (4, 9), (8, 9), (6, 14), (12, 6), (8, 6)], fill=col("gold2"))
        else:  # snowflake
            c = col("blue4")
            d.line([(8, 2), (8, 13)], fill=c)
            d.line([(3, 5), (12, 11)], fill=c)
            d.line([(3, 11), (12, 5)], fill=c)
            d.point([8, 8], fill=col("white"))
    return outline_frame(img)


def outline_frame(img):
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, img.width - 1, img.height - 1], outline=col("ink"))
    return img


def locked_icon(hero, k):
    img = skill_icon(hero, k)
    px = img.load()
    for y in range(img.height):
        for x in range(img.width):
            r, g, b, a = px[x, y]
            v = int((0.3 * r + 0.59 * g + 0.11 * b) * 0.5)
            px[x, y] = (v, v, v, a)
    d = ImageDraw.Draw(img)  # padlock
    d.rectangle([5, 8, 10, 13], fill=col("gold1"))
    d.arc([5, 4, 10, 11], 180, 360, fill=col("gold2"), width=1)
    d.point([7, 10], fill=col("ink"))
    d.point([7, 11], fill=col("ink"))
    return img


def skill_border():
    img = canvas(16, 16)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, 15, 15], outline=col("ink"))
    d.rectangle([1, 1, 14, 14], outline=col("gold2"))
    return img


def skill_fill():
    """The cool-down veil over a skill icon."""
    img = canvas(16, 16, (26, 20, 35, 170))
    return img


def selected_pointer():
    img = canvas(8, 8)
    d = ImageDraw.Draw(img)
    d.polygon([(0, 1), (7, 1), (3.5, 6)], fill=col("gold2"))
    d.line([(1, 2), (5, 2)], fill=col("gold3"))
    return outline(img)


def key_prompt(kind, label):
    """The skill keys under the led hero's row of skill icons. The prompt is drawn 60 x 60
    with its centre 70 pixels below the row's centre, and the other hero's row can start
    40 pixels below the row above; so the key keeps to the picture's top seven rows
    (26 pixels) and leaves a gap on both sides."""
    n = 16
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    if kind == "key":  # a keyboard key cap: face, letter, darker front edge
        d.rectangle([2, 0, 13, 6], fill=col("ink"))
        d.rectangle([3, 0, 12, 5], fill=col("steel4"))
        d.line([(3, 6), (12, 6)], fill=col("steel2"))
        w = pixel_text_width(label, SMALL5)
        pixel_text(img, 8 - (w + 1) // 2, 1, label, SMALL5, col("ink"))
    elif kind == "ps":  # a round face button with a shape
        d.ellipse([4, 0, 11, 6], fill=col("ink"))
        d.ellipse([5, 1, 10, 5], fill=col("steel1"))
        if label == "square":
            d.rectangle([6, 1, 9, 4], outline=col("purple3"))
        elif label == "triangle":
            d.polygon([(7.5, 1), (10, 4.5), (5, 4.5)], outline=col("green3"))
    elif kind == "pad":
        d.ellipse([4, 0, 11, 6], fill=col("ink"))
        d.ellipse([5, 1, 10, 5], fill=col({"X": "blue2", "Y": "gold1"}[label]))
        pixel_text(img, 6, 1, label, SMALL5, col("white"))
    elif kind == "bumper":  # a shoulder button
        d.rounded_rectangle([1, 0, 14, 6], 2, fill=col("ink"))
        d.rounded_rectangle([2, 0, 13, 5], 1, fill=col("steel2"))
        w = pixel_text_width(label, NARROW5)
        pixel_text(img, 8 - (w + 1) // 2, 1, label, NARROW5, col("white"))
    return img


# ------------------------------------------------------------------ damage digits

DIGITS = {
    "0": ["01110", "11011", "11011", "11011", "11011", "11011", "01110"],
    "1": ["00110", "01110", "00110", "00110", "00110", "00110", "01111"],
    "2": ["01110", "11011", "00011", "00110", "01100", "11000", "11111"],
    "3": ["11110", "00011", "00011", "01110", "00011", "00011", "11110"],
    "4": ["00110", "01110", "11010", "11010", "11111", "00010", "00010"],
    "5": ["11111", "11000", "11110", "00011", "00011", "11011", "01110"],
    "6": ["01110", "11000", "11110", "11011", "11011", "11011", "01110"],
    "7": ["11111", "00011", "00110", "00110", "01100", "01100", "01100"],
    "8": ["01110", "11011", "11011", "01110", "11011", "11011", "01110"],
    "9": ["01110", "11011", "11011", "01111", "00011", "00011", "01110"],
}


def digit_cell(ch, face, light, cell=25, k=3):
    """One digit of the damage numbers: a 5 x 7 glyph of k x k blocks, outlined."""
    img = canvas(cell, cell)
    rows = DIGITS[ch]
    gw, gh = 5 * k, 7 * k
    x0, y0 = (cell - gw) // 2, (cell - gh) // 2
    d = ImageDraw.Draw(img)
    for r, row in enumerate(rows):
        for c, bit in enumerate(row):
            if bit == "1":
                d.rectangle([x0 + c * k, y0 + r * k, x0 + c * k + k - 1, y0 + r * k + k - 1],
                            fill=light if r < 3 else face)
    img = outline(outline(img, col("ink")), col("ink"))
    px = img.load()
    for i in range(cell):  # clear border against bleeding between cells
        px[i, 0] = px[i, cell - 1] = px[0, i] = px[cell - 1, i] = (0, 0, 0, 0)
    return img


def damage_sheet(face, light):
    cell = 25
    img = canvas(cell * 4, cell * 4)
    where = {"0": (0, 3), "1": (1, 3), "2": (2, 3), "3": (3, 3), "4": (0, 2), "5": (1, 2), "6": (2, 2),
             "7": (3, 2), "8": (0, 1), "9": (1, 1)}
    for ch, (c, r) in where.items():
        img.alpha_composite(digit_cell(ch, col(face), col(light)), (c * cell, r * cell))
    return upscale(img)


# ------------------------------------------------------------------ speech bubble

def bubble_piece(name):
    n = 8
    img = canvas(n, n, col("white"))
    d = ImageDraw.Draw(img)
    ink = col("ink")
    if name in ("TopLeft", "TopRight", "BottomLeft", "BottomRight"):
        img = canvas(n, n)
        d = ImageDraw.Draw(img)
        # quarter of a rounded rectangle, corner at the top-left; mirrored below
        d.ellipse([0, 0, 2 * n - 1, 2 * n - 1], fill=ink)
        d.ellipse([1, 1, 2 * n - 2, 2 * n - 2], fill=col("white"))
        d.rectangle([4, 4, n - 1, n - 1], fill=col("white"))
        if "Right" in name:
            img = img.transpose(Image.FLIP_LEFT_RIGHT)
        if "Bottom" in name:
            img = img.transpose(Image.FLIP_TOP_BOTTOM)
        return img
    if name == "Top":
        d.line([(0, 0), (n - 1, 0)], fill=ink)
    elif name == "Bottom":
        d.line([(0, n - 1), (n - 1, n - 1)], fill=ink)
    elif name == "Left":
        d.line([(0, 0), (0, n - 1)], fill=ink)
    elif name == "Right":
        d.line([(n - 1, 0), (n - 1, n - 1)], fill=ink)
    return img


def bubble_pointer():
    """The tail under the bubble; its top half overlaps the bubble's bottom edge."""
    n = 16
    img = canvas(n, n)
    d = ImageDraw.Draw(img)
    d.polygon([(1, 6), (n - 2, 6), (n // 2 - 1, n - 1)], fill=col("ink"))
    d.polygon([(3, 6), (n - 4, 6), (n // 2 - 1, n - 3)], fill=col("white"))
    d.rectangle([3, 4, n - 4, 7], fill=col("white"))
    return img


# ------------------------------------------------------------------ dialogue overlay

def dialogue_overlay(prompt_kind):
    w, h = 480, 270
    img = canvas(w, h)
    d = ImageDraw.Draw(img)
    band = 26
    d.rectangle([0, 0, w - 1, band], fill=(26, 20, 35, 215))
    d.rectangle([0, h - 1 - band, w - 1, h - 1], fill=(26, 20, 35, 215))
    d.line([(0, band + 1), (w - 1, band + 1)], fill=col("gold1"))
    d.line([(0, h - 2 - band), (w - 1, h - 2 - band)], fill=col("gold1"))
    # prompt at the bottom right: key, then "continue". Below size 9 the hard-edged
    # font drops strokes (the "A" of SPACE loses its bar, "hold" its "o").
    x, y = w - 106, h - band // 2 - 1
    if prompt_kind == "pc":
        d.rectangle([x - 2, y - 7, x + 44, y + 7], fill=col("steel2"))
        d.rectangle([x - 1, y - 6, x + 43, y + 4], fill=col("steel4"))
        draw_text(img, (x + 21, y - 1), "SPACE", 9, col("ink"))
    elif prompt_kind == "ps4":
        circle(d, x + 21, y, 7, col("ink"))
        circle(d, x + 21, y, 6, col("steel1"))
        d.line([(x + 18, y - 3), (x + 24, y + 3)], fill=col("blue3"))
        d.line([(x + 24, y - 3), (x + 18, y + 3)], fill=col("blue3"))
    else:
        circle(d, x + 21, y, 7, col("ink"))
        circle(d, x + 21, y, 6, col("green2"))
        draw_text(img, (x + 21, y + 1), "A", 9, col("white"))
    draw_text(img, (x + 50, y), "continue", 10, col("white"), anchor="lm")
    draw_text(img, (12, y), "hold ESC to skip", 10, col("grey"), anchor="lm")
    return img


# ------------------------------------------------------------------ main menu pieces

def menu_button(label, selected):
    """A title-menu button: the bar one row short of the picture at top and bottom, so the
    column, drawn 100 pixels high at 100 pixels apart, keeps a gap between its buttons."""
    img = canvas(100, 25)
    img.alpha_composite(button(100, 23, label, selected, 11), (0, 1))
    return img


def menu_buttons():
    for name, label in (("NewGame", "NEW GAME"), ("Continue", "CONTINUE"), ("Options", "OPTIONS"),
                        ("Credits", "CREDITS"), ("Exit", "EXIT")):
        save(upscale(menu_button(label, False)), MENU + name + ".png")
        save(upscale(menu_button(label, True)), MENU + name + "Selected.png")
    img = panel(128, 64, face="night", edge="gold1", light="gold2")
    draw_text(img, (64, 13), "START A NEW GAME?", 10, col("white"), shadow=col("ink"))
    draw_text(img, (64, 25), "Saved progress is lost.", 9, col("grey"))
    save(upscale(img), MENU + "NewGameConfirmationBG.png")
    cur = canvas(10, 10)
    d = ImageDraw.Draw(cur)
    d.polygon([(1, 1), (8, 5), (1, 9)], fill=col("gold2"))
    d.line([(2, 3), (2, 7)], fill=col("gold3"))
    save(upscale(outline(cur)), MENU + "Cursor.png")


def generate():
    # options screen
    save(upscale(options_bg()), MENU + "OptionsBG2.png")
    for sel in (False, True):
        suffix = "Selected" if sel else ""
        save(upscale(choice_button("YES", sel)), MENU + "NewGameYes%s.png" % suffix)
        save(upscale(choice_button("NO", sel)), MENU + "NewGameNo%s.png" % suffix)
        save(upscale(done_button(sel)), MENU + "Done%s.png" % suffix)
        for state in ("On", "Off"):
            save(upscale(toggle_icon(icon_note, state == "Off", sel)), PAUSE + "MusicButton%s%s.png" % (state, suffix))
            save(upscale(toggle_icon(icon_speaker, state == "Off", sel)), PAUSE + "SFXButton%s%s.png" % (state, suffix))
        for name, label in (("Resume", "RESUME"), ("Restart", "RESTART"), ("Quit", "QUIT"), ("Options", "OPTIONS")):
            save(upscale(pause_button(label, sel)), PAUSE + name + suffix + ".png")
        for name, label in (("Yes", "YES"), ("No", "NO")):
            save(upscale(confirm_button(label, sel)), PAUSE + name + suffix + ".png")
    save(upscale(pause_bg()), PAUSE + "Pause Background.png")
    save(upscale(confirmation_bg()), PAUSE + "ConfirmationBG.png")
    menu_buttons()
    # HUD
    for kind in ("Health", "Mana"):
        for part in ("BG", "Border", "Fill"):
            save(upscale(bar_piece(kind, part)), UI + "%sBar%s.png" % (kind, part))
    for hero in ("Thief", "Mage"):
        for k in (1, 2, 3):
            save(upscale(skill_icon(hero, k)), UI + "%sSkill%d.png" % (hero, k))
            save(upscale(locked_icon(hero, k)), UI + "%sSkill%dLocked.png" % (hero, k))
    save(upscale(skill_border()), UI + "SkillBorder.png")
    save(upscale(skill_fill()), UI + "SkillFill.png")
    save(upscale(selected_pointer()), UI + "Selected Pointer.png")
    for name, kind, label in (("Qbutton", "key", "Q"), ("Wbutton", "key", "W"), ("Ebutton", "key", "E"),
                              ("Rbutton", "key", "R"), ("Fbutton", "key", "F"),
                              ("SquareButton", "ps", "square"), ("TriangleButton", "ps", "triangle"),
                              ("R1Button", "bumper", "R1"), ("XboneXButton", "pad", "X"),
                              ("XboneYButton", "pad", "Y"), ("XboneRBButton", "bumper", "RB")):
        save(upscale(key_prompt(kind, label)), CTRL + name + ".png")
    # damage digits: critical, normal, shield, heal
    save(damage_sheet("gold1", "gold3"), UI + "DamageFont.png")
    save(damage_sheet("steel4", "white"), UI + "DamageFontNormal.png")
    save(damage_sheet("blue2", "blue4"), UI + "DamageFontShield.png")
    save(damage_sheet("green2", "green3"), UI + "DamageFontHeal.png")
    # speech bubble
    for piece in ("TopLeft", "Top", "TopRight", "Left", "Middle", "Right", "BottomLeft", "Bottom", "BottomRight"):
        save(upscale(bubble_piece(piece)), BUBBLE + "SB%s.png" % piece)
    save(upscale(bubble_pointer()), BUBBLE + "SBPointer.png")
    # modal dialogue overlay, by input device
    save(upscale(dialogue_overlay("pc")), UI + "DialogueOverlay.png")
    save(upscale(dialogue_overlay("ps4")), UI + "DialogueOverlay_PS4.png")
    save(upscale(dialogue_overlay("x360")), UI + "DialogueOverlay_X360.png")

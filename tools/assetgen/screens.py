"""Full-screen pictures: splash screens, the main menu, game over, credits,
victory, loading and skill-unlock pictures (1920 x 1080 each)."""
from PIL import Image, ImageDraw

import characters
import levels
from pix import P, PX, canvas, col, draw_text, fit_size, outline, panel, save, upscale

W, H = levels.W, levels.H


def title_logo(text="HARROWVALE", size=44):
    """The game's name in gold letters with a dark rim and a drop shadow."""
    size = fit_size(text, size, W - 40)
    img = canvas(W, size + 24)
    cx, cy = W // 2, (size + 24) // 2
    draw_text(img, (cx + 3, cy + 3), text, size, col("ink"), stroke=2, stroke_fill=col("ink"))
    draw_text(img, (cx, cy), text, size, col("gold1"), stroke=2, stroke_fill=col("ink"))
    # a lighter upper half of the letters
    top = canvas(W, size + 24)
    draw_text(top, (cx, cy), text, size, col("gold3"))
    tp = top.load()
    ip = img.load()
    for y in range(0, cy - 2):
        for x in range(W):
            if tp[x, y][3]:
                ip[x, y] = col("gold3") if y < cy - size // 4 else col("gold2")
    return img


def scene(kind):
    layers = ((levels.slums_sky, levels.slums_far, levels.slums_near) if kind == "slums"
              else (levels.magitek_sky, levels.magitek_far, levels.magitek_near))
    img = layers[0]()
    for f in layers[1:]:
        img.alpha_composite(f())
    return img


def darken(img, alpha=120):
    veil = canvas(img.width, img.height, (26, 20, 35, alpha))
    out = img.copy()
    out.alpha_composite(veil)
    return out


def put_hero(img, name, row, frame, x, y, flip=False, scale=2):
    cell = characters.render_frame(name, row, frame, scale=1)
    if flip:
        cell = cell.transpose(Image.FLIP_LEFT_RIGHT)
    big = cell.resize((cell.width * scale, cell.height * scale), Image.NEAREST)
    img.alpha_composite(big, (int(x - big.width / 2), int(y - big.height)))


def ground(img, kind, y):
    piece = levels.floor_piece(kind)
    for x in range(0, W, piece.width):
        img.alpha_composite(piece, (x, y))


def splash_main():
    img = scene("slums")
    img = darken(img, 60)
    ground(img, "slums", H - 16)
    put_hero(img, "Thief", "idle", 0, W * 0.40, H - 16, scale=2)
    put_hero(img, "Mage", "idle", 1, W * 0.60, H - 16, flip=True, scale=2)
    logo = title_logo(size=48)
    img.alpha_composite(logo, (0, 40))
    draw_text(img, (W // 2, 104), "a tale of the slums and the magitek works", 10, col("white"), shadow=col("ink"))
    return img


def splash_beta():
    img = canvas(W, H, col("night"))
    logo = title_logo(size=40)
    img.alpha_composite(logo, (0, 70))
    stamp = panel(120, 30, face="red1", edge="red3", light="red4")
    draw_text(stamp, (60, 15), "BETA BUILD", 14, col("white"), shadow=col("ink"))
    img.alpha_composite(stamp, (W // 2 - 60, 140))
    draw_text(img, (W // 2, 196), "Work in progress: things may change or break.", 10, col("grey"))
    return img


def splash_best_experience():
    img = canvas(W, H, col("night"))
    d = ImageDraw.Draw(img)
    # a gamepad drawn in the palette
    cx, cy = W // 2, H // 2 - 20
    d.rounded_rectangle([cx - 50, cy - 22, cx + 50, cy + 22], 14, fill=col("ink"))
    d.rounded_rectangle([cx - 48, cy - 20, cx + 48, cy + 20], 12, fill=col("steel2"))
    d.ellipse([cx - 58, cy - 8, cx - 26, cy + 34], fill=col("steel2"), outline=col("ink"))
    d.ellipse([cx + 26, cy - 8, cx + 58, cy + 34], fill=col("steel2"), outline=col("ink"))
    d.rectangle([cx - 38, cy - 3, cx - 22, cy + 3], fill=col("ink"))
    d.rectangle([cx - 33, cy - 8, cx - 27, cy + 8], fill=col("ink"))
    for (bx, by, c) in ((30, -6, "gold1"), (38, 2, "red2"), (22, 2, "blue2"), (30, 10, "green2")):
        d.ellipse([cx + bx - 3, cy + by - 3, cx + bx + 3, cy + by + 3], fill=col(c))
    draw_text(img, (W // 2, H // 2 + 50), "BEST EXPERIENCED WITH A GAMEPAD", 16, col("gold2"), shadow=col("ink"))
    draw_text(img, (W // 2, H // 2 + 72), "Keyboard: arrows move, Space jumps, F Q W E R fight, Tab swaps heroes",
              9, col("grey"))
    return img


def menu_background():
    img = scene("magitek")
    img = darken(img, 40)
    left = scene("slums").crop((0, 0, W // 2, H))
    img.alpha_composite(darken(left, 40), (0, 0))
    d = ImageDraw.Draw(img)
    d.line([(W // 2, 0), (W // 2, H)], fill=col("ink"), width=2)
    ground(img, "slums", H - 16)
    # heroes on either side of the menu column
    put_hero(img, "Thief", "idle", 0, W * 0.16, H - 16, scale=2)
    put_hero(img, "Mage", "idle", 0, W * 0.84, H - 16, flip=True, scale=2)
    # a dark column behind the buttons
    veil = canvas(150, H, (26, 20, 35, 150))
    img.alpha_composite(veil, (W // 2 - 75, 0))
    return img


def menu_title():
    return title_logo(size=40)


def game_over(hero):
    img = canvas(W, H, (26, 20, 35, 235))
    row = "dying"
    put_hero(img, hero, row, 5, W // 2, H // 2 + 40, scale=3)
    draw_text(img, (W // 2, 60), "GAME OVER", 36, col("red2"), shadow=col("ink"), stroke=1, stroke_fill=col("ink"))
    line = "The Thief has fallen." if hero == "Thief" else "The Mage has fallen."
    draw_text(img, (W // 2, 100), line, 12, col("white"), shadow=col("ink"))
    return img


CREDITS = [
    ("HARROWVALE", ["A 2D action game", "", "Design, code and data", "the harrowvale team"]),
    ("ART AND SOUND", ["Pictures drawn by the project's generators", "Music composed by the project's generators",
                       "Voices spoken with espeak-ng, shaped with SoX"]),
    ("BUILT WITH", ["GLFW, OpenGL, FreeType, LodePNG", "OpenAL Soft, libvorbis, RapidJSON",
                    "Font: DejaVu Sans Bold (Bitstream Vera licence)"]),
    ("THANK YOU FOR PLAYING", ["The slums are quiet again.", "", "Press Space to return to the menu"]),
]


def credits_page(k):
    title, lines = CREDITS[k]
    base = scene("slums" if k % 2 == 0 else "magitek")
    img = darken(base, 170)
    draw_text(img, (W // 2, 50), title, fit_size(title, 26, W - 40), col("gold2"), shadow=col("ink"))
    for i, ln in enumerate(lines):
        draw_text(img, (W // 2, 100 + i * 20), ln, 12, col("white"), shadow=col("ink"))
    if k == 0:
        put_hero(img, "Thief", "idle", 0, W * 0.2, H - 10, scale=2)
        put_hero(img, "Mage", "idle", 0, W * 0.8, H - 10, flip=True, scale=2)
    elif k == 3:
        put_hero(img, "Thief", "jump", 2, W * 0.35, H - 20, scale=2)
        put_hero(img, "Mage", "skill Freeze", 3, W * 0.65, H - 10, flip=True, scale=2)
    return img


def victory():
    img = scene("slums")
    img = darken(img, 50)
    ground(img, "slums", H - 16)
    put_hero(img, "Thief", "jump", 2, W * 0.42, H - 30, scale=2)
    put_hero(img, "Mage", "skill Shield", 3, W * 0.58, H - 16, flip=True, scale=2)
    draw_text(img, (W // 2, 56), "VICTORY!", 40, col("gold2"), shadow=col("ink"), stroke=1, stroke_fill=col("ink"))
    draw_text(img, (W // 2, 96), "The magitek works fall silent.", 12, col("white"), shadow=col("ink"))
    return img


def loading_screen():
    return canvas(W, H, col("ink"))


def loading_anim():
    img = canvas(120, 24)
    draw_text(img, (60, 12), "LOADING...", 14, col("gold2"), shadow=col("night"))
    return img


def skill_unlock(hero, name, k):
    import ui
    img = panel(160, 48, face="night", edge="gold2", light="gold3")
    icon = ui.skill_icon(hero, k)
    img.alpha_composite(icon, (10, 16))
    draw_text(img, (92, 14), "NEW SKILL", 10, col("gold2"))
    draw_text(img, (92, 30), name, fit_size(name, 11, 120), col("white"))
    return img


def generate():
    save(upscale(splash_main()), "Assets/Art/Splash/SplashScreen.png")
    save(upscale(splash_beta()), "Assets/Art/Splash/BetaSplashScreen.png")
    save(upscale(splash_best_experience()), "Assets/Art/Splash/BestExpSplashScreen.png")
    save(upscale(menu_background()), "Assets/Art/UI/MainMenu/Background.png")
    save(upscale(menu_title()), "Assets/Art/UI/MainMenu/Title.png")
    save(upscale(game_over("Thief")), "Assets/Art/Backgrounds/Game Over Screen Thief.png")
    save(upscale(game_over("Mage")), "Assets/Art/Backgrounds/Game Over Screen Mage.png")
    for k in range(4):
        save(upscale(credits_page(k)), "Assets/Art/Credits/Credits%d.png" % (k + 1))
    save(upscale(victory()), "Assets/Art/Backgrounds/Victory.png")
    save(upscale(loading_screen()), "Assets/Art/UI/LoadingScreen.png")
    save(upscale(loading_anim()), "Assets/Art/UI/LoadingAnim.png")
    for hero, name, k in (("Thief", "SHADOW DASH", 1), ("Thief", "KNIFE VOLLEY", 2), ("Thief", "BLADE WHIRL", 3),
                          ("Mage", "ARCANE SHIELD", 1), ("Mage", "CHAIN ZAP", 2), ("Mage", "DEEP FREEZE", 3)):
        save(upscale(skill_unlock(hero, name, k)), "Assets/Art/UI/SkillUnlock/%sSkill%d.png" % (hero, k))

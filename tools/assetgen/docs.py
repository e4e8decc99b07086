"""Writes docs/art.md and docs/audio-assets.md from the generators' own tables
(so the sheet layouts and file lists always match the files), then the
contact sheet."""
import os
import subprocess
import sys

from PIL import Image

import characters
import music
import voices
from pix import PX, ROOT

ART_HEAD = """# Art

Every picture under `Assets/Art/` is drawn by the generators in `tools/assetgen/`
(run `tools/generate_assets`; see `tools/install_asset_tools.sh` for the Debian
packages they use). The outputs are committed: playing and testing never need
the generators. `tools/contact_sheet.py` draws `docs/contact-sheet.png`, the
heroes, enemies, bosses, level pieces and interface together at half their
in-game size.

## Conventions

- One palette (`tools/assetgen/pix.py`, table `P`) and one pixel scale: every
  picture is drawn on a small logical canvas with hard edges, outlined in the
  ink colour, and enlarged {px} x with nearest-neighbour sampling. Particle
  textures follow the same rule.
- PNG files are upright: the first row of the file is the top on screen.
- An atlas is n x n equal cells; cell (column c, row r) is counted from the
  picture's top-left. Every cell keeps a transparent border of at least one
  screen pixel, so linear filtering never bleeds a neighbour into it.
- A `Transform` scale is half the drawn size. Each picture is made at the size
  the game draws it on a 1920 x 1080 screen (give or take the pixel scale), so
  a sprite drawn at its natural size has a scale of half its width and height.
- The four damage-digit sheets are 4 x 4 cells of 100 x 100 pixels: '0'-'3' on
  the bottom row (row 3) left to right, '4'-'7' on row 2, '8' and '9' at
  columns 0 and 1 of row 1; the top-left cell (any other character) is empty.
- Shields (`Assets/Art/Effects/Shield.png`, `ShieldBoss.png`) are 4 x 4 atlases
  of 300 x 300 cells; the game plays the bottom row (cells (0,3) to (3,3)).
- The speech bubble is nine 32 x 32 pieces (white with an ink edge, corners
  rounded) and a 64 x 64 tail whose upper half is white, so it covers the
  bubble's bottom edge where it joins.
- Bars (`HealthBar*`, `ManaBar*`) are 480 x 32 and stretched by the game:
  BG is the dark trough, Fill the coloured part, Border the gold frame (open in
  the middle) drawn on top.

## Character sheets

Each sheet is laid out in rows: row 0 idle, row 1 run, row 2 jump, row 3
attack, then one row per skill, then knock-back, then dying. Cells of a row run
from column 0; cells after the last frame of a row are empty. Characters face
right (the sprite pass mirrors a left-facing body) and stand with their soles
about 2 logical pixels (8 screen pixels) above the bottom of the cell, centred.
The cells of each row, in order: idle, a breathing loop of 4; run, a stride
loop of 8; jump, 4 cells: crouch before take-off, rising, top, falling (hold
the last one until landing); attack and every skill, 6 cells: wind-up, wind-up,
strike, strike (effect drawn in these), follow-through, recover; knock-back, 3
cells: hit, thrown back, recovering; dying, 6 cells: stagger, knees giving,
falling, down, lying, lying (the last two equal, to hold).
A suggested playback rate is 10 cells per second for idle, 14 for run, 12 for
attacks and skills, 8 for knock-back and dying (dying ends on its last cell,
the body lying on the ground).

"""


def sheet_table():
    out = []
    for name, path in characters.SHEET_PATHS.items():
        rows, style, cell, n = characters.sheet_layout(name)
        px = cell * PX
        out.append("### %s\n\n`%s`: %d x %d cells of %d x %d pixels (%d x %d in all).\n" %
                   (name, path, n, n, px, px, n * px, n * px))
        out.append("| row | animation | cells (columns) |\n|---|---|---|")
        for r, (rname, frames, fn) in enumerate(rows):
            out.append("| %d | %s | %d (0-%d) |" % (r, rname, frames, frames - 1))
        out.append("")
    return "\n".join(out)


LOOKS_TEXT = """Who is who: **Thief**, hooded green cloak, red scarf, two daggers (skills:
Dash, Knives, RadialAoE); **Mage**, blue robe and pointed hat, staff with an ice
crystal (Shield, Zap, Freeze); **SlumBrute**, bare-armed thug with a club
(Charge); **SlumSlinger**, hooded scavenger with a sling (Volley);
**MagitekAndroidRed**, red armoured android with an arm blade (Dash,
EyeLaser); **FinalBoss**, crowned purple sorcerer with a scepter and red cape
(Orb, Dash, Shield, Recovery, Summon); **LaserBoss**, heavy gold and steel
machine with an arm cannon (Charge, Laser).
"""

LEVEL_TEXT = """## Level art

| file | size | use |
|---|---|---|
| `Assets/Art/Backgrounds/SlumsSky.png` | 1920 x 1080 | farthest layer: dusk sky, sun, clouds (opaque) |
| `Assets/Art/Backgrounds/SlumsFar.png` | 1920 x 1080 | roofline silhouettes, transparent above |
| `Assets/Art/Backgrounds/SlumsNear.png` | 1920 x 1080 | brick tenements, balconies, washing lines |
| `Assets/Art/Backgrounds/MagitekSky.png` | 1920 x 1080 | smoggy red glow under ceiling girders (opaque) |
| `Assets/Art/Backgrounds/MagitekFar.png` | 1920 x 1080 | factory silhouettes, smokestacks, red lights |
| `Assets/Art/Backgrounds/MagitekNear.png` | 1920 x 1080 | dark columns, pipes, red neon signs |
| `Assets/Art/Backgrounds/SlumsSkyTop.png`, `MagitekSkyTop.png` | 1920 x 1080 | above the sky: night with stars / the works' roof trusses; its bottom row meets the sky's top (opaque) |
| `Assets/Art/Level/SlumsFloor.png`, `MagitekFloor.png` | 256 x 64 | ground strip, tiles sideways; walking surface on the top edge |
| `Assets/Art/Level/SlumsUnderground.png`, `MagitekUnderground.png` | 256 x 512 | under the ground strip: foundations / the floor's columns and pipes, darkening downward (opaque) |
| `Assets/Art/Level/SlumsPlatform.png`, `MagitekPlatform.png` | 192 x 40 | one platform piece; place side by side |
| `Assets/Art/Level/SlumsWall.png`, `MagitekWall.png` | 128 x 256 | wall section, tiles up and down |
| `Assets/Art/Level/SlumsPortal.png`, `MagitekPortal.png` | 160 x 256 | level exit arch |
| `Assets/Art/Level/GoImage.png` | 256 x 128 | "GO" arrow shown when the exit opens |

Every background tiles horizontally (parallax sprites repeat it). Suggested
parallax speeds: sky 0.1, far 0.3, near 0.6; as a parallax sprite give it a
scale of 960 x 540 so one copy covers the screen. The camera has no vertical
bound, so the levels put the sky's top picture right above the sky (same speed)
and the underground right under the floor strip (drawn 256 px tall): a camera
raised by a jump or recentred after a swap shows art, never black.

## Screens

| file | what |
|---|---|
| `Assets/Art/Splash/SplashScreen.png` | title art: the heroes on a dusk rooftop under the HARROWVALE logo |
| `Assets/Art/Splash/BetaSplashScreen.png` | logo and a BETA BUILD stamp |
| `Assets/Art/Splash/BestExpSplashScreen.png` | "best experienced with a gamepad" with the keyboard controls |
| `Assets/Art/UI/MainMenu/Background.png` | menu background: Slums left, Magitek right, heroes either side, dark column in the middle for the buttons |
| `Assets/Art/UI/MainMenu/Title.png` | 1920-wide logo, transparent around the letters |
| `Assets/Art/UI/Menu UI/NewGame.png`, `Continue`, `Options`, `Credits`, `Exit` (+ `Selected`) | 400 x 100 menu buttons |
| `Assets/Art/UI/Menu UI/NewGameConfirmationBG.png` | 512 x 256 "start a new game?" panel for the yes/no buttons |
| `Assets/Art/UI/Menu UI/Cursor.png` | 40 x 40 selection arrow |
| `Assets/Art/Backgrounds/Game Over Screen Thief.png`, `... Mage.png` | full screen, the fallen hero under GAME OVER |
| `Assets/Art/Credits/Credits1.png` .. `Credits4.png` | the four credits pictures |
| `Assets/Art/Backgrounds/Victory.png` | victory picture |
| `Assets/Art/UI/LoadingScreen.png` | 1920 x 1080 ink-black fade picture |
| `Assets/Art/UI/LoadingAnim.png` | 480 x 96 "LOADING..." |
| `Assets/Art/UI/SkillUnlock/ThiefSkill1.png` .. `MageSkill3.png` | 640 x 192 "NEW SKILL" panels |
| `Assets/Art/Effects/BossOrb.png`, `ThiefKnife.png`, `SlingStone.png`, `AndroidBolt.png`, `Impact.png`, `IceBurst.png` | projectiles and hit pictures for weapons |

"""


def file_list(folder, exts):
    rows = []
    base = os.path.join(ROOT, folder)
    for dirpath, _, files in sorted(os.walk(base)):
        for f in sorted(files):
            if os.path.splitext(f)[1] not in exts:
                continue
            p = os.path.join(dirpath, f)
            rel = os.path.relpath(p, ROOT)
            if f.endswith(".png"):
                w, h = Image.open(p).size
                rows.append("| `%s` | %d x %d |" % (rel, w, h))
            else:
                rows.append("| `%s` | %s |" % (rel, os.path.getsize(p)))
    return rows


def write_art():
    text = ART_HEAD.format(px=PX) + LOOKS_TEXT + "\n" + sheet_table() + "\n" + LEVEL_TEXT
    text += "## Every picture\n\n| path | size (pixels) |\n|---|---|\n"
    text += "\n".join(file_list("Assets/Art", {".png"})) + "\n"
    with open(os.path.join(ROOT, "docs", "art.md"), "w", encoding="utf-8") as f:
        f.write(text)


AUDIO_HEAD = """# Sound

All sound under `Assets/Audio/` is made by the generators in `tools/assetgen/`
(`sfx.py` synthesises the effects with numpy, `voices.py` speaks the lines with
espeak-ng and shapes them with SoX, `music.py` composes and renders the music)
and encoded with `oggenc` at fixed serial numbers, so `tools/generate_assets`
gives the same files each time. Everything is OGG Vorbis at 44.1 kHz: effects
and voices mono, music stereo. Peak levels: voices -1 dBFS, effects about
-4.4 dBFS, music about -3 dBFS, so voices sit above effects and nothing clips.
`tools/check_music_loops.py` (and the `AssetsAudio` test) checks that the layers
of each layered piece have the same length and that every loop joins without a
click: every loop is rendered circularly (notes and echoes that pass the end
continue at the start).

## Music

| file | use | tempo | length |
|---|---|---|---|
| `Assets/Audio/BGM/MenuTheme.ogg` | main menu loop | {MenuTheme} bpm | 8 bars |
| `Assets/Audio/BGM/SlumsBase.ogg`, `SlumsLead1.ogg`, `SlumsLead2.ogg` | Slums `DynamicBGM` "base", "lead1" (plucked, the Thief), "lead2" (bells, the Mage) | {Slums} bpm ("bpm": {Slums}) | 8 bars, 19.2 s each |
| `Assets/Audio/BGM/MagitekBase.ogg`, `MagitekLead1.ogg`, `MagitekLead2.ogg` | Magitek `DynamicBGM` layers | {Magitek} bpm ("bpm": {Magitek}) | 16 bars, 32 s each |
| `Assets/Audio/BGM/BossBase.ogg` | boss `TransitionalBGM` "base" loop | {Boss} bpm | 8 bars, 15 s |
| `Assets/Audio/BGM/BossTransition.ogg` | its "transition", played once (a four-bar build-up) | {Boss} bpm | 7.5 s |
| `Assets/Audio/BGM/BossNext.ogg` | its "next" loop | {Boss} bpm | 8 bars, 15 s |
| `Assets/Audio/BGM/Credits.ogg` | credits loop | {Credits} bpm | 8 bars |
| `Assets/Audio/BGM/Silence.ogg` | one second of silence (death menu) | - | 1 s |

Every loop's loop points are its whole length ("loopStartPoint" and
"loopEndPoint" -1).

## Effects

| file | what | suggested use |
|---|---|---|
| `UI_Move.ogg`, `UI_Click.ogg` | menu move and confirm | menus |
| `Dialogue_Play.ogg` | one letter of a speech bubble | dialogue |
| `Swap.ogg` | hero swap | party swap |
| `NoMana.ogg` | two low blips | not enough mana |
| `Footstep1.ogg`-`Footstep3.ogg` | steps on wood and brick | "sfx_walking" in the Slums |
| `FootstepMetal1.ogg`, `FootstepMetal2.ogg` | steps on steel | "sfx_walking" in the Magitek works, androids |
| `Jump.ogg`, `Land.ogg` | jump whoosh, landing thud | "sfx_onJump" |
| `Hit1.ogg`, `Hit2.ogg` | body hits | "sfx_onDamageTaken", "sfx_onDamageTaken_2", damage effects' "sfx_onResolve" |
| `MetalHit1.ogg`, `MetalHit2.ogg` | hits on machines | androids, laser boss |
| `ThiefSlash.ogg`, `ThiefDash.ogg`, `ThiefKnivesThrow.ogg`, `KnifeImpact.ogg`, `ThiefWhirl.ogg` | thief weapons | "sfx_onCast" / impacts |
| `MageCast.ogg`, `MageBoltFire.ogg`, `MageImpact.ogg`, `MageShield.ogg`, `MageZap.ogg`, `MageFreeze.ogg` | mage weapons | |
| `Heal.ogg`, `ShieldBreak.ogg` | heals, a shield breaking | |
| `ClubSwing.ogg`, `SlingThrow.ogg`, `AndroidBlade.ogg`, `AndroidDash.ogg` | enemy weapons | |
| `BossOrbCast.ogg`, `BossOrbImpact.ogg`, `BossDash.ogg`, `BossShield.ogg`, `BossHeal.ogg`, `Summon.ogg` | final boss skills | |
| `LaserCharge.ogg`, `LaserFire.ogg` | the laser boss's beam | |
| `PortalOpen.ogg` | the exit opening | |

All under `Assets/Audio/SFX/`.

## Voices

Three voices: the Thief (espeak-ng `en-us+f4`, high and quick, brightened),
the Mage (`en-gb-x-rp+m3`, slower, lowered, with a light chorus) and the Boss
(`en-gb+m1`, pitched far down, overdriven, in a large room). Every file is under
`Assets/Audio/VA/`.

| file | line |
|---|---|
"""


def write_audio():
    text = AUDIO_HEAD.format(**music.TEMPO)
    for name, line in voices.LINES.items():
        text += "| `%s.ogg` | %s |\n" % (name, line)
    text += "\n## Every sound file\n\n| path | bytes |\n|---|---|\n"
    text += "\n".join(file_list("Assets/Audio", {".ogg"})) + "\n"
    with open(os.path.join(ROOT, "docs", "audio-assets.md"), "w", encoding="utf-8") as f:
        f.write(text)


def generate():
    os.makedirs(os.path.join(ROOT, "docs"), exist_ok=True)
    write_art()
    write_audio()
    subprocess.run(["/usr/bin/python3", os.path.join(ROOT, "tools", "contact_sheet.py")], check=True)

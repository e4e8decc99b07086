"""Writes the level, story and victory scenes and the summon prefab from the compact
descriptions below. Run tools/generate_levels; the written files are committed and are
what the game reads.

Play order (scene index): 6 -> 10 -> 11 -> 1 -> 4 -> 12 -> 14 -> 13 -> 15 -> 16 -> 17 -> 7."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from scene import Scene, transform, sprite, screen_sprite, fader  # noqa: E402
from skeleton import Level, GROUND, dynamic_music, boss_music, plain_music  # noqa: E402
import units  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SCENES = os.path.join(ROOT, "Assets", "Scenes")
MODAL, END_GROUP, EXIT = 2, 1, 4


def opening(theme, width, next_scene, skills, unlock, lines):
    """A level with the theme's layered music, its conversation opening with `lines`
    ((speaker, text) or (speaker, text, flags))."""
    lv = Level(theme, width, next_scene, dynamic_music(theme), skills=skills, unlock=unlock)
    for line in lines:
        lv.scene.say(*line)
    return lv


def course(lv, platforms, enemies):
    """The platforms ((x, top) or (x, top, pieces)), then the enemies ((kind, x) or
    (kind, x, {extra keys})), left to right."""
    for platform in platforms:
        lv.platform(*platform)
    for kind, x, *keys in enemies:
        lv.enemy(kind, x, **(keys[0] if keys else {}))


def slums_1():
    lv = opening("Slums", 5200, 10, (1, 0), "ThiefSkill1", [
        ("Thief", "Another night in the slums of Harrowvale. The brutes are shaking down the bakery again."),
        ("Mage", "Then we remind them who keeps watch over these streets."),
        ("Thief", "Arrows to run, Space to jump, F to strike. Tab hands the lead to you."),
        ("Mage", "And Escape if you need a breather. East, to the gate!"),
        ("Thief", "I still have my old trick: Q dashes straight through them.", MODAL | END_GROUP),
        ("Mage", "Strike to win back mana. Every skill waits for its cooldown.", 0),
    ])
    lv.trigger(1300, 60, {"class": "TriggerDialogueNext"})
    course(lv, [(1700, 720), (2600, 700, 3)],
           [("SlumBrute", 2000), ("SlumSlinger", 2900, {"top": 700, "patrol": 120}), ("SlumBrute", 3600)])
    lv.portal(4800, 10)
    return lv.scene


def slums_2():
    lv = opening("Slums", 5800, 11, (1, 1), "MageSkill1", [
        ("Mage", "They came from the canal district. Someone is paying them."),
        ("Thief", "Paying them in Magitek coin. Look at these stamps."),
        ("Mage", "I can ward us both now. Q raises my shield over the whole party.", MODAL),
    ])
    course(lv, [(1500, 700), (3100, 720, 3)],
           [("SlumBrute", 1900), ("SlumSlinger", 2500), ("SlumBrute", 3300), ("SlumSlinger", 4000),
            ("SlumBrute", 4600)])
    lv.portal(5400, 11)
    return lv.scene


def slums_3():
    lv = opening("Slums", 6200, 1, (2, 1), "ThiefSkill2", [
        ("Thief", "The rooftops lead straight to the works' back gate."),
        ("Mage", "Slingers up there. Keep your head low."),
        ("Thief", "Knives out. W throws a volley of three.", MODAL),
    ])
    course(lv, [(1000, 740), (1500, 590), (2100, 720, 3), (2900, 580, 2), (3600, 720, 3), (4400, 600, 2)],
           [("SlumSlinger", 1700, {"top": 590, "patrol": 100}), ("SlumBrute", 2500),
            ("SlumSlinger", 3100, {"top": 580, "patrol": 100}), ("SlumBrute", 4000),
            ("SlumSlinger", 4600, {"top": 600, "patrol": 100})])
    lv.block(5500, 760, 350)            # the gate stands on a raised street
    lv.portal(5750, 1, top=760)
    return lv.scene


def magitek_1():
    lv = opening("Magitek", 5800, 4, (2, 2), "MageSkill2", [
        ("Mage", "The Magitek works. The air tastes of copper."),
        ("Thief", "Red androids. They do not tire and they do not bribe."),
        ("Mage", "Then they conduct. W calls the lightning down ahead of me.", MODAL),
    ])
    course(lv, [(1800, 700, 3), (3600, 700, 2)],
           [("AndroidBlade", 2000), ("AndroidBlade", 2900), ("AndroidBolt", 3800), ("AndroidBlade", 4500)])
    lv.portal(5400, 4)
    return lv.scene


def magitek_2():
    lv = opening("Magitek", 6200, 12, (3, 2), "ThiefSkill3", [
        ("Thief", "The assembly halls. Every line builds more of them."),
        ("Mage", "Someone here gives the orders. We follow the cables upward."),
        ("Thief", "Crowded? E spins me through the lot of them.", MODAL),
    ])
    course(lv, [(1400, 720), (2300, 600, 2), (3300, 700, 3)],
           [("AndroidBlade", 1800), ("AndroidBolt", 2500), ("AndroidBlade", 3200), ("AndroidBolt", 4100),
            ("AndroidBlade", 4900)])
    lv.portal(5800, 12)
    return lv.scene


def magitek_3():
    lv = opening("Magitek", 6600, 14, (3, 3), "MageSkill3", [
        ("Mage", "The foundry floor. Listen: something heavy is pacing above us."),
        ("Thief", "Two of them are waiting in the dark over there. I can feel it."),
        ("Mage", "Let them wait. E freezes whatever stands in front of me.", MODAL | END_GROUP),
        ("Thief", "Ambush! Back to back!", 0),
    ])
    s = lv.scene
    course(lv, [(1500, 700, 3), (2800, 600, 2)],
           [("AndroidBlade", 1900), ("AndroidBolt", 2600), ("AndroidBlade", 3500)])
    ambush = [lv.enemy(kind, x, chase_at_once=True) for kind, x in (("AndroidBlade", 5200), ("AndroidBolt", 5500))]
    for oid in ambush:
        s.components[[i for i, c in enumerate(s.components)
                      if c["gameObjectID"] == oid and c["class"] == "EnemyBehaviour"][0]]["enabled"] = 0
    lv.trigger(4500, 60, {"class": "TriggerDialogueNext"})
    for oid in ambush:
        lv.trigger(4500, 60, {"class": "TriggerEnableEnemyBehaviour", "target": oid, "enable": 1})
    lv.portal(6200, 14)
    return s


def magitek_laser():
    lv = Level("Magitek", 3000, 13, dynamic_music("Magitek"))
    s = lv.scene
    boss_x = 2300
    boss = s.add("EnemyLaser", *units.laser_boss(boss_x, GROUND - 100), tag="Laser Boss")
    # The machine speaks and turns to fire only once a hero has come near enough for the
    # camera to show it: from the level's start it stands a screen and more away.
    in_view_from = 2020
    s.say("Mage", "Androids ahead, and something heavy humming behind them. Stay sharp.", MODAL | END_GROUP)
    s.say("Thief", "That is no android. That is a siege engine.")
    s.say("EnemyLaser", "INTRUDERS. CHARGING BEAM.", MODAL, dx=-110, dy=-260)
    s.say("Mage", "When it glows, get above it or behind it!", MODAL)
    lv.trigger(in_view_from + 60, 60, {"class": "TriggerDialogueNext"})
    lv.face_the_heroes(boss, boss_x, 0, 2700, in_view_from=in_view_from)
    lv.platform(900, 640, 2)
    lv.platform(1500, 560, 2)
    lv.enemy("AndroidBlade", 1200)
    lv.enemy("AndroidBolt", 1800)
    lv.portal(2750, 13)
    return s


def magitek_boss():
    lv = Level("Magitek", 2400, 15, boss_music())
    s = lv.scene
    boss_x = 1800
    boss = s.add("Boss", *units.final_boss(boss_x, GROUND - 100), tag="MagitekBoss")
    # The arena is open floor: the boss stands too tall to fight under a platform, and a
    # hero on one over its head could neither strike it nor be struck.
    for x, top in ((700, GROUND), (1300, GROUND), (2150, GROUND)):
        s.add("SummonMarker", transform(x, top - 100, 100, 100),
              sprite("Assets/Art/Particles/BossSpawnBase.png", 1, alpha=0),
              fader(0, 100, 1.0, fadeBackAfterDelay=1, fadeBackDelay=1.0), tag="SummonMarker")
    s.say("Boss", "So the gutter sends its last two heroes. How touching.", MODAL, dy=-280)
    s.say("Thief", "You emptied the slums to feed your machines.")
    s.say("Boss", "I gave them purpose. Now I shall give you yours: scrap.", MODAL, dy=-280)
    s.say("Mage", "Together, then. One last time!")
    lv.face_the_heroes(boss, boss_x, 0, 2350)
    return s


def conversation(theme, next_scene, music, lines, width=1920):
    lv = Level(theme, width, next_scene, plain_music(music), start_x=900)
    for i, (speaker, text) in enumerate(lines):
        last = i == len(lines) - 1
        lv.scene.say(speaker, text, MODAL | (EXIT if last else 0))
    return lv.scene


def after_boss():
    return conversation("Magitek", 16, "MagitekBase.ogg", [
        ("Mage", "It is over. His works will fall silent without him."),
        ("Thief", "Silent? Listen. The furnaces are still running hot."),
        ("Mage", "With no hand on the valves... the whole foundry will blow."),
        ("Thief", "Then we run. Now!"),
    ])


def escape_run():
    lv = Level("Magitek", 4200, 17, dynamic_music("Magitek"))
    s = lv.scene
    s.say("Mage", "The exit is past the loading docks. Do not stop!", 0)
    lv.platform(1300, 740, 2)
    lv.block(2200, 780, 200)
    lv.platform(2900, 700, 2)
    lv.portal(3900, 17)
    return s


def epilogue():
    return conversation("Slums", 7, "MenuTheme.ogg", [
        ("Thief", "Home. Smoke over the works, bread in the ovens."),
        ("Mage", "The brutes went quiet the moment the coin stopped."),
        ("Thief", "Harrowvale will not thank us, you know."),
        ("Mage", "It never does. Same time tomorrow night?"),
        ("Thief", "Wouldn't miss it."),
    ])


def victory():
    s = Scene()
    s.add("Victory", transform(960, 540, 960, 540), screen_sprite("Assets/Art/Backgrounds/Victory.png", 0, alpha=0),
          fader(0, 100, 1.0, fadeOnStart=1, fadeBackAfterDelay=1, fadeBackDelay=5.0, sceneTransit=1),
          {"class": "SceneTransition", "sceneIndex": 5, "spaceToTransit": 1})
    return s


def summon_prefab():
    s = Scene()
    parts = units.enemy_parts("AndroidBlade", 0, 0, units.SFX + "FootstepMetal1.ogg", chase_at_once=True)
    parts[1]["alpha"] = 0  # the summon fades it in
    s.add("SummonedAndroid", *parts, tag="Enemy")
    return s


SCENES_BY_FILE = {
    "1_Slums": slums_1, "2_Slums": slums_2, "3_Slums": slums_3,
    "6_Magitek": magitek_1, "7_Magitek": magitek_2, "8_Magitek": magitek_3,
    "9_Magitek": magitek_laser, "10_Magitek": magitek_boss, "10b_Magitek": after_boss,
    "10c_Magitek": escape_run, "11_Epilogue": epilogue, "YouWon": victory,
}


def main():
    for name, build in SCENES_BY_FILE.items():
        with open(os.path.join(SCENES, name + ".scene"), "w") as f:
            f.write(build().text())
    os.makedirs(os.path.join(ROOT, "Assets", "Prefabs"), exist_ok=True)
    with open(os.path.join(ROOT, units.SUMMON_PREFAB), "w") as f:
        f.write(summon_prefab().prefab_text())


if __name__ == "__main__":
    main()

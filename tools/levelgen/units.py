"""The fighters: heroes, enemies and bosses, each a list of components and a weapon set.

Units stand with their feet 100 px below their Transform (the navigation reference):
a circle of radius r with a y offset of 100 - r puts its bottom there."""
import copy
import json
import os

from scene import transform, sprite

HERE = os.path.dirname(os.path.abspath(__file__))
TEMPLATES = os.path.join(HERE, "..", "..", "docs", "animation-templates")
CHAR = "Assets/Art/Characters/"
SFX = "Assets/Audio/SFX/"
FX = "Assets/Art/Effects/"


# ---- effects -------------------------------------------------------------------------
def damage(name, lo, hi, sound=SFX + "Hit1.ogg"):
    return {"name": name, "effectType": 1, "resolveType": 1, "minDamage": lo, "maxDamage": hi,
            "sfx_onResolve": sound, "sfx_onResolve_2": SFX + "Hit2.ogg", "sfx_onResolve_vol": 0.45}


def mana_vamp(name, amount):
    return {"name": name, "effectType": 3, "resolveType": 1, "manavampAmount": amount}


def dash(name, speed, time, caster=False, gravity=0, fade=0):
    e = {"name": name, "effectType": 2, "resolveType": 3, "duration": time, "tickTime": 0,
         "velocityX": speed, "useGravityWhenMoving": gravity, "alphaFadeWhenMoving": fade}
    if caster:
        e["targetCasterInstead"] = 1
    return e


# ---- weapons -------------------------------------------------------------------------
def weapon(name, kind, cast, vfx, cooldown, effects, group=1, mana=0, cast_sound="", **keys):
    w = {"name": name, "weaponType": kind, "castTime": cast, "vfxDuration": vfx, "cooldown": cooldown,
         "targetGroup": group, "manaCost": mana, "sfx_onCast": cast_sound, "sfx_onCast_vol": 0.5,
         "effects": effects}
    w.update(keys)
    return w


def melee(name, cast, vfx, cooldown, effects, radius, ahead, up=20, hits=1, life=0.2, tick=0.05, **keys):
    return weapon(name, 1, cast, vfx, cooldown, effects, colliderType=1, colDim1=radius, colDim2=radius,
                  lifetime=life, tickInterval=tick, collisionsBeforeDestroy=hits, offsetX=ahead,
                  offsetY=up, imgOnDestroy=FX + "Impact.png", imgOnDestroyTime=0.15, **keys)


def beam(name, cast, vfx, cooldown, effects, half_w, half_h, ahead, life, tick, up=20, **keys):
    return weapon(name, 1, cast, vfx, cooldown, effects, colliderType=2, colDim1=half_w, colDim2=half_h,
                  lifetime=life, tickInterval=tick, collisionsBeforeDestroy=-1, offsetX=ahead, offsetY=up,
                  **keys)


def shot(name, cast, vfx, cooldown, effects, picture, half_w, half_h, speed, count=1, gap=0.5,
         drop=0.0, up=10, **keys):
    """A projectile: a box the size of its picture, flying at `speed`, falling by `drop` px/s²."""
    return weapon(name, 2, cast, vfx, cooldown, effects, colliderType=2, colDim1=half_w, colDim2=half_h,
                  lifetime=1.6, tickInterval=0.02, collisionsBeforeDestroy=1, offsetX=70, offsetY=up,
                  velocityX=speed, velocityY=-drop * 0.25 if drop else 0.0,
                  minAccelerationY=drop, maxAccelerationY=drop, imgProjectile=picture,
                  numProjectiles=count, launchInterval=gap, **keys)


def self_skill(name, cast, vfx, cooldown, effects, mana=0, cast_sound=""):
    return weapon(name, 3, cast, vfx, cooldown, effects, group=0, mana=mana, cast_sound=cast_sound)


THIEF_WEAPONS = [
    melee("ThiefAutoAttack", 0.15, 0.1, 0.4, [damage("ThiefSlashHit", 12, 20), mana_vamp("ThiefSlashMana", 6)],
          radius=75, ahead=80, cast_sound=SFX + "ThiefSlash.ogg"),
    self_skill("ThiefDash", 0.05, 0.25, 3.0,
               [dash("ThiefDashMove", 1400, 0.2, fade=1),
                {"name": "ThiefDashGuard", "effectType": 4, "resolveType": 3, "duration": 0.25, "tickTime": 1},
                {"name": "ThiefDashCut", "effectType": 10, "resolveType": 3, "duration": 0.25, "tickTime": 1,
                 "minDamage": 15, "maxDamage": 25, "colliderRadius": 90, "tickRate": 0.1}],
               mana=20, cast_sound=SFX + "ThiefDash.ogg"),
    shot("ThiefKnives", 0.2, 0.1, 2.5, [damage("ThiefKnifeHit", 10, 16, SFX + "KnifeImpact.ogg")],
         FX + "ThiefKnife.png", 32, 16, 1150, count=3, gap=0.12, mana=15, cast_sound=SFX + "ThiefKnivesThrow.ogg"),
    melee("ThiefRadialAoE", 0.3, 1.0, 6.0, [damage("ThiefWhirlHit", 8, 14)], radius=230, ahead=0, hits=-1,
          life=1.0, tick=0.25, mana=35, cast_sound=SFX + "ThiefWhirl.ogg"),
]

MAGE_WEAPONS = [
    shot("MageAutoAttack", 0.25, 0.1, 0.6,
         [damage("MageBoltHit", 10, 18, SFX + "MageImpact.ogg"), mana_vamp("MageBoltMana", 8)],
         FX + "MageProjectile.png", 28, 28, 900, cast_sound=SFX + "MageBoltFire.ogg"),
    weapon("MageShield", 4, 0.3, 0.2, 8.0,
           [{"name": "MageShieldFx", "effectType": 5, "resolveType": 1, "duration": 6.0, "shieldAmount": 60}],
           group=0, mana=30, cast_sound=SFX + "MageShield.ogg", targetTeam=1),
    beam("MageZap", 0.4, 0.5, 4.0, [damage("MageZapHit", 20, 30, SFX + "MageImpact.ogg")], 170, 120, 320,
         life=0.25, tick=0.1, mana=25, cast_sound=SFX + "MageZap.ogg"),
    melee("MageFreeze", 0.5, 0.3, 9.0,
          [{"name": "MageFrozen", "effectType": 8, "resolveType": 3, "duration": 3.0, "tickTime": 10,
            "apply": 1, "applyFlags": 11}, damage("MageFreezeHit", 5, 10)],
          radius=220, ahead=160, hits=-1, life=0.3, tick=0.1, mana=40, cast_sound=SFX + "MageFreeze.ogg"),
]


# ---- animators -----------------------------------------------------------------------
def animator(template, rows=None):
    """A template animator with its sheet rows moved: rows maps template row -> sheet row."""
    with open(os.path.join(TEMPLATES, template + ".json")) as f:
        anim = json.load(f)
    rows = rows or {}
    for node in anim["nodes"]:
        node["startY"] = rows.get(node["startY"], node["startY"])
        node["endPosY"] = rows.get(node["endPosY"], node["endPosY"])
    anim.pop("gameObjectID", None)
    return anim


# ---- bodies --------------------------------------------------------------------------
def body(x, y, atlas, cells, half, radius):
    return [transform(x, y, half, half),
            sprite(CHAR + atlas, 3, textureAtlas=1, numSprites=cells),
            {"class": "CircleCollider", "radius": radius, "yOffset": 100 - radius},
            {"class": "RigidBody"}]


# A boss's picture is drawn at half its cell size again over a hero's (a 72-cell sheet on a
# 368 px quad); its feet sit 174 px below the centre of the quad, so its Transform stands
# that high above the ground rather than the 100 px of everyone else.
BOSS_HALF = 184
BOSS_FEET = 174


def boss_body(x, y, atlas, cells, radius):
    """A boss standing where a unit's Transform at (x, y) would stand (feet at y + 100)."""
    top = y + 100 - BOSS_FEET
    return [transform(x, top, BOSS_HALF, BOSS_HALF),
            sprite(CHAR + atlas, 3, textureAtlas=1, numSprites=cells),
            {"class": "CircleCollider", "radius": radius, "yOffset": BOSS_FEET - radius},
            {"class": "RigidBody"}]


def unit(team, health, mana, speed, jump, weapons, steps, knock=12, **keys):
    u = {"class": "CombatUnit", "team": team, "currentHealth": health, "maxHealth": health,
         "currentMana": mana, "maxMana": mana, "movementSpeed": speed, "jumpHeight": jump,
         "minDamageToKnockback": knock, "knockbackDuration": 0.3,
         "sfx_walking": steps, "sfx_walking_vol": 0.3, "sfx_walking_interval": 0.3,
         "sfx_onJump": SFX + "Jump.ogg", "sfx_onJump_vol": 0.4,
         "sfx_onDamageTaken": SFX + "Hit1.ogg", "sfx_onDamageTaken_2": SFX + "Hit2.ogg",
         "weapons": copy.deepcopy(weapons)}
    u.update(keys)
    return u


def voice():
    return {"class": "AudioSource", "filePath": "", "channelGroup": 1, "playOnAwake": 0}


def hero(name, x, y, skills, steps):
    """A hero with weapon 0 and `skills` more (the skills unlocked so far)."""
    thief = name == "Thief"
    weapons = (THIEF_WEAPONS if thief else MAGE_WEAPONS)[:1 + skills]
    return body(x, y, ("ThiefAtlas.png" if thief else "MageAtlas.png"), 9, 104, 60) + [
        unit(1, 300 if thief else 250, 100 if thief else 150, 400 if thief else 360, 950, weapons, steps,
             knock=20, playerControl=1 if thief else 0),
        {"class": "PlayerUnitController", "unitClass": 1 if thief else 0},
        {"class": "AIUnitController", "enemyAttackRange": 200},
        {"class": "NavMeshAgent"},
        animator("Hero"),
        voice(),
        {"class": "AudioListener", "enabled": 1 if thief else 0},
    ]


ENEMIES = {
    "SlumBrute": dict(atlas="SlumBruteAtlas.png", rows={}, health=80, speed=190, reach=170, aggro=450,
                      weapon=melee("BruteClub", 0.5, 0.4, 1.6,
                                   [damage("BruteClubHit", 10, 16), dash("BruteCharge", 700, 0.15, caster=True,
                                                                         gravity=1)],
                                   radius=70, ahead=80, cast_sound=SFX + "ClubSwing.ogg")),
    "SlumSlinger": dict(atlas="SlumSlingerAtlas.png", rows={}, health=60, speed=160, reach=600, aggro=520,
                        weapon=shot("SlingStone", 0.6, 0.3, 2.2, [damage("SlingStoneHit", 8, 12)],
                                    FX + "SlingStone.png", 16, 16, 700, drop=600, up=-10,
                                    cast_sound=SFX + "SlingThrow.ogg")),
    "AndroidBlade": dict(atlas="MagitekAndroidRedAtlas.png", rows={5: 6, 6: 7}, health=120, speed=260, reach=200,
                         aggro=500, weapon=melee("AndroidBlade", 0.4, 0.3, 1.4,
                                                 [damage("AndroidBladeHit", 12, 18, SFX + "MetalHit1.ogg"),
                                                  dash("AndroidLunge", 900, 0.2, caster=True, gravity=1)],
                                                 radius=75, ahead=90, cast_sound=SFX + "AndroidBlade.ogg")),
    "AndroidBolt": dict(atlas="MagitekAndroidRedAtlas.png", rows={5: 6, 6: 7}, health=100, speed=220, reach=650,
                        aggro=600, weapon=shot("AndroidBolt", 0.5, 0.3, 2.0, [damage("AndroidBoltHit", 10, 15)],
                                               FX + "AndroidBolt.png", 32, 16, 950,
                                               cast_sound=SFX + "AndroidDash.ogg")),
}


def enemy_parts(kind, x, y, steps, patrol=200, chase_at_once=False):
    e = ENEMIES[kind]
    behaviour = {"class": "EnemyBehaviour", "defaultState": 1 if chase_at_once else 0,
                 "aggroRange": 3000 if chase_at_once else e["aggro"], "resetTime": 3.0,
                 "targetActivePlayer": 1, "waypoint1X": x - patrol, "waypoint1Y": y,
                 "waypoint2X": x + patrol, "waypoint2Y": y}
    return body(x, y, e["atlas"], 8, 104, 60) + [
        unit(2, e["health"], 0, e["speed"], 900, [e["weapon"]], steps),
        {"class": "AIUnitController", "enemyAttackRange": e["reach"]},
        behaviour,
        {"class": "NavMeshAgent"},
        animator("Enemy", e["rows"]),
        voice(),
    ]


def standing_still():
    """Bosses carry a behaviour that never patrols or chases, so the heroes' AI sees them."""
    return {"class": "EnemyBehaviour", "defaultState": 2, "aggroRange": 0}


# A boss's weapons leave at the height of a hero's chest, as everyone else's do.
BOSS_CHEST = BOSS_FEET - 100 + 20


def laser_boss(x, y):
    weapons = [
        melee("LaserSlam", 0.6, 0.5, 2.5, [damage("LaserSlamHit", 18, 28, SFX + "MetalHit2.ogg")],
              radius=120, ahead=150, up=BOSS_CHEST, cast_sound=SFX + "MetalHit1.ogg"),
        beam("EnemyLaser", 3.0, 0.5, 12.0, [damage("EnemyLaserBurn", 8, 12)], 700, 50, 820,
             life=4.0, tick=0.4, up=BOSS_CHEST, cast_sound=SFX + "LaserCharge.ogg", va_onFire=SFX + "LaserFire.ogg"),
    ]
    return boss_body(x, y, "LaserBossAtlas.png", 8, 110) + [
        unit(2, 700, 0, 0, 0, weapons, SFX + "FootstepMetal2.ogg", knock=60),
        {"class": "AIUnitController", "enemyAttackRange": 260},
        standing_still(),
        animator("Boss", {3: 3, 4: 5, 5: 4, 6: 4, 9: 6, 10: 7}),
        voice(),
    ]


SUMMON_PREFAB = "Assets/Prefabs/SummonedAndroid.prefab"


def final_boss(x, y):
    weapons = [
        melee("FinalBoss_Autoattack", 0.4, 0.3, 1.5, [damage("BossStrikeHit", 15, 25)], radius=120, ahead=140,
              up=BOSS_CHEST),
        shot("FinalBoss_1_Orb", 0.5, 0.3, 4.0, [damage("BossOrbHit", 12, 18, SFX + "BossOrbImpact.ogg")],
             FX + "BossOrb.png", 28, 28, 650, count=3, gap=0.3, up=BOSS_CHEST - 10, cast_sound=SFX + "BossOrbCast.ogg"),
        self_skill("FinalBoss_2_Dash", 0.3, 0.4, 6.0,
                   [dash("BossDashMove", 1000, 0.35),
                    {"name": "BossDashCut", "effectType": 10, "resolveType": 3, "duration": 0.35, "tickTime": 1,
                     "minDamage": 12, "maxDamage": 18, "colliderRadius": 130, "tickRate": 0.2}],
                   cast_sound=SFX + "BossDash.ogg"),
        self_skill("FinalBoss_3_Shield", 0.5, 0.2, 18.0,
                   [{"name": "BossShieldFx", "effectType": 13, "resolveType": 1, "duration": 5.0},
                    {"name": "BossGuard", "effectType": 4, "resolveType": 3, "duration": 5.0, "tickTime": 10}],
                   cast_sound=SFX + "BossShield.ogg"),
        self_skill("FinalBoss_4_Recovery", 0.5, 3.0, 20.0,
                   [{"name": "BossRecovery", "effectType": 11, "resolveType": 3, "duration": 3.0, "tickTime": 0.5,
                     "healAmount": 40}], cast_sound=SFX + "BossHeal.ogg"),
        self_skill("FinalBoss_5_Summon", 1.5, 0.3, 25.0,
                   [{"name": "BossSummon", "effectType": 12, "resolveType": 3, "duration": 4.0, "tickTime": 1.2,
                     "positionMarkerTag": "SummonMarker", "prefabFilepath": SUMMON_PREFAB}],
                   cast_sound=SFX + "Summon.ogg"),
    ]
    return boss_body(x, y, "FinalBossAtlas.png", 11, 100) + [
        unit(2, 1200, 0, 0, 0, weapons, SFX + "FootstepMetal2.ogg", knock=80),
        {"class": "AIUnitController", "enemyAttackRange": 240},
        standing_still(),
        animator("Boss"),
        voice(),
    ]

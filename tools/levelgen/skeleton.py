"""What every level shares: game manager with its save manager, pause menu, camera, the two
heroes, the fades, three parallax layers, the music, the ground and the level's edges.

Coordinates: pixels, y down. The ground's top is at GROUND; a unit standing on a surface
at height h has its Transform at y = h - 100."""
from scene import Scene, transform, sprite, screen_sprite, fader, static_box, kinematic_body
import units

GROUND = 900
BGM = "Assets/Audio/BGM/"
ART = "Assets/Art/"

THEMES = {
    "Slums": dict(sky="SlumsSky", far="SlumsFar", near="SlumsNear", steps=units.SFX + "Footstep1.ogg"),
    "Magitek": dict(sky="MagitekSky", far="MagitekFar", near="MagitekNear",
                    steps=units.SFX + "FootstepMetal1.ogg"),
}


def dynamic_music(theme):
    return {"class": "DyanmicBGM", "base": f"{BGM}{theme}Base.ogg", "lead1": f"{BGM}{theme}Lead1.ogg",
            "lead2": f"{BGM}{theme}Lead2.ogg", "bpm": 100 if theme == "Slums" else 120, "volume": 0.8,
            "playOnAwake": 1, "loopStartPoint": -1, "loopEndPoint": -1}


def boss_music():
    return {"class": "TransitionalBGM", "base": BGM + "BossBase.ogg", "transition": BGM + "BossTransition.ogg",
            "next": BGM + "BossNext.ogg", "bpm": 128, "volume": 0.8, "playOnAwake": 1,
            "loopStartPoint": -1, "loopEndPoint": -1}


def plain_music(file):
    """Music for a scene that ends by a conversation: a plain looping source."""
    return {"class": "AudioSource", "filePath": BGM + file, "volume": 0.7, "channelGroup": 0, "loop": 1,
            "loopCount": -1, "audioType": 1, "playOnAwake": 1}


class Level:
    """A level scene being written; `next_scene` is where its exit fade leads."""

    def __init__(self, theme, width, next_scene, music, skills=(3, 3), unlock=None, start_x=420):
        self.scene = Scene()
        self.theme = THEMES[theme]
        self.theme_name = theme
        self.width = width
        s = self.scene
        s.add("GameManager", {"class": "GameManager", "saveScene": 1}, {"class": "SaveManager"})
        s.add("PauseMenu", {"class": "Canvas", "selectMode": 0, "enabled": 0}, {"class": "PauseMenu"})
        camera = s.add("MainCamera", transform(0, 0))
        thief = s.add("Thief", *units.hero("Thief", start_x, GROUND - 100, skills[0], self.theme["steps"]),
                      tag="Player")
        s.add("Mage", *units.hero("Mage", start_x - 120, GROUND - 100, skills[1], self.theme["steps"]),
              tag="Player")
        s.attach(camera, {"class": "Camera", "playerTransform": thief, "secondaryPlayerTransform": thief + 1,
                          "levelWidth": width, "screenWidth": 1920, "screenHeight": 1080})
        s.add("LoadingInScreen", transform(960, 540, 960, 540), screen_sprite(ART + "UI/LoadingScreen.png", 30),
              fader(100, 0, 1.0, fadeOnStart=1))
        s.add("LoadingOutScreen", transform(960, 540, 960, 540),
              screen_sprite(ART + "UI/LoadingScreen.png", 30, alpha=0),
              fader(0, 100, 1.0, sceneTransit=1),
              {"class": "SceneTransition", "sceneIndex": next_scene, "spaceToTransit": 0})
        s.add("LoadingOutAnim", transform(1640, 1000, 240, 48), screen_sprite(ART + "UI/LoadingAnim.png", 31, alpha=0),
              fader(0, 100, 1.0))
        for name, layer, speed in (("sky", -10, 0.1), ("far", -8, 0.3), ("near", -6, 0.6)):
            s.add(name.capitalize() + "Layer", transform(960, 540, 960, 540),
                  sprite(f"{ART}Backgrounds/{self.theme[name]}.png", layer, speed=speed, parallax=1))
        # The camera follows a hero up without bound: the sky goes on above its picture.
        s.add("SkyTopLayer", transform(960, -540, 960, 540),
              sprite(f"{ART}Backgrounds/{self.theme['sky']}Top.png", -10, speed=0.1, parallax=1))
        s.add("BGM", music)
        if unlock:
            s.add("SkillUnlock", transform(960, 230, 320, 96), screen_sprite(f"{ART}UI/SkillUnlock/{unlock}.png", 26,
                                                                             alpha=0),
                  fader(0, 100, 0.5))
        # The ground: one continuous box, its picture a strip tiled under the camera, and
        # walls at both ends of the level.
        s.add("Ground", transform(width / 2, GROUND + 50), static_box(width / 2 + 100, 50))
        s.add("GroundArt", transform(0, GROUND + 128, 128, 128),
              sprite(f"{ART}Level/{theme}Floor.png", 0, parallax=1))
        # Recentred after a swap the camera shows some 330 px below the ground's top:
        # the earth under the floor strip reaches far below that.
        s.add("UndergroundArt", transform(0, GROUND + 256 + 256, 128, 256),
              sprite(f"{ART}Level/{theme}Underground.png", 0, parallax=1))
        for name, x in (("LeftEdge", -40), ("RightEdge", width + 40)):
            s.add(name, transform(x, GROUND - 600, 40, 650), static_box(40, 650))

    # ---- geometry ------------------------------------------------------------------
    def platform(self, x, top, pieces=2):
        """A jump-through platform of `pieces` 192 px pieces, left edge at x, walking surface at top."""
        s = self.scene
        half = 96 * pieces
        s.add("Platform", transform(x + half, top + 20, half, 20), static_box(half, 20))
        for i in range(pieces):
            s.add("PlatformArt", transform(x + 96 + 192 * i, top + 20, 96, 20),
                  sprite(f"{ART}Level/{self.theme_name}Platform.png", 1))

    def block(self, x, top, half_width):
        """A solid block standing on the ground (a ledge): walls on both sides, a top to stand on."""
        half_h = (GROUND - top) / 2
        self.scene.add("Block", transform(x, top + half_h, half_width, half_h), static_box(half_width, half_h),
                       sprite(f"{ART}Level/{self.theme_name}Wall.png", 0))

    # ---- things in the level -------------------------------------------------------
    def enemy(self, kind, x, top=GROUND, **keys):
        return self.scene.add(kind, *units.enemy_parts(kind, x, top - 100, self.theme["steps"], **keys), tag="Enemy")

    def portal(self, x, next_scene, top=GROUND):
        s = self.scene
        s.add("Portal", transform(x, top - 600, 30, 600), static_box(30, 600),
              {"class": "Portal", "nextSceneIndex": next_scene})
        s.add("PortalArt", transform(x, top - 128, 80, 128), sprite(f"{ART}Level/{self.theme_name}Portal.png", 1))
        s.add("GoImage", transform(x, top - 330, 128, 64), sprite(ART + "Level/GoImage.png", 2))

    def trigger(self, x, half_width, *components, top=GROUND, name="Trigger"):
        return self.scene.add(name, transform(x, top - 200, half_width, 200),
                              {"class": "BoxCollider", "width": half_width, "height": 200}, kinematic_body(),
                              *components)

    def face_the_heroes(self, boss, boss_x, left_edge, right_edge, in_view_from=None):
        """Two areas that turn a standing boss toward the hero who stands in them. With
        `in_view_from`, the area on the left starts there, and a third area before it
        turns the boss away (right), so that it never fires at heroes who cannot see it;
        it comes first, so a hero in the area on the left wins."""
        if in_view_from is not None:
            self.trigger((left_edge + in_view_from) / 2, (in_view_from - left_edge) / 2,
                         {"class": "TriggerRigidbodyDirection", "target": boss, "left": 0,
                          "disableAfterTrigger": 0}, name="FaceTrigger")
            left_edge = in_view_from
        for lo, hi, left in ((left_edge, boss_x - 10, 1), (boss_x + 10, right_edge, 0)):
            self.trigger((lo + hi) / 2, (hi - lo) / 2,
                         {"class": "TriggerRigidbodyDirection", "target": boss, "left": left,
                          "disableAfterTrigger": 0}, name="FaceTrigger")

#!/usr/bin/env python3
"""Writes the menu and credits scene files (deterministic; run from anywhere).

Assets/Scenes/FirstTimeMainMenu.scene (9) and MainMenu.scene (0): the title menu.
Assets/Scenes/MenuCredits.scene (18) and Credits.scene (5): the four credits pictures.
"""
import json
import os

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
MENU = "Assets/Art/UI/Menu UI/"


class Scene:
    def __init__(self):
        self.objects = []
        self.components = []

    def obj(self, name):
        self.objects.append([name, 1, "", 1])
        return len(self.objects) - 1

    def add(self, oid, cls, **keys):
        self.components.append({"class": cls, "gameObjectID": oid, **keys})

    def place(self, oid, x, y, sx, sy):
        self.add(oid, "Transform", position={"x": x, "y": y, "z": 0}, rotation=0, scale={"x": sx, "y": sy})

    def picture(self, name, file, x, y, sx, sy, layer, shown=True, alpha=100):
        oid = self.obj(name)
        self.place(oid, x, y, sx, sy)
        keys = {"file": file, "layer": layer, "speed": 0}
        if alpha != 100:
            keys["alpha"] = alpha
        if not shown:
            keys["enabled"] = 0
        self.add(oid, "SpriteRenderer", **keys)
        return oid

    def write(self, path):
        text = json.dumps({"GameObjects": self.objects, "Components": self.components, "Dialogue": []}, indent=2)
        with open(os.path.join(ROOT, path), "w") as f:
            f.write(text + "\n")


def music(scene, file):
    oid = scene.obj("BGM")
    scene.add(oid, "AudioSource", filePath=file, volume=1.0, channelGroup=0, loop=1, loopCount=-1, audioType=1,
              playOnAwake=1)
    return oid


def button(scene, name, x, y, sx, sy, layer, shown=True, picture=None):
    """A button on its own picture and its selected picture (hidden); returns both ids."""
    picture = picture or name
    own = scene.picture(name, MENU + picture + ".png", x, y, sx, sy, layer, shown)
    selected = scene.picture(name + "Selected", MENU + picture + "Selected.png", x, y, sx, sy, layer + 1, False)
    return own, selected


def main_menu():
    s = Scene()
    s.picture("Background", "Assets/Art/UI/MainMenu/Background.png", 960, 540, 960, 540, 0)
    s.picture("Title", "Assets/Art/UI/MainMenu/Title.png", 960, 230, 960, 128, 1)
    music(s, "Assets/Audio/BGM/MenuTheme.ogg")
    menu = s.obj("Menu")
    # The column of buttons, continue on top (hidden while there is no progress). The
    # options screen (156..924 high) covers the whole column while it is open.
    names = ["Continue", "NewGame", "Options", "Credits", "Exit"]
    ids = {}
    for row, name in enumerate(names):
        ids[name] = button(s, name, 960, 470 + 100 * row, 200, 50, 2)
    cursor = s.picture("Cursor", MENU + "Cursor.png", 720, 570, 20, 20, 4)
    # The question covers the new game button and its neighbours (462..718 high).
    confirmation = s.picture("NewGameConfirmationBG", MENU + "NewGameConfirmationBG.png", 960, 590, 256, 128, 5,
                             False)
    yes = button(s, "NewGameYes", 880, 625, 50, 50, 6, False)
    no = button(s, "NewGameNo", 1040, 625, 50, 50, 6, False)
    settings = s.obj("Settings")
    s.add(settings, "SaveManager")
    s.add(settings, "OptionsMenu")
    loading = s.picture("LoadingScreen", "Assets/Art/UI/LoadingScreen.png", 960, 540, 960, 540, 30, alpha=0)
    s.add(loading, "Fader", startingAlpha=0, endingAlpha=100, fadeTime=1.0, fadeOnStart=0, sceneTransit=1)
    s.add(loading, "SceneTransition", sceneIndex=6, spaceToTransit=0)
    anim = s.picture("LoadingAnim", "Assets/Art/UI/LoadingAnim.png", 1620, 1000, 240, 48, 31, alpha=0)
    s.add(anim, "Fader", startingAlpha=0, endingAlpha=100, fadeTime=1.0, fadeOnStart=0)

    column = [ids[n][0] for n in names]
    for k, oid in enumerate(column):
        links = {"selectedSprite": ids[names[k]][1]}
        if k > 0:
            links["up"] = column[k - 1]
        if k + 1 < len(column):
            links["down"] = column[k + 1]
        s.add(oid, "Button", **links)
    s.add(yes[0], "Button", selectedSprite=yes[1], right=no[0])
    s.add(no[0], "Button", selectedSprite=no[1], left=yes[0])
    s.add(menu, "Canvas", selectMode=0, cursorOffset={"x": -240, "y": 0, "z": 0}, initialUI=ids["NewGame"][0],
          cursor=cursor)
    s.add(menu, "MainMenu", newGameButton=ids["NewGame"][0], newGameConfirmationBG=confirmation,
          newGameYesButton=yes[0], newGameNoButton=no[0], continueButton=ids["Continue"][0],
          optionsButton=ids["Options"][0], creditsButton=ids["Credits"][0], exitButton=ids["Exit"][0])
    # Removes the menu once a game starts; longer than the music's one-second fade.
    s.add(menu, "TimeToLive", enabled=0, liveType=2, lifetime=1.5)
    return s


def credits():
    s = Scene()
    s.picture("Backdrop", "Assets/Art/UI/LoadingScreen.png", 960, 540, 960, 540, 0)
    music(s, "Assets/Audio/BGM/Credits.ogg")
    for k in range(1, 5):
        oid = s.picture("Fader%d" % k, "Assets/Art/Credits/Credits%d.png" % k, 960, 540, 960, 540, k, alpha=0)
        last = k == 4
        s.add(oid, "Fader", startingAlpha=0, endingAlpha=100, fadeTime=1.0, fadeOnStart=1 if k == 1 else 0,
              fadeBackAfterDelay=1, fadeBackDelay=5.0, sceneTransit=1 if last else 0)
        if last:
            # The end of the last picture returns to the main menu.
            s.add(oid, "SceneTransition", sceneIndex=0, spaceToTransit=0)
    s.add(s.obj("Credits"), "CreditsFlowController")
    return s


if __name__ == "__main__":
    menu = main_menu()
    menu.write("Assets/Scenes/FirstTimeMainMenu.scene")
    menu.write("Assets/Scenes/MainMenu.scene")
    roll = credits()
    roll.write("Assets/Scenes/MenuCredits.scene")
    roll.write("Assets/Scenes/Credits.scene")

"""A scene under construction: objects get their id from their position, components
name them by that id. Writes the scene (or prefab) file with one object or component
per line, so a change to a level shows as a small diff."""
import json
import os

FONT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "Assets", "Fonts", "Fowviel.ttf")
WRAP_AFTER = 20       # the bubble breaks a line at the first space after this many characters
GLYPH_PIXELS = 144    # the size the game renders its font at
TEXT_SCALE = 0.2      # the bubble's text scale
BUBBLE_MARGIN = 40    # the least room between a bubble and the screen's edge


class Scene:
    def __init__(self):
        self.objects = []      # [name, active, tag, layer]
        self.components = []
        self.dialogue = []

    def add(self, name, *components, tag="", active=1, layer=1):
        """Adds an object with its components (dicts with "class"); returns its id."""
        oid = len(self.objects)
        self.objects.append([name, active, tag, layer])
        for c in components:
            self.attach(oid, c)
        return oid

    def attach(self, oid, component):
        entry = {"class": component["class"], "gameObjectID": oid}
        entry.update({k: v for k, v in component.items() if k != "class"})
        self.components.append(entry)

    def say(self, speaker, text, flags=2, dx=0, dy=-170, sound=None):
        line = [speaker, dx, dy, text, flags]
        if sound:
            line.append(sound)
        self.dialogue.append(line)

    def keep_bubbles_inside(self):
        """A bubble is centred over its speaker. A speaker near an end of the level, or near
        the right of the first screen (where the camera stands as a level opens), would push
        part of it off the screen: such lines get the x offset that keeps the bubble inside,
        judged from where the speaker stands in the file."""
        camera = next((c for c in self.components if c["class"] == "Camera"), None)
        if camera is None:
            return
        width, screen = camera["levelWidth"], camera["screenWidth"]
        for line in self.dialogue:
            x = self.start_x(line[0])
            if x is None or line[1] != 0:
                continue
            half = bubble_width(line[3]) / 2 + BUBBLE_MARGIN
            right = min(width, screen) if x < screen else width
            if x - half < 0:
                line[1] = int(half - x)
            elif x + half > right:
                line[1] = -int(x + half - right)

    def start_x(self, name):
        ids = [i for i, o in enumerate(self.objects) if o[0] == name]
        return next((c["position"]["x"] for c in self.components
                     if c["class"] == "Transform" and ids and c["gameObjectID"] == ids[0]), None)

    def find(self, name):
        return next(i for i, o in enumerate(self.objects) if o[0] == name)

    def text(self):
        self.keep_bubbles_inside()
        def block(key, items):
            body = ",\n".join("    " + json.dumps(i) for i in items)
            return f'  "{key}": [\n{body}\n  ]' if items else f'  "{key}": []'
        return "{\n" + ",\n".join([block("GameObjects", self.objects),
                                   block("Components", self.components),
                                   block("Dialogue", self.dialogue)]) + "\n}\n"

    def prefab_text(self):
        """One object, written as a prefab: its components all name object 0."""
        assert len(self.objects) == 1
        comps = [dict(c, gameObjectID=0) for c in self.components]
        body = ",\n".join("    " + json.dumps(c) for c in comps)
        return ('{\n  "GameObject": [' + json.dumps(self.objects[0]) + '],\n'
                '  "Components": [\n' + body + '\n  ]\n}\n')


_FONT = []


def _bubble_font():
    """The game's font at the size it renders, opened once."""
    if not _FONT:
        from PIL import ImageFont
        _FONT.append(ImageFont.truetype(FONT, GLYPH_PIXELS))
    return _FONT[0]


def bubble_width(text):
    """The width the game gives the bubble of a line: its widest wrapped line at the text
    scale (whole-pixel advances, as the game adds them) and 20 px of padding."""
    font = _bubble_font()
    lines, counter, current = [], -1, ""
    for c in text:
        counter += 1
        if counter > WRAP_AFTER and c == " ":
            lines.append(current)
            current, counter = "", 0
        else:
            current += c
    lines.append(current)
    widest = max(sum(int(font.getlength(c)) for c in line) for line in lines)
    return widest * TEXT_SCALE + 20


def transform(x, y, sx=100, sy=100, z=0, rotation=0):
    return {"class": "Transform", "position": {"x": x, "y": y, "z": z},
            "rotation": rotation, "scale": {"x": sx, "y": sy}}


def sprite(path, layer, **keys):
    c = {"class": "SpriteRenderer", "file": path, "layer": layer}
    c.update(keys)
    return c


def screen_sprite(path, layer, alpha=100):
    """A picture fixed on the screen (the camera does not move it)."""
    return sprite(path, layer, alpha=alpha, speed=0)


def fader(start, end, time, **keys):
    c = {"class": "Fader", "startingAlpha": start, "endingAlpha": end, "fadeTime": time}
    c.update(keys)
    return c


def static_box(width, height):
    return {"class": "BoxCollider", "width": width, "height": height, "isStatic": 1}


def kinematic_body():
    return {"class": "RigidBody", "isKinematic": 1, "useGravity": 0}

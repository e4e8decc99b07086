"""A scene under construction: objects get their id from their position, components
name them by that id. Writes the scene (or prefab) file with one object or component
per line, so a change to a level shows as a small diff."""
import json


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

    def find(self, name):
        return next(i for i, o in enumerate(self.objects) if o[0] == name)

    def text(self):
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

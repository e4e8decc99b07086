"""Entry point of the asset generators: tools/generate_assets [group ...]."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import fonts  # noqa: E402

GROUPS = ["font", "ui", "particles", "levels", "screens", "characters", "sfx", "voices", "music", "docs"]


def run(group):
    print("generating", group, flush=True)
    if group == "font":
        fonts.generate()
    elif group == "ui":
        import ui
        ui.generate()
    elif group == "particles":
        import particles
        particles.generate()
    elif group == "levels":
        import levels
        levels.generate()
    elif group == "screens":
        import screens
        screens.generate()
    elif group == "characters":
        import characters
        characters.generate()
    elif group == "sfx":
        import sfx
        sfx.generate()
    elif group == "voices":
        import voices
        voices.generate()
    elif group == "music":
        import music
        music.generate()
    elif group == "docs":
        import docs
        docs.generate()
    else:
        raise SystemExit("unknown group " + group)


def main(argv):
    groups = argv or GROUPS
    # The font comes first: the interface pictures are lettered with it.
    if "font" not in groups:
        from pix import FONT_PATH
        if not os.path.exists(FONT_PATH):
            run("font")
    for g in groups:
        run(g)


if __name__ == "__main__":
    main(sys.argv[1:])

#!/usr/bin/env bash
# The heroes under the player's keys in the combat arena: F kills the enemy beside the
# Thief (its number shows, it vanishes), the Thief runs right and jumps, the second enemy
# notices it, chases it and hits it (numbers over the Thief), Tab hands the keys to the
# Mage (the camera recentres on her) and, walking her left, the Thief follows.
#
# The arena (tests/combat/scenes/arena.scene) becomes the first scene of a scratch root,
# with what control needs added: both controllers, an agent and a listener on each hero,
# an AI controller, agent and behaviour on each enemy, a camera, and plain pictures in
# distinct colours so the screenshots can tell everyone apart (Thief purple, Mage blue,
# first enemy grey, second enemy yellow). Blows hit once or twice instead of every frame,
# the enemies are a little tougher (so F, not the Mage's shots, kills the first); the Mage
# walks slower, so she lags behind the running Thief and the swap has to move the camera. Everything is moved 1500 px right so the camera
# has room to scroll both ways.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
REPO="$(pwd)"
source tests/e2e/lib.sh
PY=/usr/bin/python3

ROOT="$E2E_DIR/root"
SHOTS="$E2E_DIR/shots"
mkdir -p "$ROOT/Assets/Scenes" "$SHOTS"
ln -s "$REPO/Code" "$ROOT/Code"
for entry in "$REPO"/Assets/*; do
    [ "$(basename "$entry")" = "Scenes" ] || ln -s "$entry" "$ROOT/Assets/$(basename "$entry")"
done

"$PY" - tests/combat/scenes/arena.scene "$ROOT/Assets/Scenes/SplashScreen.scene" <<'EOF' || e2e_fail "cannot prepare the arena"
import json
import sys

scene = json.load(open(sys.argv[1]))
objects = scene["GameObjects"]
components = scene["Components"]
ids = {entry[0]: i for i, entry in enumerate(objects)}
SHIFT = 1500
PICTURES = {"Thief": "Assets/Art/Effects/BossOrb.png", "Mage": "Assets/Art/Effects/MageProjectile.png",
            "EnemyA": "Assets/Art/Effects/SlingStone.png", "EnemyB": "Assets/Art/Effects/Impact.png",
            "Floor": "Assets/Art/Level/SlumsFloor.png", "Wall": "Assets/Art/Level/SlumsWall.png"}
pictured = set()
for c in components:
    if c["class"] == "Transform":
        c["position"]["x"] += SHIFT
    owner = objects[c["gameObjectID"]][0]
    if c["class"] == "SpriteRenderer" and owner in PICTURES:
        c["file"] = PICTURES[owner]
        c["textureAtlas"] = 0
        pictured.add(owner)
    if c["class"] == "CombatUnit" and owner.startswith("Enemy"):
        for weapon in c.get("weapons", []):
            weapon["offsetX"] = abs(weapon.get("offsetX", 0))  # strike in front
            weapon["tickInterval"] = 1.0                        # one hit per strike, so the Thief lives
    if c["class"] == "CombatUnit" and owner == "Mage":
        c["movementSpeed"] = 150  # she falls behind the running Thief
    if c["class"] == "CombatUnit" and owner == "Thief":
        for weapon in c.get("weapons", []):
            weapon["tickInterval"] = 0.25                     # at most two hits per blow
    if c["class"] == "CombatUnit" and owner in ("EnemyA", "EnemyB"):
        # The Mage's shots alone do not kill the first before F; the second outlasts the
        # following Thief's blows and is not knocked back by them, so it gets to strike.
        c["currentHealth"] = c["maxHealth"] = 60 if owner == "EnemyA" else 3000
        if owner == "EnemyB":
            c["minDamageToKnockback"] = 1000
for name, picture in PICTURES.items():
    if name in ids and name not in pictured:
        components.append({"class": "SpriteRenderer", "gameObjectID": ids[name], "layer": 2, "file": picture})


def add(name, cls, **members):
    components.append(dict({"class": cls, "gameObjectID": ids[name]}, **members))


def place(name):
    t = next(c for c in components if c["class"] == "Transform" and c["gameObjectID"] == ids[name])
    return t["position"]["x"], t["position"]["y"]


for hero in ("Thief", "Mage"):
    add(hero, "PlayerUnitController")
    add(hero, "AIUnitController")
    add(hero, "NavMeshAgent")
    add(hero, "AudioListener")
for enemy, aggro in (("EnemyA", 0), ("EnemyB", 450)):
    x, y = place(enemy)
    add(enemy, "AIUnitController", enemyAttackRange=150)
    add(enemy, "NavMeshAgent")
    add(enemy, "EnemyBehaviour", aggroRange=aggro, waypoint1X=x, waypoint1Y=y, waypoint2X=x, waypoint2Y=y)
objects.append(["MainCamera", 1, "", 1])
cam = len(objects) - 1
tx, ty = place("Thief")
components.append({"class": "Transform", "gameObjectID": cam, "position": {"x": tx - 960, "y": ty - 648, "z": 0}})
components.append({"class": "Camera", "gameObjectID": cam, "playerTransform": ids["Thief"],
                   "secondaryPlayerTransform": ids["Mage"], "levelWidth": 6000, "screenWidth": 1920,
                   "screenHeight": 1080})
json.dump(scene, open(sys.argv[2], "w"), indent=1)
EOF

e2e_start_display
cd "$ROOT" || exit 1
e2e_start_game "$GAME"
cd "$REPO" || exit 1
WINDOW=$(e2e_wait_window harrowvale 30) || e2e_fail "no window titled harrowvale"
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true

# Screenshots all along, named by their time in ms; the key script logs when each step began.
START=${EPOCHREALTIME/./}
now_ms() { echo $(( (${EPOCHREALTIME/./} - START) / 1000 )); }
touch "$E2E_DIR/shooting"
(
    while [ -e "$E2E_DIR/shooting" ]; do
        ms=$(now_ms)
        import -display "$DISPLAY" -window "$WINDOW" "$SHOTS/$(printf %06d "$ms").png" 2>/dev/null
    done
) &
SHOOTER=$!
mark() { echo "$1 $(now_ms)" >>"$E2E_DIR/marks"; }
hold() { xdotool keydown --window "$WINDOW" "$1"; sleep "$2"; xdotool keyup --window "$WINDOW" "$1"; }

sleep 1.5
mark attack
hold f 0.4
sleep 2.5
mark run
xdotool keydown --window "$WINDOW" Right
sleep 0.5
mark jump
hold space 0.3
sleep 1.0
xdotool keyup --window "$WINDOW" Right
mark swap
hold Tab 0.4
sleep 3
mark follow
hold Left 2
sleep 2
mark end
rm -f "$E2E_DIR/shooting"
wait "$SHOOTER" 2>/dev/null
kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died in the arena"
echo "screenshots: $(ls "$SHOTS" | wc -l)"
[ -n "${E2E_KEEP_SHOTS:-}" ] && cp -r "$SHOTS" "$E2E_KEEP_SHOTS" && cp "$E2E_DIR/marks" "$E2E_KEEP_SHOTS/"

"$PY" - "$SHOTS" "$E2E_DIR/marks" <<'EOF' || e2e_fail "the arena did not play out as expected (see above)"
import glob
import os
import sys

import numpy as np
from PIL import Image

COLOURS = {"Thief": [(160, 85, 214), (220, 170, 255)], "Mage": [(140, 203, 255), (223, 244, 255)],
           "EnemyA": [(117, 130, 143), (213, 221, 226)], "EnemyB": [(242, 193, 78), (255, 240, 168)]}
FLOOR = [(110, 52, 41), (74, 38, 36), (134, 96, 60)]
FLOOR_LEFT_WORLD = 1500.0  # the arena's floor spans x 0 .. 2000, moved 1500 right

marks = {}
for line in open(sys.argv[2]):
    name, ms = line.split()
    marks[name] = int(ms)


def mask(rgb, colours, tol=14):
    m = np.zeros(rgb.shape[:2], bool)
    for c in colours:
        m |= np.abs(rgb - np.array(c)).max(axis=2) <= tol
    return m


# Screenshots are measured at half resolution (every second pixel); every position below
# is given in screen pixels all the same.
H = 2


def densest(counts, width):
    """Start of the window of `width` entries holding the most."""
    sums = np.convolve(counts, np.ones(width, int), mode="valid")
    return int(np.argmax(sums)), int(sums.max())


def blob(rgb, who, floor_top=None):
    """Centre x, centre y and bottom of a unit's picture: the densest 100 x 100 px patch of
    its colours, so particles and bars of similar colours around it do not count."""
    m = mask(rgb, COLOURS[who])
    if floor_top is not None:  # enemies stay on the floor; their bars and numbers float higher
        m[:max(0, (floor_top - 110) // H)] = False
        m[(floor_top + 5) // H:] = False
    side = 100 // H
    x0, n = densest(m.sum(axis=0), side)
    if n < 60 // (H * H):
        return None
    patch = m[:, x0:x0 + side]
    y0, _ = densest(patch.sum(axis=1), side)
    ys, xs = np.nonzero(patch[y0:y0 + side])
    return H * (x0 + xs.mean()), H * (y0 + ys.mean()), H * (y0 + ys.max())


def floor(rgb):
    """Top row and left end of the floor on screen."""
    m = mask(rgb, FLOOR, 8)
    rows = np.nonzero(m.sum(axis=1) > 200 // H)[0]
    if len(rows) == 0:
        return None
    top = rows[0]
    cols = np.nonzero(m[min(top + 5 // H + 1, m.shape[0] - 1)])[0]
    return H * top, (H * cols.min() if len(cols) else None)


def white_digits(rgb, around):
    """The shaded white digits of a number over a hero, in the 300 x 240 box above its picture."""
    if around is None:
        return 0
    x, y = int(around[0]) // H, int(around[1]) // H
    box = rgb[max(0, y - 300 // H):max(0, y - 60 // H), max(0, x - 150 // H):x + 150 // H]
    return H * H * int(mask(box, [(167, 179, 189)], 8).sum()) if box.size else 0


def gold_digits(rgb, around):
    """The gold digits of a number over a unit that is not a hero."""
    if around is None:
        return 0
    x, y = int(around[0]) // H, int(around[1]) // H
    box = rgb[max(0, y - 300 // H):max(0, y - 60 // H), max(0, x - 150 // H):x + 150 // H]
    return H * H * int(mask(box, [(196, 138, 34)], 10).sum()) if box.size else 0


# One pass; numbers hide what they rise from, so they are measured over the last place
# the unit was seen.
shots = []
last = {"EnemyA": None, "Thief": None, "Mage": None}
for path in sorted(glob.glob(os.path.join(sys.argv[1], "*.png"))):
    rgb = np.asarray(Image.open(path).convert("RGB"))[::H, ::H].astype(np.int16)
    t = int(os.path.basename(path)[:-4])
    f = floor(rgb)
    s = {"t": t, "floor": f}
    for who in COLOURS:
        s[who] = blob(rgb, who, f[0] if f and who.startswith("Enemy") else None)
    for who in last:
        last[who] = s[who] or last[who]
    s["digitsA"] = gold_digits(rgb, last["EnemyA"])
    s["digitsHeroes"] = white_digits(rgb, last["Thief"]) + white_digits(rgb, last["Mage"])
    shots.append(s)


def world_x(s, who):
    b, f = s[who], s["floor"]
    if b is None or f is None or f[1] is None or f[1] <= 0:
        return None
    return FLOOR_LEFT_WORLD + (b[0] - f[1])


def between(a, b):
    return [s for s in shots if marks[a] <= s["t"] < marks[b]]


fmt = lambda v: "-" if v is None else "%.0f" % v
for s in shots:
    print("t=%5d thief=%s,%s mage=%s,%s A=%s B=%s floor=%s digits A/heroes=%d/%d" % (
        s["t"], fmt(world_x(s, "Thief")), fmt(s["Thief"][2] if s["Thief"] else None), fmt(world_x(s, "Mage")),
        fmt(s["Mage"][0] if s["Mage"] else None), fmt(world_x(s, "EnemyA")), fmt(world_x(s, "EnemyB")),
        s["floor"], s["digitsA"], s["digitsHeroes"]))

ok = True


def check(condition, message):
    global ok
    print(("ok: " if condition else "FAILED: ") + message)
    ok = ok and condition


before = [s for s in shots if s["t"] < marks["attack"]]
check(any(s["EnemyA"] for s in before), "the first enemy stands beside the Thief at the start")
attack = between("attack", "run")
check(any(s["digitsA"] > 30 for s in attack), "F: a number rises over the first enemy")


def enemy_a_seen(s):
    """EnemyA's grey, unless it is over the Mage: her mist and sparks share its shades."""
    a, mage = world_x(s, "EnemyA"), world_x(s, "Mage")
    return a is not None and (mage is None or abs(a - mage) > 60)


check(attack and not any(enemy_a_seen(s) for s in attack[-3:]), "the first enemy is gone after the hit")

run = between("run", "swap")
xs = [world_x(s, "Thief") for s in run if world_x(s, "Thief") is not None]
check(len(xs) > 2 and xs[-1] - xs[0] > 150, "Right runs the Thief right (%s)" % [fmt(x) for x in xs[:1] + xs[-1:]])
lifts = [s["floor"][0] - s["Thief"][2] for s in between("jump", "swap") if s["Thief"] and s["floor"]]
rest = [s["floor"][0] - s["Thief"][2] for s in before if s["Thief"] and s["floor"]]
check(lifts and rest and max(lifts) > max(rest) + 60, "Space lifts it off the floor (%s px)" % (max(lifts) if lifts else "-"))

chase = between("run", "end")
bx = [world_x(s, "EnemyB") for s in chase if world_x(s, "EnemyB") is not None]
check(len(bx) > 2 and bx[0] - min(bx) > 80, "the second enemy comes for the Thief (%s)" % [fmt(min(bx) if bx else None)])
check(any(s["digitsHeroes"] > 30 for s in chase), "and hits: numbers rise over a hero")

# The Mage's shots are her own picture: a shot can pass for her in one screenshot, so her
# place before and after is the median of the last three.
swap = between("swap", "follow")
mage_before = sorted(s["Mage"][0] for s in run[-3:] if s["Mage"])
mage_after = sorted(s["Mage"][0] for s in swap[-3:] if s["Mage"])
before_x = mage_before[len(mage_before) // 2] if mage_before else None
after_x = mage_after[len(mage_after) // 2] if mage_after else None
check(before_x is not None and after_x is not None and abs(after_x - 960) < 110 and abs(before_x - 960) > 150,
      "Tab: the camera recentres on the Mage (screen x %s -> %s)" % (fmt(before_x), fmt(after_x)))

follow = between("follow", "end")
tx = [world_x(s, "Thief") for s in follow if world_x(s, "Thief") is not None]
mx = [world_x(s, "Mage") for s in follow if world_x(s, "Mage") is not None]


def median(xs):
    return sorted(xs)[len(xs) // 2]


m0, m1 = (median(mx[:3]), median(mx[-3:])) if len(mx) > 2 else (None, None)
t0, t1 = (median(tx[:3]), median(tx[-3:])) if len(tx) > 2 else (None, None)
check(m0 is not None and m0 - m1 > 200, "Left walks the Mage left (%s -> %s)" % (fmt(m0), fmt(m1)))
check(t0 is not None and m0 is not None and t0 - t1 > 100 and abs(t1 - m1) < 360,
      "the Thief follows her (%s -> %s)" % (fmt(t0), fmt(t1)))
sys.exit(0 if ok else 1)
EOF

e2e_check_sanitizers
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 10
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
echo "units_arena: ok"

#!/usr/bin/env bash
# The real game runs the physics sandbox: the purple ball dropped above the floor lands and
# stays there; the blue walker (pushed right by a Translate every frame) lands, climbs the
# ramp, comes down and stops against the wall, standing on the floor. Screenshots taken
# until it has played out show it.
#
# Everything is measured on the screen, relative to the floor and the wall as drawn, so the
# camera's scrolling does not matter. A ball's sprite is drawn over its collider's square;
# its solid core (the two brightest rings, 40 of the picture's 56 rows) gives its centre and,
# scaled by 56/40, the collider's radius on screen.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

ROOT=$(e2e_scratch_root Assets/Scenes/PhysicsSandbox.scene)
e2e_start_display
e2e_start_game "$GAME" "$ROOT"
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"

# Screenshots until what is checked below has played out (at most 200 s), each measured as
# it comes; the next one is taken while the last is measured.
/usr/bin/python3 - "$WINDOW" <<'EOF' || e2e_fail "the sandbox did not play out as expected (see above)"
import io
import subprocess
import sys
import time

import numpy as np
from PIL import Image

# The two solid rings of each picture as drawn on black (the outer one is 90 % opaque).
WALKER = [(126, 183, 230), (223, 244, 255)]  # Assets/Art/Effects/MageProjectile.png
BALL = [(144, 77, 193), (220, 170, 255)]     # Assets/Art/Effects/BossOrb.png
CORE = 40.0 / 56.0
TOLERANCE = 3.5  # screen pixels


def mask_of(rgb, colours):
    m = np.zeros(rgb.shape[:2], bool)
    for c in colours:
        m |= (np.abs(rgb - np.array(c)).max(axis=2) <= 12)
    return m


def body(rgb, colours):
    """Centre and radius on screen of a ball's collider, or None when not seen whole."""
    ys, xs = np.nonzero(mask_of(rgb, colours))
    if len(ys) < 100:
        return None
    cx, cy = (xs.min() + xs.max() + 1) / 2.0, (ys.min() + ys.max() + 1) / 2.0
    rx = (xs.max() - xs.min() + 1) / 2.0 / CORE
    ry = (ys.max() - ys.min() + 1) / 2.0 / CORE
    if abs(rx - ry) > 0.12 * ry:  # partly hidden or merged with something: not a clean view
        return None
    return cx, cy, rx, ry


def floor_top(rgb):
    """First lit row below the middle of the screen, at the left border (only the floor is there)."""
    h = rgb.shape[0]
    lit = np.nonzero(rgb[h // 2:, 8].sum(axis=1) > 60)[0]
    return None if len(lit) == 0 else h // 2 + lit[0]


def wall_left(rgb, row, from_x):
    """First brick pixel on this row, right of from_x."""
    r, g, b = rgb[row, :, 0], rgb[row, :, 1], rgb[row, :, 2]
    hits = [x for x in range(int(from_x), rgb.shape[1]) if r[x] > 60 and r[x] > 1.6 * g[x] and b[x] < 0.8 * r[x]]
    return hits[0] if hits else None


def grab():
    return subprocess.Popen(["timeout", "30", "import", "-window", sys.argv[1], "-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)


def sample(ppm, t):
    rgb = np.asarray(Image.open(io.BytesIO(ppm)).convert("RGB")).astype(int)
    floor = floor_top(rgb)
    if floor is None:
        return None
    w = body(rgb, WALKER)
    b = body(rgb, BALL)
    wall = wall_left(rgb, int(w[1]), w[0]) if w else None
    return (t, floor, w, b, wall, rgb.shape[1])


def gap(sample, which):
    t, floor, w, b, wall, width = sample
    ball = w if which == "walker" else b
    return None if ball is None else floor - (ball[1] + ball[3])  # > 0: the collider's bottom is above the floor


def evaluate(samples, report):
    """Whether everything below holds on the samples so far; prints each check when reporting."""
    ok = True

    def check(condition, message):
        nonlocal ok
        if report:
            print(("ok: " if condition else "FAILED: ") + message)
        ok = ok and condition

    # The dropped ball: once on the floor it stays there, to the end.
    ball_gaps = [(s[0], gap(s, "ball")) for s in samples if gap(s, "ball") is not None]
    airborne = [t for t, g in ball_gaps if g > 20]
    if report:
        print("info: the ball was seen in the air at", airborne[:3] or "no shot (it fell before the first one)")
    landed = [i for i, (t, g) in enumerate(ball_gaps) if abs(g) <= TOLERANCE]
    check(len(landed) > 0, "the ball comes to rest on the floor")
    if landed:
        after = ball_gaps[landed[0]:]
        check(all(abs(g) <= TOLERANCE for t, g in after) and after[-1][0] - after[0][0] >= 5000,
              "the ball stays on the floor for the rest of the run (%d shots over %d ms)"
              % (len(after), after[-1][0] - after[0][0]))

    # The walker: on the floor, then well above it on the ramp, then on the floor against the wall.
    walk = [s for s in samples if s[2] is not None]
    width = samples[-1][5] if samples else 1920
    on_floor_left = [s[0] for s in walk if abs(gap(s, "walker")) <= TOLERANCE and s[2][0] < 0.28 * width]
    if report:  # a busy machine's first screenshot may come after it reached the ramp
        print("info: the walker was seen on the floor before the ramp at", on_floor_left[:3] or "no shot")
    # Between where it starts and the wall, the walker is that high only on the ramp.
    climbing = [s[0] for s in walk if gap(s, "walker") > 60 and 0.3 * width < s[2][0] < 0.6 * width]
    at_wall = [s for s in walk if s[4] is not None and s[2][0] > 0.6 * width and abs(s[4] - (s[2][0] + s[2][2])) <= TOLERANCE
               and abs(gap(s, "walker")) <= TOLERANCE]
    # On a busy machine the shots can be seconds apart and miss the climb itself; the wall
    # stands past the ramp, so a walker that reached it went over the ramp.
    check((len(climbing) > 0 and (not on_floor_left or climbing[0] > on_floor_left[0])) or len(at_wall) > 0,
          "the walker climbs the ramp (%s)" % ("seen more than 60 px above the floor on it" if climbing
                                                else "no shot on it, but it reached the wall beyond"))
    check(len(at_wall) > 0 and (not climbing or at_wall[0][0] > climbing[0]),
          "the walker stops with its right side against the wall, on the floor")
    if at_wall:
        rest = [s for s in walk if s[0] >= at_wall[0][0]]
        xs = [s[2][0] for s in rest]
        check(max(xs) - min(xs) <= 1.5 and rest[-1][0] - rest[0][0] >= 2000,
              "the walker stays at the wall (%d shots over %d ms, x %.1f..%.1f)"
              % (len(rest), rest[-1][0] - rest[0][0], min(xs), max(xs)))
    return ok


samples = []
START = time.time()
pending = grab()
while time.time() - START < 200:
    ppm = pending.communicate()[0]
    t = int(1000 * (time.time() - START))
    pending = grab()
    s = sample(ppm, t) if ppm else None
    if s is not None:
        samples.append(s)
        if evaluate(samples, False):
            break
pending.kill()
print("screenshots: %d" % len(samples))
for s in samples:
    t, floor, w, b, wall, width = s
    fmt = lambda v: "-" if v is None else "%.1f" % v
    print("t=%5d ms floor=%d ball gap=%s walker x=%s gap=%s wall=%s" % (
        t, floor, fmt(gap(s, "ball")), fmt(w[0] if w else None), fmt(gap(s, "walker")),
        "-" if wall is None or w is None else "%.1f" % (wall - (w[0] + w[2]))))

ok = evaluate(samples, True)
sys.exit(0 if ok else 1)
EOF

grep -q "FAILED TO LOAD" "$E2E_DIR/game.err" && e2e_fail "a picture failed to load"
e2e_check_sanitizers
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
echo "physics_sandbox: ok"

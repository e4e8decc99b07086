#!/usr/bin/env bash
# The real game draws particles: two heroes (drawn without sprites, so that whatever shows
# near them is particles) stand on an invisible floor with full mana, and the mana orbs
# circle each of them while nothing shows away from them; F makes the Thief slash: a
# crescent of slash particles traced in front of him.
#
# The game always opens "Assets/Scenes/SplashScreen.scene" from its working directory, so
# the test runs it from a scratch root whose Assets/Scenes holds only the test scene under
# that name; shaders and art link to the repository.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
REPO="$(pwd)"
source tests/e2e/lib.sh

ROOT="$E2E_DIR/root"
mkdir -p "$ROOT/Assets/Scenes"
ln -s "$REPO/Code" "$ROOT/Code"
for entry in "$REPO"/Assets/*; do
    [ "$(basename "$entry")" = "Scenes" ] || ln -s "$entry" "$ROOT/Assets/$(basename "$entry")"
done
cp tests/e2e/scenes/ParticlesShow.scene "$ROOT/Assets/Scenes/SplashScreen.scene"

e2e_start_display
cd "$ROOT" || exit 1
e2e_start_game "$GAME"
cd "$REPO" || exit 1
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"

# measure orbs SHOT: whether the orbs circle both heroes and nothing shows away from them;
# measure slash ORBS SHOT: whether a slash shows in SHOT beyond the orbs of ORBS.
measure() {
    /usr/bin/python3 - "$@" <<'PY'
import sys

import numpy as np
from PIL import Image


def bright(path):
    """Pixels of the particle pictures' pale blues and whites (the clear colour is black)."""
    a = np.asarray(Image.open(path).convert("RGB")).astype(int)
    return (a[:, :, 2] > 180) & (a[:, :, 0] > 110)


def count(mask, x0, y0, x1, y1):
    return int(mask[y0:y1, x0:x1].sum())


orbs = bright(sys.argv[2])
if sys.argv[1] == "orbs":
    # Orbs circle 40 px below each hero's centre, within half his width either side.
    thief = count(orbs, 400, 500, 620, 700)
    mage = count(orbs, 1300, 500, 1520, 700)
    away = count(orbs, 800, 100, 1100, 400) + count(orbs, 0, 0, 300, 300)
    print("orb pixels: thief %d, mage %d, away %d" % (thief, mage, away))
    sys.exit(0 if thief > 300 and mage > 300 and away == 0 else 1)
# The slash runs from the Thief's left edge to 130 px past his right one, above his centre.
slash = count(bright(sys.argv[3]), 560, 500, 700, 620) - count(orbs, 560, 500, 700, 620)
print("slash pixels beyond the orbs: %d" % slash)
sys.exit(0 if slash > 200 else 1)
PY
}
shoot() { timeout 30 import -display "$DISPLAY" -window "$WINDOW" "$E2E_DIR/$1.png" 2>/dev/null; }
orbs_shown() { shoot orbs && measure orbs "$E2E_DIR/orbs.png"; }
slash_shown() { shoot slash && measure slash "$E2E_DIR/orbs.png" "$E2E_DIR/slash.png"; }

e2e_wait_until 90 orbs_shown || e2e_fail "the orbs do not circle the heroes alone (see above)"
# F held until the slash is traced (it lives 0.2 s).
e2e_press_until "$WINDOW" f 60 slash_shown || e2e_fail "F traces no slash in front of the Thief (see above)"
e2e_check_sanitizers
echo "PASS"

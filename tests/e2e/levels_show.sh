#!/usr/bin/env bash
# The real game shows every level and story scene: each is loaded as the first scene of a
# run (from a scratch copy of the game whose SplashScreen.scene is that scene), and within
# two minutes the window shows a picture (not one flat colour), with no picture that failed to
# load and no sanitizer report.
set -u
GAME="$(readlink -f "$1")"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

ROOT=$(e2e_scratch_root Assets/Scenes/1_Slums.scene)
# The window shows more than one flat colour (the scene has faded in).
shows_scene() {
    e2e_window_shot "$WINDOW" "$E2E_DIR/$scene.png" >/dev/null || return 1
    /usr/bin/python3 - "$E2E_DIR/$scene.png" "$scene" <<'EOF'
import sys
import numpy as np
from PIL import Image
img = np.asarray(Image.open(sys.argv[1]).convert("RGB")).astype(float)
spread = img.reshape(-1, 3).std(axis=0).mean()
print(f"{sys.argv[2]}: colour spread {spread:.1f}")
sys.exit(0 if spread > 12.0 else 1)
EOF
}

# One scene in this process, on its own display: levels_show.sh game scene.
if [ $# -ge 2 ]; then
    scene="$2"
    e2e_start_display
    cp "Assets/Scenes/$scene.scene" "$ROOT/Assets/Scenes/SplashScreen.scene"
    e2e_start_game "$GAME" "$ROOT"
    WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "$scene: no window"
    e2e_wait_until 120 shows_scene || e2e_fail "$scene: the screen does not show the scene"
    kill "$E2E_GAME_PID"
    wait "$E2E_GAME_PID" 2>/dev/null
    E2E_GAME_PID=""
    grep -q "FAILED TO LOAD" "$E2E_DIR/game.err" && e2e_fail "$scene: a picture failed to load"
    grep -qE "ERROR: AddressSanitizer|runtime error:" "$E2E_DIR/game.err" && e2e_fail "$scene: sanitizer report"
    echo "$scene: shown"
    exit 0
fi

# Every scene in a process of its own, four at a time.
SCENES=(1_Slums 2_Slums 3_Slums 6_Magitek 7_Magitek 8_Magitek 9_Magitek 10_Magitek 10b_Magitek
        10c_Magitek 11_Epilogue YouWon)
for scene in "${SCENES[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge 4 ]; do wait -n; done
    bash "$E2E_REPO/tests/e2e/levels_show.sh" "$GAME" "$scene" >"$E2E_DIR/scene-$scene.log" 2>&1 &
done
wait
cat "$E2E_DIR"/scene-*.log
[ "$(cat "$E2E_DIR"/scene-*.log | grep -c ': shown$')" = "${#SCENES[@]}" ] || e2e_fail "not every scene showed (see above)"
echo "PASS"

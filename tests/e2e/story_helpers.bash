# Helpers of the story end-to-end tests (sourced after lib.sh and menu_helpers.bash): what
# a level looks like on screen, measured on the last shot (1920 x 1080).

# The number of pixels of the last shot within 24 (summed over r, g, b) of a colour,
# inside a rectangle: count_colour r g b x0 y0 x1 y1.
count_colour() {
    /usr/bin/python3 - "$E2E_DIR/now.png" "$@" <<'PY'
import sys
import numpy as np
from PIL import Image
img = np.asarray(Image.open(sys.argv[1]).convert("RGB")).astype(int)
r, g, b, x0, y0, x1, y1 = map(int, sys.argv[2:9])
area = img[y0:y1, x0:x1]
print(int((np.abs(area - np.array([r, g, b])).sum(axis=2) <= 24).sum()))
PY
}

# After a menu choice: waits until the level's first line shows (a second after the load),
# then takes the shot the checks look at.
wait_for_level() {
    level_shown() { shot && bubble_shown; }
    e2e_wait_until 90 level_shown && return 0
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died waiting for a level"
    e2e_fail "no level with its conversation"
}

# Both heroes: the Thief's green cloak and the Mage's blue robe, which no background has.
heroes_shown() {
    [ "$(count_colour 47 112 82 0 0 1920 1080)" -gt 200 ] && [ "$(count_colour 47 87 176 0 0 1920 1080)" -gt 200 ]
}

# A speech bubble: its paper-white middle ("SBMiddle.png"), in the upper two thirds of the screen.
bubble_shown() { [ "$(count_colour 244 239 230 0 100 1920 760)" -gt 15000 ]; }

# The HUD: the active hero's colour head at the top left (5 %, 7 % of the screen).
hud_shown() {
    looks_like 96 76 "Assets/Art/UI/ThiefHead.png" 50 50 || looks_like 96 76 "Assets/Art/UI/MageHead.png" 50 50
}

confirmation_shown() { looks_like 744 652 "Assets/Art/UI/Menu UI/NewGameConfirmationBG.png" 40 200; }
yes_selected() { looks_like 880 605 "Assets/Art/UI/Menu UI/NewGameYesSelected.png" 100 60; }
pause_shown() { looks_like 700 750 "Assets/Art/UI/Pause or Death Menu/Pause Background.png" 188 466; }
left_the_menu() { [ "$(classify menu black)" = black ] || bubble_shown; }

# Holds a key down until a check on a fresh shot holds (see e2e_press_until).
press_until() {
    local key="$1"
    shift
    e2e_press_until "$WINDOW" "$key" 60 shot_then "$@"
}
shot_then() { shot && "$@"; }

# Escape held skips the rest of a conversation: held until the level's HUD shows.
skip_conversation() { press_until Escape hud_shown; }

# Starts the game with progress saved at a scene and continues from the first menu.
continue_at() {
    mkdir -p "$(dirname "$SAVE")"
    printf "\\x$(printf %02x "$1")\\x00\\x00\\x00\\x00\\x00\\x80\\x3f\\x00\\x00\\x00\\x00\\x00\\x00\\x80\\x3f\\x00\\x00\\x00\\x00" >"$SAVE"
    start_to_menu
    press_until space left_the_menu || e2e_fail "Continue did not leave the menu"
    wait_for_level
}

#!/usr/bin/env bash
# A tap shorter than a frame is not lost: with every frame of the real game slowed to a
# quarter of a second (SlowFrames.cpp, preloaded), one quick Down on the first main menu
# moves the selection from New Game to Options.
# (tests/e2e/menu_helpers.bash tells how screens are recognised.)
set -u
GAME="$1"
SLOW_FRAMES="${E2E_SLOW_FRAMES:?the test needs the slow-frame library (set by ctest)}"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash

e2e_start_display
RUN=slow-tap
LD_PRELOAD="$SLOW_FRAMES" start_to_menu
grep -q "slow frames" "$E2E_DIR/game.err" || e2e_fail "the frames were not slowed"

OPTIONS="Assets/Art/UI/Menu UI/Options.png"
OPTIONS_SELECTED="Assets/Art/UI/Menu UI/OptionsSelected.png"
options_plain() { shot && looks_like 956 708 "$OPTIONS" 192 88; }
options_selected() { shot && looks_like 956 708 "$OPTIONS_SELECTED" 192 88; }
e2e_wait_until 60 options_plain || e2e_fail "Options is selected before any key"
xdotool key --window "$WINDOW" --delay 10 Down  # pressed and let go of within a frame
e2e_wait_until 60 options_selected || e2e_fail "a tap of Down shorter than a frame was lost"
keep options-selected

e2e_check_sanitizers
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
echo "slow_tap: ok"

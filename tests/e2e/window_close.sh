#!/usr/bin/env bash
# The real game opens its window titled "harrowvale" and exits cleanly (code 0)
# when the window manager closes it, also while frames are being drawn.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

e2e_start_display
e2e_start_game "$GAME"
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"

# Once a picture is on screen, frames are being drawn: the close lands in the middle of the
# frame loop.
e2e_wait_until 240 e2e_window_drawn "$WINDOW" || e2e_fail "the window shows no picture"
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
e2e_check_sanitizers
echo "window_close: ok"

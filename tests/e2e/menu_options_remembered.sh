#!/usr/bin/env bash
# The options remember: with a save record that says music muted (as menu_options.sh
# leaves it), the options screen of the real game shows the music off; Escape; Exit (code 0).
# (tests/e2e/menu_helpers.bash tells how screens are recognised.)
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash

e2e_start_display
RUN=remembered
printf '\x06\x00\x00\x00\x00\x00\x80\x3f\x01\x00\x00\x00\x00\x00\x80\x3f\x00\x00\x00\x00' >"$SAVE"
start_to_menu
open_options
music_off_shown || e2e_fail "the options screen does not show the music off"
close_options
tap Up  # from Options back to New Game, where the way to Exit starts
exit_from_menu
echo "menu_options_remembered: ok"

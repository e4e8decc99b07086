#!/usr/bin/env bash
# The options in the real game, with the save record in the test's own folder: past the
# splash screens to the first main menu; Options -> music off -> Escape; Exit (code 0); the
# save file now says music muted. (menu_options_remembered.sh starts from such a file.)
# (tests/e2e/menu_helpers.bash tells how screens are recognised.)
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash

e2e_start_display

RUN=1
start_to_menu
open_options
tap Down; tap space  # from the window-mode button down to music, then off
e2e_wait_until 60 music_off_shown || e2e_fail "the music button does not show off"
keep music-off
close_options
exit_from_menu
[ "$(xxd -p -s 8 -l 1 "$SAVE")" = "01" ] || e2e_fail "the save file does not say music muted: $(xxd -p "$SAVE")"
[ "$(xxd -p -s 17 -l 1 "$SAVE")" = "00" ] || e2e_fail "the save file lost the windowed mode"

echo "menu_options: ok"

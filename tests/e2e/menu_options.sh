#!/usr/bin/env bash
# The options in the real game, with the save record in the test's own folder:
#   run 1: past the splash screens to the first main menu; Options -> music off -> Escape;
#          Exit (code 0); the save file now says music muted;
#   run 2: the options screen shows the music off; Escape; Exit (code 0).
# (tests/e2e/menu_helpers.bash tells how screens are recognised.)
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

source tests/e2e/menu_helpers.bash

e2e_start_display

options_shown() { shot && looks_like 700 800 "$OPTIONS_BG" 188 644 && looks_like 1300 250 "$OPTIONS_BG" 788 94; }
options_gone() { shot && ! looks_like 700 800 "$OPTIONS_BG" 188 644; }
music_off_shown() { shot && looks_like 1215 515 "$MUSIC_OFF" 75 25; }

# --- run 1: music off, exit ---
RUN=1
start_to_menu
tap Down; tap space
e2e_wait_until 60 options_shown || e2e_fail "no options screen"
keep options
tap Down; tap space  # from the window-mode button down to music, then off
e2e_wait_until 60 music_off_shown || e2e_fail "the music button does not show off"
keep music-off
tap Escape
e2e_wait_until 60 options_gone || e2e_fail "Escape left the options screen open"
exit_from_menu
[ "$(xxd -p -s 8 -l 1 "$SAVE")" = "01" ] || e2e_fail "the save file does not say music muted: $(xxd -p "$SAVE")"
[ "$(xxd -p -s 17 -l 1 "$SAVE")" = "00" ] || e2e_fail "the save file lost the windowed mode"

# --- run 2: the options remember ---
RUN=2
: >"$E2E_DIR/game.err"
start_to_menu
tap Down; tap space
e2e_wait_until 60 options_shown || e2e_fail "no options screen"
keep options
looks_like 1215 515 "$MUSIC_OFF" 75 25 || e2e_fail "the options screen does not show the music off"
tap Escape
e2e_wait_until 60 options_gone || e2e_fail "Escape left the options screen open"
tap Up  # from Options back to New Game, where the way to Exit starts
exit_from_menu
echo "menu_options: ok"

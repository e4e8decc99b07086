#!/usr/bin/env bash
# With progress saved (scene 10, music muted), the first main menu shows Continue selected;
# New Game asks for confirmation, and Yes leaves the menu with scene 6 recorded as the
# continue point.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash

e2e_start_display
RUN=new-game
printf '\x0a\x00\x00\x00\x00\x00\x80\x3f\x01\x00\x00\x00\x00\x00\x80\x3f\x00\x00\x00\x00' >"$SAVE"
start_to_menu
shot; keep continue
looks_like 780 440 "Assets/Art/UI/Menu UI/ContinueSelected.png" 20 20 || e2e_fail "Continue is not shown and selected"
tap Down; tap space
confirmation_shown() { shot && looks_like 744 652 "Assets/Art/UI/Menu UI/NewGameConfirmationBG.png" 40 200; }
e2e_wait_until 60 confirmation_shown || e2e_fail "no new-game confirmation"
keep confirmation
tap Left; tap space
# The menu scene ends after the loading screen's fade and stores the record on its way out.
scene_6_recorded() { [ "$(xxd -p -l 4 "$SAVE")" = "06000000" ]; }
e2e_wait_until 60 scene_6_recorded || {
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died starting a new game"
    e2e_fail "a new game did not record scene 6: $(xxd -p "$SAVE")"
}
shot; keep leaving
e2e_check_sanitizers
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
echo "menu_new_game: ok"

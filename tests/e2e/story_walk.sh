#!/usr/bin/env bash
# The real game from the splash screens into the story and back out: New Game (confirmed)
# opens the first level with its conversation, then the HUD and both heroes on screen;
# Escape pauses, Quit (confirmed) returns to the main menu; the credits run and Space on the
# last picture comes back; Exit ends the game with code 0.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash
source tests/e2e/story_helpers.bash

e2e_start_display
RUN=story-walk
rm -f "$SAVE"
start_to_menu
press_until space confirmation_shown || e2e_fail "New Game asks for no confirmation"
press_until Left yes_selected || e2e_fail "Left does not select Yes"
press_until space left_the_menu || e2e_fail "Yes did not start a new game"
wait_for_level   # with its conversation
keep level-start
heroes_shown || e2e_fail "the heroes are not on screen"
skip_conversation || e2e_fail "no HUD once the conversation is over"
keep level-play
heroes_shown || e2e_fail "the heroes left the screen"

press_until Escape pause_shown || e2e_fail "Escape shows no pause screen"
keep paused
tap Down; tap Down; tap space   # Quit
tap Up; tap space               # Yes
wait_for menu 60

select_down_to Credits; tap space
run_credits
exit_from_menu
echo "story_walk: ok"

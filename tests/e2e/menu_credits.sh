#!/usr/bin/env bash
# The credits from the first main menu in the real game: the four pictures one by one
# (Space moves on), then Space on the last one returns to the main menu; Exit (code 0).
# (tests/e2e/menu_helpers.bash tells how screens are recognised.)
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash

e2e_start_display
RUN=credits
start_to_menu
select_down_to Credits; tap space
run_credits
exit_from_menu
echo "menu_credits: ok"

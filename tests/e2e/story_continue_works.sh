#!/usr/bin/env bash
# Continue from a saved game leads into the first two Magitek levels (story_continue.bash).
source "$(dirname "$0")/story_continue.bash"
continue_into 1 4

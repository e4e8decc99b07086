#!/usr/bin/env bash
# Continue from a saved game leads into the Slums levels after the first (a save at the
# first level means no progress: New Game leads there, story_walk.sh) (story_continue.bash).
source "$(dirname "$0")/story_continue.bash"
continue_into 10 11

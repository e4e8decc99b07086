#!/usr/bin/env bash
# Continue from a saved game leads into the Slums levels after the first (a save at the
# first level means no progress: New Game leads there, story_walk.sh) (story_continue.bash).
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash
source tests/e2e/story_helpers.bash
source tests/e2e/story_continue.bash
continue_into 10 11
echo "story_continue_slums: ok"

#!/usr/bin/env bash
# Continue from a saved game leads into the final boss and the conversation after it (story_continue.bash).
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash
source tests/e2e/story_helpers.bash
source tests/e2e/story_continue.bash
continue_into 13 15
echo "story_continue_end: ok"

#!/usr/bin/env bash
# Continue from a saved game leads into the foundry and the laser boss (story_continue.bash).
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash
source tests/e2e/story_helpers.bash
source tests/e2e/story_continue.bash
continue_into 12 14
echo "story_continue_foundry: ok"

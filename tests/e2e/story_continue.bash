# Continue leads into a level or story scene (sourced first thing by the story_continue_*.sh
# tests, with their arguments: the game's path): with the save file's scene index set to each
# scene in turn, Continue on the first main menu shows that scene with both heroes; a level
# shows its HUD once the opening conversation is skipped, a conversation scene its speech
# bubble.
set -u
GAME="$1"
cd "$(dirname "${BASH_SOURCE[0]}")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash
source tests/e2e/story_helpers.bash

# continue_into index...: each scene in turn, then reports the calling test as passed.
continue_into() {
    local index
    e2e_start_display
    for index in "$@"; do
        RUN=continue-$index
        continue_at "$index"
        keep shown
        heroes_shown || e2e_fail "scene $index: the heroes are not on screen"
        # (continue_at has waited for the scene's conversation.) The levels' HUD shows
        # once it is skipped; the two conversation scenes have none.
        if [ "$index" != 15 ] && [ "$index" != 17 ]; then
            skip_conversation || e2e_fail "scene $index: no HUD"
            keep play
        fi
        e2e_check_sanitizers
        kill "$E2E_GAME_PID"
        wait "$E2E_GAME_PID" 2>/dev/null
        E2E_GAME_PID=""
    done
    echo "$(basename "$0" .sh): ok"
}

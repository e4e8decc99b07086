# Continue leads into a level or story scene (sourced first thing by the story_continue_*.sh
# tests, with their arguments: the game's path): with the save file's scene index set to each
# scene (each in a run of its own, side by side), Continue on the first main menu shows that scene with both heroes; a level
# shows its HUD once the opening conversation is skipped, a conversation scene its speech
# bubble.
set -u
GAME="$(readlink -f "$1")"
SELF="$(readlink -f "$0")"
cd "$(dirname "${BASH_SOURCE[0]}")/../.." || exit 1
source tests/e2e/lib.sh
source tests/e2e/menu_helpers.bash
source tests/e2e/story_helpers.bash

# continue_into index...: each scene in a process of its own (the calling test again, with
# CONTINUE_INDEX set), side by side, then reports the calling test as passed.
continue_into() {
    local index
    if [ -n "${CONTINUE_INDEX:-}" ]; then
        continue_one "$CONTINUE_INDEX"
        echo "scene $CONTINUE_INDEX: shown"
        exit 0
    fi
    for index in "$@"; do
        CONTINUE_INDEX=$index bash "$SELF" "$GAME" >"$E2E_DIR/scene-$index.log" 2>&1 &
    done
    wait
    cat "$E2E_DIR"/scene-*.log
    [ "$(cat "$E2E_DIR"/scene-*.log | grep -c ': shown$')" = "$#" ] || e2e_fail "not every scene showed (see above)"
    echo "$(basename "$0" .sh): ok"
}

continue_one() {
    local index="$1"
    e2e_start_display
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
}

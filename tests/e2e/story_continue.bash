# Continue leads into a level or story scene (sourced by the story_continue_*.sh tests):
# with the save file's scene index set to each scene in turn, Continue on the first main
# menu shows that scene with both heroes; a level shows its HUD once the opening
# conversation is skipped, a conversation scene its speech bubble.
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
            skip_conversation
            shot; keep play
            hud_shown || e2e_fail "scene $index: no HUD"
        fi
        e2e_check_sanitizers
        kill "$E2E_GAME_PID"
        wait "$E2E_GAME_PID" 2>/dev/null
        E2E_GAME_PID=""
    done
}

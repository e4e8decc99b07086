#!/usr/bin/env bash
# When the graphics start-up fails (here: no shader files next to the game), the game
# says so on stderr, runs its quit pass and exits with code 1 instead of hanging or crashing.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

e2e_start_display
mkdir -p "$E2E_DIR/empty"
e2e_start_game "$GAME" "$E2E_DIR/empty"   # an empty folder: no Code/Shaders, no Assets
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "1" ] || e2e_fail "exit code after a failed start-up: $E2E_EXIT_CODE"
grep -q "SHADER: Shader file could not be read" "$E2E_DIR/game.err" || e2e_fail "no shader message"
grep -q "GRAPHICS ENGINE: Shader Creation Failed!" "$E2E_DIR/game.err" || e2e_fail "no start-up message"
e2e_check_sanitizers
echo "startup_failure: ok"

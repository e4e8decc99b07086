# Shared helpers for the end-to-end tests: each test gets its own virtual display
# with a window manager, starts the real game there, and cleans up after itself.
# Usage: source tests/e2e/lib.sh; e2e_start_display; e2e_start_game "$GAME"; ...

E2E_DISPLAY_PID=""
E2E_WM_PID=""
E2E_GAME_PID=""
E2E_DIR="$(mktemp -d /tmp/harrowvale-e2e-XXXXXX)"

# The game's save record lives in the test's own folder, never the developer's. It starts
# as a fresh record but windowed (a test that wants another one writes its own).
export APPDATA="$E2E_DIR/appdata"
mkdir -p "$APPDATA/Harrowvale"
printf '\x06\x00\x00\x00\x00\x00\x80\x3f\x00\x00\x00\x00\x00\x00\x80\x3f\x00\x00\x00\x00' \
    >"$APPDATA/Harrowvale/GlobalSav.dat"

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -f "$E2E_DIR/game.err" ]; then
        echo "--- game stderr (tail) ---" >&2
        tail -n 40 "$E2E_DIR/game.err" >&2
    fi
    exit 1
}

e2e_cleanup() {
    [ -n "$E2E_GAME_PID" ] && kill "$E2E_GAME_PID" 2>/dev/null
    [ -n "$E2E_WM_PID" ] && kill "$E2E_WM_PID" 2>/dev/null
    [ -n "$E2E_DISPLAY_PID" ] && kill "$E2E_DISPLAY_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# A fresh Xvfb on a free display number, with openbox so that close requests go
# through a real window manager.
e2e_start_display() {
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
            Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >"$E2E_DIR/xvfb.log" 2>&1 &
            E2E_DISPLAY_PID=$!
            export DISPLAY=":$n"
            break
        fi
    done
    [ -n "$E2E_DISPLAY_PID" ] || e2e_fail "no free display"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb did not start"
    if command -v openbox >/dev/null 2>&1; then
        openbox >"$E2E_DIR/wm.log" 2>&1 &
        E2E_WM_PID=$!
        sleep 0.5
    fi
}

# Starts the game binary from the repository root; its stderr goes to $E2E_DIR/game.err.
# Leak checking is off for the whole game: the GL driver is unloaded at exit, so its
# leaks can no longer be attributed to it and suppressed (the unit tests check ours).
# The game picks its real sound output (HARROWVALE_TEST, which gives unit tests the
# manual mixer, is dropped).
e2e_start_game() {
    env -u HARROWVALE_TEST ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$1" \
        >"$E2E_DIR/game.out" 2>"$E2E_DIR/game.err" &
    E2E_GAME_PID=$!
}

# Waits until a window with this exact name is mapped; prints its id.
e2e_wait_window() {
    local name="$1" timeout="${2:-30}" id=""
    for _ in $(seq 1 $((timeout * 10))); do
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$E2E_GAME_PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Waits for the game to exit and sets E2E_EXIT_CODE to its exit code, or "timeout".
# (Not usable inside $(...): only this shell can wait for the game.)
E2E_EXIT_CODE=""
e2e_wait_exit() {
    local timeout="${1:-10}"
    E2E_EXIT_CODE="timeout"
    for _ in $(seq 1 $((timeout * 10))); do
        if ! kill -0 "$E2E_GAME_PID" 2>/dev/null; then
            wait "$E2E_GAME_PID"
            E2E_EXIT_CODE=$?
            E2E_GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
}

# Saves a screenshot of the whole display.
e2e_screenshot() {
    import -display "$DISPLAY" -window root "$1"
}

# Prints the colour of pixel (x, y) of an image as "r g b" (0-255).
e2e_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# Presses a key in the game window (xdotool key names: space, Return, Escape, Right...).
e2e_key() {
    local window="$1" key="$2"
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool keydown --window "$window" "$key"
    sleep 0.15
    xdotool keyup --window "$window" "$key"
}

# Fails when the game's stderr holds a sanitizer report.
e2e_check_sanitizers() {
    if grep -qE "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer" "$E2E_DIR/game.err"; then
        e2e_fail "sanitizer report"
    fi
}

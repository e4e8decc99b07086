# Shared helpers for the end-to-end tests: each test gets its own virtual display
# with a window manager, starts the real game there, and cleans up after itself.
# Usage: source tests/e2e/lib.sh; e2e_start_display; e2e_start_game "$GAME"; ...
#
# Tests wait for states (a window, a picture on the screen, a file, the game's exit),
# never for a fixed time, so that a slow machine makes them slower, not red.

E2E_DISPLAY_PID=""
E2E_WM_PID=""
E2E_GAME_PID=""
E2E_DIR="$(mktemp -d /tmp/harrowvale-e2e-XXXXXX)"
E2E_REPO="$(pwd)"

# The software renderer starts a drawing thread per processor in every game; with several
# tests side by side that is many more threads than processors. Two each do.
export LP_NUM_THREADS="${LP_NUM_THREADS:-2}"

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

# Runs a command every tenth of a second until it succeeds; fails after the timeout (s),
# or at once when the game was started and has died.
e2e_wait_until() {
    local timeout="$1"
    shift
    local deadline=$(( ${EPOCHREALTIME/./} + timeout * 1000000 ))
    while [ "${EPOCHREALTIME/./}" -lt "$deadline" ]; do
        "$@" && return 0
        if [ -n "$E2E_GAME_PID" ] && ! kill -0 "$E2E_GAME_PID" 2>/dev/null; then return 1; fi
        sleep 0.1
    done
    return 1
}

# A fresh Xvfb with openbox, so that close requests go through a real window manager.
# Xvfb picks a free display number itself and reports it once it accepts clients
# (-displayfd), so several tests, of this run or of others, can start at once.
e2e_start_display() {
    local fifo="$E2E_DIR/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_DISPLAY_PID=$!
    local n=""
    read -r -t 120 n <"$fifo" || true
    [ -n "$n" ] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$n"
    if command -v openbox >/dev/null 2>&1; then
        e2e_start_wm
        e2e_wait_until 120 e2e_wm_ready || e2e_fail "the window manager did not start: $(tail -n 3 "$E2E_DIR/wm.log")"
    fi
}

e2e_start_wm() {
    openbox >>"$E2E_DIR/wm.log" 2>&1 &
    E2E_WM_PID=$!
}

# Whether the window manager answers; one that gave up before it did (seen once among
# many displays starting at once) is started again.
e2e_wm_ready() {
    wmctrl -m >/dev/null 2>&1 && return 0
    kill -0 "$E2E_WM_PID" 2>/dev/null || e2e_start_wm
    return 1
}

# A scratch copy of the game's root for a test scene: the game always opens
# "Assets/Scenes/SplashScreen.scene" from its working directory, so the copy's
# Assets/Scenes holds only the given scene under that name; shaders, art, the other
# assets and tests/ link to the repository. Prints the copy's path.
e2e_scratch_root() {
    local scene="$1" root="$E2E_DIR/root" entry
    mkdir -p "$root/Assets/Scenes"
    ln -s "$E2E_REPO/Code" "$root/Code"
    ln -s "$E2E_REPO/tests" "$root/tests"
    for entry in "$E2E_REPO"/Assets/*; do
        [ "$(basename "$entry")" = "Scenes" ] || ln -s "$entry" "$root/Assets/$(basename "$entry")"
    done
    cp "$E2E_REPO/$scene" "$root/Assets/Scenes/SplashScreen.scene"
    echo "$root"
}

# Starts the game binary in a folder (default: the current one); its stderr goes to
# $E2E_DIR/game.err. Leak checking is off for the whole game: the GL driver is unloaded at
# exit, so its leaks can no longer be attributed to it and suppressed (the unit tests check
# ours). The game picks its real sound output (HARROWVALE_TEST, which gives unit tests the
# manual mixer, is dropped).
e2e_start_game() {
    local game dir="${2:-$PWD}"
    game="$(readlink -f "$1")"
    (cd "$dir" && exec env -u HARROWVALE_TEST ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$game") \
        >"$E2E_DIR/game.out" 2>"$E2E_DIR/game.err" &
    E2E_GAME_PID=$!
}

# Waits until a window with this exact name is mapped; prints its id.
e2e_wait_window() {
    local name="$1" timeout="${2:-30}" id=""
    find_window() {
        id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1)
        [ -n "$id" ]
    }
    e2e_wait_until "$timeout" find_window || return 1
    echo "$id"
}

# Waits for the game to exit and sets E2E_EXIT_CODE to its exit code, or "timeout".
# (Not usable inside $(...): only this shell can wait for the game.)
E2E_EXIT_CODE=""
e2e_wait_exit() {
    local timeout="${1:-10}" pid="$E2E_GAME_PID"
    E2E_EXIT_CODE="timeout"
    E2E_GAME_PID=""  # its exit is what is awaited here, not a reason to stop early
    if e2e_wait_until "$timeout" eval "! kill -0 $pid 2>/dev/null"; then
        wait "$pid"
        E2E_EXIT_CODE=$?
    else
        E2E_GAME_PID="$pid"
    fi
}

# Saves a screenshot of the whole display.
e2e_screenshot() {
    timeout 30 import -display "$DISPLAY" -window root "$1"
}

# Prints the colour of pixel (x, y) of an image as "r g b" (0-255).
e2e_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# Prints the colours of several pixels of an image, one "r g b" line per "x y" point, read
# in one pass (a busy machine starts few programs quickly).
e2e_pixels() {
    local image="$1" format="" point x y
    shift
    for point in "$@"; do
        read -r x y <<<"$point"
        format+="%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]\n"
    done
    convert "$image" -format "$format" info:
}

# Saves the window's picture and prints its size as "width height".
e2e_window_shot() {
    timeout 30 import -display "$DISPLAY" -window "$1" "$2" 2>/dev/null || return 1
    identify -format "%w %h\n" "$2"
}

# Whether two "r g b" colours differ by at most this much, summed over the channels.
e2e_colours_near() {
    local a=($1) b=($2) limit="$3" d=0 i diff
    for i in 0 1 2; do
        diff=$((a[i] - b[i]))
        d=$((d + ${diff#-}))
    done
    [ "$d" -le "$limit" ]
}

# Whether the window now shows the picture: at each given point ("x y" in the picture's
# 1920 x 1080 pixels, scaled to the window) the colours differ by at most 30 in sum.
e2e_window_shows() {
    local window="$1" picture="$2" shot="$E2E_DIR/shows.png" w h point x y i
    shift 2
    read -r w h < <(e2e_window_shot "$window" "$shot") || return 1
    local scaled=()
    for point in "$@"; do
        read -r x y <<<"$point"
        scaled+=("$((x * w / 1920)) $((y * h / 1080))")
    done
    local expected actual
    mapfile -t expected < <(e2e_pixels "$picture" "$@")
    mapfile -t actual < <(e2e_pixels "$shot" "${scaled[@]}")
    for i in "${!expected[@]}"; do
        [ -n "${actual[$i]:-}" ] && e2e_colours_near "${expected[$i]}" "${actual[$i]}" 30 || return 1
    done
}

# Waits until the window shows the picture (see e2e_window_shows); fails on timeout.
e2e_wait_picture() {
    local timeout="$1"
    shift
    e2e_wait_until "$timeout" e2e_window_shows "$@" && return 0
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died before it showed $2"
    e2e_fail "the window did not show $2 within ${timeout} s"
}

# Whether the window shows a picture rather than one flat colour: frames are being drawn.
# (A screen that lasts a few seconds may fall between two screenshots of a busy machine;
# this holds for any of them.)
e2e_window_drawn() {
    e2e_window_print "$1" "$E2E_DIR/print-drawn.png" || return 1
    local spread
    spread=$(convert "$E2E_DIR/print-drawn.png" -format "%[fx:standard_deviation]" info: 2>/dev/null) || return 1
    awk -v s="$spread" 'BEGIN { exit !(s > 0.03) }'
}

# A small grey fingerprint of the window's picture (96 x 54), for telling whether it changed.
e2e_window_print() {
    timeout 30 import -display "$DISPLAY" -window "$1" -resize 96x54\! -colorspace gray "$2" 2>/dev/null
}

# The difference between two fingerprints (root mean square, 0..1).
e2e_print_difference() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/'
}

# Whether the window's picture now differs from a fingerprint taken before, however little (a
# toggled button is a small change of a still screen), or the window is gone (as after a key
# that ends the game).
e2e_window_changed() {
    local window="$1" before="$2"
    xdotool getwindowname "$window" >/dev/null 2>&1 || return 0
    e2e_window_print "$window" "$E2E_DIR/print-now.png" || return 0
    awk -v s="$(e2e_print_difference "$before" "$E2E_DIR/print-now.png")" 'BEGIN { exit !(s > 0.001) }'
}

# Holds a key down in the game window until a check holds, then lets it go: however long a
# frame takes, one of them sees the key held. A key that made the game quit is let go of on
# the display itself (its window is gone). When the check still fails after a while, the key
# is let go of and pressed again (a press that came before the game saw the last release of
# the same key is no new press); the check may also hold right after the release. Fails when
# the check never held within the timeout (s).
e2e_press_until() {
    local window="$1" key="$2" timeout="$3" status=1 round
    shift 3
    local deadline=$(( ${EPOCHREALTIME/./} + timeout * 1000000 ))
    for round in 1 2 3 4 5 6; do
        timeout 10 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
        xdotool keydown --window "$window" "$key" 2>/dev/null
        local patience=$(( (deadline - ${EPOCHREALTIME/./}) / 1000000 / (7 - round) + 1 ))
        e2e_wait_until "$patience" "$@" && status=0
        xdotool keyup --window "$window" "$key" 2>/dev/null || xdotool keyup "$key"
        [ "$status" = 0 ] && return 0
        "$@" && return 0  # seen with the release
        [ -n "$E2E_GAME_PID" ] && ! kill -0 "$E2E_GAME_PID" 2>/dev/null && return 1
        [ "${EPOCHREALTIME/./}" -lt "$deadline" ] || return 1
    done
    return 1
}

# Presses a key in the game window until its picture changes (see e2e_press_until).
e2e_key() {
    local window="$1" key="$2" timeout="${3:-60}"
    e2e_window_print "$window" "$E2E_DIR/print-before.png" || return 1
    e2e_press_until "$window" "$key" "$timeout" e2e_window_changed "$window" "$E2E_DIR/print-before.png"
}

# Fails when the game's stderr holds a sanitizer report.
e2e_check_sanitizers() {
    if grep -qE "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer" "$E2E_DIR/game.err"; then
        e2e_fail "sanitizer report"
    fi
}

#!/usr/bin/env bash
# The real game shows the splash chain: the first splash picture fills the window,
# Space moves on to the beta splash, Enter to the gamepad splash, and the end of that
# one's fade leads to the first main menu (scene 9). Each screen is recognised by
# sampling flat areas of the window against the pictures themselves.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

PICTURES=(Assets/Art/Splash/SplashScreen.png Assets/Art/Splash/BetaSplashScreen.png
          Assets/Art/Splash/BestExpSplashScreen.png Assets/Art/UI/MainMenu/Background.png)
NAMES=(splash beta bestexp menu)
# For each picture, three points (picture pixels, 1920 x 1080) in flat areas of it
# where the other pictures look different.
POINTS=("880 240" "1500 280" "1220 280"
        "1120 380" "1580 760" "1520 380"
        "620 800" "440 440" "420 440"
        "1600 740" "1640 720" "1620 860")

declare -a EXPECTED
for p in 0 1 2 3; do
    mapfile -t -O $((p * 3)) EXPECTED < <(e2e_pixels "${PICTURES[$p]}" "${POINTS[@]:$((p * 3)):3}")
done

# Prints the name of the picture the window shows now: the one whose own sample points
# all match within tolerance ("none" while fading or when nothing matches). One screenshot
# and one read of all points: on a busy machine a slow look could miss a whole screen.
classify() {
    local shot="$E2E_DIR/now.png" w h k p
    read -r w h < <(e2e_window_shot "$WINDOW" "$shot") || { echo none; return; }
    local scaled=() actual
    for k in "${!POINTS[@]}"; do
        read -r x y <<<"${POINTS[$k]}"
        scaled+=("$((x * w / 1920)) $((y * h / 1080))")
    done
    mapfile -t actual < <(e2e_pixels "$shot" "${scaled[@]}")
    for p in 0 1 2 3; do
        local match=1
        for k in $((p * 3)) $((p * 3 + 1)) $((p * 3 + 2)); do
            [ -n "${actual[$k]:-}" ] && e2e_colours_near "${EXPECTED[$k]}" "${actual[$k]}" 30 || match=0
        done
        [ -n "${E2E_DEBUG:-}" ] && echo "${NAMES[$p]} match $match" >&2
        if [ $match = 1 ]; then echo "${NAMES[$p]}"; return; fi
    done
    echo none
}

# The chain's screens in order. The screens also move on by themselves after a while, so on
# a busy machine one may be gone before a screenshot sees it: a wait is for the named
# screen or a later one, and fails only on timeout.
stage() { local k; for k in 0 1 2 3; do [ "${NAMES[$k]}" = "$1" ] && echo "$k"; done; }
seen=""
at_or_past() {
    seen=$(classify)
    [ "$seen" != none ] && [ "$(stage "$seen")" -ge "$(stage "$1")" ]
}
wait_for() {
    e2e_wait_until "$2" at_or_past "$1" && return 0
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died waiting for $1"
    e2e_fail "waited for $1, the window shows $seen"
}
# Holds a key until the window shows a later screen than the current one.
press_on() {
    local from="$1" key="$2" next
    next=${NAMES[$(( $(stage "$from") + 1 ))]}
    e2e_press_until "$WINDOW" "$key" 60 at_or_past "$next" || e2e_fail "$key on $from: the window shows $seen"
}

e2e_start_display
e2e_start_game "$GAME"
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"

wait_for splash 120
[ "$seen" = splash ] && press_on splash space
[ "$seen" = beta ] && press_on beta Return
echo "info: the keys moved the chain on to $seen"
# No key: the fade in, the hold and the fade back end in scene 9.
wait_for menu 120
grep -q "FAILED TO LOAD" "$E2E_DIR/game.err" && e2e_fail "a picture failed to load"
e2e_check_sanitizers
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
echo "splash_chain: ok"

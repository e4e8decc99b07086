#!/usr/bin/env bash
# Without a display the window system cannot start: the game says why in one line on
# stderr (the window system's own reason) and exits at once with code 1.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
said=$(env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0 timeout 20 "$GAME" 2>&1 >/dev/null)
code=$?
[ "$code" = "1" ] || { echo "FAIL: exit code without a display: $code"; exit 1; }
printf '%s\n' "$said" | grep -q '^GRAPHICS ENGINE: Window Class Registration Failed! (.*DISPLAY.*)$' ||
    { echo "FAIL: no reason given without a display: $said"; exit 1; }
echo "no_display: ok"

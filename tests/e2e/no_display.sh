#!/usr/bin/env bash
# Without a display the window system cannot start: the game exits at once with code 1.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0 timeout 20 "$GAME" >/dev/null 2>&1
code=$?
[ "$code" = "1" ] || { echo "FAIL: exit code without a display: $code"; exit 1; }
echo "no_display: ok"

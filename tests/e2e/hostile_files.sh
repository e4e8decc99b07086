#!/usr/bin/env bash
# The real game on broken files: each round runs it from a scratch copy of Assets in which
# one kind of file is broken in one way, presses through the splash and menu into the
# first level, and requires that it is still running and then closes cleanly (code 0),
# with no sanitizer report. A broken font may stop the start-up instead: then the game
# must say so on stderr and exit with code 1.
#
# Breakages: empty, the first half only, every JSON value of the wrong type (scenes),
# a directory in the file's place, an unreadable file, a picture declaring 100000 x 100000
# pixels in its header. Tests run as root, for whom a chmod 000 file is still readable, so
# "unreadable" is a symbolic link to itself: every open fails (ELOOP), for root too.
# (Prefabs are read only when a boss summons; their reader has its own fuzz target.)
set -u
GAME="$(readlink -f "$1")"
cd "$(dirname "$0")/../.." || exit 1
REPO="$(pwd)"
source tests/e2e/lib.sh

# Every JSON value but the component class names and object ids swapped for another type.
WRONG_TYPES='
import json, sys
def flip(v):  # another type; objects keep their keys with every value flipped
    if isinstance(v, bool): return [v]
    if isinstance(v, (int, float)): return str(v)
    if isinstance(v, str): return 7
    if isinstance(v, list): return {"k": v}
    if isinstance(v, dict): return {k: flip(x) for k, x in v.items()}
    return "null"
def entry(v):  # a component keeps its class and owner; an object or line entry its shape
    if isinstance(v, dict): return {k: x if k in ("class", "gameObjectID") else flip(x) for k, x in v.items()}
    if isinstance(v, list): return [flip(x) for x in v]
    return flip(v)
path = sys.argv[1]
data = json.load(open(path))
json.dump({k: [entry(e) for e in x] if isinstance(x, list) else flip(x) for k, x in data.items()}, open(path, "w"))
'

HUGE_PNG='
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
header = struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)
body = zlib.compress(b"\0" * 4096)
open(sys.argv[1], "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", body) + chunk(b"IEND", b""))
'

break_file() {  # mode file
    local mode="$1" file="$2"
    case "$mode" in
        empty) : >"$file" ;;
        truncated) head -c $(($(stat -c %s "$file") / 2)) "$file" >"$file.half" && mv "$file.half" "$file" ;;
        wrongtypes) python3 -c "$WRONG_TYPES" "$file" || e2e_fail "could not rewrite $file" ;;
        directory) rm -f "$file" && mkdir "$file" ;;
        unreadable) rm -f "$file" && ln -s "$(basename "$file")" "$file" ;;
        hugepng) python3 -c "$HUGE_PNG" "$file" ;;
    esac
}

# One round: a fresh copy of Assets with every file matching `pattern` broken by `mode`.
round() {
    local kind="$1" pattern="$2" mode="$3" may_stop="${4:-}"
    local root="$E2E_DIR/root-$kind-$mode"
    mkdir -p "$root"
    ln -s "$REPO/Code" "$root/Code"
    cp -r "$REPO/Assets" "$root/Assets"
    while IFS= read -r -d '' file; do break_file "$mode" "$file"; done \
        < <(find "$root/Assets" -type f -name "$pattern" -print0)
    : >"$E2E_DIR/game.err"
    cd "$root" || exit 1
    e2e_start_game "$GAME"
    cd "$REPO" || exit 1
    local window
    if ! window=$(e2e_wait_window harrowvale 120); then
        e2e_wait_exit 240
        [ -n "$may_stop" ] || e2e_fail "$kind/$mode: no window (exit $E2E_EXIT_CODE)"
        [ "$E2E_EXIT_CODE" = "1" ] || e2e_fail "$kind/$mode: start-up ended with $E2E_EXIT_CODE, not 1"
        [ -s "$E2E_DIR/game.err" ] || e2e_fail "$kind/$mode: exit code 1 without a message"
        e2e_check_sanitizers
        echo "$kind/$mode: stopped with a message"
        return
    fi
    # Past the splash (Escape), into the first level (Space on New Game) and its dialogue.
    # Each key is held until the picture changes; a broken file may leave it as it was, so
    # after a while the next key comes all the same.
    local key before="$E2E_DIR/print-before.png"
    for key in Escape Escape Escape space space space space; do
        kill -0 "$E2E_GAME_PID" 2>/dev/null || break
        e2e_window_print "$window" "$before" 2>/dev/null || break
        e2e_press_until "$window" "$key" 6 e2e_window_changed "$window" "$before" 2>/dev/null || true
    done
    kill -0 "$E2E_GAME_PID" 2>/dev/null || { e2e_wait_exit 1; e2e_fail "$kind/$mode: the game ended ($E2E_EXIT_CODE)"; }
    wmctrl -c harrowvale || xdotool key --window "$window" alt+F4
    e2e_wait_exit 240
    [ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "$kind/$mode: exit code after close: $E2E_EXIT_CODE"
    e2e_check_sanitizers
    echo "$kind/$mode: went on"
    rm -rf "$root"
}

# One round in this process, on its own display: hostile_files.sh game kind pattern mode [may_stop].
if [ $# -ge 4 ]; then
    e2e_start_display
    round "${@:2}"
    exit 0
fi

# Every round in a process of its own, nine at a time.
ROUNDS=()
for mode in empty truncated wrongtypes directory unreadable; do ROUNDS+=("scene *.scene $mode"); done
for mode in empty truncated directory unreadable hugepng; do ROUNDS+=("picture *.png $mode"); done
for mode in empty truncated directory unreadable; do ROUNDS+=("sound *.ogg $mode"); done
for mode in empty truncated directory; do ROUNDS+=("font *.ttf $mode may_stop"); done
for k in "${!ROUNDS[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge 9 ]; do wait -n; done
    read -r -a args <<<"${ROUNDS[$k]}"
    bash "$REPO/tests/e2e/hostile_files.sh" "$GAME" "${args[@]}" >"$E2E_DIR/round-$k.log" 2>&1 &
done
wait
cat "$E2E_DIR"/round-*.log
# Each round ends with a line saying how the game took it.
[ "$(cat "$E2E_DIR"/round-*.log | grep -cE ': (went on|stopped with a message)$')" = "${#ROUNDS[@]}" ] ||
    e2e_fail "not every round passed (see above)"
echo "hostile_files: ok"

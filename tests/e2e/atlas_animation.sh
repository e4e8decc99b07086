#!/usr/bin/env bash
# The real game animates atlas sprites: started on the atlas test scene, a 2 x 2 colour
# sheet cycles red, green, blue, yellow (one cell each 2 s) and the Thief runs through
# the cells of its run row, as screenshots taken over time show.
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

ROOT=$(e2e_scratch_root tests/animationmanager/scenes/atlas.scene)
e2e_start_display
e2e_start_game "$GAME" "$ROOT"
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"

# The colour of the sheet's cell shown now (sampled in the middle of the quad at 600, 540),
# and a checksum of the Thief's quad (1400 +- 192, 540 +- 192).
NAMES=(red green blue yellow)
COLOURS=("220 40 40" "40 200 40" "40 60 220" "230 210 40")
shot() {
    local file="$E2E_DIR/now.png" w h
    timeout 30 import -display "$DISPLAY" -window "$WINDOW" "$file" 2>/dev/null || { echo "none -"; return; }
    read -r w h < <(identify -format "%w %h\n" "$file")
    read -r r g b < <(e2e_pixel "$file" $((600 * w / 1920)) $((540 * h / 1080)); echo)
    local name=none k d
    for k in 0 1 2 3; do
        read -r er eg eb <<<"${COLOURS[$k]}"
        d=$(( (er > r ? er - r : r - er) + (eg > g ? eg - g : g - eg) + (eb > b ? eb - b : b - eb) ))
        [ $d -le 40 ] && name=${NAMES[$k]}
    done
    local crop
    crop=$(convert "$file" -crop "$((384 * w / 1920))x$((384 * h / 1080))+$((1208 * w / 1920))+$((348 * h / 1080))" \
           +repage -depth 8 rgb:- | md5sum | cut -c1-12)
    echo "$name $crop"
}

shows_a_cell() { read -r colour _ < <(shot); [ "$colour" != none ]; }
e2e_wait_until 30 shows_a_cell || e2e_fail "the colour sheet never showed"

# Samples until the sheet has gone round (four changes, every cell seen) and the Thief has
# shown four pictures; at most 150 s. A change of colour between two samples taken less
# than one cell time (2 s) apart must be the next cell of the cycle; a slower pair may
# skip one.
declare -a SEQUENCE
declare -A THIEF DISTINCT
last="" last_time=0 changes=0
went_round() { [ $changes -ge 4 ] && [ "${#DISTINCT[@]}" -eq 4 ] && [ "${#THIEF[@]}" -ge 4 ]; }
start=${EPOCHREALTIME/./}
while ! went_round && [ $(( ${EPOCHREALTIME/./} - start )) -lt 150000000 ]; do
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died while animating"
    read -r colour crop < <(shot)
    now=${EPOCHREALTIME/./}
    THIEF[$crop]=1
    if [ "$colour" != none ]; then
        if [ -n "$last" ] && [ "$colour" != "$last" ]; then
            changes=$((changes + 1))
            for k in 0 1 2 3; do [ "${NAMES[$k]}" = "$last" ] && want=${NAMES[$(((k + 1) % 4))]}; done
            if [ "$colour" != "$want" ] && [ $((now - last_time)) -lt 2000000 ]; then
                e2e_fail "after $last came $colour, not $want (${SEQUENCE[*]} $colour)"
            fi
        fi
        [ "$colour" = "$last" ] || SEQUENCE+=("$colour")
        DISTINCT[$colour]=1
        last=$colour
        last_time=$now
    fi
done
echo "colours seen in order: ${SEQUENCE[*]:-nothing}"
echo "distinct Thief pictures: ${#THIEF[@]}"

[ $changes -ge 4 ] || e2e_fail "the colour sheet did not cycle: ${SEQUENCE[*]:-nothing}"
[ "${#DISTINCT[@]}" -eq 4 ] || e2e_fail "not every cell showed: ${SEQUENCE[*]}"
[ "${#THIEF[@]}" -ge 4 ] || e2e_fail "the Thief's cell did not change over time"

grep -q "FAILED TO LOAD" "$E2E_DIR/game.err" && e2e_fail "a picture failed to load"
e2e_check_sanitizers
wmctrl -c harrowvale || xdotool key --window "$WINDOW" alt+F4
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
echo "atlas_animation: ok"

#!/usr/bin/env bash
# Closing the window through the window manager, SIGTERM and SIGINT each end the real
# game with code 0 and no sanitizer report, at any moment: during the first frames,
# during a splash fade, around a scene change. ROUNDS rounds of each (default 20),
# four games at a time on one display, each at its own delay after its window appeared.
set -u
GAME="$1"
ROUNDS=${LIFE_CYCLE_ROUNDS:-20}
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

e2e_start_display

# Delays after the window appears, in seconds: first frames, the first fade, the first
# scene change (the splash hands over after its fade), deeper in the chain.
DELAYS=(0 0.1 0.3 0.6 0.9 1.2 1.6 2.0 2.5 3.1)

# One game, ended by `how` (close, TERM or INT) `delay` s after its window appeared.
# Prints "ok" or what went wrong.
one_round() {
    local how="$1" delay="$2" log="$E2E_DIR/round-$3.err" pid window code
    env -u HARROWVALE_TEST ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$GAME" \
        >/dev/null 2>"$log" &
    pid=$!
    window=""
    shown() { window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1); [ -n "$window" ]; }
    e2e_wait_until 120 eval 'shown || ! kill -0 "$pid" 2>/dev/null'
    [ -n "$window" ] || { kill -9 "$pid" 2>/dev/null; echo "$how $delay: no window"; return; }
    # The moment chosen for this round (not a wait for anything).
    sleep "$delay"
    case "$how" in
        close) wmctrl -i -c "$window" ;;
        *) kill -s "$how" "$pid" ;;
    esac
    if ! e2e_wait_until 60 eval '! kill -0 "$pid" 2>/dev/null'; then
        kill -9 "$pid"; echo "$how $delay: still running 60 s later"; return
    fi
    wait "$pid"; code=$?
    if [ "$code" != 0 ]; then echo "$how $delay: exit code $code"; return; fi
    if grep -qE "ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer" "$log"; then
        echo "$how $delay: sanitizer report"; return
    fi
    echo ok
}

failures=0
round=0
for how in close TERM INT; do
    for start in $(seq 0 4 $((ROUNDS - 1))); do
        batch=()
        for j in $(seq "$start" $((start + 3))); do
            [ "$j" -lt "$ROUNDS" ] || break
            round=$((round + 1))
            one_round "$how" "${DELAYS[$((j % ${#DELAYS[@]}))]}" "$round" >"$E2E_DIR/result-$round" &
            batch+=($!)
        done
        wait "${batch[@]}"  # not a bare wait: the display and window manager run on
    done
done
for result in "$E2E_DIR"/result-*; do
    if [ "$(cat "$result")" != ok ]; then
        failures=$((failures + 1))
        echo "FAIL: $(cat "$result")" >&2
    fi
done
[ "$failures" = 0 ] || e2e_fail "$failures of $round games did not end cleanly"
echo "life_cycle: ok ($round games)"

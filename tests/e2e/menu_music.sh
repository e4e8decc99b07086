#!/usr/bin/env bash
# The menu reached after the splash screens plays its theme: with OpenAL Soft's
# wave-file driver as the sound device, the written file holds a clearly
# non-silent signal. Then the game runs and quits cleanly with no sound device
# at all (OpenAL finds no driver, the loopback output takes over).
set -u
GAME="$1"
cd "$(dirname "$0")/../.." || exit 1
source tests/e2e/lib.sh

WAV="$E2E_DIR/out.wav"
cat >"$E2E_DIR/alsoft.conf" <<CONF
[general]
drivers=wave
sample-type=int16
[wave]
file=$WAV
CONF

e2e_start_display

# --- with a (wave-file) sound device ---
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$E2E_DIR/alsoft.conf"
unset HARROWVALE_TEST HARROWVALE_AUDIO  # the real output, not the tests' manual mixer
MENU=(Assets/Art/UI/MainMenu/Background.png "1600 740" "1640 720" "1620 860")
e2e_start_game "$GAME"
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"
# Three splash screens of about five seconds each, then the first-time main menu and its
# music: three more seconds of output once the menu shows (16-bit stereo at 44.1 kHz).
e2e_wait_picture 240 "$WINDOW" "${MENU[@]}"
wav_size() { stat -c %s "$WAV" 2>/dev/null || echo 0; }
MENU_AT=$(wav_size)
e2e_wait_until 120 eval '[ $(wav_size) -ge $((MENU_AT + 3 * 176400)) ]' || e2e_fail "the output stopped growing"
wmctrl -c harrowvale
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after close: $E2E_EXIT_CODE"
e2e_check_sanitizers
[ -s "$WAV" ] || e2e_fail "the wave driver wrote nothing"

STATS=$(sox "$WAV" -n stat 2>&1)
RMS=$(echo "$STATS" | awk -F: '/RMS +amplitude/ {gsub(/ /, "", $2); print $2; exit}')
MAX=$(echo "$STATS" | awk -F: '/Maximum amplitude/ {gsub(/ /, "", $2); print $2; exit}')
LEN=$(echo "$STATS" | awk -F: '/Length \(seconds\)/ {gsub(/ /, "", $2); print $2; exit}')
echo "wave file: length ${LEN}s, max ${MAX}, rms ${RMS}"
awk -v r="$RMS" -v m="$MAX" 'BEGIN { exit !(r > 0.005 && m > 0.05) }' || e2e_fail "the menu music is not in the output"

# The music sits in the last seconds (the menu), not only in the splash screens.
TAIL=$(sox "$WAV" -n trim -3 stat 2>&1 | awk -F: '/RMS +amplitude/ {gsub(/ /, "", $2); print $2; exit}')
echo "last three seconds: rms ${TAIL}"
awk -v r="$TAIL" 'BEGIN { exit !(r > 0.005) }' || e2e_fail "no music at the end of the run"

# --- without any sound device ---
export ALSOFT_DRIVERS=no-such-driver
: >"$E2E_DIR/game.err"
e2e_start_game "$GAME"
WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window without a sound device"
e2e_wait_until 240 e2e_window_drawn "$WINDOW" || e2e_fail "no picture without a sound device"
wmctrl -c harrowvale
e2e_wait_exit 240
[ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code without a sound device: $E2E_EXIT_CODE"
e2e_check_sanitizers
echo "menu_music: ok"

# Helpers of the menu end-to-end tests (sourced after lib.sh): screens are recognised by
# comparing the window with the full-screen pictures they are drawn from, and single
# points with the picture drawn there. Set E2E_SHOTS to a folder to keep a screenshot of
# every screen; E2E_DEBUG prints what is compared.
SAVE="$APPDATA/Harrowvale/GlobalSav.dat"
SMALL="$E2E_DIR/small"
mkdir -p "$SMALL"

# Full-screen reference pictures, by name, scaled down once.
declare -A REF=(
    [splash]=Assets/Art/Splash/SplashScreen.png [beta]=Assets/Art/Splash/BetaSplashScreen.png
    [bestexp]=Assets/Art/Splash/BestExpSplashScreen.png [menu]=Assets/Art/UI/MainMenu/Background.png
    [credits1]=Assets/Art/Credits/Credits1.png [credits2]=Assets/Art/Credits/Credits2.png
    [credits3]=Assets/Art/Credits/Credits3.png [credits4]=Assets/Art/Credits/Credits4.png
    [black]=Assets/Art/UI/LoadingScreen.png)
for name in "${!REF[@]}"; do
    convert "${REF[$name]}" -resize 240x135\! "$SMALL/$name.png"
done

shot() {  # the window as the 1920 x 1080 screen (now.png) and as a small copy (now-small.png)
    timeout 30 import -display "$DISPLAY" -window "$WINDOW" "$E2E_DIR/raw.png" 2>/dev/null || return 1
    convert "$E2E_DIR/raw.png" -resize 1920x1080\! -write "$E2E_DIR/now.png" -resize 240x135\! "$E2E_DIR/now-small.png"
}

# Prints which of the named references (all when none is named) the window shows now: the
# closest one, when it is close enough; else "none".
classify() {
    shot || { echo none; return; }
    local names=("$@") name best=none bestScore=1000 score
    [ ${#names[@]} -eq 0 ] && names=("${!REF[@]}")
    for name in "${names[@]}"; do
        score=$(compare -metric RMSE "$E2E_DIR/now-small.png" "$SMALL/$name.png" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/')
        if awk -v s="$score" -v b="$bestScore" 'BEGIN { exit !(s < b) }'; then best=$name; bestScore=$score; fi
    done
    [ -n "${E2E_DEBUG:-}" ] && echo "closest $best $bestScore" >&2
    awk -v s="$bestScore" 'BEGIN { exit !(s < 0.2) }' && echo "$best" || echo none
}

# Waits until the window shows `want` rather than any of the other named references.
wait_for() {
    local want="$1" timeout="$2" seen=""
    shift 2
    shows() { seen=$(classify "$want" "$@"); [ "$seen" = "$want" ]; }
    if e2e_wait_until "$timeout" shows "$@"; then
        keep "$want"
        return 0
    fi
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died waiting for $want"
    e2e_fail "waited for $want, the window shows $seen"
}

# The colour of a screen point (1920 x 1080 coordinates) of the last shot, against the
# colour of a picture's pixel: true when they are within tolerance.
looks_like() {
    local x="$1" y="$2" picture="$3" px="$4" py="$5" a b
    read -r -a a < <(e2e_pixel "$E2E_DIR/now.png" "$x" "$y"; echo)
    read -r -a b < <(e2e_pixel "$picture" "$px" "$py"; echo)
    local d=0 i
    for i in 0 1 2; do d=$((d + (a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]))); done
    [ -n "${E2E_DEBUG:-}" ] && echo "($x,$y) ${a[*]} vs ${b[*]}" >&2
    [ "$d" -le 40 ]
}

# Marks a step reached: a line with the seconds since the script started (so a run that is
# stopped for taking too long still tells how far it got), and a copy of the last shot.
keep() {
    echo "$RUN: $1 after ${SECONDS} s"
    [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$E2E_DIR/now.png" "$E2E_SHOTS/$RUN-$1.png"
    return 0
}

tap() {  # a press the game sees, however slow its frames: held until the screen follows
    e2e_key "$WINDOW" "$1"
}

# Starts the game and gets past the splash screens with Escape (which does nothing on the
# menu, so a press that comes late is harmless).
start_to_menu() {
    e2e_start_game "$GAME"
    WINDOW=$(e2e_wait_window harrowvale 120) || e2e_fail "no window titled harrowvale"
    local seen=""
    on_menu() {
        seen=$(classify menu splash beta bestexp black)
        case "$seen" in
            menu) return 0 ;;
            splash | beta | bestexp) tap Escape ;;
        esac
        return 1
    }
    e2e_wait_until 240 on_menu && { keep menu; return 0; }
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game died before the menu"
    e2e_fail "no main menu; the window shows $seen"
}

# Whether the last shot shows a screen point like a picture's pixel (see looks_like), after
# a fresh shot: for waiting on a screen.
shows_like() { shot && looks_like "$@"; }

# From the first credits picture to the main menu: each Space moves on to a later picture,
# and Space on the last one returns to the menu. The pictures also move on by themselves
# after a while, so a press may find a later one than the last screenshot showed.
run_credits() {
    wait_for credits1 60 credits1 credits2 credits3 credits4 menu black
    local k=1 seen=credits1
    moved_on() {
        seen=$(classify credits1 credits2 credits3 credits4 menu black)
        case "$seen" in
            menu) return 0 ;;
            credits*) [ "${seen#credits}" -gt "$k" ] ;;
            *) return 1 ;;
        esac
    }
    while [ "$seen" != menu ]; do
        e2e_press_until "$WINDOW" space 60 moved_on || e2e_fail "Space on credits$k: the window shows $seen"
        keep "$seen"
        [ "$seen" = menu ] || k=${seen#credits}
    done
}

# Where the bottom of each main-menu button's frame is: it turns gold when selected.
declare -A FRAME_BOTTOM=([NewGame]=608 [Options]=708 [Credits]=808 [Exit]=908)

# Which button shows selected on a fresh shot (nothing while none does).
selected_button() {
    shot || return 0
    local button
    for button in NewGame Options Credits Exit; do
        looks_like 956 "${FRAME_BOTTOM[$button]}" "Assets/Art/UI/Menu UI/${button}Selected.png" 192 88 &&
            { echo "$button"; return 0; }
    done
}
selection_moved_from() { local now; now=$(selected_button); [ -n "$now" ] && [ "$now" != "$1" ]; }

# Down, one step at a time, until the button shows selected. A press while the menu fades
# in may change the picture and still be ignored: each press is held only until the
# selection moves (a few seconds at most) and then pressed again, so lost presses cost
# little of the four minutes.
select_down_to() {
    local deadline=$((SECONDS + 240)) from
    while from=$(selected_button); [ "$from" != "$1" ]; do
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "Down does not reach $1 (selected: ${from:-none})"
        e2e_press_until "$WINDOW" Down 20 selection_moved_from "$from" || true
    done
    keep "$1"
}

exit_from_menu() {  # from any button above Exit
    select_down_to Exit
    tap space
    e2e_wait_exit 240
    [ "$E2E_EXIT_CODE" = "0" ] || e2e_fail "exit code after Exit: $E2E_EXIT_CODE"
    e2e_check_sanitizers
}

OPTIONS_BG="Assets/Art/UI/Menu UI/OptionsBG2.png"  # drawn at 512..1408 x 156..924
MUSIC_OFF="Assets/Art/UI/Pause or Death Menu/MusicButtonOff.png"  # drawn at 1140..1240 x 490..590


options_shown() { shot && looks_like 700 800 "$OPTIONS_BG" 188 644 && looks_like 1300 250 "$OPTIONS_BG" 788 94; }
options_gone() { shot && ! looks_like 700 800 "$OPTIONS_BG" 188 644; }
music_off_shown() { shot && looks_like 1215 515 "$MUSIC_OFF" 75 25; }
open_options() {  # from New Game on the first main menu
    tap Down; tap space
    e2e_wait_until 60 options_shown || e2e_fail "no options screen"
    keep options
}
close_options() {  # back to the main menu, Options selected
    tap Escape
    e2e_wait_until 60 options_gone || e2e_fail "Escape left the options screen open"
}

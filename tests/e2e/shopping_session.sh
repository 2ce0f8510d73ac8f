#!/usr/bin/env bash
# End to end: one shopping session with the real program under a virtual X display, driven by
# real key presses and mouse clicks (XTEST, through xdotool), checked on the list file it saves.
#
#   shopping_session.sh KABIRO EXAMPLE_LIST EXPECTED_DIR
#
# On a copy of the example list, in a working directory of its own with a fixed kabiro.ini (so
# that the window stands at 0,0 with a known size and layout):
#   1. click the first catalogue row, go two rows down with the arrow key, Enter: one unit;
#   2. one row down, the ">" button twice: two units;
#   3. a double click on the sixth row: one unit;
#   4. "Valide", answered "&Oui" (Alt+O);
#   5. Fichier > Enregistrer (a click on the menu, then its access letter E): the saved file must
#      equal expected_saved.pnv;
#   6. a click on the fifth list row (3 units) and the "<" button: 2 units;
#   7. Fichier > Quitter (letter Q), the save question answered "&Oui": the program ends, and
#      the file must equal expected_final.pnv.
# KABIRO_TODAY fixes the day the program takes as today, so that the reminder codes of the new
# list rows and the dates set by the validation are the same whatever the day of the run.
#
# Exit status: 0 passed, 1 failed, 77 skipped (Xvfb or xdotool missing).
set -uo pipefail

kabiro="$(realpath -- "$1")"
example="$(realpath -- "$2")"
expected="$(realpath -- "$3")"
here="$(cd "$(dirname "$0")" && pwd)"
# In a build with AddressSanitizer, leaks of the system libraries on a real display are passed
# over (lsan.supp); the program's own still fail the test.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

for tool in Xvfb xdotool; do
    if ! command -v "$tool" > /dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/kabiro-e2e.XXXXXX")"
xvfb_pid=""
kabiro_pid=""

stop() {
    # Only the two processes this script started, by their ids.
    if [ -n "$kabiro_pid" ] && kill -0 "$kabiro_pid" 2> /dev/null; then
        kill -KILL "$kabiro_pid" 2> /dev/null
        wait "$kabiro_pid" 2> /dev/null
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2> /dev/null; then
        kill "$xvfb_pid" 2> /dev/null
        wait "$xvfb_pid" 2> /dev/null
    fi
    rm -rf "$work"
}
trap stop EXIT

fail() {
    echo "FAIL: $*"
    if [ -s "$work/kabiro.log" ]; then
        echo "--- program output"
        cat "$work/kabiro.log"
    fi
    exit 1
}

step() { echo "-- $*"; }

# Shows how a list file differs from the expected one, in readable text.
show_difference() {
    diff <(iconv -f CP1252 -t UTF-8 "$1" | tr -d '\r') <(iconv -f CP1252 -t UTF-8 "$2" | tr -d '\r')
}

# Waits until $1 holds the bytes of $2, at most $3 seconds.
wait_for_file() {
    local deadline=$((SECONDS + $3))
    while [ $SECONDS -lt $deadline ]; do
        cmp -s "$1" "$2" && return 0
        sleep 0.2
    done
    cmp -s "$1" "$2"
}

# --------------------------------------------------------------- the display
# Xvfb picks a free display itself and writes its number to the descriptor given.
mkdir -p "$work/list" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$work/display" \
    > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2> /dev/null || break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(tr -dc '0-9' < "$work/display")"
unset WAYLAND_DISPLAY
echo "display $DISPLAY"

# Every xdotool call is bounded.
x() { timeout 10 xdotool "$@"; }

# --------------------------------------------------------------- the program
cp "$example" "$work/list/kabiro.pnv"
# The window at the top left corner of the screen (there is no window manager to move it),
# 800 x 560, the catalogue 380 pixels wide, no sector view, default settings otherwise.
printf '[ECRAN]\r\nEtat=0\r\nTop=0\r\nLeft=0\r\nWidth=800\r\nHeight=560\r\nspliter1=380\r\nspliter2=100\r\nvoir_secteur=0\r\n' \
    > "$work/list/kabiro.ini"

(
    cd "$work/list" || exit 1
    exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/home/.config" \
        QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 TZ=UTC KABIRO_TODAY=2026-12-15 "$kabiro"
) > "$work/kabiro.log" 2>&1 &
kabiro_pid=$!

step "waiting for the main window"
main=""
for _ in $(seq 150); do
    kill -0 "$kabiro_pid" 2> /dev/null || fail "the program ended at start"
    for w in $(x search --onlyvisible --name '^Paniva$' 2> /dev/null); do
        if x getwindowgeometry "$w" 2> /dev/null | grep -q 'Geometry: 800x560'; then
            main="$w"
        fi
    done
    [ -n "$main" ] && break
    sleep 0.1
done
[ -n "$main" ] || fail "no main window of 800 x 560"
# The start-up box goes once the window is created; give the window the keyboard (without a
# window manager nobody else does).
sleep 0.5
x windowfocus --sync "$main" || fail "cannot give the main window the keyboard"

# Window coordinates of what the gestures use (the window at 0,0 with the layout above).
first_row_y=87       # first catalogue and list row; rows are 17 pixels apart
catalogue_x=200
list_x=600
add_button=(436 472) # ">"
remove_button=(404 472) # "<"
valide_button=(420 520)
file_menu=(28 8)     # "Fichier"

click_at() { x mousemove --window "$main" "$1" "$2" click 1 || fail "click at $1,$2"; }
row_y() { echo $((first_row_y + 17 * $1)); }
pause() { sleep 0.4; }

# Waits for the confirmation box, gives it the keyboard and answers Yes with its access key.
answer_yes() {
    local box=""
    for _ in $(seq 100); do
        box="$(x search --onlyvisible --name '^Confirmation$' 2> /dev/null | head -n 1)"
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no confirmation box for: $1"
    x windowfocus --sync "$box" || fail "cannot give the confirmation box the keyboard"
    x key alt+o || fail "Alt+O"
    for _ in $(seq 100); do
        x search --onlyvisible --name '^Confirmation$' > /dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the confirmation box stays after Alt+O: $1"
}

# --------------------------------------------------------------- the session
step "Enter on the third catalogue row (Pâtes penne)"
click_at "$catalogue_x" "$(row_y 0)"
pause
x key Down Down Return || fail "keys"
pause

step "'>' twice on the fourth row (Huile d'olive)"
x key Down || fail "keys"
pause
click_at "${add_button[@]}"
pause
click_at "${add_button[@]}"
pause

step "double click on the sixth row (Sucre en poudre)"
x mousemove --window "$main" "$catalogue_x" "$(row_y 5)" click --repeat 2 --delay 80 1 ||
    fail "double click"
pause

step "Valide, answered Oui"
click_at "${valide_button[@]}"
answer_yes "validation"
x windowfocus --sync "$main" || fail "focus back to the main window"
pause

step "Fichier > Enregistrer"
click_at "${file_menu[@]}"
pause
x key e || fail "key E"
if ! wait_for_file "$work/list/kabiro.pnv" "$expected/expected_saved.pnv" 10; then
    show_difference "$expected/expected_saved.pnv" "$work/list/kabiro.pnv"
    fail "the saved list is not the expected one"
fi

step "'<' on the fifth list row (Pommes Golden, 3 units)"
click_at "$list_x" "$(row_y 4)"
pause
click_at "${remove_button[@]}"
pause

step "Fichier > Quitter, the save question answered Oui"
click_at "${file_menu[@]}"
pause
x key q || fail "key Q"
answer_yes "save question"

step "waiting for the program to end"
for _ in $(seq 100); do
    kill -0 "$kabiro_pid" 2> /dev/null || break
    sleep 0.1
done
if kill -0 "$kabiro_pid" 2> /dev/null; then
    fail "the program is still running 10 s after the save question"
fi
wait "$kabiro_pid"
status=$?
kabiro_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

if ! cmp -s "$work/list/kabiro.pnv" "$expected/expected_final.pnv"; then
    show_difference "$expected/expected_final.pnv" "$work/list/kabiro.pnv"
    fail "the list saved on quitting is not the expected one"
fi
echo "PASS: both saved lists are the expected ones, byte for byte"

#!/usr/bin/env bash
# The working folder of the installed program, started as the desktop starts it, with a home
# folder of its own and no XDG variables, under a virtual X display driven by xdotool:
#
#   check_user_folder.sh CMAKE BUILD_DIR EXAMPLE_LIST
#
# 1. the menu entry's command (Exec line, no file): ~/.local/share/paniva is created and seeded
#    with the starter list, the window opens, Fichier > Quitter ends the program, and nothing
#    lands in the home folder it was started from;
# 2. the seeded list deleted, the same command again: the list is not brought back;
# 3. the entry's command with a list named relative to the start directory, as a file manager
#    may pass it: the list opens from there (made absolute before the move), and opening the
#    menu "Liste-type" creates its list-type file in ~/.local/share/paniva, not beside it;
# 4. a plain "kabiro" in a terminal's directory keeps working there: its list-type file lands
#    in that directory and nothing in ~/.local/share/paniva.
#
# Exit status: 0 passed, 1 failed, 77 skipped (Xvfb or xdotool missing).
set -uo pipefail

cmake="$1"
build="$2"
example="$(realpath -- "$3")"

for tool in Xvfb xdotool; do
    if ! command -v "$tool" > /dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

scratch="$(mktemp -d "${TMPDIR:-/tmp}/kabiro-folder.XXXXXX")"
xvfb_pid=""
kabiro_pid=""
failures=0

stop_program() {
    if [ -n "$kabiro_pid" ] && kill -0 "$kabiro_pid" 2> /dev/null; then
        kill -KILL "$kabiro_pid" 2> /dev/null
        wait "$kabiro_pid" 2> /dev/null
    fi
    kabiro_pid=""
}
cleanup() {
    # Only the processes this script started, by their ids.
    stop_program
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2> /dev/null; then
        kill "$xvfb_pid" 2> /dev/null
        wait "$xvfb_pid" 2> /dev/null
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
step() { echo "-- $*"; }

prefix="$scratch/usr"
"$cmake" --install "$build" --prefix "$prefix" > "$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; echo "FAIL: cmake --install"; exit 1; }
exec_line="$(sed -n 's/^Exec=//p' "$prefix/share/applications/org.example.paniva.desktop")"
[ -n "$exec_line" ] || { echo "FAIL: the menu entry has no Exec line"; exit 1; }

# --------------------------------------------------------------- the display
mkdir -p "$scratch/runtime"
chmod 700 "$scratch/runtime"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$scratch/display" \
    > "$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb_pid" 2> /dev/null || break
    sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
display=":$(tr -dc '0-9' < "$scratch/display")"

x() { DISPLAY="$display" timeout 10 xdotool "$@"; }

home="$scratch/home"
folder="$home/.local/share/paniva"
mkdir -p "$home"

# Starts, in directory $1, the command line that follows, as a desktop session of the fake
# home would: no XDG variable but the runtime folder, the installed program first on the PATH.
start() {
    local dir="$1"
    shift
    (
        cd "$dir" || exit 1
        exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_DIRS \
            -u XDG_CONFIG_DIRS -u WAYLAND_DISPLAY HOME="$home" XDG_RUNTIME_DIR="$scratch/runtime" \
            DISPLAY="$display" QT_QPA_PLATFORM=xcb PATH="$prefix/bin:$PATH" LC_ALL=C.UTF-8 "$@"
    ) >> "$scratch/kabiro.log" 2>&1 &
    kabiro_pid=$!
}

# The Exec line of the menu entry, its %f given $1 (or dropped).
start_entry() {
    local dir="$1" file="${2:-}" words=() w
    read -r -a words <<< "$exec_line"
    local command=()
    for w in "${words[@]}"; do
        if [ "$w" = "%f" ]; then
            [ -n "$file" ] && command+=("$file")
        else
            command+=("$w")
        fi
    done
    start "$dir" "${command[@]}"
}

# Waits for the main window ("Paniva"), prints its id.
main_window() {
    local w
    for _ in $(seq 150); do
        kill -0 "$kabiro_pid" 2> /dev/null || return 1
        w="$(x search --onlyvisible --name '^Paniva$' 2> /dev/null | head -n 1)"
        # The start-up box has no title; the main window gets its own once created.
        if [ -n "$w" ] && x getwindowgeometry "$w" 2> /dev/null | grep -q 'Geometry: [0-9]\{3,\}x'; then
            sleep 1.2
            echo "$w"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Fichier > Quitter; a save question is answered "&Non". Waits for the end of the program.
quit_program() {
    local main="$1"
    x windowfocus --sync "$main" > /dev/null 2>&1
    x mousemove --window "$main" 28 8 click 1 > /dev/null 2>&1
    sleep 0.4
    x key q > /dev/null 2>&1
    for _ in $(seq 100); do
        kill -0 "$kabiro_pid" 2> /dev/null || { wait "$kabiro_pid"; kabiro_pid=""; return 0; }
        local box
        box="$(x search --onlyvisible --name '^Confirmation$' 2> /dev/null | head -n 1)"
        if [ -n "$box" ]; then
            x windowfocus --sync "$box" > /dev/null 2>&1
            x key alt+n > /dev/null 2>&1
        fi
        sleep 0.1
    done
    return 1
}

# Opens the menu "Liste-type" (Fichier, then three menus to the right), then closes it.
open_list_type_menu() {
    local main="$1"
    x windowfocus --sync "$main" > /dev/null 2>&1
    x mousemove --window "$main" 28 8 click 1 > /dev/null 2>&1
    sleep 0.4
    x key Right Right Right > /dev/null 2>&1
    sleep 0.8
    x key Escape > /dev/null 2>&1
    sleep 0.3
}

# Waits until the file $1 exists, at most 5 seconds.
wait_for() {
    for _ in $(seq 50); do
        [ -e "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# ------------------------------------------------------------ 1. first start from the menu
step "first start from the menu entry ($exec_line)"
start_entry "$home"
if main="$(main_window)"; then
    [ -d "$folder" ] || fail "the working folder $folder was not created"
    cmp -s "$folder/kabiro.pnv" "$example" || fail "the working folder was not seeded with the example"
    [ -e "$folder/.seeded" ] || fail "the working folder is not marked as seeded"
    quit_program "$main" || fail "Fichier > Quitter did not end the program"
    leftovers="$(find "$home" -maxdepth 1 -type f -printf '%f ')"
    [ -z "$leftovers" ] || fail "files landed in the home folder: $leftovers"
else
    fail "no main window at the first start"
fi
stop_program

# ------------------------------------------------------------ 2. the deleted list stays deleted
step "second start after deleting the list"
rm -f "$folder/kabiro.pnv"
start_entry "$home"
if main="$(main_window)"; then
    [ -e "$folder/kabiro.pnv" ] && fail "the deleted list was brought back"
    quit_program "$main" || fail "Fichier > Quitter did not end the program"
else
    fail "no main window at the second start"
fi
stop_program

# ------------------------------------------------------------ 3. a list from the file manager
step "a list named relative to the start directory, its list types"
mkdir -p "$home/Documents"
cp "$example" "$home/Documents/courses.pnv"
start_entry "$home" "Documents/courses.pnv"
if main="$(main_window)"; then
    open_list_type_menu "$main"
    wait_for "$folder/courses.ltl" || fail "the list-type file is not in the working folder"
    [ -e "$home/Documents/courses.ltl" ] && fail "the list-type file landed beside the list"
    [ -e "$home/courses.ltl" ] && fail "the list-type file landed in the home folder"
    [ -e "$folder/courses.pnv" ] && fail "the list was written into the working folder"
    quit_program "$main" || fail "Fichier > Quitter did not end the program"
else
    fail "no main window with a list named on the command line"
fi
stop_program

# ------------------------------------------------------------ 4. a plain kabiro in a terminal
step "a plain kabiro in a terminal's directory"
mkdir -p "$scratch/terminal"
cp "$example" "$scratch/terminal/kabiro.pnv"
before="$(ls -A "$folder" | sort | tr '\n' ' ')"
start "$scratch/terminal" kabiro
if main="$(main_window)"; then
    open_list_type_menu "$main"
    wait_for "$scratch/terminal/kabiro.ltl" || fail "a plain kabiro left its working directory"
    quit_program "$main" || fail "Fichier > Quitter did not end the program"
    after="$(ls -A "$folder" | sort | tr '\n' ' ')"
    [ "$before" = "$after" ] || fail "a plain kabiro wrote into the user folder: $after"
else
    fail "no main window for a plain kabiro"
fi
stop_program

if [ $failures -gt 0 ]; then
    echo "--- program output"
    cat "$scratch/kabiro.log"
    echo "$failures fault(s) in the working folder"
    exit 1
fi
echo "PASS: the desktop starts work in ~/.local/share/paniva, a terminal's kabiro where it stands"

#!/usr/bin/env bash
# Measures the real program on a list file, on a virtual display of its own: the time from its
# start to its main window on the screen (the start-up box's second included), and its peak
# memory once the list is open. Nothing is asserted; the figures are printed.
#
#   bash bench/measure_start.sh BUILD_DIR [list.pnv] [runs]
#
# Without a list, the large generated one (bench/gen_list: 60,000 products, 20,000 listed).
# Needs Xvfb, xdotool and GNU time (/usr/bin/time).
set -uo pipefail

build="$(realpath -- "${1:?usage: measure_start.sh BUILD_DIR [list.pnv] [runs]}")"
list="${2:-}"
runs="${3:-5}"
kabiro="$build/app/kabiro"
[ -x "$kabiro" ] || { echo "no program at $kabiro"; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is needed"; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/kabiro-start.XXXXXX")"
xvfb_pid=""
kabiro_pid=""
stop() {
    [ -n "$kabiro_pid" ] && kill -KILL "$kabiro_pid" 2> /dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
    wait 2> /dev/null
    rm -rf "$work"
}
trap stop EXIT

if [ -z "$list" ]; then
    "$build/bench/gen_list" "$work/large.pnv" > /dev/null || exit 1
    list="$work/large.pnv"
fi
list="$(realpath -- "$list")"

mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(tr -dc '0-9' < "$work/display")"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

echo "list: $list ($(stat -c %s "$list") bytes)"
for run in $(seq "$runs"); do
    rm -rf "$work/dir"
    mkdir -p "$work/dir"
    cp "$list" "$work/dir/kabiro.pnv"
    printf '[ECRAN]\r\nEtat=0\r\nTop=0\r\nLeft=0\r\nWidth=800\r\nHeight=560\r\n' > "$work/dir/kabiro.ini"
    start=$(now_ms)
    (
        cd "$work/dir" || exit 1
        exec /usr/bin/time -v -o "$work/time.txt" env XDG_RUNTIME_DIR="$work/runtime" \
            QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$kabiro"
    ) > /dev/null 2>&1 &
    kabiro_pid=$!
    main=""
    while [ -z "$main" ] && [ $(($(now_ms) - start)) -lt 30000 ]; do
        main="$(timeout 5 xdotool search --onlyvisible --name '^Paniva$' 2> /dev/null | head -n 1)"
    done
    shown=$(($(now_ms) - start))
    [ -n "$main" ] || { echo "run $run: no main window within 30 s"; exit 1; }
    sleep 1
    # Fichier > Quitter: nothing was changed, so it ends at once.
    timeout 5 xdotool mousemove --window "$main" 28 8 click 1
    sleep 0.3
    timeout 5 xdotool key q
    for _ in $(seq 100); do
        kill -0 "$kabiro_pid" 2> /dev/null || break
        sleep 0.1
    done
    kill -KILL "$kabiro_pid" 2> /dev/null
    wait "$kabiro_pid" 2> /dev/null
    kabiro_pid=""
    peak=$(awk -F': ' '/Maximum resident/ {printf "%.1f", $2 / 1024}' "$work/time.txt")
    cpu=$(awk -F': ' '/User time/ {u = $2} /System time/ {s = $2} END {printf "%.2f", u + s}' \
        "$work/time.txt")
    echo "run $run: window shown after $shown ms; peak memory $peak MB; CPU $cpu s"
done

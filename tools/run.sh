#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in its own working directory.
#
#   bash tools/run.sh               the list of the working directory (kabiro.pnv)
#   bash tools/run.sh liste.pnv     another list file
#
# The working directory, ~/.local/share/paniva, is created on first use and seeded with a copy
# of examples/kabiro.pnv; it is kept between runs, so the settings (kabiro.ini), the list types
# and the lists saved there persist. The example in the repository is never changed.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Paniva est une application graphique : il lui faut un écran (ni DISPLAY ni WAYLAND_DISPLAY"
    echo "ne sont définis). Sans écran, xvfb-run en fournit un virtuel :"
    echo "    xvfb-run -a bash tools/run.sh"
    exit 1
fi

# A list named on the command line is taken from where the user stands, before moving.
list=""
if [ $# -gt 0 ]; then
    list="$(realpath -m -- "$1")"
fi

bash "$repo/tools/deps.sh"
cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DKABIRO_BUILD_TESTS=OFF -DKABIRO_BUILD_BENCH=OFF > /dev/null
cmake --build "$repo/build-release" --target kabiro -j "$(nproc)"

work="${XDG_DATA_HOME:-$HOME/.local/share}/paniva"
mkdir -p "$work"
# Seeded once with the example; a list the user later deletes is not brought back.
if [ ! -e "$work/.seeded" ] && [ -f "$repo/examples/kabiro.pnv" ]; then
    [ -e "$work/kabiro.pnv" ] || cp "$repo/examples/kabiro.pnv" "$work/kabiro.pnv"
    touch "$work/.seeded"
fi

cd "$work"
echo "Dossier de travail : $work"
if [ -n "$list" ]; then
    exec "$repo/build-release/app/kabiro" "$list"
else
    exec "$repo/build-release/app/kabiro"
fi

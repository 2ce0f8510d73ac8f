#!/usr/bin/env bash
# Installs what building and running need, builds the program and starts it in the user's own
# Paniva folder, as the applications menu does.
#
#   bash tools/run.sh               the list of that folder (kabiro.pnv)
#   bash tools/run.sh liste.pnv     another list file
#
# The folder, ${XDG_DATA_HOME:-~/.local/share}/paniva, is created on first use and seeded once
# with a copy of examples/kabiro.pnv (kabiro --dossier-utilisateur); it is kept between runs, so
# the settings (kabiro.ini), the list types and the lists saved there persist, and the installed
# package finds them again. The example in the repository is never changed.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Paniva est une application graphique : il lui faut un écran (ni DISPLAY ni WAYLAND_DISPLAY"
    echo "ne sont définis). Sans écran, xvfb-run (paquet xvfb) en fournit un virtuel :"
    echo "    xvfb-run -a bash tools/run.sh"
    exit 1
fi

bash "$repo/tools/deps.sh" run
cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DKABIRO_BUILD_TESTS=OFF -DKABIRO_BUILD_BENCH=OFF > /dev/null
cmake --build "$repo/build-release" --target kabiro -j "$(nproc)"

echo "Dossier de travail : ${XDG_DATA_HOME:-$HOME/.local/share}/paniva"
# The program makes a list named here absolute before it moves to its folder.
exec "$repo/build-release/app/kabiro" --dossier-utilisateur "$@"

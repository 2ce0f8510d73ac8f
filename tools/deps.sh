#!/usr/bin/env bash
# Installs the Debian 12 packages Paniva needs, when missing.
#
#   bash tools/deps.sh run     what building and running the program need (tools/run.sh)
#   bash tools/deps.sh test    that and what the tests, benchmarks and fuzzing need (tools/test.sh)
#
# A new dependency goes into one of the two lists below.
set -euo pipefail

# Building, packaging and running the program.
build_and_run=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools libgl-dev qtkeychain-qt6-dev
    fonts-liberation fonts-comic-neue qt6-translations-l10n
)

# Only for the tests, benchmarks and fuzzing: the virtual display and the robot of the
# end-to-end session, the desktop validators, Google Benchmark, clang with libFuzzer.
test_only=(
    libbenchmark-dev
    xvfb xauth xdotool x11-utils
    desktop-file-utils shared-mime-info libxml2-utils appstream lintian
    clang libclang-rt-14-dev
    radicale
)

case "${1:-}" in
run) packages=("${build_and_run[@]}") ;;
test) packages=("${build_and_run[@]}" "${test_only[@]}") ;;
*)
    echo "usage: bash tools/deps.sh run|test" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs to build, run and be tested, when missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libbenchmark-dev fonts-liberation fonts-comic-neue qt6-translations-l10n xvfb xauth ccache
          desktop-file-utils shared-mime-info libxml2-utils xdotool x11-utils
          clang libclang-rt-14-dev qtkeychain-qt6-dev radicale)
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

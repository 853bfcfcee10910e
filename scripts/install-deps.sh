#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine (as root).
# Quiet when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config libgtest-dev googletest libbenchmark-dev clang
    g++-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool x11-utils fonts-ipafont-gothic imagemagick
    zip unzip libboost-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

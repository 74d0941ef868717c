#!/usr/bin/env bash
# Installs the Debian packages Plandeck needs to build, run and test, when any is missing.
# As root it installs them itself; otherwise it prints the command to run and stops.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core desktop-file-utils
    clang-14 libclang-rt-14-dev
    libical-dev dbus xvfb
    python3-pyatspi at-spi2-core poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Plandeck needs these Debian packages first. Install them with:" >&2
    echo "    sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"

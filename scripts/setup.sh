#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libx11-dev libxcb1-dev libespeak-ng-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # run
    qt6-qpa-plugins qt6-translations-l10n espeak-ng-data fonts-wqy-microhei xdg-utils
    # headless tests
    xvfb xauth trayer xdotool pulseaudio pulseaudio-utils desktop-file-utils libglib2.0-bin
    # fuzz targets (libFuzzer with AddressSanitizer)
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: every package is installed"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: these packages are missing: ${missing[*]}" >&2
    echo "setup: run as root:  sudo bash scripts/setup.sh" >&2
    exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"

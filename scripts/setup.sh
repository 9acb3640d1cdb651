#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running need, and with
# --package or --tests what making the Debian package or running the tests
# adds. Safe to run again: it installs only what is missing.
#   setup.sh              build and run the two programs
#   setup.sh --package    and make the Debian package (cpack -G DEB)
#   setup.sh --tests      and run every test and the fuzz targets
# Run by a normal user it installs with sudo. A fresh Debian 12 has no sudo:
# there, run it as root (su -c 'bash scripts/setup.sh'), or install sudo and
# add yourself to its group once (su -c 'apt-get install sudo &&
# adduser YOUR_NAME sudo', then log in again).
set -euo pipefail

build=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libx11-dev libxcb1-dev libespeak-ng-dev
    # libflite's headers: its natural voices are loaded at run time
    flite1-dev
)
# What the programs use at run time. Most would come with the -dev packages
# above; named here so that removing those never takes them away. The xcb
# platform plugin is part of libqt6gui6, the sound backends of
# libqt6multimedia6. libflite1's natural voices are optional for the
# programs, but the tests speak with them.
run=(
    libqt6widgets6 libqt6multimedia6 libespeak-ng1
    espeak-ng-data libflite1 fonts-wqy-microhei qt6-translations-l10n xdg-utils
)
# cpack's Debian generator: dpkg-shlibdeps and file.
package=(dpkg-dev file)
tests=(
    libgtest-dev libgmock-dev libbenchmark-dev
    # GUI tests on a virtual X server, a tray host, key presses and window
    # queries (xwininfo), a desktop launcher (gio)
    xvfb xauth trayer xdotool x11-utils libglib2.0-bin
    # a window manager that moves windows itself (dragging by the caption)
    openbox
    # a Wayland session: a headless compositor with XWayland, and Qt's
    # Wayland plugin, which Qt would pick there if the programs let it
    weston xwayland qt6-wayland
    # the sound tests start a private PulseAudio server of their own; the
    # daemon is installed here only, since its package enables a user
    # service for every account
    pulseaudio pulseaudio-utils
    # checks of the menu entries, the AppStream data and the package
    desktop-file-utils appstream lintian
    # fuzz targets (libFuzzer with AddressSanitizer)
    clang libclang-rt-14-dev
)

packages=("${build[@]}" "${run[@]}")
case ${1:-} in
    "") ;;
    --package) packages+=("${package[@]}") ;;
    --tests) packages+=("${package[@]}" "${tests[@]}") ;;
    *)
        echo "usage: setup.sh [--package | --tests]" >&2
        exit 2
        ;;
esac

missing=()
for name in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$name" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$name")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: every package is installed"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
    echo "setup: installing ${missing[*]}"
elif command -v sudo >/dev/null; then
    as_root=(sudo)
    echo "setup: installing with sudo: ${missing[*]}"
else
    self=$(cd "$(dirname "$0")" && pwd)/setup.sh
    echo "setup: these packages are missing: ${missing[*]}" >&2
    echo "setup: this system has no sudo; run as root:  su -c \"bash '$self'${1:+ $1}\"" >&2
    exit 1
fi

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"

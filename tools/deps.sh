#!/usr/bin/env bash
# Installs what building, playing and testing the game need on Debian 12. Run it as root or
# as a normal user: it asks sudo only when a package is missing and it is not root.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
# fonts-comfortaa: the system's copy of the game's font, shown when the game's own is missing.
packages=(cmake make g++ libsfml-dev gettext fonts-comfortaa)
if [ "${1:-}" = "test" ]; then
    packages+=(libgtest-dev libbenchmark-dev xvfb xauth xdotool openbox desktop-file-utils appstream
               lintian man-db)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    if [ -n "$SUDO" ] && ! command -v sudo >/dev/null; then
        echo "Missing packages: ${missing[*]}. Install them as root (apt-get install)." >&2
        exit 1
    fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs what building, playing and testing the game need on Debian 12 (as root or with sudo).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(cmake make g++ libsfml-dev)
if [ "${1:-}" = "test" ]; then
    packages+=(libgtest-dev libbenchmark-dev xvfb xauth)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

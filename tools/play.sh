#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from build/, beside resources/.
# Run it as root or as a normal user, without sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DGOBBLER_TESTS=OFF >/dev/null
cmake --build build -j2 --target gobbler
cd build && exec ./gobbler

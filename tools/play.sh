#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from build-play/, beside resources/.
# The folder is its own, so that playing and tools/test.sh (build/) never rebuild each other's.
# Run it as root or as a normal user, without sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DGOBBLER_TESTS=OFF >/dev/null
cmake --build build-play -j2 --target gobbler
cd build-play && exec ./gobbler

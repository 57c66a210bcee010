#!/usr/bin/env bash
# Rebuilds every file of resources/ from scratch, then its manifest. Needs Python 3 with
# Pillow and numpy, librsvg (rsvg-convert), espeak-ng, sox, vorbis-tools, fonts-comfortaa
# and npm (for the emoji art package); none of these is needed to build or play the game.
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ ! -d tools/assets/node_modules/fluentui-emoji ]; then
    (cd tools/assets && npm ci --no-audit --no-fund)
fi
# The interface pictures come last: its level cards show the maps and its credits and licence
# list gather every other generator's sources.
for generator in maps characters sounds ui; do
    echo "== $generator"
    /usr/bin/python3 "tools/assets/$generator.py"
done
/usr/bin/python3 tools/assets/manifest.py

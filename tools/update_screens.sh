#!/usr/bin/env bash
# Makes the screens' reference pictures (tests/screens/) again from the game as it stands, then
# lists those that changed. Run it only after changing what the game shows on purpose, and look
# at every changed picture before committing it: a reference is what the test holds the game to.
# Usage: tools/update_screens.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target gobbler_tests
if [ -z "${DISPLAY:-}" ]; then
    screen_pids=()
    screen_folder="$(mktemp -d /tmp/gobbler-screen-XXXXXX)"
    trap 'kill "${screen_pids[@]}" 2>/dev/null || true; rm -rf "$screen_folder"' EXIT
    source tools/own_screen.sh
    own_screen "$screen_folder"
fi
# Each language's walk in a process of its own, as a game started in that language: nothing an
# earlier walk left behind (a picture made in another language) can slip into a reference. The
# walk that switches language writes nothing: it is compared with these.
for walk in EveryScreenAsThePlayerSeesItAndNoFrameMissesAPicture EveryScreenInEnglish \
    EveryScreenInSpanish; do
    (cd "$build" && GOBBLER_UPDATE_SCREENS=1 ALSOFT_DRIVERS=null \
        ./gobbler_tests --gtest_filter="Screens.$walk")
done
git status --short tests/screens

#!/usr/bin/env bash
# Installs what is missing, builds the game, its tests (plain and with AddressSanitizer and
# UndefinedBehaviorSanitizer), its benchmarks and its Debian package (build/gobbler_*.deb, which
# lintian must pass without an error or a warning), and runs every test and the install check.
# Without a display the tests run on an X screen of their own (tools/own_screen.sh); sound goes
# to OpenAL's null device. Run it as root or as a normal user, without sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGOBBLER_BENCH=ON >/dev/null
cmake --build build -j2
(cd build && cpack >cpack.log) || { cat build/cpack.log; exit 1; }
lintian --fail-on error,warning build/gobbler_*.deb
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGOBBLER_SANITIZE=ON >/dev/null
cmake --build build-asan -j2
export ALSOFT_DRIVERS=null
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ -z "${DISPLAY:-}" ]; then
    screen_pids=()
    screen_folder="$(mktemp -d /tmp/gobbler-screen-XXXXXX)"
    trap 'kill "${screen_pids[@]}" 2>/dev/null || true; rm -rf "$screen_folder"' EXIT
    source tools/own_screen.sh
    own_screen "$screen_folder"
fi
tools/run_tests.sh

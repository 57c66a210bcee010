#!/usr/bin/env bash
# Runs every test of the plain and the sanitized build (the plain one's also all in one process,
# shuffled), and checks the plain build's installed copy (called by tools/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# Every text of the game has its translation in every language.
tools/texts.sh check
ctest --test-dir build --output-on-failure -j2
# ctest runs one suite per process; here the whole suite runs once more in one process, in an
# order of its own, so that no test leans on what the ones before it left (the window and its GL
# context, the pictures held, the save folder). GOBBLER_TEST_SEED=N runs the order of seed N again.
seed=${GOBBLER_TEST_SEED:-$(((RANDOM * 32768 + RANDOM) % 99999 + 1))}
echo "The whole suite in one process, shuffled with seed $seed"
(cd build && ./gobbler_tests --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1)
tools/install_check.sh build
ctest --test-dir build-asan --output-on-failure -j2

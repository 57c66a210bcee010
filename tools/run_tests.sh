#!/usr/bin/env bash
# Runs every test of the plain and the sanitized build, and checks the plain build's installed
# copy (called by tools/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --test-dir build --output-on-failure -j2
tools/install_check.sh build
ctest --test-dir build-asan --output-on-failure -j2

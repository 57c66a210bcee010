#!/usr/bin/env bash
# Runs every test of the plain and the sanitized build (called by tools/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --test-dir build --output-on-failure
ctest --test-dir build-asan --output-on-failure

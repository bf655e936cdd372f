#!/usr/bin/env bash
# Builds the suite and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCDS_SANITIZE=ON
cmake --build build-asan -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

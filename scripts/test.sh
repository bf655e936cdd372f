#!/usr/bin/env bash
# Builds the suite and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs every test, then names
# each test that was skipped and why (ctest itself says only "Skipped").
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCDS_SANITIZE=ON
cmake --build build-asan -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir build-asan --output-on-failure -j "$(nproc)" || status=$?

# Each skipped test's output holds "<file>:<line>: Skipped", the reason on
# the lines after it, then "[  SKIPPED ] <test>".
log=build-asan/Testing/Temporary/LastTest.log
if [ -f "$log" ]; then
  awk '
    /: Skipped$/ { reason = ""; taking = 1; next }
    taking && /^\[  SKIPPED \] / {
      name = $4
      printf "  %s: %s\n", name, reason
      taking = 0
      next
    }
    taking && NF { reason = reason (reason == "" ? "" : "; ") $0 }
  ' "$log" | sort -u > build-asan/skipped.txt
  if [ -s build-asan/skipped.txt ]; then
    echo
    echo "Skipped tests and why:"
    cat build-asan/skipped.txt
  fi
fi
exit "$status"

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite on a
# plain build (end-to-end runs under Xvfb included), then again built with
# AddressSanitizer + UndefinedBehaviorSanitizer and with ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
jobs=$(nproc)

build() { # dir, extra cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

build build
ctest --test-dir build -j"$jobs" --output-on-failure

# Full stacks on malloc, so that the suppressions can name Qt frames.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/tsan.supp:halt_on_error=1:second_deadlock_stack=1
build build-asan -DVANTOLI_SANITIZE=address,undefined
ctest --test-dir build-asan -j"$jobs" --output-on-failure -LE "e2e|soak"
build build-tsan -DVANTOLI_SANITIZE=thread
ctest --test-dir build-tsan -j"$jobs" --output-on-failure -LE "e2e|soak"

# libFuzzer on the wave validation and the whole-number conversion, about a
# minute each.
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DFUZZ_SECONDS=60 >/dev/null
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz -j"$jobs" --output-on-failure

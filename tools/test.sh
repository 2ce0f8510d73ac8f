#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKABIRO_WERROR=ON
cmake --build build -j "$(nproc)"
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer: any report
# (memory error, leak, undefined behaviour) stops the test that triggered it, which then fails.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKABIRO_SANITIZE=ON \
    -DKABIRO_WERROR=ON -DKABIRO_BUILD_BENCH=OFF
cmake --build build-asan -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

# Each fuzz target of the file readers for a minute on its corpus (skipped without libFuzzer).
bash fuzz/run.sh 60 build-fuzz

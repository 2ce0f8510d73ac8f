#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh test
jobs="$(nproc)"
# Line tables only: reports still name file and line, and the builds take a fifth less time.
# The libraries are compiled a few files at a time (unity build), the tests one at a time.
quick=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON)

# The whole suite, built with AddressSanitizer and UndefinedBehaviorSanitizer: any report
# (memory error, leak, undefined behaviour) stops the test that triggered it, which then fails.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${quick[@]}" \
    -DKABIRO_SANITIZE=ON -DKABIRO_WERROR=ON -DKABIRO_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

# The program as it ships, a hardened release build: its Debian package checked with lintian,
# and the benchmarks built, so that none of them falls behind the code.
cmake -S . -B build-ship -G Ninja -DCMAKE_BUILD_TYPE=Release -DKABIRO_WERROR=ON \
    -DCMAKE_UNITY_BUILD=ON -DKABIRO_BUILD_TESTS=ON -DKABIRO_BUILD_BENCH=ON
cmake --build build-ship -j "$jobs" --target installed benchmarks
ctest --test-dir build-ship --output-on-failure -j "$jobs" -L desktop

# Each fuzz target of the file readers for half a minute on its corpus (skipped without
# libFuzzer); longer campaigns are run by hand (bash fuzz/run.sh 1800).
bash fuzz/run.sh 30 build-fuzz

#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each one for a while on its corpus:
#
#   bash fuzz/run.sh [seconds per target, default 60] [build directory, default build-fuzz]
#
# The corpus of the repository (fuzz/corpus/<target>/) is only read; the inputs found go to
# <build>/fuzz-work/<target>/. A crash, leak, hang or sanitizer report stops the target, leaves
# its input in <build>/fuzz-findings/ and makes the run fail. Without clang's libFuzzer the run
# is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${2:-build-fuzz}

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    > "$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
    echo "fuzz: clang++ with libFuzzer is not available, skipped"
    exit 0
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKABIRO_FUZZ=ON -DCMAKE_UNITY_BUILD=ON -DKABIRO_BUILD_GUI=OFF -DKABIRO_BUILD_TESTS=OFF -DKABIRO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_list_file fuzz_settings_file fuzz_list_type_value

# A unit taking 30 s is a hang: the slowest real units take well under a second, but a busy
# machine can stretch them several times over.
# Longest input per target: a few pages of list, a value. The settings reader's own bound is the
# only limit of its inputs: a file just over it, with its writes, still fits.
declare -A max_len=([list_file]=16384 [settings_file]=$((4 * 1024 * 1024 + 65536)) [list_type_value]=4096)
status=0
mkdir -p "$build/fuzz-findings"
for target in list_file settings_file list_type_value; do
    work="$build/fuzz-work/$target"
    log="$build/fuzz-work/$target.log"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
    mkdir -p "$work"
    if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
        -max_len="${max_len[$target]}" -print_final_stats=1 "${dict[@]}" \
        -artifact_prefix="$build/fuzz-findings/$target-" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz $target: $(grep -E '^#[0-9]+' "$log" | tail -1)"
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" | sed 's/^/    /'
    else
        echo "fuzz $target: FAILED, input kept in $build/fuzz-findings/"
        grep -vE '^#[0-9]+.*(NEW|REDUCE|pulse|RELOAD)' "$log" | tail -60
        status=1
    fi
done
exit $status

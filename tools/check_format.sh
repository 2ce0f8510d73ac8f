#!/usr/bin/env bash
# Fails, naming them, when source files of the program, its tests, benchmarks, fuzz targets or
# tools differ from what the project's .clang-format makes of them.
#
#   bash tools/check_format.sh [clang-format program, default clang-format]
set -euo pipefail
cd "$(dirname "$0")/.."
format=${1:-clang-format}

mapfile -t files < <(find app dialogs model output phone tests bench fuzz tools resources \
    -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
# One run over every file; each difference is reported as "<file>:<line>:<col>: error: ...".
report=$("$format" --style=file --dry-run --Werror "${files[@]}" 2>&1) && status=0 || status=$?
if ((status != 0)); then
    unformatted=$(grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u)
    if [[ -z $unformatted ]]; then
        echo "$report" # clang-format itself failed
    else
        echo "Not formatted by .clang-format (run: $format -i FILE):"
        sed 's/^/  /' <<<"$unformatted"
    fi
    exit 1
fi
echo "${#files[@]} files follow .clang-format"

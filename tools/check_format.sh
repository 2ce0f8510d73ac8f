#!/usr/bin/env bash
# Fails, naming them, when source files of the program, its tests, benchmarks, fuzz targets or
# tools differ from what the project's .clang-format makes of them.
#
#   bash tools/check_format.sh [clang-format program, default clang-format]
set -euo pipefail
cd "$(dirname "$0")/.."
format=${1:-clang-format}

mapfile -t files < <(find app dialogs model output tests bench fuzz tools resources \
    -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
unformatted=()
for f in "${files[@]}"; do
    if ! "$format" --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
        unformatted+=("$f")
    fi
done
if ((${#unformatted[@]})); then
    echo "Not formatted by .clang-format (run: $format -i FILE):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "${#files[@]} files follow .clang-format"

#!/usr/bin/env bash
# Fails when a tracked C or C++ file is not laid out as .clang-format says.
# Usage: check-format.sh [ROOT]      check ROOT (default: the repository)
#        check-format.sh --self-test  prove the check notices a badly laid-out file
set -euo pipefail

root_of_script="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if ! command -v clang-format >/dev/null; then
    echo "check-format: clang-format is not installed (scripts/setup-deps.sh installs it)" >&2
    exit 1
fi

# Lists the files that clang-format would change, one per line.
unformatted_files() {
    local root=$1
    local file
    (cd "$root" && git ls-files -- '*.c' '*.cc' '*.cpp' '*.h') | while IFS= read -r file; do
        if ! clang-format --style=file:"$root/.clang-format" --dry-run --Werror \
            "$root/$file" >/dev/null 2>&1; then
            echo "$file"
        fi
    done
}

if [[ ${1:-} == --self-test ]]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cp "$root_of_script/.clang-format" "$scratch/"
    git -C "$scratch" init -q
    printf 'int tidy(int a) { return a; }\n' >"$scratch/tidy.cpp"
    printf 'int  messy( int a ){return a;}\n' >"$scratch/messy.cpp"
    # A long message must stay one literal, so it can be found by searching for it.
    printf 'const char* kMessage =\n    "%s";\n' "$(printf 'word %.0s' {1..30})" >"$scratch/message.h"
    git -C "$scratch" add -A
    found=$(unformatted_files "$scratch")
    if [[ $found != messy.cpp ]]; then
        echo "check-format self-test: expected only messy.cpp, got: ${found:-nothing}" >&2
        exit 1
    fi
    echo "check-format self-test: the badly laid-out file was found, the long literal left whole"
    exit 0
fi

root="${1:-$root_of_script}"
found=$(unformatted_files "$root")
if [[ -n $found ]]; then
    echo "check-format: these files are not laid out as .clang-format says" \
        "(clang-format -i FILE mends them):" >&2
    sed 's/^/  /' <<<"$found" >&2
    exit 1
fi
echo "check-format: every C and C++ file is formatted"

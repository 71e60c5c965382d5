#!/usr/bin/env bash
# Formats (or with --check, verifies) every C++ source of the project with .clang-format.
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
    clang-format --dry-run --Werror $files
else
    clang-format -i $files
fi

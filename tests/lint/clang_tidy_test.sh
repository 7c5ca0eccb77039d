#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the given sources, two at a time, and
# fails on any warning.
# Usage: clang_tidy_test.sh <clang-tidy> <build folder with compile_commands.json> <source>...
set -euo pipefail

tidy=${1:?usage: clang_tidy_test.sh <clang-tidy> <build folder> <source>...}
build=${2:?usage: clang_tidy_test.sh <clang-tidy> <build folder> <source>...}
shift 2
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no compile_commands.json in $build" >&2
  exit 1
fi
printf '%s\0' "$@" |
  xargs -0 -n 1 -P 2 "$tidy" -p "$build" --quiet --warnings-as-errors='*'
echo "clang-tidy: $# files, no warnings"

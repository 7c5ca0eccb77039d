#!/usr/bin/env bash
# Runs one cross-built Windows program under Wine, in a prefix and on a display of its own, and
# exits with the program's status: the emulator ctest uses for the Windows build.
#   wine-run.sh --prepare DIR     makes the prefix that later runs copy (KELVARN_WINE_TEMPLATE)
#   wine-run.sh PROGRAM.exe ARGS  runs it
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

if [ "${1:-}" = --prepare ]; then
    rm -rf "$2"
    wine_prepare "$2"
    exit 0
fi
[ $# -ge 1 ] || wine_fail "usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]"
wine_init
wine_display
status=0
wine_run "$@" || status=$?
exit "$status"

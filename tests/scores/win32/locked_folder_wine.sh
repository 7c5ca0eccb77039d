#!/usr/bin/env bash
# The Windows list file with a program folder that nothing can be created in, under Wine. Root
# ignores file modes, so the folder is made immutable; an ordinary user gets a read-only folder.
# Skipped (77) where neither can be had.
set -euo pipefail
tests=${1:?usage: $0 <path of kelvarn_tests.exe>}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-locked.XXXXXX")
locked="$work/程序"
mkdir -p "$locked"
unlock() {
    chattr -i "$locked" 2>/dev/null || true
    chmod 755 "$locked"
    rm -rf "$work"
}
trap unlock EXIT
chmod 555 "$locked"
if [ "$(id -u)" -eq 0 ]; then
    chattr +i "$locked" 2>/dev/null || true
fi
if touch "$locked/probe" 2>/dev/null; then
    echo "cannot make a folder unwritable here"
    exit 77
fi
KELVARN_LOCKED_FOLDER="Z:$(sed 's|/|\\|g' <<<"$locked")" \
    "$here/../../lib/wine-run.sh" "$tests" --gtest_filter='Win32ListFileLocked.*' 2>&1 | tee "$work/output"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || exit "$status"
if grep -q '^\[  SKIPPED \]' "$work/output"; then
    echo "the locked-folder case was skipped" >&2
    exit 1
fi
grep -q '^\[  PASSED  \] 1 test' "$work/output"

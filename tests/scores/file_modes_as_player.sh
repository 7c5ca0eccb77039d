#!/usr/bin/env bash
# The score file's cases that depend on file modes (a list that cannot be read, a read-only list,
# folders that cannot be written), run as an ordinary user: root ignores file modes, so as root
# those cases skip. The test program is copied to a folder the player owns first, and a case
# that skips here is a failure.
set -euo pipefail
tests=${1:?usage: $0 <path of kelvarn_tests>}
source "$(dirname "$0")/../lib/player.sh"
player_init

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-modes.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp"
player_dir "$work" "$work/tmp"
cp "$tests" "$work/kelvarn_tests"
chmod 755 "$work/kelvarn_tests"

cd "$work"
status=0
output=$(TMPDIR=$work/tmp player_run "$work/kelvarn_tests" --gtest_filter='FileScoreStore*' 2>&1) ||
    status=$?
echo "$output"
[ "$status" -eq 0 ] || exit "$status"
if grep -q '^\[  SKIPPED \]' <<<"$output"; then
    echo "cases were skipped even as $PLAYER_USER" >&2
    exit 1
fi
grep -q '^\[  PASSED  \] [1-9]' <<<"$output"

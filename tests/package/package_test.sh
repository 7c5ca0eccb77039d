#!/usr/bin/env bash
# The Debian package from end to end, as a player meets it: build it from this build folder, let
# lintian judge it, install it with apt-get, start `kelvarn` from an ordinary user's PATH on a
# virtual display, fire a shell, quit with Del and Yes, and find the high-score list in the
# player's data folder (the installed folder is not the player's to write). Then purge the package
# and check that nothing of it is left.
# Usage: package_test.sh <build folder> <the built program> [sanitized]
# Exits 77 (skipped) in the sanitizer build, where the program is not built, and when not root.
# A kelvarn package installed already is replaced by this one, as an upgrade replaces it, and is
# gone with it after the purge.
set -euo pipefail

build=${1:?usage: package_test.sh <build folder> <the built program> [sanitized]}
program=${2:?usage: package_test.sh <build folder> <the built program> [sanitized]}
if [ "${3:-}" = sanitized ] || [ ! -x "$program" ]; then
    echo "no optimised program in $build to package"
    exit 77
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "installing a package needs root"
    exit 77
fi

source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../lib/player.sh"
export DEBIAN_FRONTEND=noninteractive
INSTALLED=0
# One package test at a time on a machine: another would install and purge under this one's feet.
exec 9>/run/lock/kelvarn-package-test.lock
flock -w 200 9 || { echo "FAIL: another package test kept the machine's kelvarn package for 200 s" >&2; exit 1; }
previous=$({ dpkg-query -W -f='${Status} ${Version}' kelvarn 2>/dev/null || true; } |
    sed -n 's/^install ok installed //p')

WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-package.XXXXXX")
chmod 755 "$WORK" # apt's own user reads the package, the player its home
SHOTS=$WORK/shots
mkdir -p "$WORK/pkg" "$SHOTS"

package_cleanup() {
    local status=$?
    if [ "$INSTALLED" = 1 ]; then
        apt-get remove --purge -y -qq -o DPkg::Lock::Timeout=120 kelvarn >"$WORK/purge-on-exit.log" 2>&1 || true
    fi
    e2e_cleanup "$status"
}
trap package_cleanup EXIT

# ---- the package and lintian's judgement
(cd "$build" && cpack -G DEB -B "$WORK/pkg") >"$WORK/cpack.log" 2>&1 ||
    e2e_fail "cpack failed: $(tail -n 20 "$WORK/cpack.log")"
deb=$(find "$WORK/pkg" -maxdepth 1 -name 'kelvarn_*.deb')
[ -n "$deb" ] || e2e_fail "cpack made no kelvarn_*.deb"
e2e_log "$(basename "$deb"): $(stat -c %s "$deb") bytes"
# The program's libraries come from dpkg-shlibdeps, not from a list typed by hand.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || e2e_fail "Depends lacks the program's libraries: $depends"
lintian_status=0
lintian --display-info --fail-on error,warning "$deb" >"$WORK/lintian.log" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$WORK/lintian.log" || true
[ "$lintian_status" = 0 ] || e2e_fail "lintian found errors or warnings"

# What the package brings that the machine does not have yet, or has only from the kelvarn
# package installed before, must all go again on purge.
mapfile -t paths < <(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||')
new_paths=()
for path in "${paths[@]}"; do
    [ -n "$path" ] || continue
    if { [ ! -e "$path" ] && [ ! -L "$path" ]; } ||
        { [ -n "$previous" ] && [ "$(dpkg-query -S "$path" 2>/dev/null)" = "kelvarn: $path" ]; }; then
        new_paths+=("$path")
    fi
done
[ -z "$previous" ] || e2e_log "kelvarn $previous is installed; this package replaces it"

# ---- install, as an administrator would
# Over a kelvarn of the same version only --reinstall replaces it; an older one is upgraded, a
# newer one downgraded.
apt-get install -y -qq -o DPkg::Lock::Timeout=120 ${previous:+--reinstall --allow-downgrades} \
    --no-install-recommends "$deb" >"$WORK/install.log" 2>&1 ||
    e2e_fail "apt-get install failed${previous:+ over the installed kelvarn $previous}: $(tail -n 20 "$WORK/install.log")"
INSTALLED=1
[ "$(dpkg-query -W -f='${Version}' kelvarn)" = "$(dpkg-deb -f "$deb" Version)" ] ||
    e2e_fail "kelvarn $(dpkg-query -W -f='${Version}' kelvarn) is installed, not this package's $(dpkg-deb -f "$deb" Version)"
app=$(dirname "$(readlink -f /usr/games/kelvarn)")
[ "$app" = /usr/lib/kelvarn ] || e2e_fail "kelvarn leads to $app, not /usr/lib/kelvarn"

# ---- play, as an ordinary user would: their login PATH, their own home
player_init
player_path=$(runuser -l "$PLAYER_USER" -c 'printf %s "$PATH"')
[ "$(runuser -l "$PLAYER_USER" -c 'command -v kelvarn')" = /usr/games/kelvarn ] ||
    e2e_fail "kelvarn is not on the PATH of an ordinary user ($player_path)"
entry=/usr/share/applications/org.example.Kelvarn.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = kelvarn ] || e2e_fail "the menu entry runs '$exec_line'"
player_dir "$WORK/home"
PLAYER_HOME=$WORK/home
export PLAYER_RUNTIME_DIR
PLAYER_RUNTIME_DIR=$(player_runtime_dir)
unset QT_QPA_PLATFORM XDG_DATA_HOME
e2e_start_display
[ "$(e2e_field autorepeat-on)" = on ] || e2e_fail "cannot switch key auto-repeat on"
xdotool mousemove 1010 760

(cd "$WORK/home" && exec setpriv --reuid="$PLAYER_USER" --regid="$PLAYER_USER" --init-groups -- \
    env HOME="$WORK/home" USER="$PLAYER_USER" LOGNAME="$PLAYER_USER" \
    XDG_RUNTIME_DIR="$PLAYER_RUNTIME_DIR" PATH="$player_path" kelvarn) >"$WORK/kelvarn.log" 2>&1 &
KELVARN_PID=$!
e2e_wait 30 "the main window" e2e_main_window_found
geometry=$(xdotool getwindowgeometry --shell "$WINDOW")
FIELD_X=$(($(sed -n 's/^X=//p' <<<"$geometry") + 10))
FIELD_Y=$(($(sed -n 's/^Y=//p' <<<"$geometry") + $(sed -n 's/^HEIGHT=//p' <<<"$geometry") - 399 + 10))
FIELD_SIZE=400x360
export FIELD_SCALE=1
e2e_focus
e2e_wait 30 "the first frame" e2e_vessel_shown

xdotool key space
shell_seen() {
    [ -n "$(e2e_field shells "$(e2e_shot fired)")" ]
}
e2e_wait 5 "the shell" shell_seen

e2e_quit_declining_a_record Return

leftovers=$(find /usr/lib/kelvarn -mindepth 1 -maxdepth 1 ! -name kelvarn ! -name sound)
[ -z "$leftovers" ] || e2e_fail "the game wrote into its installed folder: $leftovers"
mapfile -t lists < <(find "$WORK/home/.local/share/Kelvarn" -type f -size 540c 2>/dev/null)
[ "${#lists[@]}" = 1 ] ||
    e2e_fail "expected one 540-byte list under ~/.local/share/Kelvarn: $(find "$WORK/home" -type f)"
e2e_log "the list was saved in ${lists[0]#"$WORK/home/"}"

# ---- purge: no file, folder or dpkg record of the package is left
apt-get remove --purge -y -qq -o DPkg::Lock::Timeout=120 kelvarn >"$WORK/purge.log" 2>&1 ||
    e2e_fail "apt-get remove --purge failed: $(tail -n 20 "$WORK/purge.log")"
INSTALLED=0
! dpkg-query -W -f='${Status}' kelvarn 2>/dev/null | grep -q installed ||
    e2e_fail "dpkg still knows kelvarn: $(dpkg-query -W -f='${Status}' kelvarn)"
for path in "${new_paths[@]}"; do
    [ ! -e "$path" ] && [ ! -L "$path" ] || e2e_fail "$path is left after the purge"
done
[ -z "$(find /var/lib/dpkg/info -name 'kelvarn.*')" ] || e2e_fail "dpkg's records of kelvarn are left"
e2e_log "installed, played and purged without a trace"

#!/usr/bin/env bash
# The setup program under Wine, run by an ordinary user with a prefix of its own (Wine gives the
# prefix's owner every Windows right, so the unwritable install folder is made with file modes):
# a silent install lays out the program, its shortcut and its uninstall entry; the installed game,
# started from the shortcut, keeps its list in %APPDATA% when it cannot write Program Files; a
# second setup, an install over foreign files and an uninstall while the game runs are refused or
# reported, never silent and never losing a list; a silent uninstall removes exactly what the
# setup wrote.
WINE_AS_PLAYER=1
source "$(dirname "$0")/lib.sh"
wine_e2e_init "$@"

SETUP_NAME=$(basename "$1")
SETUP=$PROGRAM_DIR/$SETUP_NAME
VERSION=$(basename "$1" | sed -n 's/^Kelvarn-\(.*\)-setup\.exe$/\1/p')
[ -n "$VERSION" ] || e2e_fail "cannot tell the version from the name $(basename "$1")"
C=$(wine_c)
INSTALL=$C/Program\ Files/Kelvarn
SHORTCUT=$C/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Kelvarn.lnk
DESKTOP_SHORTCUT=$C/users/Public/Desktop/Kelvarn.lnk
KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvarn'
LISTS=$C/users/$PLAYER_USER/AppData/Roaming/Kelvarn/Kelvarn
OURS=$'./kelvarn.exe\n./sound/Bu.wav\n./sound/dea.wav\n./sound/end.wav\n./sound/error.wav\n./sound/explo.wav\n./sound/hit.wav\n./sound/put.wav\n./uninstall.exe'

setup() {
    SETUP_STATUS=0
    wine_as wine "$SETUP" "$@" >>"$WORK/setup.log" 2>&1 || SETUP_STATUS=$?
}

# The uninstaller as Windows runs it from its entry: it copies itself to %TEMP% and returns at
# once; wait until that copy has finished.
uninstall() {
    wine_as wine 'C:\Program Files\Kelvarn\uninstall.exe' /S >>"$WORK/setup.log" 2>&1 ||
        e2e_fail "the uninstaller did not start"
    e2e_wait 60 "the uninstaller to finish" uninstaller_gone
}
uninstaller_gone() {
    [ -z "$(wine_pids 'nsu.*\.tmp.Un\.exe')" ]
}

setup_gone() {
    ! e2e_has_window 'Kelvarn Setup.*'
}

installed_files() {
    (cd "$INSTALL" && find . -type f | LC_ALL=C sort)
}

# reg_value NAME: the value of the uninstall entry, or nothing (64-bit view).
reg_value() {
    wine_as wine reg query "$KEY" /v "$1" /reg:64 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

has_key() {
    wine_as wine reg query "$KEY" /reg:64 >/dev/null 2>&1
}

# The target of a shortcut: the local base path in its link information.
shortcut_target() {
    python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
pos = 0x4C
if flags & 1:  # an item id list comes first
    pos += 2 + struct.unpack_from("<H", data, pos)[0]
if flags & 2:  # link information
    base = pos + struct.unpack_from("<I", data, pos + 16)[0]
    print(data[base : data.index(b"\0", base)].decode("cp1252"))
PY
}

e2e_log "1. a silent install"
setup /S
[ "$SETUP_STATUS" = 0 ] || e2e_fail "the silent install ended with status $SETUP_STATUS"
[ "$(installed_files)" = "$OURS" ] || e2e_fail "installed files: $(installed_files)"
cmp -s "$INSTALL/sound/Bu.wav" "$E2E_DIR/../../assets/sound/Bu.wav" || e2e_fail "Bu.wav differs"
[ -f "$SHORTCUT" ] || e2e_fail "no Start menu shortcut"
[ ! -e "$DESKTOP_SHORTCUT" ] || e2e_fail "a desktop shortcut nobody asked for"
[ "$(shortcut_target "$SHORTCUT")" = 'C:\Program Files\Kelvarn\kelvarn.exe' ] ||
    e2e_fail "the shortcut points at '$(shortcut_target "$SHORTCUT")'"
declare -A expected=(
    [DisplayName]=Kelvarn [DisplayVersion]=$VERSION [Publisher]='Kelvarn developers'
    [DisplayIcon]='C:\Program Files\Kelvarn\kelvarn.exe,0'
    [InstallLocation]='C:\Program Files\Kelvarn'
    [UninstallString]='"C:\Program Files\Kelvarn\uninstall.exe"'
    [QuietUninstallString]='"C:\Program Files\Kelvarn\uninstall.exe" /S'
    [NoModify]=0x1 [NoRepair]=0x1)
for name in "${!expected[@]}"; do
    value=$(reg_value "$name")
    [ "$value" = "${expected[$name]}" ] || e2e_fail "$name is '$value', not '${expected[$name]}'"
done
size=$(reg_value EstimatedSize)
exe_kb=$(($(stat -c %s "$INSTALL/kelvarn.exe") / 1024))
((size >= exe_kb && size < exe_kb + 4096)) || e2e_fail "EstimatedSize $size KB (the program: $exe_kb KB)"

e2e_log "2. the installed game from its shortcut's target, Program Files unwritable"
chmod -R a-w "$INSTALL"
# Started as the shortcut says (Wine's `start` does not open .lnk files in every prefix).
wine_e2e_start "$(shortcut_target "$SHORTCUT")"
xdotool key space
shell_seen() {
    [ -n "$(e2e_field shells "$(e2e_shot fired)")" ]
}
e2e_wait 5 "a shell" shell_seen
wine_quit
mapfile -t lists < <(find "$LISTS" -name 'data-*.dat' 2>/dev/null)
[ "${#lists[@]}" = 1 ] || e2e_fail "lists in %APPDATA%: ${lists[*]:-none}"
[ "$(stat -c %s "${lists[0]}")" = 540 ] || e2e_fail "the list is not 540 bytes long"
[ ! -e "$INSTALL/data.dat" ] || e2e_fail "a list in Program Files"
cp "${lists[0]}" "$WORK/list.before"
chmod -R u+w "$INSTALL"

e2e_log "3. a second setup while one runs"
wine_as wine "$SETUP" >>"$WORK/setup.log" 2>&1 &
first=$!
e2e_wait 30 "the first setup's window" e2e_has_window 'Kelvarn Setup.*'
setup /S
[ "$SETUP_STATUS" = 2 ] || e2e_fail "a second setup ended with status $SETUP_STATUS, not 2"
# The setup's own process (Debian's wine starts it as a child of its wrapper).
kill -KILL $(wine_pids "${SETUP_NAME//./\\.}") "$first" 2>/dev/null || true
wait "$first" 2>/dev/null || true
e2e_wait 10 "the first setup to go" setup_gone

e2e_log "4. an install over the same version, with a player's data.dat and a foreign file"
head -c 540 /dev/urandom >"$WORK/data.dat"
cp "$WORK/data.dat" "$INSTALL/data.dat"
echo "not Kelvarn's" >"$INSTALL/notes.txt"
setup /S
[ "$SETUP_STATUS" = 0 ] || e2e_fail "the install over it ended with status $SETUP_STATUS"
cmp -s "$WORK/data.dat" "$INSTALL/data.dat" || e2e_fail "the install changed data.dat"
cmp -s "$WORK/list.before" "${lists[0]}" || e2e_fail "the install changed the list in %APPDATA%"
[ -f "$INSTALL/notes.txt" ] || e2e_fail "the install removed a foreign file"

e2e_log "5. an uninstall while the game runs"
wine_e2e_start 'C:\Program Files\Kelvarn\kelvarn.exe'
uninstall
[ "$(installed_files | grep -v 'data.dat\|notes.txt')" = "$OURS" ] ||
    e2e_fail "the uninstaller removed files of the running game: $(installed_files)"
has_key || e2e_fail "the uninstall entry went although the game was not removed"
# The game's own process, not the wine launcher's.
wine_find_game && kill "$KELVARN_PID"
e2e_wait 10 "the game to end" eval '! kill -0 "$KELVARN_PID" 2>/dev/null'
KELVARN_PID=

e2e_log "6. a silent uninstall"
uninstall
[ "$(installed_files)" = $'./data.dat\n./notes.txt' ] || e2e_fail "left behind: $(installed_files)"
cmp -s "$WORK/data.dat" "$INSTALL/data.dat" || e2e_fail "the uninstall changed data.dat"
[ ! -e "$SHORTCUT" ] || e2e_fail "the shortcut is still there"
! has_key || e2e_fail "the uninstall entry is still there"
cmp -s "$WORK/list.before" "${lists[0]}" || e2e_fail "the uninstall touched the list in %APPDATA%"

e2e_log "7. install and uninstall into a folder of their own: nothing stays"
rm "$INSTALL/data.dat" "$INSTALL/notes.txt"
setup /S
[ "$SETUP_STATUS" = 0 ] || e2e_fail "the second install ended with status $SETUP_STATUS"
uninstall
[ ! -e "$INSTALL" ] || e2e_fail "the install folder is still there: $(installed_files)"
e2e_log "done"

#!/usr/bin/env bash
# What kelvarn.exe carries and needs, read from the file itself: it imports only Windows' own
# libraries and nothing that came after Windows 7 (later calls are looked up while it runs), and
# it holds its icon, version information, manifest and pictures.
# Usage: exe_test.sh <kelvarn.exe> <project version> <objdump> <folder of the pictures>
set -euo pipefail
exe=${1:?usage: exe_test.sh <kelvarn.exe> <version> <objdump> <pictures folder>}
version=${2:?}
objdump=${3:?}
pictures=${4:?}
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

dump=$("$objdump" -p "$exe")
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)
allowed=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll shlwapi.dll
  ole32.dll oleaut32.dll winmm.dll windowscodecs.dll msvcrt.dll advapi32.dll msimg32.dll "
for dll in $dlls; do
    [[ $allowed == *" $dll "* || $allowed == *" $dll"$'\n'* ]] || fail "imports $dll"
done
# Calls of Windows 8 and later, and the DPI calls of Windows 10: never imported.
late='GetDpiForWindow|GetDpiForSystem|GetDpiForMonitor|SetThreadDpiAwarenessContext|SetProcessDpiAwarenessContext|SetProcessDpiAwareness|AdjustWindowRectExForDpi|GetSystemMetricsForDpi|SystemParametersInfoForDpi|EnableNonClientDpiScaling|GetSystemTimePreciseAsFileTime|CreateFile2|WaitOnAddress|SetCoalescableTimer'
if grep -Ew "$late" <<<"$dump"; then
    fail "imports a call that Windows 7 does not have"
fi
grep -qiE 'api-ms-win-|shcore' <<<"$dlls" && fail "imports an API set or shcore"

resources=$(wrestool -l "$exe")
grep -q -- '--type=14 ' <<<"$resources" || fail "no icon group"
[ "$(grep -c -- '--type=3 ' <<<"$resources")" -eq 4 ] || fail "not four icon sizes"
manifest=$(wrestool -x --raw --type=24 "$exe")
for want in 'Microsoft.Windows.Common-Controls' 'version="6.0.0.0"' 'PerMonitorV2' 'true/pm' \
    'level="asInvoker"' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF -- "$want" <<<"$manifest" || fail "manifest lacks $want"
done
info=$(wrestool -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -d '\0' || true)
grep -q "ProductName.*Kelvarn" <<<"$info" || fail "no product name"
grep -q "ProductVersion.*$version" <<<"$info" || fail "product version is not $version"
for picture in "$pictures"/*.png; do
    name=$(basename "$picture" .png | tr 'a-z' 'A-Z')
    grep -q -- "--type=10 --name='$name'" <<<"$resources" || fail "picture $name missing"
done
[ "$failed" -eq 0 ] && echo "kelvarn.exe: $(stat -c %s "$exe") bytes; imports: $(tr '\n' ' ' <<<"$dlls")"
exit "$failed"

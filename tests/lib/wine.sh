# Running Windows programs under Wine, for the tests. Source this file, then:
#
#   wine_init             a temporary folder WINE_WORK, a Wine prefix of its own in it (a copy of
#                         the prepared prefix named by KELVARN_WINE_TEMPLATE, or one made now with
#                         `wineboot -i`), and the quiet settings below; cleans up on exit
#   wine_display          an Xvfb display of its own, painted a mid blue (never black)
#   wine_run PROGRAM ...  runs a Windows program in that prefix and returns its exit status
#   wine_prepare DIR      makes a prefix in DIR once, for KELVARN_WINE_TEMPLATE
#
# One wine server per prefix, and the server goes (`wineserver -k`) before the display does.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
WINE_WORK=
WINE_SCREEN=${WINE_SCREEN:-1024x768x24}
WINE_ROOT_COLOUR=${WINE_ROOT_COLOUR:-#3a6ea5}

wine_quiet_settings() {
    export WINEDEBUG=-all
    # No installer prompts (Mono, Gecko), and nothing of the tests in the user's menus.
    export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
    unset WINEARCH
}

wine_fail() {
    echo "wine.sh: $*" >&2
    exit 1
}

wine_prepare() {
    local dir=$1
    wine_quiet_settings
    mkdir -p "$dir"
    WINEPREFIX=$dir wineboot -i >/dev/null 2>&1 || wine_fail "wineboot -i failed in $dir"
    WINEPREFIX=$dir wine_link_cjk_fonts || wine_fail "the font links could not be set in $dir"
    WINEPREFIX=$dir wineserver -w
    [ -f "$dir/system.reg" ] || wine_fail "wineboot made no prefix in $dir"
}

# A Chinese Windows shows Chinese text in menus, labels and boxes by itself: its Western system
# fonts (Tahoma, "MS Shell Dlg") are linked to a Chinese font. A fresh Wine prefix has no such
# link, so it is imported here, after wineboot, to the CJK font Debian's fonts-arphic-uming
# provides ("AR PL UMing CN"). Run with WINEPREFIX set.
wine_link_cjk_fonts() {
    wine regedit /S "$(winepath -w "$(dirname "${BASH_SOURCE[0]}")/wine-cjk-fonts.reg")" \
        >/dev/null 2>&1 && wineserver -w
}

wine_init() {
    wine_quiet_settings
    WINE_WORK=$(mktemp -d "${TMPDIR:-/tmp}/kelvarn-wine.XXXXXX")
    export WINEPREFIX=$WINE_WORK/prefix
    trap wine_cleanup EXIT
    if [ -n "${KELVARN_WINE_TEMPLATE:-}" ] && [ -f "$KELVARN_WINE_TEMPLATE/system.reg" ]; then
        cp -a "$KELVARN_WINE_TEMPLATE" "$WINEPREFIX"
    else
        wine_prepare "$WINEPREFIX"
    fi
}

wine_display() {
    xvfb_start "$WINE_WORK" "$WINE_SCREEN" wine_fail
    if command -v xsetroot >/dev/null; then
        xsetroot -solid "$WINE_ROOT_COLOUR"
    fi
}

wine_run() {
    wine "$@"
}

wine_cleanup() {
    local status=$?
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    xvfb_stop
    if [ -n "$WINE_WORK" ]; then
        rm -rf "$WINE_WORK"
        WINE_WORK=
    fi
    return "$status"
}

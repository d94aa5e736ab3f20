# The environment of every Wine run in a project prefix; sourced with the prefix's full path in
# $prefix. HOME points at an empty folder beside the prefix, so no shell folder reaches the real
# home, and Wine writes no Linux menu entry for the shell links the tests save.
export HOME="$(dirname "$prefix")/home" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d"

# Once wine32 is installed, Debian's wine starts every program through the 32-bit loader, which a
# kernel without IA-32 emulation refuses to run. There 64-bit programs go to wine64 directly.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export WINELOADER=/usr/lib/wine/wine64
    wine() { "$WINELOADER" "$@"; }
fi

#!/usr/bin/env bash
# The demo: bash scripts/demo.sh [PACKAGE_DIR]
# Installs what is missing and builds, then lays out a campaign package (the bundled sample, or
# PACKAGE_DIR) with Kestrane.exe in a Wine prefix of the demo's own, next to a stand-in
# Warcraft III that is registered there, and runs the installer from the package directory:
# in a window on your display when $DISPLAY is set; otherwise on a virtual display, where a
# driver reads the window, saves a picture of it, installs the campaign and closes it. First of
# all, kestrane-check tells what the installer will make of the package. KESTRANE_DPI=144 (or
# another dpi) shows the window at that screen scale, in a copy of the demo's prefix.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

package_source=$(realpath "${1:-$KESTRANE_ROOT/examples/sample-package}")
[ -f "$package_source/install.ini" ] || { echo "No install.ini in $package_source" >&2; exit 2; }

install_missing_packages
build_trees

echo "kestrane-check $package_source"
"$KESTRANE_BUILD/native/src/kestrane-check" "$package_source" || true
echo

demo="$KESTRANE_BUILD/demo"
prefix="$demo/prefix"
driver="$KESTRANE_BUILD/windows/tests/e2e/kestrane-demo.exe"
wine_run() { "$KESTRANE_ROOT/scripts/wine-run" "$prefix" "$@"; }

"$KESTRANE_ROOT/scripts/wine-prefix" "$prefix"
dpi=${KESTRANE_DPI:-96}
if [ "$dpi" != 96 ]; then
    "$KESTRANE_ROOT/scripts/wine-prefix-scaled" "$prefix" "$prefix-${dpi}dpi" "$dpi"
    prefix="$prefix-${dpi}dpi"
fi
# Wine's background services outlive each program and keep the output of the one that started
# them: started quietly here, they leave the demo's output alone.
wine_run wineboot </dev/null >/dev/null 2>&1
package="$prefix/drive_c/Kestrane Demo"
rm -rf "$package"
mkdir -p "$package"
cp -R "$package_source"/. "$package"/
cp "$KESTRANE_BUILD/windows/src/Kestrane.exe" "$package"/
echo "Package directory: $package (C:\\Kestrane Demo)"

# A stand-in game of its own for every run, so that the campaign starts out not installed.
rm -rf "$prefix/drive_c/Games"
wine_run "$driver" prepare 'C:\Games\Warcraft III'

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting Kestrane.exe; close its window to end the demo."
    cd "$package"
    wine_run Kestrane.exe
    exit 0
fi

picture="$demo/screenshot.png"
rm -f "$package/screenshot.bmp" "$picture"
xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24' \
    "$KESTRANE_ROOT/scripts/wine-run" "$prefix" "$driver" drive 'C:\Kestrane Demo' 'C:\Kestrane Demo\screenshot.bmp'
convert "$package/screenshot.bmp" "$picture"
echo "Picture of the main window: $picture"
echo "The stand-in Warcraft III directory after the install (C:\\Games\\Warcraft III):"
find "$prefix/drive_c/Games/Warcraft III" -mindepth 1 -printf '  %P\n' | sort

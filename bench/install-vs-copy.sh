#!/usr/bin/env bash
# Times installs of generated campaigns (2,000 files of 100 KB; 20,000 of 4 KB) by Kestrane.exe under
# Wine against `xcopy /E /I /Y` of the same folder in the same prefix, and prints the ratios.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"

install_missing_packages
build_trees
prefix="$KESTRANE_BUILD/windows/wine/bench-prefix"
xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24' \
    "$KESTRANE_ROOT/scripts/wine-run" "$prefix" "$KESTRANE_BUILD/windows/bench/kestrane-install-timing.exe"

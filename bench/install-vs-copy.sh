#!/usr/bin/env bash
# Times an install of a generated campaign (about 2,000 files, 200 MB) by Kestrane.exe under
# Wine against `xcopy /E /I /Y` of the same folder in the same prefix, and prints the ratio.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"

install_missing_packages
build_trees
prefix="$KESTRANE_BUILD/windows/wine/bench-prefix"
xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24' \
    "$KESTRANE_ROOT/scripts/wine-run" "$prefix" "$KESTRANE_BUILD/windows/bench/kestrane-install-timing.exe"

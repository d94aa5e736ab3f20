#!/usr/bin/env bash
# Times the start of Kestrane.exe in a package directory, until its main dialog is shown, against
# a minimal dialog program, for the 64-bit and the 32-bit build, and prints the ratios.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"

install_missing_packages
build_trees
prefix="$KESTRANE_BUILD/windows/wine/bench-prefix"
trees=(windows windows-i686)
if [ "$KESTRANE_RUNS_32BIT" = OFF ]; then
    echo "This machine runs no 32-bit programs: the 32-bit build is not timed."
    trees=(windows)
fi
for tree in "${trees[@]}"; do
    xvfb-run --auto-servernum --server-args='-screen 0 1280x1024x24' \
        "$KESTRANE_ROOT/scripts/wine-run" "$prefix" "$KESTRANE_BUILD/$tree/bench/kestrane-startup-timing.exe"
done

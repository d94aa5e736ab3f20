#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both trees, then runs the native unit
# tests, the fuzzers and the Windows tests (under Wine, in the project's own prefix and on a
# virtual X display) in one ctest run.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

install_missing_packages
generate_missing_locales
build_trees
# Made before ctest lists the Windows tests, so that listing never waits for Wine's first start.
"$KESTRANE_ROOT/scripts/wine-prefix" "$KESTRANE_BUILD/windows/wine/prefix"
if [ "$KESTRANE_RUNS_32BIT" = OFF ]; then
    echo "This machine runs no 32-bit programs (its kernel has IA-32 emulation off): the 32-bit" \
        "tree and its tests are built and its Kestrane.exe is checked as a file, but its Win32," \
        "end-to-end and kestrane-check runs are left out."
fi
cd "$KESTRANE_BUILD"
xvfb-run --auto-servernum --server-args='-screen 0 1600x1200x24' \
    ctest --output-on-failure --parallel 2 --timeout 600 "$@"

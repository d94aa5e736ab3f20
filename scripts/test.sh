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
cd "$KESTRANE_BUILD"
status=0
xvfb-run --auto-servernum --server-args='-screen 0 1600x1200x24' \
    ctest --output-on-failure --parallel 2 --timeout 600 "$@" || status=$?

# A pass without the 32-bit runs is not a full one, so it says so last. The 32-bit tree would run
# the 64-bit tree's Win32, end-to-end and checker cases under its own names.
if [ "$KESTRANE_RUNS_32BIT" = OFF ]; then
    unrun=$(ctest --test-dir "$KESTRANE_BUILD/windows" -N | sed -n 's/^ *Test *#[0-9]*: \([^ ]*\).*/\1/p' |
        grep -E '^(win|win_session|e2e|kestrane-check)\.' | grep -v '\.IsOneFileThatNeedsOnlyWindows$' |
        cut -d. -f1 | sort | uniq -c | awk '{ printf "%s i686.%s.* (%s)", (NR > 1 ? "," : ""), $2, $1 }')
    echo "Not run, as this machine runs no 32-bit programs (its kernel has IA-32 emulation off):$unrun;" \
        "the 32-bit program files were checked only as files."
fi
exit "$status"

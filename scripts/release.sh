#!/usr/bin/env bash
# Builds a release from clean build trees, runs the end-to-end tests against the very programs it
# ships, and writes dist/Kestrane-<version>.zip and dist/SHA256SUMS. The 32-bit Kestrane.exe is
# the one a package ships; the x86-64 build and the checker for Windows and Linux come beside it.
#
# With KESTRANE_SIGN_PFX (and KESTRANE_SIGN_PASS) set, both Windows programs are signed;
# KESTRANE_SIGN_TIMESTAMP_URL adds a time stamp from that server.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

install_missing_packages
# The zip ships only programs that passed the end-to-end tests in this run.
if [ "$KESTRANE_RUNS_32BIT" = OFF ]; then
    echo "No release written: this machine runs no 32-bit programs, so the 32-bit Kestrane.exe that packages ship cannot be tested here." >&2
    exit 1
fi

release_build=$KESTRANE_BUILD/release
dist=$KESTRANE_ROOT/dist
rm -rf "$release_build" "$dist"

# Each Windows tree builds its programs with the end-to-end tests that drive them (the Win32
# tier brings the helpers those tests share) and runs those tests, in one Wine prefix of the
# release's own.
prefix=$release_build/wine/prefix
build_release_tree() {
    local name=$1; shift
    cmake -S "$KESTRANE_ROOT" -B "$release_build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKESTRANE_WINE_PREFIX="$prefix" -DKESTRANE_TEST_TIERS='win;e2e' -DKESTRANE_LINT=OFF "$@" >/dev/null
    cmake --build "$release_build/$name"
    xvfb-run --auto-servernum --server-args='-screen 0 1600x1200x24' \
        ctest --test-dir "$release_build/$name" --output-on-failure --timeout 600 -R '^(i686\.)?(wine-prefix$|e2e\.)'
}
build_release_tree windows-i686 -DCMAKE_TOOLCHAIN_FILE="$KESTRANE_ROOT/cmake/mingw-w64-i686.cmake" \
    -DKESTRANE_TEST_NAME_PREFIX=i686.
build_release_tree windows-x86_64 -DCMAKE_TOOLCHAIN_FILE="$KESTRANE_ROOT/cmake/mingw-w64-x86_64.cmake"
# The Linux checker carries no sanitizers: it is for authors, not for the test bed.
cmake -S "$KESTRANE_ROOT" -B "$release_build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKESTRANE_SANITIZE=OFF >/dev/null
cmake --build "$release_build/native" --target kestrane-check

version=$("$release_build/native/src/kestrane-check" --version)
version=${version#kestrane-check }
name=Kestrane-$version
stage=$release_build/stage/$name
mkdir -p "$stage/x64"
cp "$release_build/windows-i686/src/Kestrane.exe" "$release_build/windows-i686/src/kestrane-check.exe" "$stage/"
cp "$release_build/windows-x86_64/src/Kestrane.exe" "$stage/x64/"
cp "$release_build/native/src/kestrane-check" "$stage/"
cp -r "$KESTRANE_ROOT/examples/sample-package" "$stage/sample-package"
cp "$KESTRANE_ROOT/LICENSE" "$KESTRANE_ROOT/CHANGELOG.md" "$KESTRANE_ROOT/AUTHORS-GUIDE.txt" "$stage/"

if [ -n "${KESTRANE_SIGN_PFX:-}" ]; then
    for program in "$stage/Kestrane.exe" "$stage/x64/Kestrane.exe" "$stage/kestrane-check.exe"; do
        "$KESTRANE_ROOT/scripts/sign-program" "$KESTRANE_SIGN_PFX" "${KESTRANE_SIGN_PASS:-}" "$program" \
            "${KESTRANE_SIGN_TIMESTAMP_URL:-}"
    done
fi

# The same commit gives the same zip: every entry dated at the commit, in a fixed order, with
# no owner or extra fields. CPack's ZIP generator keeps the build's own file times, so the
# archive is written here.
source_date=$(git -C "$KESTRANE_ROOT" log -1 --format=%ct 2>/dev/null || echo 0)
find "$stage" -exec touch -h -d "@$source_date" {} +
mkdir -p "$dist"
(cd "$release_build/stage" && find "$name" -print | LC_ALL=C sort |
    TZ=UTC zip -X -D -q -@ "$dist/$name.zip")
(cd "$dist" && sha256sum "$name.zip" >SHA256SUMS)
cat "$dist/SHA256SUMS"

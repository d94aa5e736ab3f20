#!/usr/bin/env bash
# Builds a release from clean build trees and writes dist/Kestrane-<version>.zip and
# dist/SHA256SUMS. The 32-bit Kestrane.exe is the one a package ships; the x86-64 build and the
# checker for Windows and Linux come beside it.
#
# With KESTRANE_SIGN_PFX (and KESTRANE_SIGN_PASS) set, both Windows programs are signed;
# KESTRANE_SIGN_TIMESTAMP_URL adds a time stamp from that server.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

install_missing_packages

release_build=$KESTRANE_BUILD/release
dist=$KESTRANE_ROOT/dist
rm -rf "$release_build" "$dist"

build_release_tree() {
    local name=$1; shift
    cmake -S "$KESTRANE_ROOT" -B "$release_build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$release_build/$name" --target Kestrane kestrane-check
}
build_release_tree windows-i686 -DCMAKE_TOOLCHAIN_FILE="$KESTRANE_ROOT/cmake/mingw-w64-i686.cmake"
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

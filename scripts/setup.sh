#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing,
# and configures and builds both trees. Sourced by test.sh and demo.sh.
set -euo pipefail

KESTRANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRANE_BUILD=${KESTRANE_BUILD:-$KESTRANE_ROOT/build}

kestrane_packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth imagemagick locales
    osslsigncode openssl zip unzip
)

install_missing_packages() {
    local missing=()
    for package in "${kestrane_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Wine takes the ANSI code page from the locale (ja_JP 932, zh_CN 936, ko_KR 949, zh_TW 950,
# en_US 1252), and a locale that is not generated falls back to the C locale's code page.
kestrane_locales=(ja_JP zh_CN ko_KR zh_TW en_US)

generate_missing_locales() {
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    local name
    for name in "${kestrane_locales[@]}"; do
        locale -a | grep -qix "$name\.utf-\?8" && continue
        echo "Generating $name.UTF-8"
        "${sudo[@]}" localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

build_trees() {
    cmake -S "$KESTRANE_ROOT" -B "$KESTRANE_BUILD/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$KESTRANE_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake -S "$KESTRANE_ROOT" -B "$KESTRANE_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$KESTRANE_BUILD/native"
    cmake --build "$KESTRANE_BUILD/windows"
    # One ctest run over both trees, so one summary counts every test.
    printf 'subdirs("native" "windows")\n' >"$KESTRANE_BUILD/CTestTestfile.cmake"
}

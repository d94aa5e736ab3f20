#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing,
# and configures and builds the three trees. Sourced by test.sh and demo.sh.
set -euo pipefail

KESTRANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRANE_BUILD=${KESTRANE_BUILD:-$KESTRANE_ROOT/build}

kestrane_packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb xauth imagemagick locales
    osslsigncode openssl zip unzip clang-format clang-tidy
)

# Runs a command as root: through sudo unless we are root already.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    # The 32-bit Wine comes from the i386 packages, which apt offers only once dpkg knows that
    # architecture.
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Wine runs a 32-bit Windows program in a 32-bit Linux process, and some kernels run no 32-bit
# code at all (IA-32 emulation off). Asked of a three-instruction program that only exits.
machine_runs_32bit_programs() {
    local probe status=0
    mkdir -p "$KESTRANE_BUILD"
    probe=$(mktemp -d -p "$KESTRANE_BUILD")
    printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$probe/exit.s"
    as --32 -o "$probe/exit.o" "$probe/exit.s" && ld -m elf_i386 -o "$probe/exit" "$probe/exit.o" &&
        "$probe/exit" 2>/dev/null || status=1
    rm -rf "$probe"
    return "$status"
}

# The 32-bit Wine's libraries (libwine:i386) come on every machine: they are what the check of the
# 32-bit programs' files resolves their imports against, even where no 32-bit program can run. Its
# loader (wine32:i386) comes only where it can run, since Debian's wine then starts every program
# through it.
install_missing_packages() {
    install_packages "${kestrane_packages[@]}" libwine:i386
    KESTRANE_RUNS_32BIT=OFF
    if machine_runs_32bit_programs; then
        KESTRANE_RUNS_32BIT=ON
        install_packages wine32:i386
    fi
}

# Wine takes the ANSI code page from the locale (ja_JP 932, zh_CN 936, ko_KR 949, zh_TW 950,
# en_US 1252), and a locale that is not generated falls back to the C locale's code page.
kestrane_locales=(ja_JP zh_CN ko_KR zh_TW en_US)

generate_missing_locales() {
    local name
    for name in "${kestrane_locales[@]}"; do
        locale -a | grep -qix "$name\.utf-\?8" && continue
        echo "Generating $name.UTF-8"
        as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# The 64-bit Windows tree, build/windows, runs every Windows test; the 32-bit one, the program a
# package ships, builds the same sources and runs the tests of its own programs in the same Wine
# prefix, under its own test names. Where the machine runs no 32-bit programs, that tree builds
# its tests but checks only its program file. It compiles the 64-bit tree's sources, so clang-tidy
# analyses them there only.
build_trees() {
    cmake -S "$KESTRANE_ROOT" -B "$KESTRANE_BUILD/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$KESTRANE_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake -S "$KESTRANE_ROOT" -B "$KESTRANE_BUILD/windows-i686" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$KESTRANE_ROOT/cmake/mingw-w64-i686.cmake" \
        -DKESTRANE_WINE_PREFIX="$KESTRANE_BUILD/windows/wine/prefix" -DKESTRANE_TEST_NAME_PREFIX=i686. \
        -DKESTRANE_TEST_TIERS='check;win;e2e' -DKESTRANE_RUN_PROGRAMS="$KESTRANE_RUNS_32BIT" -DKESTRANE_LINT=OFF >/dev/null
    cmake -S "$KESTRANE_ROOT" -B "$KESTRANE_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$KESTRANE_BUILD/native"
    cmake --build "$KESTRANE_BUILD/windows"
    cmake --build "$KESTRANE_BUILD/windows-i686"
    # One ctest run over every tree, so one summary counts every test.
    printf 'subdirs("native" "windows" "windows-i686")\n' >"$KESTRANE_BUILD/CTestTestfile.cmake"
}

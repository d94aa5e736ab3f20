#!/usr/bin/env bash
# Writes Kestrane.ico's 256-pixel frame from Kestrane-256.mvg, as the PNG-compressed image that
# Windows Vista and later read for Explorer's large views. The smaller frames are kept byte for
# byte: they are drawn for their own sizes, and a frame scaled from another would blur.
# Needs ImageMagick. Run from anywhere: bash src/ui/icon/make-icon.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
icon=$here/../Kestrane.ico
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The disc's dusk, top to bottom, laid under the drawing and cut to a circle.
convert \( xc:'#e0985c' xc:'#bd7863' xc:'#925773' xc:'#693867' xc:'#342753' xc:'#27234e' -append \
           -filter Triangle -resize '1x256!' -scale '256x256!' \) \
        \( -size 256x256 xc:none -fill white -draw 'circle 128,128 128,3' \) -compose DstIn -composite \
        -compose Over -draw "$(grep -v '^#' "$here/Kestrane-256.mvg")" \
        -strip -define png:exclude-chunks=date,time "PNG32:$work/256.png"

# Little-endian fields of the ICONDIR and its entries.
u16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $(($1 >> 16)); }
field() { od -An -t"u$2" -j"$1" -N"$2" "$icon" | tr -d ' '; }
bytes() { dd if="$icon" iflag=skip_bytes,count_bytes skip="$1" count="$2" bs=64K status=none; }

# The frames kept: every one but an earlier 256-pixel frame (width byte 0).
count=$(field 4 2)
kept=()
for ((i = 0; i < count; i++)); do
    [ "$(field $((6 + 16 * i)) 1)" -eq 0 ] || kept+=("$i")
done
offset=$((6 + 16 * (${#kept[@]} + 1)))
{
    u16 0; u16 1; u16 $((${#kept[@]} + 1))
    for i in "${kept[@]}"; do
        bytes $((6 + 16 * i)) 8
        u32 "$(field $((6 + 16 * i + 8)) 4)"
        u32 "$offset"
        offset=$((offset + $(field $((6 + 16 * i + 8)) 4)))
    done
    # Width and height 0 stand for 256; one plane, 32 bits per pixel.
    printf '\0\0\0\0'; u16 1; u16 32; u32 "$(stat -c %s "$work/256.png")"; u32 "$offset"
} >"$work/Kestrane.ico"
for i in "${kept[@]}"; do
    bytes "$(field $((6 + 16 * i + 12)) 4)" "$(field $((6 + 16 * i + 8)) 4)"
done >>"$work/Kestrane.ico"
cat "$work/256.png" >>"$work/Kestrane.ico"
mv "$work/Kestrane.ico" "$icon"

// BitmapFile and MakeBitmapFile: the .bmp files the tests write, every count and offset worked
// out from the parts, written byte by byte in the file's own little-endian order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace kestrane::test {

struct BitmapFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;  // negative for rows stored top-down
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks = {};    // at offset 40 of the information header, as every version has them
    std::vector<std::uint32_t> colours = {};  // 0x00RRGGBB, all of them used
    std::vector<std::uint8_t> pixels = {};

    // Uncompressed rows are padded to four bytes.
    std::size_t RowBytes() const { return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4; }
    std::size_t TableOffset() const { return 14 + std::max<std::size_t>(headerSize, 40 + 4 * masks.size()); }
    std::size_t PixelOffset() const { return TableOffset() + 4 * colours.size(); }

    std::string Bytes() const
    {
        std::string bytes(PixelOffset(), '\0');
        const auto put = [&](std::size_t at, std::size_t value, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i)
                bytes[at + i] = static_cast<char>(value >> (8 * i));
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put(2, PixelOffset() + pixels.size(), 4);
        put(10, PixelOffset(), 4);
        put(14, headerSize, 4);
        put(18, static_cast<std::uint32_t>(width), 4);
        put(22, static_cast<std::uint32_t>(height), 4);
        put(26, 1, 2);
        put(28, bitsPerPixel, 2);
        put(30, compression, 4);
        // Only run-length pixels need their size told; for the others it is left to the reader.
        put(34, compression == 1 ? pixels.size() : 0, 4);
        put(46, colours.size(), 4);
        for (std::size_t i = 0; i < masks.size(); ++i)
            put(14 + 40 + 4 * i, masks[i], 4);
        for (std::size_t i = 0; i < colours.size(); ++i)
            put(TableOffset() + 4 * i, colours[i], 4);
        return bytes.append(pixels.begin(), pixels.end());
    }
};

// An uncompressed 24-bit bitmap file of one colour: grey, each of its three bytes this level.
inline constexpr std::uint8_t kBitmapGreyLevel = 0x80;
inline std::string MakeBitmapFile(int width, int height)
{
    BitmapFile file{.width = width, .height = height};
    file.pixels.assign(file.RowBytes() * static_cast<std::size_t>(std::abs(height)), kBitmapGreyLevel);
    return file.Bytes();
}

}  // namespace kestrane::test

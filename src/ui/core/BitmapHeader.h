// BitmapHeader: whether bytes are a .bmp file, and where its colour table and pixels lie,
// checked against its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kestrane {

struct BitmapHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative for rows stored top-down
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t colourCount = 0;  // colour-table entries stored in front of the pixels
    std::size_t pixelOffset = 0;    // within the block
    std::size_t pixelSize = 0;      // bytes of pixel data the header implies, all within the block
    // The bitmap information the system is given: a 40-byte information header (whatever
    // version the file has) followed by the colour masks and the colour table it needs.
    std::vector<std::byte> info;
};

inline constexpr std::size_t kBitmapFileHeaderSize = 14;

// What follows the file header of a whole .bmp file. Empty when the file is shorter than that
// header or does not begin with "BM", the mark of a bitmap file.
std::optional<std::span<const std::byte>> BitmapBlock(std::span<const std::byte> file);

// `block` is the file behind its 14-byte file header. Empty when the block is not a bitmap
// this program shows, or when it is shorter than its headers say: nothing beyond the block
// is ever looked at, whatever the header holds.
std::optional<BitmapHeader> ReadBitmapHeader(std::span<const std::byte> block);

}  // namespace kestrane

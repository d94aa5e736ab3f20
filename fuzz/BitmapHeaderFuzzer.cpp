// Feeds arbitrary bytes, as the block behind a .bmp file header, to the bitmap header check.
#include "ui/core/BitmapHeader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

std::uint32_t ReadU32(const std::uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto header = kestrane::ReadBitmapHeader(std::as_bytes(std::span(data, size)));
    if (!header)
        return 0;

    Require(header->pixelOffset <= size && header->pixelSize <= size - header->pixelOffset);
    Require(header->pixelSize > 0);
    if (header->compression == 0 || header->compression == 3) {
        // Every row the dimensions imply, padded to 4 bytes, lies inside the block.
        const std::uint64_t rowBytes =
            (std::uint64_t{static_cast<std::uint32_t>(header->width)} * header->bitsPerPixel + 31) / 32 * 4;
        const auto rows = static_cast<std::uint64_t>(std::abs(std::int64_t{header->height}));
        Require(rowBytes <= (size - header->pixelOffset) / rows);
    }

    // The system is pointed at these bytes: copying them makes AddressSanitizer check that all
    // of them lie inside the block.
    const std::vector<std::uint8_t> pixels(data + header->pixelOffset, data + header->pixelOffset + header->pixelSize);
    Require(pixels.size() == header->pixelSize);
    const std::vector<std::byte>& info = header->info;
    Require(info.size() >= 40 && ReadU32(reinterpret_cast<const std::uint8_t*>(info.data())) == 40);
    Require(info.size() <= 40 + 12 + 4 * 256);
    return 0;
}

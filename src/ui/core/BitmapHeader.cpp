#include "ui/core/BitmapHeader.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kestrane {
namespace {

constexpr std::uint16_t kBitmapFileType = 0x4D42;  // "BM"

// Fields of the information header, by their offset within it.
constexpr std::size_t kSizeField = 0;
constexpr std::size_t kWidthField = 4;
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kPlanesField = 12;
constexpr std::size_t kBitCountField = 14;
constexpr std::size_t kCompressionField = 16;
constexpr std::size_t kImageSizeField = 20;
constexpr std::size_t kColoursUsedField = 32;

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaskBytes = 12;  // red, green and blue masks
constexpr std::uint64_t kColourEntryBytes = 4;

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

// The information header versions of Windows: 40 bytes, the 52- and 56-byte ones that hold the
// masks as fields, and V4 (108) and V5 (124), which ImageMagick and GIMP write by default. The
// size field is honoured, so the colour table and pixels of the later versions are found where
// they are. OS/2's 12- and 64-byte headers lay their fields out differently and are refused.
constexpr std::array<std::uint32_t, 5> kHeaderSizes{40, 52, 56, 108, 124};

std::uint32_t ReadU32(std::span<const std::byte> bytes, std::size_t at)
{
    return std::to_integer<std::uint32_t>(bytes[at]) | std::to_integer<std::uint32_t>(bytes[at + 1]) << 8 |
           std::to_integer<std::uint32_t>(bytes[at + 2]) << 16 | std::to_integer<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t ReadU16(std::span<const std::byte> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) | std::to_integer<unsigned>(bytes[at + 1])
                                                                                 << 8);
}

void WriteU32(std::span<std::byte> bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::byte>(value >> (8 * i));
}

// Run-length data is defined for 8 and 4 bits only, masks for 16 and 32. Anything else
// (JPEG or PNG inside, odd depths) is nothing the screen can be given.
bool IsKnownFormat(std::uint32_t compression, std::uint16_t bitsPerPixel)
{
    switch (compression) {
    case kRgb:
        return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
               bitsPerPixel == 24 || bitsPerPixel == 32;
    case kRle8:
        return bitsPerPixel == 8;
    case kRle4:
        return bitsPerPixel == 4;
    case kBitFields:
        return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:
        return false;
    }
}

// The system is handed only what was checked: a later header version would let it look at
// fields we never validated (an embedded colour profile points anywhere), so every version is
// given as the 40-byte header. The masks follow it; they lie at offset 40 in every version.
std::vector<std::byte> MakeBitmapInfo(std::span<const std::byte> block, const BitmapHeader& header,
                                      std::size_t tableStart)
{
    // Pixels of a paletted bitmap index at most 2^bits colours, so a longer table is cut
    // there; the optional table of a true-colour bitmap only serves palette screens.
    const bool paletted = header.bitsPerPixel <= 8;
    const std::size_t entries = paletted ? std::min(header.colourCount, 1u << header.bitsPerPixel) : 0;
    const std::size_t masks = header.compression == kBitFields ? kMaskBytes : 0;
    const std::size_t tableBytes = entries * kColourEntryBytes;

    std::vector<std::byte> info(kInfoHeaderSize + masks + tableBytes);
    std::copy_n(block.begin(), kInfoHeaderSize, info.begin());
    WriteU32(info, kSizeField, kInfoHeaderSize);
    WriteU32(info, kColoursUsedField, static_cast<std::uint32_t>(entries));
    // Uncompressed rows are sized by the dimensions alone; a stated size could only mislead.
    if (header.compression == kRgb || header.compression == kBitFields)
        WriteU32(info, kImageSizeField, 0);
    std::copy_n(block.begin() + kInfoHeaderSize, masks, info.begin() + kInfoHeaderSize);
    std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(tableStart), tableBytes,
                info.begin() + static_cast<std::ptrdiff_t>(kInfoHeaderSize + masks));
    return info;
}

}  // namespace

std::optional<BitmapHeader> ReadBitmapHeader(std::span<const std::byte> block)
{
    if (block.size() < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = ReadU32(block, kSizeField);
    if (std::ranges::find(kHeaderSizes, headerSize) == kHeaderSizes.end() || headerSize > block.size())
        return std::nullopt;

    BitmapHeader header;
    header.width = static_cast<std::int32_t>(ReadU32(block, kWidthField));
    header.height = static_cast<std::int32_t>(ReadU32(block, kHeightField));
    header.bitsPerPixel = ReadU16(block, kBitCountField);
    header.compression = ReadU32(block, kCompressionField);
    const std::uint32_t coloursUsed = ReadU32(block, kColoursUsedField);
    const bool runLength = header.compression == kRle8 || header.compression == kRle4;

    // The system multiplies rows by planes; only one plane is ever what the data holds.
    if (header.width <= 0 || header.height == 0 || ReadU16(block, kPlanesField) != 1)
        return std::nullopt;
    if (!IsKnownFormat(header.compression, header.bitsPerPixel))
        return std::nullopt;
    // Run-length bitmaps are bottom-up by definition.
    if (runLength && header.height < 0)
        return std::nullopt;

    // All sizes below in 64 bits: no header value, however large, can wrap them.
    header.colourCount = header.bitsPerPixel <= 8 && coloursUsed == 0 ? 1u << header.bitsPerPixel : coloursUsed;
    const std::uint64_t tableStart = header.compression == kBitFields
                                         ? std::max<std::uint64_t>(headerSize, kInfoHeaderSize + kMaskBytes)
                                         : headerSize;
    const std::uint64_t pixelOffset = tableStart + kColourEntryBytes * header.colourCount;
    if (pixelOffset > block.size())
        return std::nullopt;
    const std::uint64_t available = block.size() - pixelOffset;

    std::uint64_t pixelSize = 0;
    if (runLength) {
        // Runs may end the picture anywhere: only the stated size bounds what is decoded, so
        // it must be there and be backed by the file.
        pixelSize = ReadU32(block, kImageSizeField);
        if (pixelSize == 0 || pixelSize > available)
            return std::nullopt;
    } else {
        const std::uint64_t rowBytes = (static_cast<std::uint64_t>(header.width) * header.bitsPerPixel + 31) / 32 * 4;
        const auto rows = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(header.height)));
        if (rowBytes > available / rows)
            return std::nullopt;
        pixelSize = rowBytes * rows;
    }

    header.pixelOffset = static_cast<std::size_t>(pixelOffset);
    header.pixelSize = static_cast<std::size_t>(pixelSize);
    header.info = MakeBitmapInfo(block, header, static_cast<std::size_t>(tableStart));
    return header;
}

std::optional<std::span<const std::byte>> BitmapBlock(std::span<const std::byte> file)
{
    if (file.size() < kBitmapFileHeaderSize || ReadU16(file, 0) != kBitmapFileType)
        return std::nullopt;
    return file.subspan(kBitmapFileHeaderSize);
}

}  // namespace kestrane

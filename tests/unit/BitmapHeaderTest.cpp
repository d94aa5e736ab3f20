#include "ui/core/BitmapHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace kestrane {
namespace {

// The 40-byte information header as a file holds it; both systems the tests run on are
// little-endian.
struct Fields {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t planes = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t resolution[2] = {};
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
};
static_assert(sizeof(Fields) == 40);

// The block behind the file header: the information header, then bytes that differ from their
// neighbours, so a table or mask taken from the wrong place shows.
std::vector<std::byte> MakeBlock(const Fields& fields, std::size_t size)
{
    std::vector<std::byte> block(std::max<std::size_t>(size, 40));
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::byte>(i * 7 + 3);
    std::memcpy(block.data(), &fields, sizeof fields);
    block.resize(size);
    return block;
}

TEST(ReadBitmapHeader, FindsThePixelsAndRefusesABlockOneByteShort)
{
    // Where the pixels start, how many colours the table holds and how many bytes the pixels take.
    const std::tuple<const char*, Fields, std::size_t, std::uint32_t, std::size_t> cases[] = {
        {"24-bit, no colour table", {}, 40, 0, 16},
        {"24-bit with 16 colours used", {.coloursUsed = 16}, 104, 16, 16},
        {"8-bit, full table", {.bitsPerPixel = 8}, 40 + 1024, 256, 8},
        {"4-bit with 10 colours used", {.bitsPerPixel = 4, .coloursUsed = 10}, 80, 10, 8},
        {"16-bit bit fields", {.bitsPerPixel = 16, .compression = 3}, 52, 0, 8},
        {"32-bit bit fields, 2 colours used", {.bitsPerPixel = 32, .compression = 3, .coloursUsed = 2}, 60, 2, 16},
        {"1-bit, rows padded to 4 bytes", {.width = 33, .height = 3, .bitsPerPixel = 1}, 48, 2, 24},
        {"top-down rows", {.width = 1, .height = -3}, 40, 0, 12},
        {"more colours used than 8 bits index", {.bitsPerPixel = 8, .coloursUsed = 300}, 1240, 300, 8},
        {"V3 header holds its masks", {.headerSize = 56, .bitsPerPixel = 16, .compression = 3}, 56, 0, 8},
        {"V4 header, 8-bit", {.headerSize = 108, .bitsPerPixel = 8}, 108 + 1024, 256, 8},
        {"8-bit run-length", {.bitsPerPixel = 8, .compression = 1, .imageSize = 10}, 1064, 256, 10},
        {"4-bit run-length", {.bitsPerPixel = 4, .compression = 2, .imageSize = 6, .coloursUsed = 16}, 104, 16, 6},
    };
    for (const auto& [name, fields, pixelOffset, colourCount, pixelSize] : cases) {
        for (const std::size_t size : {pixelOffset + pixelSize, pixelOffset + pixelSize + 100}) {
            const auto header = ReadBitmapHeader(MakeBlock(fields, size));
            ASSERT_TRUE(header) << name << ", block of " << size;
            EXPECT_EQ(std::tuple(header->pixelOffset, header->colourCount, header->pixelSize),
                      std::tuple(pixelOffset, colourCount, pixelSize))
                << name;
        }
        EXPECT_FALSE(ReadBitmapHeader(MakeBlock(fields, pixelOffset + pixelSize - 1))) << name << ", one byte short";
    }
}

TEST(ReadBitmapHeader, RefusesHeadersItCannotShow)
{
    EXPECT_FALSE(ReadBitmapHeader(MakeBlock({}, 39))) << "a block shorter than the information header";
    EXPECT_FALSE(ReadBitmapHeader(MakeBlock({.headerSize = 124}, 100))) << "V5 header longer than the block";
    const std::pair<const char*, Fields> cases[] = {
        {"OS/2 core header", {.headerSize = 12}},
        {"OS/2 2.x header", {.headerSize = 64}},
        {"header size 0xFFFFFFFF", {.headerSize = 0xFFFFFFFF}},
        {"zero width", {.width = 0}},
        {"negative width", {.width = -2}},
        {"zero height", {.height = 0}},
        {"two planes", {.planes = 2}},
        {"7 bits per pixel", {.bitsPerPixel = 7}},
        {"bit fields at 24 bits", {.compression = 3}},
        {"8-bit run-length at 4 bits", {.bitsPerPixel = 4, .compression = 1, .imageSize = 4}},
        {"JPEG inside", {.compression = 4, .imageSize = 16}},
        {"run-length without its size", {.bitsPerPixel = 8, .compression = 1}},
        {"run-length size beyond the block", {.bitsPerPixel = 8, .compression = 1, .imageSize = 0xFFFFFFFF}},
        {"run-length top-down", {.height = -2, .bitsPerPixel = 8, .compression = 1, .imageSize = 4}},
        {"0xFFFFFFFF colours used", {.coloursUsed = 0xFFFFFFFF}},
        {"rows that wrap 32 bits", {.width = 0x7FFFFFFF, .height = 0x7FFFFFFF, .bitsPerPixel = 32}},
        {"most negative height", {.width = 0x7FFFFFFF, .height = INT32_MIN, .bitsPerPixel = 32}},
    };
    for (const auto& [name, fields] : cases)
        EXPECT_FALSE(ReadBitmapHeader(MakeBlock(fields, 4096))) << name;
}

TEST(ReadBitmapHeader, HandsTheSystemA40ByteHeaderWithTheMasksAndColoursItNeeds)
{
    // The size of what the system is given, the colours used it says, and where the bytes behind
    // its 40-byte header come from.
    const std::tuple<const char*, Fields, std::size_t, unsigned, std::size_t> cases[] = {
        {"true colour drops its optional table", {.coloursUsed = 16}, 40, 0, 0},
        {"V5 header's own mask fields", {.headerSize = 124, .bitsPerPixel = 32, .compression = 3}, 52, 0, 40},
        {"V4 header's colour table", {.headerSize = 108, .bitsPerPixel = 4}, 40 + 64, 16, 108},
        {"a longer table is cut at 256", {.bitsPerPixel = 8, .coloursUsed = 300}, 40 + 1024, 256, 40},
    };
    for (const auto& [name, fields, infoSize, coloursUsed, copiedFrom] : cases) {
        const std::vector<std::byte> block = MakeBlock(fields, 4096);
        const auto header = ReadBitmapHeader(block);
        ASSERT_TRUE(header) << name;
        const std::vector<std::byte>& info = header->info;
        ASSERT_EQ(info.size(), infoSize) << name;
        EXPECT_EQ(std::to_integer<int>(info[0]), 40) << name;
        EXPECT_EQ(std::to_integer<unsigned>(info[32]) | std::to_integer<unsigned>(info[33]) << 8, coloursUsed) << name;
        EXPECT_TRUE(std::equal(info.begin() + 40, info.end(), block.begin() + copiedFrom)) << name;
    }
}

TEST(BitmapBlock, StartsBehindTheFileHeaderOfAFileThatBeginsWithBM)
{
    // The file, and the size of the block behind its header (none: no bitmap file).
    const std::pair<std::string, std::optional<std::size_t>> cases[] = {
        {"BM" + std::string(12, '\0'), 0},
        {"BM" + std::string(12, '\0') + "block", 5},
        {"BM" + std::string(11, '\0'), std::nullopt},
        {"BA" + std::string(20, '\0'), std::nullopt},
        {"MB" + std::string(20, '\0'), std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [file, blockSize] : cases) {
        const auto bytes = std::as_bytes(std::span(file));
        const auto block = BitmapBlock(bytes);
        ASSERT_EQ(block.has_value(), blockSize.has_value()) << file.size() << " bytes from " << file.substr(0, 2);
        if (block) {
            EXPECT_EQ(block->size(), *blockSize);
            EXPECT_EQ(block->data(), bytes.data() + 14) << "the block is the file's own bytes behind its header";
        }
    }
}

}  // namespace
}  // namespace kestrane

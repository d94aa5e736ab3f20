#include "ui/BitmapHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kestrane {
namespace {

struct Fields {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
    std::uint16_t planes = 1;
};

// The block behind the file header: the information header's fields, then bytes that differ
// from their neighbours, so a table or mask taken from the wrong place shows.
std::vector<std::byte> MakeBlock(const Fields& f, std::size_t size)
{
    std::vector<std::byte> block(std::max<std::size_t>(size, 40));
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::byte>(i * 7 + 3);
    const auto put = [&](std::size_t at, std::uint32_t value, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i)
            block[at + i] = static_cast<std::byte>(value >> (8 * i));
    };
    put(0, f.headerSize, 4);
    put(4, static_cast<std::uint32_t>(f.width), 4);
    put(8, static_cast<std::uint32_t>(f.height), 4);
    put(12, f.planes, 2);
    put(14, f.bitsPerPixel, 2);
    put(16, f.compression, 4);
    put(20, f.imageSize, 4);
    put(32, f.coloursUsed, 4);
    block.resize(size);
    return block;
}

TEST(ReadBitmapHeader, FindsThePixelsAndRefusesABlockOneByteShort)
{
    struct Case {
        const char* name;
        Fields fields;
        std::size_t pixelOffset;
        std::uint32_t colourCount;
        std::size_t pixelSize;
    };
    const Case cases[] = {
        {"24-bit, no colour table", {}, 40, 0, 16},
        {"24-bit with 16 colours used", {.coloursUsed = 16}, 104, 16, 16},
        {"8-bit, full table", {.bitsPerPixel = 8}, 40 + 1024, 256, 8},
        {"4-bit with 10 colours used", {.bitsPerPixel = 4, .coloursUsed = 10}, 80, 10, 8},
        {"16-bit bit fields", {.bitsPerPixel = 16, .compression = 3}, 52, 0, 8},
        {"32-bit bit fields", {.bitsPerPixel = 32, .compression = 3}, 52, 0, 16},
        {"32-bit bit fields, 2 colours used", {.bitsPerPixel = 32, .compression = 3, .coloursUsed = 2}, 60, 2, 16},
        {"1-bit, rows padded to 4 bytes", {.width = 33, .height = 3, .bitsPerPixel = 1}, 48, 2, 24},
        {"24-bit odd width, rows padded", {.width = 3}, 40, 0, 24},
        {"top-down rows", {.width = 1, .height = -3}, 40, 0, 12},
        {"more colours used than 8 bits index", {.bitsPerPixel = 8, .coloursUsed = 300}, 1240, 300, 8},
        {"V3 header holds its masks", {.headerSize = 56, .bitsPerPixel = 16, .compression = 3}, 56, 0, 8},
        {"V4 header, 8-bit", {.headerSize = 108, .bitsPerPixel = 8}, 108 + 1024, 256, 8},
        {"V5 header, 32-bit bit fields", {.headerSize = 124, .bitsPerPixel = 32, .compression = 3}, 124, 0, 16},
        {"8-bit run-length", {.bitsPerPixel = 8, .compression = 1, .imageSize = 10}, 1064, 256, 10},
        {"4-bit run-length", {.bitsPerPixel = 4, .compression = 2, .imageSize = 6, .coloursUsed = 16}, 104, 16, 6},
    };
    for (const auto& c : cases) {
        const std::size_t exact = c.pixelOffset + c.pixelSize;
        for (const std::size_t size : {exact, exact + 100}) {
            const auto header = ReadBitmapHeader(MakeBlock(c.fields, size));
            ASSERT_TRUE(header) << c.name << ", block of " << size;
            EXPECT_EQ(header->pixelOffset, c.pixelOffset) << c.name;
            EXPECT_EQ(header->colourCount, c.colourCount) << c.name;
            EXPECT_EQ(header->pixelSize, c.pixelSize) << c.name;
        }
        EXPECT_FALSE(ReadBitmapHeader(MakeBlock(c.fields, exact - 1))) << c.name << ", one byte short";
    }
}

TEST(ReadBitmapHeader, RefusesHeadersItCannotShow)
{
    struct Case {
        const char* name;
        Fields fields;
        std::size_t blockSize = 4096;
    };
    const Case cases[] = {
        {"a 30-byte file", {}, 16},
        {"a block shorter than the information header", {}, 39},
        {"OS/2 core header", {.headerSize = 12}},
        {"OS/2 2.x header", {.headerSize = 64}},
        {"header size 0xFFFFFFFF", {.headerSize = 0xFFFFFFFF}},
        {"V5 header longer than the block", {.headerSize = 124}, 100},
        {"zero width", {.width = 0}},
        {"negative width", {.width = -2}},
        {"zero height", {.height = 0}},
        {"two planes", {.planes = 2}},
        {"7 bits per pixel", {.bitsPerPixel = 7}},
        {"bit fields at 24 bits", {.bitsPerPixel = 24, .compression = 3}},
        {"8-bit run-length at 4 bits", {.bitsPerPixel = 4, .compression = 1, .imageSize = 4}},
        {"JPEG inside", {.compression = 4, .imageSize = 16}},
        {"run-length without its size", {.bitsPerPixel = 8, .compression = 1}},
        {"run-length size beyond the block", {.bitsPerPixel = 8, .compression = 1, .imageSize = 0xFFFFFFFF}},
        {"run-length top-down", {.height = -2, .bitsPerPixel = 8, .compression = 1, .imageSize = 4}},
        {"0xFFFFFFFF colours used", {.coloursUsed = 0xFFFFFFFF}},
        {"rows that wrap 32 bits", {.width = 0x7FFFFFFF, .height = 0x7FFFFFFF, .bitsPerPixel = 32}},
        {"most negative height", {.width = 0x7FFFFFFF, .height = INT32_MIN, .bitsPerPixel = 32}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ReadBitmapHeader(MakeBlock(c.fields, c.blockSize))) << c.name;
}

TEST(ReadBitmapHeader, HandsTheSystemA40ByteHeaderWithTheMasksAndColoursItNeeds)
{
    struct Case {
        const char* name;
        Fields fields;
        std::size_t infoSize;
        unsigned coloursUsed;
        std::size_t copiedFrom;  // where the bytes behind the 40-byte header come from
    };
    const Case cases[] = {
        {"true colour drops its optional table", {.coloursUsed = 16}, 40, 0, 0},
        {"V5 header's own mask fields", {.headerSize = 124, .bitsPerPixel = 32, .compression = 3}, 52, 0, 40},
        {"V4 header's colour table", {.headerSize = 108, .bitsPerPixel = 4}, 40 + 64, 16, 108},
        {"a longer table is cut at 256", {.bitsPerPixel = 8, .coloursUsed = 300}, 40 + 1024, 256, 40},
    };
    for (const auto& c : cases) {
        const std::vector<std::byte> block = MakeBlock(c.fields, 4096);
        const auto header = ReadBitmapHeader(block);
        ASSERT_TRUE(header) << c.name;
        const std::vector<std::byte>& info = header->info;
        ASSERT_EQ(info.size(), c.infoSize) << c.name;
        EXPECT_EQ(std::to_integer<int>(info[0]), 40) << c.name;
        EXPECT_EQ(std::to_integer<unsigned>(info[32]) | std::to_integer<unsigned>(info[33]) << 8, c.coloursUsed)
            << c.name;
        EXPECT_TRUE(std::equal(info.begin() + 40, info.end(), block.begin() + c.copiedFrom)) << c.name;
    }
}

}  // namespace
}  // namespace kestrane

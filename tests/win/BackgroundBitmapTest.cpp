#include "ui/BackgroundBitmap.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace kestrane {
namespace {

// A .bmp file as the tests write it; every count and offset is worked out from its parts.
struct BitmapFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    std::vector<std::uint32_t> masks = {};  // at offset 40 of the information header, as every version has them
    std::vector<std::uint32_t> colours = {};  // 0x00RRGGBB
    std::vector<std::uint8_t> pixels = {};

    std::string Bytes() const
    {
        const std::size_t maskBytes = 4 * masks.size();
        const std::size_t tableStart = 14 + std::max<std::size_t>(headerSize, 40 + maskBytes);
        const std::size_t pixelStart = tableStart + 4 * colours.size();
        std::string bytes(pixelStart, '\0');
        const auto put = [&](std::size_t at, std::uint32_t value, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i)
                bytes[at + i] = static_cast<char>(value >> (8 * i));
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put(2, static_cast<std::uint32_t>(pixelStart + pixels.size()), 4);
        put(10, static_cast<std::uint32_t>(pixelStart), 4);
        put(14, headerSize, 4);
        put(18, static_cast<std::uint32_t>(width), 4);
        put(22, static_cast<std::uint32_t>(height), 4);
        put(26, 1, 2);
        put(28, bitsPerPixel, 2);
        put(30, compression, 4);
        put(34, compression == 1 || compression == 2 ? static_cast<std::uint32_t>(pixels.size()) : 0, 4);
        put(46, coloursUsed, 4);
        for (std::size_t i = 0; i < masks.size(); ++i)
            put(14 + 40 + 4 * i, masks[i], 4);
        for (std::size_t i = 0; i < colours.size(); ++i)
            put(tableStart + 4 * i, colours[i], 4);
        bytes.append(pixels.begin(), pixels.end());
        return bytes;
    }
};

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// Most files hold one 2 by 2 picture: red and white on top, blue and green below.
constexpr std::array<std::uint32_t, 4> kPicture = {kRed, kWhite, kBlue, kGreen};
const std::vector<std::uint32_t> kPalette = {kBlack, kRed, kWhite, kBlue, kGreen};

// Rows are stored bottom-up unless the height is negative; each is padded to 4 bytes.
const BitmapFile k24Bit = {.pixels = {
                               0xFF, 0, 0, 0, 0xFF, 0, 0, 0,
                               0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,
                           }};
const std::vector<std::uint8_t> k32BitPixels = {
    0xFF, 0, 0, 0, 0, 0xFF, 0, 0,
    0, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0,
};

// Width and height as the system reports them; -1 when it does not fill them in.
using Size = std::pair<LONG, LONG>;
Size SizeOf(HBITMAP bitmap)
{
    BITMAP size{};
    size.bmWidth = size.bmHeight = -1;
    ::GetObjectA(bitmap, sizeof size, &size);
    return {size.bmWidth, size.bmHeight};
}

// The picture back from the system as 32-bit top-down rows, 0x00RRGGBB.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0xDEADBEEF);
    const UniqueScreenDc screen(::GetDC(nullptr));
    const int rows = ::GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    EXPECT_EQ(rows, height) << "GetDIBits";
    return pixels;
}

// Channels are compared loosely: 5- and 6-bit channels come back scaled to 8 bits.
bool CloseColours(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference < -8 || difference > 8)
            return false;
    }
    return true;
}

std::string Hex(std::uint32_t colour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", colour & 0xFFFFFF);
    return text;
}

TEST(LoadBackgroundBitmap, ShowsEveryDepthAndLayoutWithTheRightPixels)
{
    struct Case {
        const char* name;
        BitmapFile file;
        std::array<std::uint32_t, 4> picture = kPicture;
    };
    const Case cases[] = {
        {"24-bit", k24Bit},
        {"top-down 24-bit",
         {.height = -2,
          .pixels = {
              0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,
              0xFF, 0, 0, 0, 0xFF, 0, 0, 0,
          }}},
        {"32-bit", {.bitsPerPixel = 32, .pixels = k32BitPixels}},
        {"16-bit 5-5-5", {.bitsPerPixel = 16, .pixels = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0xFF, 0x7F}}},
        {"16-bit 5-6-5 bit fields",
         {.bitsPerPixel = 16,
          .compression = 3,
          .masks = {0xF800, 0x07E0, 0x001F},
          .pixels = {0x1F, 0x00, 0xE0, 0x07, 0x00, 0xF8, 0xFF, 0xFF}}},
        {"32-bit bit fields",
         {.bitsPerPixel = 32, .compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF}, .pixels = k32BitPixels}},
        {"V5 header with its own masks",
         {.headerSize = 124,
          .bitsPerPixel = 32,
          .compression = 3,
          .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
          .pixels = k32BitPixels}},
        {"8-bit", {.bitsPerPixel = 8, .coloursUsed = 5, .colours = kPalette, .pixels = {3, 4, 0, 0, 1, 2, 0, 0}}},
        {"4-bit", {.bitsPerPixel = 4, .coloursUsed = 5, .colours = kPalette, .pixels = {0x34, 0, 0, 0, 0x12, 0, 0, 0}}},
        {"8-bit run-length",
         {.bitsPerPixel = 8,
          .compression = 1,
          .coloursUsed = 5,
          .colours = kPalette,
          .pixels = {1, 3, 1, 4, 0, 0, 1, 1, 1, 2, 0, 1}}},
        {"1-bit", {.bitsPerPixel = 1, .colours = {kBlack, kWhite}, .pixels = {0x40, 0, 0, 0, 0x80, 0, 0, 0}},
         {kWhite, kBlack, kBlack, kWhite}},
    };
    test::TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = folder / "back.bmp";
        test::WriteTextFile(path, c.file.Bytes());
        const std::optional<UniqueBitmap> bitmap = LoadBackgroundBitmap(path);
        ASSERT_TRUE(bitmap) << c.name;
        ASSERT_TRUE(*bitmap) << c.name << ": no bitmap made";
        EXPECT_EQ(SizeOf(bitmap->Get()), Size(2, 2)) << c.name;
        const std::vector<std::uint32_t> pixels = ReadPixels(bitmap->Get(), 2, 2);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_TRUE(CloseColours(pixels[i], c.picture[i]))
                << c.name << ", pixel " << i << ": " << Hex(pixels[i]) << ", expected " << Hex(c.picture[i]);
        }
    }
}

TEST(LoadBackgroundBitmap, KeepsTheSizeOfALargePicture)
{
    BitmapFile file{.width = 640, .height = 480};
    file.pixels.assign(640 * 3 * 480, 0x80);
    file.pixels[0] = 0xFF;  // blue in the bottom-left corner
    test::TempFolder folder;
    test::WriteTextFile(folder / "back.bmp", file.Bytes());

    const std::optional<UniqueBitmap> bitmap = LoadBackgroundBitmap(folder / "back.bmp");
    ASSERT_TRUE(bitmap && *bitmap);
    EXPECT_EQ(SizeOf(bitmap->Get()), Size(640, 480));
    const std::vector<std::uint32_t> pixels = ReadPixels(bitmap->Get(), 640, 480);
    EXPECT_EQ(Hex(pixels[0]), "808080") << "top-left corner";
    EXPECT_EQ(Hex(pixels[479 * 640]), "8080FF") << "bottom-left corner";
}

TEST(LoadBackgroundBitmap, RefusesFilesThatAreNoUsableBitmap)
{
    const std::string good = k24Bit.Bytes();
    std::string otherType = good;
    otherType[1] = 'A';
    BitmapFile shortTable = {.bitsPerPixel = 8, .colours = kPalette, .pixels = {3, 4, 0, 0, 1, 2, 0, 0}};

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"13 bytes", good.substr(0, 13)},
        {"30 bytes", good.substr(0, 30)},
        {"\"BA\" in place of \"BM\"", otherType},
        {"the last pixel byte missing", good.substr(0, good.size() - 1)},
        {"an 8-bit file with 5 of its 256 colours", shortTable.Bytes()},
        {"a text file", "This is not a picture, only words in a file named .bmp\r\n"},
    };
    test::TempFolder folder;
    for (const auto& [name, bytes] : cases) {
        test::WriteTextFile(folder / "back.bmp", bytes);
        EXPECT_FALSE(LoadBackgroundBitmap(folder / "back.bmp")) << name;
    }
    EXPECT_FALSE(LoadBackgroundBitmap(folder / "missing.bmp")) << "missing file";
    EXPECT_FALSE(LoadBackgroundBitmap(folder.Path())) << "a directory";
}

}  // namespace
}  // namespace kestrane

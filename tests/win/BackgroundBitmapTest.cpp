#include "ui/BackgroundBitmap.h"

#include "framework/DeviceContext.h"

#include "BitmapFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace kestrane {
namespace {

using test::BitmapFile;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

// Most files hold one picture: red and white on top, blue and green below.
constexpr std::array<std::uint32_t, 4> kPicture = {kRed, kWhite, kBlue, kGreen};
const std::vector<std::uint32_t> kPalette = {kBlack, kRed, kWhite, kBlue, kGreen};

// Rows are stored bottom-up unless the height is negative; each is padded to 4 bytes.
const BitmapFile k24Bit = {.pixels = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}};
const std::vector<std::uint8_t> k32BitPixels = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0};

// The picture back from the system as 32-bit top-down rows, 0x00RRGGBB.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap)
{
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 2, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<std::uint32_t> pixels(4, 0xDEADBEEF);
    const WindowDc screen(nullptr);
    EXPECT_EQ(::GetDIBits(screen.Get(), bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS), 2) << "rows";
    return pixels;
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
         {.height = -2, .pixels = {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0}}},
        {"32-bit", {.bitsPerPixel = 32, .pixels = k32BitPixels}},
        {"16-bit 5-5-5", {.bitsPerPixel = 16, .pixels = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0xFF, 0x7F}}},
        {"16-bit 5-6-5 bit fields",
         {.bitsPerPixel = 16,
          .compression = 3,
          .masks = {0xF800, 0x07E0, 0x001F},
          .pixels = {0x1F, 0x00, 0xE0, 0x07, 0x00, 0xF8, 0xFF, 0xFF}}},
        {"V5 header with its own masks",
         {.headerSize = 124,
          .bitsPerPixel = 32,
          .compression = 3,
          .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
          .pixels = k32BitPixels}},
        {"8-bit", {.bitsPerPixel = 8, .colours = kPalette, .pixels = {3, 4, 0, 0, 1, 2, 0, 0}}},
        {"4-bit", {.bitsPerPixel = 4, .colours = kPalette, .pixels = {0x34, 0, 0, 0, 0x12, 0, 0, 0}}},
        {"8-bit run-length",
         {.bitsPerPixel = 8, .compression = 1, .colours = kPalette, .pixels = {1, 3, 1, 4, 0, 0, 1, 1, 1, 2, 0, 1}}},
        {"1-bit",
         {.bitsPerPixel = 1, .colours = {kBlack, kWhite}, .pixels = {0x40, 0, 0, 0, 0x80, 0, 0, 0}},
         {kWhite, kBlack, kBlack, kWhite}},
    };
    test::TempFolder folder;
    for (const auto& c : cases) {
        test::WriteTextFile(folder / "back.bmp", c.file.Bytes());
        const std::optional<UniqueBitmap> bitmap = LoadBackgroundBitmap(folder / "back.bmp");
        ASSERT_TRUE(bitmap && *bitmap) << c.name;
        BITMAP size{};
        ::GetObjectA(bitmap->Get(), sizeof size, &size);
        EXPECT_EQ((std::pair{size.bmWidth, size.bmHeight}), (std::pair<LONG, LONG>{2, 2})) << c.name;
        const std::vector<std::uint32_t> pixels = ReadPixels(bitmap->Get());
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            // 5- and 6-bit channels come back scaled to 8 bits, with or without low bits set.
            EXPECT_EQ(pixels[i] & 0xF8F8F8, c.picture[i] & 0xF8F8F8)
                << std::hex << c.name << ", pixel " << i << ": " << pixels[i] << ", expected " << c.picture[i];
        }
    }
}

}  // namespace
}  // namespace kestrane

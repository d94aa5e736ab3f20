#include "ui/core/InstallerDialogRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

namespace kestrane {

std::ostream& operator<<(std::ostream& out, const Placement& p)
{
    return out << "{" << p.x << ", " << p.y << ", " << p.width << " x " << p.height << "}";
}

namespace {

// A dialog at 100, 50 whose client area starts 3 pixels in and 22 down, with the template's
// control sizes at the classic dialog font.
InstallerDialogLayoutInput TemplateDialog(std::optional<Extent> background)
{
    return {.window = {100, 50, 418, 240},
            .clientLeft = 103,
            .clientTop = 72,
            .background = background,
            .editHeight = 23,
            .browseButton = {23, 23},
            .installButton = {75, 23},
            .exitButton = {75, 23}};
}

// The controls' places inside the frame are measured on the real dialog at every scale.
TEST(LayOutInstallerDialog, SizesTheWindowToThePictureAndPutsTheFrameAtItsBottom)
{
    struct Case {
        int dpi;
        std::optional<Extent> background;
        Placement window;
        Placement frame;
    };
    const Case cases[] = {
        // The window keeps its corner and ends 7 pixels beyond the picture's right and bottom edges.
        {96, Extent{640, 480}, {100, 50, 103 + 647 - 100, 72 + 487 - 50}, {4, 400, 635, 80}},
        {96, Extent{640, 80}, {100, 50, 650, 72 + 87 - 50}, {4, 0, 635, 80}},
        // No minimum: a low picture puts the frame above the client area.
        {96, Extent{200, 60}, {100, 50, 103 + 207 - 100, 72 + 67 - 50}, {4, -20, 195, 80}},
        // Without a bitmap the window's own size stands in for the picture's.
        {96, std::nullopt, {100, 50, 103 + 418 + 7 - 100, 72 + 240 + 7 - 50}, {4, 160, 413, 80}},
        // Every figure scaled and rounded on its own: 7 to 9, 87 to 109, 80 to 100, 15 to 19 at 125 %.
        {120, Extent{640, 480}, {100, 50, 103 + 800 + 9 - 100, 72 + 600 + 9 - 50}, {5, 500, 793, 100}},
        {120, Extent{200, 60}, {100, 50, 103 + 250 + 9 - 100, 72 + 75 + 9 - 50}, {5, -25, 243, 100}},
        {144, Extent{640, 480}, {100, 50, 103 + 960 + 11 - 100, 72 + 720 + 11 - 50}, {6, 600, 951, 120}},
        {144, Extent{200, 60}, {100, 50, 103 + 300 + 11 - 100, 72 + 90 + 11 - 50}, {6, -30, 291, 120}},
        // The system has scaled the template's window already.
        {144, std::nullopt, {100, 50, 103 + 418 + 11 - 100, 72 + 240 + 11 - 50}, {6, 120, 409, 120}},
        {192, Extent{640, 480}, {100, 50, 103 + 1280 + 14 - 100, 72 + 960 + 14 - 50}, {8, 800, 1267, 160}},
        {192, Extent{200, 60}, {100, 50, 103 + 400 + 14 - 100, 72 + 120 + 14 - 50}, {8, -40, 387, 160}},
    };
    for (const auto& [dpi, background, window, frame] : cases) {
        SCOPED_TRACE(dpi);
        InstallerDialogLayoutInput input = TemplateDialog(background);
        input.dpi = dpi;
        const InstallerDialogLayout layout = LayOutInstallerDialog(input);
        EXPECT_EQ(layout.window, window) << frame;
        EXPECT_EQ(layout.frame, frame) << window;
    }
}

TEST(ScaleForDpi, RoundsToTheNearestPixelHalvesAwayFromZero)
{
    const std::tuple<int, int, int> cases[] = {
        {7, 96, 7},    {7, 120, 9},   {7, 144, 11},    {7, 192, 14},    {87, 120, 109}, {87, 144, 131},
        {15, 120, 19}, {22, 144, 33}, {390, 144, 585}, {-20, 144, -30}, {-7, 144, -11}, {0, 192, 0},
    };
    for (const auto& [pixels, dpi, expected] : cases)
        EXPECT_EQ(ScaleForDpi(pixels, dpi), expected) << pixels << " at " << dpi;
}

}  // namespace
}  // namespace kestrane

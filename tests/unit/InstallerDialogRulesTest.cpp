#include "ui/InstallerDialogRules.h"

#include <gtest/gtest.h>

#include <ostream>

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
    InstallerDialogLayoutInput input;
    input.window = {100, 50, 418, 240};
    input.clientLeft = 103;
    input.clientTop = 72;
    input.background = background;
    input.editHeight = 23;
    input.browseButton = {23, 23};
    input.installButton = {75, 23};
    input.exitButton = {75, 23};
    return input;
}

TEST(LayOutInstallerDialog, FitsTheWindowAndTheFrameToA640By480Picture)
{
    const InstallerDialogLayout layout = LayOutInstallerDialog(TemplateDialog(Extent{640, 480}));

    EXPECT_EQ(layout.picture, (Placement{0, 0, 640, 480}));
    // The window keeps its corner and ends 7 pixels beyond the picture's right and bottom edges.
    EXPECT_EQ(layout.window, (Placement{100, 50, 103 + 647 - 100, 72 + 487 - 50}));
    EXPECT_EQ(layout.frame.y, 400) << layout.frame;
    EXPECT_EQ(layout.frame.Bottom(), 480) << layout.frame;
    EXPECT_EQ(layout.frame.x, 4) << layout.frame;
    EXPECT_EQ(layout.frame.width, layout.window.width - 15) << layout.frame;
    EXPECT_EQ(layout.edit, (Placement{8, 422, layout.frame.Right() - 23 - 16, 23}));
    EXPECT_EQ(layout.browse, (Placement{layout.edit.Right() + 4, 422, 23, 23}));
    EXPECT_EQ(layout.browse.Right(), layout.frame.Right() - 4) << layout.browse;

    // Both buttons sit 4 pixels inside the frame's bottom corners.
    EXPECT_EQ(layout.install, (Placement{layout.frame.x + 4, layout.frame.Bottom() - 4 - 23, 75, 23}));
    EXPECT_EQ(layout.exit.Right(), layout.frame.Right() - 4) << layout.exit;
    EXPECT_EQ(layout.exit.Bottom(), layout.frame.Bottom() - 4) << layout.exit;
}

TEST(LayOutInstallerDialog, PutsTheFrameEightyPixelsAboveThePicturesBottomWhateverItsHeight)
{
    struct Case {
        std::optional<Extent> background;
        int expectedFrameTop;
        int expectedWindowWidth;
    };
    const Case cases[] = {
        {Extent{320, 200}, 120, 103 + 327 - 100},
        {Extent{640, 80}, 0, 103 + 647 - 100},
        // No minimum: a low picture puts the frame above the client area.
        {Extent{200, 60}, -20, 103 + 207 - 100},
        // Without a bitmap the window's own size stands in for the picture's.
        {std::nullopt, 240 - 80, 103 + 418 + 7 - 100},
    };
    for (const auto& [background, expectedFrameTop, expectedWindowWidth] : cases) {
        const InstallerDialogLayout layout = LayOutInstallerDialog(TemplateDialog(background));
        const int height = background ? background->height : 240;
        EXPECT_EQ(layout.frame.y, expectedFrameTop) << "picture height " << height;
        EXPECT_EQ(layout.frame.Bottom(), height) << "picture height " << height;
        EXPECT_EQ(layout.picture.height, height);
        EXPECT_EQ(layout.window.width, expectedWindowWidth) << "picture height " << height;
        EXPECT_EQ(layout.edit.y, expectedFrameTop + 22) << "picture height " << height;
    }
}

TEST(MinimisedIconPlacement, CentresTheIconHalvesTruncatedTowardZero)
{
    struct Case {
        Extent client;
        Extent icon;
        int expectedX;
        int expectedY;
    };
    const Case cases[] = {
        {{160, 28}, {32, 32}, 64, -1},  // (28 - 32 + 1) / 2 = -3 / 2 = -1, not -2
        {{33, 33}, {32, 32}, 1, 1},
        {{32, 32}, {32, 32}, 0, 0},
        {{0, 0}, {32, 32}, -15, -15},
        {{101, 100}, {16, 16}, 43, 42},
    };
    for (const auto& [client, icon, expectedX, expectedY] : cases) {
        const Placement placed = MinimisedIconPlacement(client, icon);
        EXPECT_EQ(placed, (Placement{expectedX, expectedY, icon.width, icon.height}))
            << "client " << client.width << " x " << client.height;
    }
}

TEST(IsAboutCommand, TakesSixteenToThirtyOneInTheLowSixteenBits)
{
    struct Case {
        std::uintptr_t command;
        bool expected;
    };
    const Case cases[] = {
        {16, true},      {17, true},      {31, true},      {15, false},   {32, false},
        {0, false},      {0x10010, true}, {0xF060, false}, {0xF010, false}, {0xF120, false},
    };
    for (const auto& [command, expected] : cases)
        EXPECT_EQ(IsAboutCommand(command), expected) << "command 0x" << std::hex << command;
}

TEST(CampaignLibraryPath, JoinsTheGameDirectoryTheInstallDirAndGameDll)
{
    struct Case {
        const char* gameDirectory;
        const char* installDir;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Games\\Warcraft III\\", "Orc Saga", "C:\\Games\\Warcraft III\\Orc Saga\\game.dll"},
        {"D:", "Camp", "D:Camp\\game.dll"},
        {"", "Camp", "Camp\\game.dll"},
        {"\\", "Camp", "\\Camp\\game.dll"},
        {"C:\\W3\\", "", "C:\\W3\\\\game.dll"},
    };
    for (const auto& [gameDirectory, installDir, expected] : cases)
        EXPECT_EQ(CampaignLibraryPath(gameDirectory, installDir), expected) << gameDirectory << " + " << installDir;
}

}  // namespace
}  // namespace kestrane

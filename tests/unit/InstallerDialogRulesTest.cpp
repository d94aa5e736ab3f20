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
    return {.window = {100, 50, 418, 240}, .clientLeft = 103, .clientTop = 72, .background = background,
            .editHeight = 23, .browseButton = {23, 23}, .installButton = {75, 23}, .exitButton = {75, 23}};
}

// The controls' places inside the frame at 640 x 480 are checked on the real dialog.
TEST(LayOutInstallerDialog, SizesTheWindowToThePictureAndPutsTheFrameAtItsBottom)
{
    struct Case {
        std::optional<Extent> background;
        Placement window;
        Placement frame;
    };
    const Case cases[] = {
        // The window keeps its corner and ends 7 pixels beyond the picture's right and bottom edges.
        {Extent{640, 480}, {100, 50, 103 + 647 - 100, 72 + 487 - 50}, {4, 400, 635, 80}},
        {Extent{640, 80}, {100, 50, 650, 72 + 87 - 50}, {4, 0, 635, 80}},
        // No minimum: a low picture puts the frame above the client area.
        {Extent{200, 60}, {100, 50, 103 + 207 - 100, 72 + 67 - 50}, {4, -20, 195, 80}},
        // Without a bitmap the window's own size stands in for the picture's.
        {std::nullopt, {100, 50, 103 + 418 + 7 - 100, 72 + 240 + 7 - 50}, {4, 160, 413, 80}},
    };
    for (const auto& [background, window, frame] : cases) {
        const InstallerDialogLayout layout = LayOutInstallerDialog(TemplateDialog(background));
        EXPECT_EQ(layout.window, window) << frame;
        EXPECT_EQ(layout.frame, frame) << window;
        const Extent picture = background.value_or(Extent{418, 240});
        EXPECT_EQ(layout.picture, (Placement{0, 0, picture.width, picture.height}));
        EXPECT_EQ(layout.edit, (Placement{8, frame.y + 22, layout.browse.x - 4 - 8, 23})) << frame;
    }
}

TEST(MinimisedIconPlacement, CentresTheIconHalvesTruncatedTowardZero)
{
    EXPECT_EQ(MinimisedIconPlacement({160, 28}, {32, 32}), (Placement{64, -1, 32, 32}));  // -3 / 2 is -1, not -2
    EXPECT_EQ(MinimisedIconPlacement({0, 0}, {32, 32}), (Placement{-15, -15, 32, 32}));
    EXPECT_EQ(MinimisedIconPlacement({101, 100}, {16, 16}), (Placement{43, 42, 16, 16}));
}

TEST(IsAboutCommand, TakesSixteenToThirtyOneInTheLowSixteenBits)
{
    const std::pair<std::uintptr_t, bool> cases[] = {
        {16, true},      {17, true},      {31, true},      {15, false},   {32, false},
        {0, false},      {0x10010, true}, {0xF060, false}, {0xF010, false}, {0xF120, false},
    };
    for (const auto& [command, expected] : cases)
        EXPECT_EQ(IsAboutCommand(command), expected) << "command 0x" << std::hex << command;
}

TEST(CampaignLibraryPath, JoinsTheGameDirectoryTheInstallDirAndGameDll)
{
    EXPECT_EQ(CampaignLibraryPath("D:", "Camp"), "D:Camp\\game.dll");
    EXPECT_EQ(CampaignLibraryPath("", "Camp"), "Camp\\game.dll");
    EXPECT_EQ(CampaignLibraryPath("\\", "Camp"), "\\Camp\\game.dll");
    EXPECT_EQ(CampaignLibraryPath("C:\\W3\\", ""), "C:\\W3\\\\game.dll");
}

}  // namespace
}  // namespace kestrane

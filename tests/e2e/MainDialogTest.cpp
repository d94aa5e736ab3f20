#include "Driver.h"
#include "Scale.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

// The status line of the shell's folder browser.
constexpr int kBrowserStatusId = 0x3743;

// The shell's folder browser that the "..." button opens.
HWND OpenFolderBrowser(const Program& program, HWND dialog)
{
    Click(dialog, IDC_BROWSE_BUTTON);
    return program.WaitForDialog("the folder browser",
                                 [](HWND window) { return ::FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr); });
}

// Selects the browser's items below its root one after the other until one is a folder with a
// path, and returns that path as the status line shows it; empty when none is. The selection's
// notifications run inside the sent message, so the status line is up to date when it returns.
std::string SelectSomeFolder(HWND browser)
{
    const HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    const auto root = static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (auto item = static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, root)); item;
         item = static_cast<LPARAM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item))) {
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
        if (const std::string shown = ControlText(browser, kBrowserStatusId); shown.find('\\') != std::string::npos)
            return shown;
    }
    return {};
}

// At the test bed's scale the picture is the bitmap's size times the scale and shows the bitmap to
// its right edge, and the field and the three buttons lie inside the frame, none over another,
// with the frame and the picture inside the client area.
TEST(MainDialog, LaysOutItsControlsInsideTheFrameAtTheScreensScale)
{
    const int dpi = TestBedDpi();
    ASSERT_EQ(ScreenDpi(), dpi) << "the prefix's LogPixels";
    const InstallPathScope unregistered(std::nullopt);
    const SIZE backgrounds[] = {{640, 480}, {320, 240}, {200, 150}};
    for (const auto& [width, height] : backgrounds) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + " at " + std::to_string(dpi) + " dpi");
        PackageDirectory package;
        package.WriteInstallIni("CAMPAIGNNAME=E2E\r\nBACKBITMAP=back.bmp\r\n");
        package.WriteFile("back.bmp", MakeBitmapFile(width, height));
        const Program program(package.Path());
        const HWND dialog = program.WaitForMainDialog();

        RECT client{};
        ::GetClientRect(dialog, &client);
        const RECT picture = ControlRect(dialog, IDC_PICTURE);
        const RECT frame = ControlRect(dialog, IDC_FRAME);
        const auto edges = [](const RECT& r) { return std::vector<LONG>{r.left, r.top, r.right, r.bottom}; };
        EXPECT_EQ(edges(picture), (std::vector<LONG>{0, 0, AtTestBedScale(width), AtTestBedScale(height)}));
        // The pixels below are read from the screen, which must hold the whole window: the test
        // command's screen does, 1600 x 1200.
        RECT window{};
        ::GetWindowRect(dialog, &window);
        ExpectInside({"the screen", {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}},
                     {{"the window", window}});
        // Inside the picture's one-pixel border, at its top right: the bitmap is drawn out to the
        // control's edge, not only the control sized.
        EXPECT_EQ(WaitForPixel(dialog, {picture.right - 4, 4}, kBitmapGrey), kBitmapGrey);
        ExpectInside({"the client area", client}, {{"the picture", picture}, {"the frame", frame}});
        ExpectInsideAndApart({"the frame", frame}, {{"the field", ControlRect(dialog, IDC_GAME_DIR)},
                                                    {"the \"...\" button", ControlRect(dialog, IDC_BROWSE_BUTTON)},
                                                    {"the main button", ControlRect(dialog, IDC_INSTALL_BUTTON)},
                                                    {"the Exit button", ControlRect(dialog, IDOK)}});
        Click(dialog, IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

TEST(MainDialog, OpensTheAboutBoxAndRelabelsTheMainButtonForTypingButNotForBrowsing)
{
    const InstallPathScope unregistered(std::nullopt);
    PackageDirectory package;
    package.WriteInstallIni("CAMPAIGNNAME=E2E\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n");
    package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
    const Program program(package.Path());
    const HWND dialog = program.WaitForMainDialog();
    const HWND edit = Control(dialog, IDC_GAME_DIR);
    EXPECT_EQ(WindowText(edit), "") << "no game is registered";

    ::PostMessageA(dialog, WM_SYSCOMMAND, 31, 0);
    const HWND about = program.WaitForDialog("the About box", [](HWND d) { return WindowText(d) == "About Kestrane"; });
    EXPECT_NE(::FindWindowExA(about, nullptr, "Static", "Kestrane Version 1.62"), nullptr);
    Click(about, IDOK);
    WaitFor("the About box to close", [&] { return !::IsWindow(about); });

    test::TempFolder game("game");
    game.WriteFile("Orc Saga\\game.dll", StandInGameDll());
    test::TempFolder other("other");
    const std::pair<std::string, const char*> typing[] = {
        {game.Path(), "Uninstall"}, {other.Path(), "Install"}, {game.Path() + "\\", "Uninstall"}};
    for (const auto& [typed, expectedLabel] : typing) {
        TypeIntoEdit(edit, typed);
        // The label is read once the field shows the last character: its change was handled.
        EXPECT_EQ(WaitForText(edit, typed), typed);
        EXPECT_EQ(ControlText(dialog, IDC_INSTALL_BUTTON), expectedLabel) << "typed " << typed;
    }

    HWND browser = OpenFolderBrowser(program, dialog);
    Click(browser, IDCANCEL);
    WaitFor("the folder browser to close", [&] { return !::IsWindow(browser); });
    EXPECT_EQ(WindowText(edit), game.Path() + "\\") << "Cancel leaves the field as it was";

    // OK on a folder puts its path into the field, with a "\\" unless it ends in one, and leaves
    // the label of the last typing.
    browser = OpenFolderBrowser(program, dialog);
    std::string folder = SelectSomeFolder(browser);
    if (folder.ends_with('\\'))
        folder.pop_back();
    ASSERT_FALSE(folder.empty()) << "no item below the browser's root is a folder with a path";
    const std::string expectedField = folder + "\\";
    Click(browser, IDOK);
    EXPECT_EQ(WaitForText(edit, expectedField), expectedField);
    EXPECT_EQ(ControlText(dialog, IDC_INSTALL_BUTTON), "Uninstall") << "browsing does not relabel";
    TypeIntoEdit(edit, folder);
    EXPECT_EQ(WaitForText(edit, folder), folder);
    EXPECT_EQ(ControlText(dialog, IDC_INSTALL_BUTTON), "Install") << "typing the same folder relabels";

    Click(dialog, IDOK);
    EXPECT_EQ(program.WaitForExit(), 0u) << "Exit ends the program";
}

}  // namespace
}  // namespace kestrane::e2e

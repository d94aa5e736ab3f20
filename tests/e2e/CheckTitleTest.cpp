// The main window as it opens, its title beside the one kestrane-check prints for the same
// package: the shipped checker runs as its own process, its printed report caught in a file.
#include "Driver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

// What kestrane-check.exe prints for the package.
std::string RunKestraneCheck(const PackageDirectory& package)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    UniqueFileHandle report(::CreateFileA((package / "report.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inheritable, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = report.Get();
    startup.hStdError = report.Get();
    std::string commandLine = "\"" KESTRANE_CHECK_EXE_PATH "\" \"" + package.Path() + "\"";
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(KESTRANE_CHECK_EXE_PATH, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &started))
        throw std::runtime_error("cannot start " + commandLine + ": error " + std::to_string(::GetLastError()));
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    ::WaitForSingleObject(process.Get(), INFINITE);
    report.Close();
    return test::ReadTextFile(package / "report.txt");
}

// Each edge of the controls that the layout around a 640 x 480 background fixes (the picture's
// are seen at every scale); the dialog opens centred on the screen, at its final size.
void ExpectLaidOutAround640By480(HWND dialog)
{
    const RECT frame = ControlRect(dialog, IDC_FRAME);
    const RECT edit = ControlRect(dialog, IDC_GAME_DIR);
    const RECT browse = ControlRect(dialog, IDC_BROWSE_BUTTON);
    const RECT install = ControlRect(dialog, IDC_INSTALL_BUTTON);
    const RECT exit = ControlRect(dialog, IDOK);
    const auto edges = [](const RECT& r) { return std::vector<LONG>{r.left, r.top, r.right, r.bottom}; };
    EXPECT_EQ(edges(frame), (std::vector<LONG>{4, 400, frame.right, 480}));
    EXPECT_EQ(edges(edit), (std::vector<LONG>{8, 422, edit.right, edit.bottom}));
    EXPECT_EQ(edges(browse), (std::vector<LONG>{browse.left, 422, frame.right - 4, browse.bottom}));
    EXPECT_EQ(edges(install), (std::vector<LONG>{frame.left + 4, install.top, install.right, frame.bottom - 4}));
    EXPECT_EQ(edges(exit), (std::vector<LONG>{exit.left, exit.top, frame.right - 4, frame.bottom - 4}));
    RECT window{};
    ::GetWindowRect(dialog, &window);
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(window.left, area.left + (area.right - area.left) / 2 - (window.right - window.left) / 2);
    EXPECT_EQ(window.top, area.top + (area.bottom - area.top) / 2 - (window.bottom - window.top) / 2);
}

// The registered game directory fills the field; a folder named game.dll in the campaign
// directory is no campaign library, and an installed campaign's Uninstall is seen at start in
// the install runs.
TEST(MainWindow, OpensTitledAsKestraneCheckSaysWithTheRegisteredDirectoryAndTheLayout)
{
    test::TempFolder game("game");
    test::MakeTree(game.Path(), {{"Orc Saga", test::kDirectory}, {"Orc Saga\\game.dll", test::kDirectory}});
    const InstallPathScope registered(game.Path());
    const std::pair<std::string, std::string> cases[] = {
        {"CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n", "Orc Saga Installation"},
        {"CAMPAIGNNAME x = Rise: Fall/1 = II\r\nBACKBITMAP=back.bmp\r\n", "Rise: Fall/1 = II Installation"},
        {"BACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n", "Kestrane"},
        // Both read the name as missing: it is hidden behind the byte-order mark.
        {"\xEF\xBB\xBF" "CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\n", "Kestrane"},
    };
    for (const auto& [installIni, expectedTitle] : cases) {
        SCOPED_TRACE(installIni);
        PackageDirectory package;
        package.WriteInstallIni(installIni);
        package.WriteFile("back.bmp", MakeBitmapFile(640, 480));
        const std::string report = RunKestraneCheck(package);

        const Program program(package.Path());
        const HWND dialog = program.WaitForMainDialog();
        const std::string shown = WindowText(dialog);
        EXPECT_EQ(shown, expectedTitle);
        EXPECT_NE(report.find("  window title        \"" + shown + "\""), std::string::npos)
            << "the window shows \"" << shown << "\"; kestrane-check printed:\n" << report;
        EXPECT_EQ(ControlText(dialog, IDC_GAME_DIR), game.Path() + "\\");
        EXPECT_EQ(ControlText(dialog, IDC_INSTALL_BUTTON), "Install");
        ExpectLaidOutAround640By480(dialog);
        Click(dialog, IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace kestrane::e2e

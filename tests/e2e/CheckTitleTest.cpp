// The main window as it opens, its title beside the one kestrane-check prints for the same
// package: the shipped checker runs as its own process, its printed report caught in a file.
#include "Driver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

// The registered game directory fills the field; a folder named game.dll in the campaign
// directory is no campaign library, and an installed campaign's Uninstall is seen at start in
// the install runs.
TEST(MainWindow, OpensTitledAsKestraneCheckSaysWithTheRegisteredDirectory)
{
    test::TempFolder game("game");
    test::MakeTree(game.Path(), {{"Orc Saga", test::kDirectory}, {"Orc Saga\\game.dll", test::kDirectory}});
    const InstallPathScope registered(game.Path());
    const std::pair<std::string, std::string> cases[] = {
        {"CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n", "Orc Saga Installation"},
        {"CAMPAIGNNAME x = Rise: Fall/1 = II\r\nBACKBITMAP=back.bmp\r\n", "Rise: Fall/1 = II Installation"},
        {"BACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n", "Kestrane"},
        // Both read the name as missing: it is hidden behind the byte-order mark.
        {"\xEF\xBB\xBF"
         "CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\n",
         "Kestrane"},
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
            << "the window shows \"" << shown << "\"; kestrane-check printed:\n"
            << report;
        EXPECT_EQ(ControlText(dialog, IDC_GAME_DIR), game.Path() + "\\");
        EXPECT_EQ(ControlText(dialog, IDC_INSTALL_BUTTON), "Install");
        Click(dialog, IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace kestrane::e2e

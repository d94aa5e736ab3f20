#include "Driver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

const std::string kBackground = MakeBitmapFile(640, 480);
const std::string kInstallIni = "CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n";

// A package that starts without complaint, and the program running in it.
struct RunningPackage {
    explicit RunningPackage(std::string_view installIni = kInstallIni)
    {
        package.WriteInstallIni(installIni);
        package.WriteFile("back.bmp", kBackground);
    }
    PackageDirectory package;
    Program program{package.Path()};
};

void Exit(const Program& program, HWND dialog)
{
    Click(dialog, IDOK);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Startup, ReportsTheFirstErrorInABoxAndShowsNoDialog)
{
    struct Case {
        const char* what;
        std::optional<std::string> installIni;
        std::vector<std::pair<std::string, std::string>> files;
        std::vector<std::string> directories;
        std::string expectedText;
    };
    const Case cases[] = {
        {"no install.ini", std::nullopt, {}, {}, "Error: unable to open install.ini!"},
        {"an empty install.ini", "", {}, {}, "Error: install.ini is empty!"},
        {"no BACKBITMAP line", "CAMPAIGNNAME=Orc Saga\r\nINSTALLDIR=Orc Saga\r\n", {}, {},
         "Error: file not found: "},
        {"a missing bitmap", "BACKBITMAP=missing.bmp\r\n", {}, {}, "Error: file not found: missing.bmp"},
        {"a directory named .bmp", "BACKBITMAP=pictures.bmp\r\n", {}, {"pictures.bmp"},
         "Error: file not found: pictures.bmp"},
        {"a text file named .bmp", "BACKBITMAP=  notes.bmp \r\n", {{"notes.bmp", "not a picture\r\n"}}, {},
         "Error: invalid bitmap file: notes.bmp"},
        {"a bitmap cut after 30 bytes", "BACKBITMAP=cut.bmp\r\n", {{"cut.bmp", kBackground.substr(0, 30)}}, {},
         "Error: invalid bitmap file: cut.bmp"},
    };
    for (const auto& [what, installIni, files, directories, expectedText] : cases) {
        SCOPED_TRACE(what);
        PackageDirectory package;
        if (installIni)
            package.WriteInstallIni(*installIni);
        for (const auto& [name, bytes] : files)
            package.WriteFile(name, bytes);
        for (const auto& name : directories)
            package.MakeDirectory(name);

        Program program(package.Path());
        const MessageBoxView box = program.WaitForMessageBox();
        EXPECT_EQ(box.text, expectedText);
        EXPECT_EQ(box.caption, "Kestrane");
        EXPECT_EQ(box.Style(), static_cast<UINT>(MB_ICONERROR | MB_OK)) << Name(box.icon) << " icon";
        EXPECT_EQ(program.Windows("#32770").size(), 1u) << "the box is the only dialog";
        box.Answer(IDOK);
        EXPECT_EQ(program.WaitForExit(), 0u) << "the program ends once the box is answered";
    }
}

TEST(Startup, TitlesTheWindowAfterTheCampaign)
{
    struct Case {
        const char* installIni;
        const char* expectedTitle;
    };
    const Case cases[] = {
        {"BACKBITMAP=back.bmp\r\n", "Kestrane"},
        {"CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\n", "Orc Saga Installation"},
    };
    for (const auto& [installIni, expectedTitle] : cases) {
        RunningPackage running(installIni);
        const HWND dialog = running.program.WaitForMainDialog();
        EXPECT_EQ(WindowText(dialog), expectedTitle) << installIni;
        Exit(running.program, dialog);
    }
}

TEST(Startup, LaysTheDialogOutAroundA640By480Background)
{
    RunningPackage running;
    const HWND dialog = running.program.WaitForMainDialog();

    const RECT picture = ControlRect(dialog, kPictureId);
    const RECT frame = ControlRect(dialog, kFrameId);
    const RECT edit = ControlRect(dialog, kGameDirId);
    const RECT browse = ControlRect(dialog, kBrowseButtonId);
    const RECT install = ControlRect(dialog, kInstallButtonId);
    const RECT exit = ControlRect(dialog, IDOK);
    struct Check {
        const char* what;
        LONG actual;
        LONG expected;
    };
    const Check checks[] = {
        {"picture left", picture.left, 0},
        {"picture top", picture.top, 0},
        {"picture width", picture.right - picture.left, 640},
        {"picture height", picture.bottom - picture.top, 480},
        {"frame left", frame.left, 4},
        {"frame top", frame.top, 400},
        {"frame bottom", frame.bottom, 480},
        {"edit left", edit.left, 8},
        {"edit top", edit.top, 422},
        {"browse button right", browse.right, frame.right - 4},
        {"browse button top", browse.top, 422},
        {"install button left", install.left, frame.left + 4},
        {"install button bottom", install.bottom, frame.bottom - 4},
        {"exit button right", exit.right, frame.right - 4},
        {"exit button bottom", exit.bottom, frame.bottom - 4},
    };
    for (const auto& [what, actual, expected] : checks)
        EXPECT_EQ(actual, expected) << what;

    // It opens centred on the screen, at its final size.
    RECT window{};
    ::GetWindowRect(dialog, &window);
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(window.left, workArea.left + (workArea.right - workArea.left) / 2 - (window.right - window.left) / 2);
    EXPECT_EQ(window.top, workArea.top + (workArea.bottom - workArea.top) / 2 - (window.bottom - window.top) / 2);
    Exit(running.program, dialog);
}

TEST(Startup, FillsTheFieldWithTheRegisteredGameDirectory)
{
    struct Case {
        std::optional<std::string> installPath;
        std::string expectedField;
    };
    const Case cases[] = {
        {std::nullopt, ""},
        {"C:\\Games\\Warcraft III", "C:\\Games\\Warcraft III\\"},
        {"C:\\Games\\Warcraft III\\", "C:\\Games\\Warcraft III\\"},
        {"D:", "D:"},
    };
    for (const auto& [installPath, expectedField] : cases) {
        const InstallPathScope registered(installPath);
        RunningPackage running;
        const HWND dialog = running.program.WaitForMainDialog();
        EXPECT_EQ(ControlText(dialog, kGameDirId), expectedField) << installPath.value_or("no InstallPath");
        Exit(running.program, dialog);
    }
}

TEST(Startup, OffersUninstallWhenTheCampaignLibraryExists)
{
    struct Case {
        const char* what;
        bool campaignDirectory;
        bool libraryFile;
        bool libraryDirectory;
        const char* expectedLabel;
    };
    const Case cases[] = {
        {"no campaign directory", false, false, false, "Install"},
        {"an empty campaign directory", true, false, false, "Install"},
        {"a directory named game.dll", true, false, true, "Install"},
        {"game.dll in the campaign directory", true, true, false, "Uninstall"},
    };
    for (const auto& [what, campaignDirectory, libraryFile, libraryDirectory, expectedLabel] : cases) {
        ScratchDirectory game("game");
        MakeStandInGameDirectory(game.Path());
        if (campaignDirectory)
            game.MakeDirectory("Orc Saga");
        if (libraryFile)
            game.WriteFile("Orc Saga\\game.dll", StandInGameDll());
        if (libraryDirectory)
            game.MakeDirectory("Orc Saga\\game.dll");
        const InstallPathScope registered(game.Path());

        RunningPackage running;
        const HWND dialog = running.program.WaitForMainDialog();
        EXPECT_EQ(ControlText(dialog, kInstallButtonId), expectedLabel) << what;
        Exit(running.program, dialog);
    }
}

}  // namespace
}  // namespace kestrane::e2e

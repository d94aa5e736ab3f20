#include "InstallRun.h"
#include "ReadLink.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <array>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

constexpr const char* kNotWarcraft =
    "Error!\nThe directory you specidied is not Warcraft III directory!\nPlease fix that! Your Warcraft III "
    "directory must contain war3.mpq.";

TEST_F(InstallRun, BuildsTheCampaignsCopyOfTheGame)
{
    const std::string link = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + "\\Orc Saga.lnk";
    ::DeleteFileA(link.c_str());
    Start();
    EXPECT_EQ(Label(), "Install");
    const MessageBoxView done = Install(IDYES);
    EXPECT_EQ(done.text, "Installation done sucessfully!");
    EXPECT_EQ(done.Style(), static_cast<UINT>(MB_ICONINFORMATION));
    Dismiss(done);
    EXPECT_EQ(Label(), "Uninstall");

    for (const char* name : kGameFiles)
        EXPECT_EQ(ReadBytes(Campaign() + "\\" + name), ReadBytes(m_game + "\\" + name)) << name;
    const std::string gameDll = ReadBytes(m_game + "\\game.dll");
    EXPECT_EQ(gameDll, StandInGameDll()) << "the game's own game.dll is only read";
    EXPECT_EQ(ReadBytes(Campaign() + "\\game.dll"), Rewritten(gameDll));
    EXPECT_EQ(ReadBytes(Campaign() + "\\Maps\\Chapter1.w3m"), "chapter one");
    EXPECT_EQ(ReadBytes(Campaign() + "\\saga.ico"), "icon");

    ::CoInitialize(nullptr);
    const test::LinkFacts shortcut = test::ReadLink(link);
    ::CoUninitialize();
    EXPECT_EQ(shortcut.path, Campaign() + "\\Warcraft III.exe");
    EXPECT_EQ(shortcut.workingDirectory, Campaign());
    EXPECT_EQ(shortcut.description, "Orc Saga Warcraft III Campaign");
    EXPECT_EQ(shortcut.iconLocation, Campaign() + "\\saga.ico");
    EXPECT_EQ(shortcut.iconIndex, 0);
    ::DeleteFileA(link.c_str());
}

TEST_F(InstallRun, RefusesADirectoryWithoutWar3Mpq)
{
    for (const bool asDirectory : {false, true}) {
        SCOPED_TRACE(asDirectory ? "war3.mpq is a directory" : "no war3.mpq");
        ::DeleteFileA((m_game + "\\war3.mpq").c_str());
        if (asDirectory)
            ::CreateDirectoryA((m_game + "\\war3.mpq").c_str(), nullptr);
        const auto before = Snapshot(m_root.Path());
        Start();
        const MessageBoxView refused = Install();
        EXPECT_EQ(refused.text, kNotWarcraft);
        EXPECT_EQ(refused.Style(), static_cast<UINT>(MB_ICONERROR));
        Dismiss(refused);
        EXPECT_EQ(Label(), "Install");
        EXPECT_EQ(Snapshot(m_root.Path()), before);
        Exit();
    }
}

TEST_F(InstallRun, ReportsOnlyTheLastFailureAfterRunningEveryStep)
{
    struct Case {
        std::vector<const char*> missing;
        const char* lastError;
    };
    const Case cases[] = {
        {{"Warcraft III.exe"}, "Error: an error occured while copying \"Warcraft III.exe\" campaign file!"},
        {{"Warcraft III.exe", "Mss32.dll"}, "Error: an error occured while copying \"mss32.dll\" campaign file!"},
        {{"Storm.dll", "game.dll"}, "Error: an error occured while reading game.dll!"},
    };
    int run = 0;
    for (const auto& [missing, lastError] : cases) {
        SCOPED_TRACE(lastError);
        MakeStandInGameDirectory(m_game);
        for (const char* name : missing)
            ::DeleteFileA((m_game + "\\" + name).c_str());
        // A campaign directory of its own for each run, so that none starts out installed.
        const std::string installDir = "Orc Saga " + std::to_string(++run);
        Start(installDir);
        // The shortcut question still comes after a failure.
        Click(m_dialog, kInstallButtonId);
        const MessageBoxView question = m_program->WaitForMessageBox();
        EXPECT_EQ(question.text, "Create desktop shortcut?\n");
        question.Answer(IDNO);
            const MessageBoxView failed = m_program->WaitForMessageBox();
        EXPECT_EQ(failed.text, lastError);
        EXPECT_EQ(failed.Style(), static_cast<UINT>(MB_ICONERROR));
        Dismiss(failed);
        EXPECT_EQ(Label(), "Install");
        EXPECT_EQ(ReadBytes(Campaign(installDir) + "\\Maps\\Chapter1.w3m"), "chapter one") << "every step still ran";
        Exit();
    }
}

TEST_F(InstallRun, ReusesAnExistingCampaignDirectory)
{
    // Made once the program shows "Install": an earlier attempt that failed left these.
    Start();
    ::CreateDirectoryA(Campaign().c_str(), nullptr);
    WriteBytes(Campaign() + "\\game.dll", "old library");
    WriteBytes(Campaign() + "\\war3.exe", "old game");
    WriteBytes(Campaign() + "\\Saved.w3z", "a saved game");
    Dismiss(Install());
    EXPECT_EQ(ReadBytes(Campaign() + "\\game.dll"), Rewritten(StandInGameDll()));
    EXPECT_EQ(ReadBytes(Campaign() + "\\war3.exe"), ReadBytes(m_game + "\\war3.exe"));
    EXPECT_EQ(ReadBytes(Campaign() + "\\Saved.w3z"), "a saved game");
}

TEST_F(InstallRun, CreatesOnlyTheLastLevelOfTheCampaignDirectory)
{
    Start("Campaigns\\Orc Saga");
    const MessageBoxView failed = Install();
    EXPECT_EQ(failed.text, "Error: an error occured while writing game.dll campaign file!");
    Dismiss(failed);
    EXPECT_FALSE(Exists(m_game + "\\Campaigns"));
}

TEST_F(InstallRun, AsksNoQuestionWithoutACampaignName)
{
    Start("Orc Saga", "");
    Click(m_dialog, kInstallButtonId);
    const MessageBoxView done = m_program->WaitForMessageBox();
    EXPECT_EQ(done.text, "Installation done sucessfully!");
    Dismiss(done);
    EXPECT_EQ(Label(), "Uninstall");
}

TEST_F(InstallRun, TakesTheTypedGameDirectoryWithOrWithoutItsSeparator)
{
    for (const std::string& typed : {m_game, m_game + "\\"}) {
        SCOPED_TRACE(typed);
        Start();
        TypeIntoEdit(Control(m_dialog, kGameDirId), typed);
        WaitForText(Control(m_dialog, kGameDirId), typed);
        Dismiss(Install());
        EXPECT_EQ(ReadBytes(Campaign() + "\\game.dll"), Rewritten(StandInGameDll()));
        EXPECT_EQ(ControlText(m_dialog, kGameDirId), typed) << "the field keeps what was typed";
        ::DeleteFileA((Campaign() + "\\game.dll").c_str());
        Exit();
    }
}

TEST_F(InstallRun, RefusesAnInstallDirOutsideTheGameDirectoryAndTouchesNothing)
{
    for (const char* installDir : {"", ".", "..", "...", "D:", "C:\\", ". ."}) {
        SCOPED_TRACE("INSTALLDIR="s + installDir);
        const auto before = Snapshot(m_root.Path());
        Start(installDir);
        const MessageBoxView refused = Install();
        EXPECT_NE(refused.text.find("must name a folder inside the Warcraft III directory"), std::string::npos)
            << refused.text;
        EXPECT_EQ(refused.Style(), static_cast<UINT>(MB_ICONERROR));
        Dismiss(refused);
        EXPECT_EQ(Snapshot(m_root.Path()), before);
        Exit();
    }
}

// The progress window of the program under test: ours is the only window class named so.
HWND FindProgressWindow()
{
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM result) {
            if (ClassName(window).starts_with("Kestrane:")) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The caption without waiting for the busy program to answer WM_GETTEXT.
std::string CaptionOf(HWND window)
{
    std::array<wchar_t, 128> text{};
    const int length = ::InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.begin(), text.begin() + length);
}

int PercentOf(const std::string& caption)
{
    const std::size_t open = caption.find('[');
    return open == std::string::npos ? 0 : std::stoi(caption.substr(open + 1));
}

TEST_F(InstallRun, ShowsRisingPercentagesAndRemembersWhereTheProgressWindowStood)
{
    // Large game files make the steps long enough to be watched.
    const std::string large(16 << 20, 'x');
    for (const char* name : kGameFiles)
        WriteBytes(m_game + "\\" + name, large);
    const std::string folder = SpecialFolderPath(CSIDL_APPDATA) + "\\Kestrane";
    const std::string profile = folder + "\\Kestrane.ini";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::WritePrivateProfileStringA("Settings", "X", "37", profile.c_str());
    ::WritePrivateProfileStringA("Settings", "Y", "29", profile.c_str());
    Start();

    Click(m_dialog, kInstallButtonId);
    const HWND progress = WaitFor("the progress window", FindProgressWindow);
    RECT placed{};
    ::GetWindowRect(progress, &placed);
    EXPECT_EQ(placed.left, 37);
    EXPECT_EQ(placed.top, 29);

    std::vector<std::string> captions;
    while (::IsWindow(progress) && ::IsWindowVisible(progress)) {
        const std::string caption = CaptionOf(progress);
        if (captions.empty() || captions.back() != caption)
            captions.push_back(caption);
    }
    ASSERT_FALSE(captions.empty());
    const std::set<std::string> shown = {"Progress",       "Progress [6%]",  "Progress [13%]", "Progress [20%]",
                                         "Progress [26%]", "Progress [33%]", "Progress [40%]", "Progress [46%]",
                                         "Progress [53%]", "Progress [60%]", "Progress [100%]"};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        EXPECT_TRUE(shown.contains(captions[i])) << captions[i];
        if (i > 0) {
            EXPECT_LT(PercentOf(captions[i - 1]), PercentOf(captions[i])) << captions[i - 1] << " then " << captions[i];
        }
    }

    // Hidden while the question waits, the window still has its position saved when it goes.
    const MessageBoxView question = m_program->WaitForMessageBox();
    EXPECT_EQ(question.text, "Create desktop shortcut?\n");
    EXPECT_TRUE(::IsWindow(progress));
    ::SetWindowPos(progress, nullptr, 101, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    question.Answer(IDNO);
    Dismiss(m_program->WaitForMessageBox());
    EXPECT_EQ(::GetPrivateProfileIntA("Settings", "X", -1, profile.c_str()), 101);
    EXPECT_EQ(::GetPrivateProfileIntA("Settings", "Y", -1, profile.c_str()), 77);
}

// An install cut short anywhere leaves no game.dll that start-up would take for an installed
// campaign: the copy is there whole or not at all.
TEST_F(InstallRun, AnInstallKilledAtAnyMomentLeavesNoPartialGameDll)
{
    std::string library = StandInGameDll() + std::string(48 << 20, '\0') + StandInGameDll();
    WriteBytes(m_game + "\\game.dll", library);
    const std::string expected = Rewritten(library);
    std::mt19937 random(20261206);
    for (int attempt = 0; attempt < 6; ++attempt) {
        const auto delay = std::chrono::milliseconds(std::uniform_int_distribution(0, 900)(random));
        SCOPED_TRACE("killed after " + std::to_string(delay.count()) + " ms");
        Start();
        Click(m_dialog, kInstallButtonId);
        ::Sleep(static_cast<DWORD>(delay.count()));
        m_program->Kill();
        m_program.reset();

        const std::string written = ReadBytes(Campaign() + "\\game.dll");
        EXPECT_TRUE(written == "<missing>" || written == expected) << written.size() << " bytes";
        Start();
        EXPECT_EQ(Label(), written == expected ? "Uninstall" : "Install");
        Exit();
        ::DeleteFileA((Campaign() + "\\game.dll").c_str());
    }
}

}  // namespace
}  // namespace kestrane::e2e

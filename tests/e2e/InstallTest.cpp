#include "InstallRun.h"
#include "ReadLink.h"
#include "Scale.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace kestrane::e2e {
namespace {

TEST_F(InstallRun, BuildsTheCampaignsCopyOfTheGameLeavesTheShortcutAtUninstallAndInstallsAgain)
{
    const std::string link = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + "\\Orc Saga.lnk";
    ::DeleteFileA(link.c_str());
    Start();
    EXPECT_EQ(Label(), "Install");
    const MessageBoxView done = Install(IDYES);
    EXPECT_EQ(done.text, kDone);
    EXPECT_EQ(done.style, MB_ICONINFORMATION) << done.iconName << " icon";
    Dismiss(done);
    EXPECT_EQ(Label(), "Uninstall");

    EXPECT_EQ(Snapshot(Campaign()), Installed());
    EXPECT_EQ(ReadTextFile(m_game + "\\game.dll"), StandInGameDll()) << "the game's own game.dll is only read";
    ::CoInitialize(nullptr);
    const test::LinkFacts shortcut = test::ReadLink(link);
    ::CoUninitialize();
    EXPECT_EQ(std::tie(shortcut.path, shortcut.workingDirectory, shortcut.description, shortcut.iconLocation),
              std::tuple(Campaign() + "\\Warcraft III.exe", Campaign(), "Orc Saga Warcraft III Campaign",
                         Campaign() + "\\saga.ico"));
    EXPECT_EQ(shortcut.iconIndex, 0);

    // Started anew on the installed campaign, uninstalled and installed again in one run.
    Exit();
    Start();
    EXPECT_EQ(Label(), "Uninstall");
    Dismiss(Uninstall(IDYES));
    EXPECT_EQ(Label(), "Install");
    EXPECT_TRUE(Exists(link)) << "the uninstall leaves shortcuts to the player";
    Dismiss(Install());
    EXPECT_EQ(Label(), "Uninstall");
    EXPECT_EQ(ReadTextFile(Campaign() + "\\game.dll"), Rewritten(StandInGameDll()));
    ::DeleteFileA(link.c_str());
}

// Each run types the game directory, once without its "\" and once with it.
TEST_F(InstallRun, RunsEveryStepAndReportsOnlyTheLastFailure)
{
    const std::tuple<std::vector<const char*>, const char*, std::string> cases[] = {
        {{"Warcraft III.exe", "Mss32.dll"},
         "Error: an error occured while copying \"mss32.dll\" campaign file!",
         m_game},
        {{"Storm.dll", "game.dll"}, "Error: an error occured while reading game.dll!", m_game + "\\"},
    };
    int run = 0;
    for (const auto& [missing, lastError, typed] : cases) {
        SCOPED_TRACE(lastError);
        MakeStandInGameDirectory(m_game);
        for (const char* name : missing)
            ::DeleteFileA((m_game + "\\" + name).c_str());
        // A campaign directory of its own for each run, so that none starts out installed.
        // Appended, not added: the 32-bit GCC 12 takes "text" + std::to_string() for an
        // overlapping copy (-Wrestrict).
        const std::string installDir = std::string("Orc Saga ").append(std::to_string(++run));
        Start(installDir);
        TypeIntoEdit(Control(m_dialog, IDC_GAME_DIR), typed);
        EXPECT_EQ(WaitForText(Control(m_dialog, IDC_GAME_DIR), typed), typed);
        // The shortcut question still comes after a failure.
        Click(m_dialog, IDC_INSTALL_BUTTON);
        const MessageBoxView question = m_program->WaitForMessageBox();
        EXPECT_EQ(question.text, "Create desktop shortcut?\n");
        question.Answer(IDNO);
        const MessageBoxView failed = m_program->WaitForMessageBox();
        EXPECT_EQ(failed.text, lastError);
        EXPECT_EQ(failed.style, MB_ICONERROR) << failed.iconName << " icon";
        Dismiss(failed);
        EXPECT_EQ(Label(), "Install");
        EXPECT_EQ(ControlText(m_dialog, IDC_GAME_DIR), typed) << "the field keeps what was typed";
        EXPECT_EQ(ReadTextFile(Campaign() + "\\Maps\\Chapter1.w3m"), "chapter one") << "every step still ran";
        EXPECT_EQ(ReadTextFile(Campaign() + "\\war3.exe"), ReadTextFile(m_game + "\\war3.exe"));
        Exit();
    }
}

TEST_F(InstallRun, IsTitledKestraneAndAsksNothingAboutAShortcutWithoutACampaignName)
{
    Start("Orc Saga", "");
    EXPECT_EQ(WindowText(m_dialog), "Kestrane");
    Click(m_dialog, IDC_INSTALL_BUTTON);
    const MessageBoxView done = m_program->WaitForMessageBox();
    EXPECT_EQ(done.text, kDone);
    Dismiss(done);
}

TEST_F(InstallRun, CreatesOnlyTheLastLevelOfTheCampaignDirectory)
{
    Start("Campaigns\\Orc Saga");
    const MessageBoxView failed = Install();
    // The campaign files come last, and none of them has a place: one of them is the last error.
    const std::set<std::string> lastFailures = {
        "Error: an error occured while copying \"saga.ico\" campaign file!",
        "Error: an error occured while copying \"Maps\\Chapter1.w3m\" campaign file!"};
    EXPECT_TRUE(lastFailures.contains(failed.text)) << failed.text;
    Dismiss(failed);
    EXPECT_FALSE(Exists(m_game + "\\Campaigns"));
}

// The caption without waiting for the busy program to answer WM_GETTEXT.
std::string CaptionOf(HWND window)
{
    std::array<wchar_t, 128> text{};
    const int length = ::InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.begin(), text.begin() + length);
}

TEST_F(InstallRun, ShowsRisingPercentagesAndRemembersWhereTheProgressWindowStood)
{
    // Large game files make the steps long enough to be watched.
    for (const char* name : kGameFiles)
        test::WriteTextFile(m_game + "\\" + name, std::string(16 << 20, 'x'));
    const std::string profile = SpecialFolderPath(CSIDL_APPDATA) + "\\Kestrane\\Kestrane.ini";
    ::CreateDirectoryA((SpecialFolderPath(CSIDL_APPDATA) + "\\Kestrane").c_str(), nullptr);
    test::WriteTextFile(profile, "[Settings]\r\nX=37\r\nY=29\r\n");
    Start();

    Click(m_dialog, IDC_INSTALL_BUTTON);
    // Ours is the only window class named so.
    const HWND progress = WaitFor("the progress window", [&]() -> HWND {
        const std::vector<HWND> found = m_program->Windows("Kestrane:");
        return found.empty() ? nullptr : found.front();
    });
    ExpectProgressWindowLaidOut(progress);
    RECT placed{};
    ::GetWindowRect(progress, &placed);
    EXPECT_EQ(placed.left, 37);
    EXPECT_EQ(placed.top, 29);

    std::vector<std::string> captions;
    while (::IsWindow(progress) && ::IsWindowVisible(progress)) {
        if (const std::string caption = CaptionOf(progress); captions.empty() || captions.back() != caption)
            captions.push_back(caption);
    }
    // Each one shown is a later one of the install's steps.
    const std::vector<std::string> steps = {"Progress",       "Progress [6%]",  "Progress [13%]", "Progress [20%]",
                                            "Progress [26%]", "Progress [33%]", "Progress [40%]", "Progress [46%]",
                                            "Progress [53%]", "Progress [60%]", "Progress [100%]"};
    ASSERT_FALSE(captions.empty());
    auto step = steps.begin();
    for (const std::string& caption : captions) {
        step = std::find(step, steps.end(), caption);
        ASSERT_TRUE(step != steps.end()) << caption << " out of order in " << ::testing::PrintToString(captions);
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
// campaign: the copy is there whole or not at all, and an earlier one stays whole until the
// rename replaces it.
TEST_F(InstallRun, AnInstallKilledAtAnyMomentLeavesNoPartialGameDll)
{
    const std::string library = StandInGameDll() + std::string(48 << 20, '\0') + StandInGameDll();
    test::WriteTextFile(m_game + "\\game.dll", library);
    const std::string expected = Rewritten(library);
    std::mt19937 random(20261206);
    // The campaign's game.dll before the install, if any.
    for (const char* earlier : {static_cast<const char*>(nullptr), "an earlier library"}) {
        for (int attempt = 0; attempt < 6; ++attempt) {
            const auto delay = static_cast<DWORD>(std::uniform_int_distribution(0, 900)(random));
            SCOPED_TRACE("killed after " + std::to_string(delay) + " ms" + (earlier ? " over an earlier one" : ""));
            const std::string before = earlier ? earlier : "<missing>";
            if (earlier)
                m_root.WriteFile("Warcraft III\\Orc Saga\\game.dll", earlier);
            Start();
            Click(m_dialog, IDC_INSTALL_BUTTON);
            ::Sleep(delay);
            m_program->Kill();
            m_program.reset();

            const std::string written = ReadTextFile(Campaign() + "\\game.dll");
            EXPECT_TRUE(written == before || written == expected) << written.size() << " bytes";
            Start();
            EXPECT_EQ(Label(), written == "<missing>" ? "Install" : "Uninstall");
            Exit();
            ::DeleteFileA((Campaign() + "\\game.dll").c_str());
        }
    }
}

}  // namespace
}  // namespace kestrane::e2e

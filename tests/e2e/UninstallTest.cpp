#include "InstallRun.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

constexpr const char* kSuccess = "Uninstallation done sucessfully!\n(Don't forget to remove the shortcuts yourself!)";

// An installed campaign, with the program started anew on it.
class UninstallRun : public InstallRun {
protected:
    void SetUp() override
    {
        Start();
        Dismiss(Install());
        ASSERT_EQ(Label(), "Uninstall");
    }

    void ExpectOutcome(const MessageBoxView& box, const std::string& text, UINT style) const
    {
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.Style(), style) << box.text;
    }

    // The campaign directory in quotes, as the messages name it.
    std::string Quoted() const
    {
        std::string quoted = Campaign();
        quoted.insert(0, 1, '"');
        return quoted += '"';
    }

    std::string Remains() const
    {
        return Quoted() +
               " was not removed.\nCheck if the directory still exists and if you have the access rights to be "
               "able to remove its content.";
    }
    std::string AddedFiles() const
    {
        return Quoted() +
               " was not removed because a few files were added there since install.\nThese may be saved games "
               "and campaign progress records.\nYou can remove that directory safely by yourself if you don't need "
               "these files anymore.";
    }
    std::string ManualRemoval() const
    {
        return "Error: an error occured while uninstalling!\nTry to remove manually (if it exists) the following "
               "directory:\n" +
               Campaign() + "\nIf you can't find it then don't worry, it's already uninstalled.";
    }
};

TEST_F(UninstallRun, YesRemovesTheCampaignDirectory)
{
    const MessageBoxView done = Uninstall(IDYES);
    ExpectOutcome(done, kSuccess, MB_ICONINFORMATION);
    Dismiss(done);
    EXPECT_EQ(Label(), "Install");
    EXPECT_FALSE(Exists(Campaign()));
    EXPECT_EQ(ReadBytes(m_game + "\\game.dll"), StandInGameDll());
}

TEST_F(UninstallRun, YesWithAReadOnlyFileSaysTheDirectoryRemains)
{
    ::SetFileAttributesA((Campaign() + "\\Maps\\Chapter1.w3m").c_str(), FILE_ATTRIBUTE_READONLY);
    const MessageBoxView remains = Uninstall(IDYES);
    ExpectOutcome(remains, Remains(), MB_ICONERROR);
    remains.Answer(IDOK);
    const MessageBoxView done = m_program->WaitForMessageBox();
    ExpectOutcome(done, kSuccess, MB_ICONINFORMATION);
    Dismiss(done);
    EXPECT_EQ(Label(), "Install");
    EXPECT_TRUE(Exists(Campaign() + "\\Maps\\Chapter1.w3m"));
    EXPECT_FALSE(Exists(Campaign() + "\\game.dll"));
}

TEST_F(UninstallRun, YesNeverReachesThroughALinkOutOfTheCampaignDirectory)
{
    ScratchDirectory outside("outside");
    outside.WriteFile("precious.txt", "keep");
    test::MakeDirectoryLink(outside.Path(), Campaign() + "\\Linked");
    MessageBoxView box = Uninstall(IDYES);
    // Wine cannot remove the link itself, and the campaign directory then stays too.
    if (box.text == Remains()) {
        box.Answer(IDOK);
        box = m_program->WaitForMessageBox();
    }
    ExpectOutcome(box, kSuccess, MB_ICONINFORMATION);
    Dismiss(box);
    EXPECT_EQ(ReadBytes(outside / "precious.txt"), "keep");
    EXPECT_FALSE(Exists(Campaign() + "\\game.dll"));
}

TEST_F(UninstallRun, NoRemovesTheInstalledFilesAndTheEmptyDirectory)
{
    // The campaign files that are not the game's own would stay: take them out first.
    ::DeleteFileA((Campaign() + "\\Maps\\Chapter1.w3m").c_str());
    ::RemoveDirectoryA((Campaign() + "\\Maps").c_str());
    ::DeleteFileA((Campaign() + "\\saga.ico").c_str());
    const MessageBoxView done = Uninstall(IDNO);
    ExpectOutcome(done, kSuccess, MB_ICONINFORMATION);
    Dismiss(done);
    EXPECT_EQ(Label(), "Install");
    EXPECT_FALSE(Exists(Campaign()));
}

TEST_F(UninstallRun, NoKeepsSavedGamesAndSaysWhy)
{
    WriteBytes(Campaign() + "\\Saved.w3z", "a saved game");
    const MessageBoxView added = Uninstall(IDNO);
    ExpectOutcome(added, AddedFiles(), MB_ICONINFORMATION);
    added.Answer(IDOK);
    const MessageBoxView done = m_program->WaitForMessageBox();
    ExpectOutcome(done, kSuccess, MB_ICONINFORMATION);
    Dismiss(done);
    EXPECT_EQ(Label(), "Install");
    EXPECT_EQ(ReadBytes(Campaign() + "\\Saved.w3z"), "a saved game");
    for (const char* name : kGameFiles)
        EXPECT_FALSE(Exists(Campaign() + "\\" + name)) << name;
}

TEST_F(UninstallRun, NoStopsAtAFileItCannotDeleteAndASecondUninstallFinishes)
{
    ::SetFileAttributesA((Campaign() + "\\Mss32.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    const MessageBoxView failed = Uninstall(IDNO);
    ExpectOutcome(failed, ManualRemoval(), MB_ICONERROR);
    Dismiss(failed);
    EXPECT_EQ(Label(), "Uninstall");
    EXPECT_FALSE(Exists(Campaign() + "\\war3.exe"));
    EXPECT_TRUE(Exists(Campaign() + "\\Mss32.dll"));
    EXPECT_TRUE(Exists(Campaign() + "\\game.dll"));

    // The files the first run removed count as removed now.
    ::SetFileAttributesA((Campaign() + "\\Mss32.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    const MessageBoxView added = Uninstall(IDNO);
    ExpectOutcome(added, AddedFiles(), MB_ICONINFORMATION);
    added.Answer(IDOK);
    Dismiss(m_program->WaitForMessageBox());
    EXPECT_EQ(Label(), "Install");
    EXPECT_FALSE(Exists(Campaign() + "\\game.dll"));
}

TEST_F(UninstallRun, CancelOrClosingTheQuestionKeepsEverything)
{
    for (const int answer : {IDCANCEL, 0}) {
        SCOPED_TRACE(answer ? "Cancel" : "the box closed");
        const auto before = Snapshot(m_root.Path());
        const MessageBoxView kept = Uninstall(answer);
        ExpectOutcome(kept, "Campaign NOT uninstallated!", MB_ICONINFORMATION);
        Dismiss(kept);
        EXPECT_EQ(Label(), "Uninstall");
        EXPECT_EQ(Snapshot(m_root.Path()), before);
    }
}

TEST_F(UninstallRun, LeavesTheDesktopShortcutAndInstallsAgainInTheSameRun)
{
    Exit();
    const std::string link = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) + "\\Orc Saga.lnk";
    Start();
    ASSERT_EQ(Label(), "Uninstall");
    Dismiss(Uninstall(IDYES));
    EXPECT_EQ(Label(), "Install");
    Dismiss(Install(IDYES));
    EXPECT_EQ(Label(), "Uninstall");
    EXPECT_EQ(ReadBytes(Campaign() + "\\game.dll"), Rewritten(StandInGameDll()));
    Dismiss(Uninstall(IDYES));
    EXPECT_TRUE(Exists(link)) << "the uninstall leaves shortcuts to the player";
    ::DeleteFileA(link.c_str());
}

// With an empty INSTALLDIR the game's own game.dll makes the campaign look installed; the
// uninstall must refuse before it asks anything.
TEST(UninstallRefusal, AnInstallDirOutsideTheGameDirectoryIsRefusedBeforeTheQuestion)
{
    ScratchDirectory root("game");
    const std::string game = root / "Warcraft III";
    MakeStandInGameDirectory(game);
    InstallPathScope registered(game);
    PackageDirectory package;
    package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
    package.WriteInstallIni("CAMPAIGNNAME=Orc Saga\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=\r\n");
    const auto before = Snapshot(root.Path());

    Program program(package.Path());
    const HWND dialog = program.WaitForMainDialog();
    ASSERT_EQ(ControlText(dialog, kInstallButtonId), "Uninstall");
    Click(dialog, kInstallButtonId);
    const MessageBoxView refused = program.WaitForMessageBox();
    EXPECT_NE(refused.text.find("must name a folder inside the Warcraft III directory"), std::string::npos)
        << refused.text;
    EXPECT_EQ(refused.Style(), static_cast<UINT>(MB_ICONERROR));
    refused.Answer(IDOK);
    EXPECT_EQ(Snapshot(root.Path()), before);
    Click(dialog, IDOK);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrane::e2e

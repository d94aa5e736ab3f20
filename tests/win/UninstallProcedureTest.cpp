#include "install/UninstallProcedure.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace kestrane {
namespace {

struct Shown {
    std::string text;
    unsigned style;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* os)
{
    *os << "{style " << shown.style << ", \"" << shown.text << "\"}";
}

const char* const kInstalledFiles[] = {"war3patch.mpq", "war3.exe", "Warcraft III.exe", "Storm.dll",
                                       "Mss32.dll",     "ijl15.dll", "game.dll"};

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A campaign directory as an install leaves it, with the answer the user gives to the question.
class Uninstall {
public:
    explicit Uninstall(int answer) : m_answer(answer), m_campaign(m_game / "Campaign")
    {
        ::CreateDirectoryA(m_campaign.c_str(), nullptr);
        for (const char* name : kInstalledFiles)
            test::WriteTextFile(In(name), name);
        ::CreateDirectoryA(In("Maps").c_str(), nullptr);
        test::WriteTextFile(In("Maps\\Chapter1.w3m"), "map");
    }

    std::string In(const std::string& name) const { return m_campaign + "\\" + name; }
    const std::string& Campaign() const { return m_campaign; }

    OperationState Run()
    {
        OperationState state;
        UninstallCampaign(m_campaign, state, [this](const std::string& text, unsigned style) {
            m_shown.push_back({text, style});
            return m_shown.size() == 1 ? m_answer : IDOK;
        });
        return state;
    }

    std::vector<Shown> Question() const
    {
        return {{"Are you sure you want to remove all the files of \"" + m_campaign + "\" ?", 35}};
    }
    const std::vector<Shown>& ShownSoFar() const { return m_shown; }

private:
    int m_answer;
    test::TempFolder m_game;
    std::string m_campaign;
    std::vector<Shown> m_shown;
};

constexpr const char* kSuccess = "Uninstallation done sucessfully!\n(Don't forget to remove the shortcuts yourself!)";

TEST(UninstallCampaign, YesRemovesTheWholeDirectory)
{
    Uninstall uninstall(IDYES);
    const OperationState state = uninstall.Run();
    EXPECT_FALSE(state.error);
    EXPECT_EQ(state.resultText, kSuccess);
    EXPECT_FALSE(state.labelStays);
    EXPECT_EQ(uninstall.ShownSoFar(), uninstall.Question());
    EXPECT_FALSE(Exists(uninstall.Campaign()));
}

TEST(UninstallCampaign, YesTellsWhenTheDirectoryRemainsAndStillSucceeds)
{
    Uninstall uninstall(IDYES);
    ::SetFileAttributesA(uninstall.In("Maps\\Chapter1.w3m").c_str(), FILE_ATTRIBUTE_READONLY);
    const OperationState state = uninstall.Run();

    std::vector<Shown> expected = uninstall.Question();
    expected.push_back({"\"" + uninstall.Campaign() +
                            "\" was not removed.\nCheck if the directory still exists and if you have the access "
                            "rights to be able to remove its content.",
                        16});
    EXPECT_EQ(uninstall.ShownSoFar(), expected);
    EXPECT_FALSE(state.error);
    EXPECT_EQ(state.resultText, kSuccess);
    EXPECT_TRUE(Exists(uninstall.In("Maps\\Chapter1.w3m")));
    EXPECT_FALSE(Exists(uninstall.In("game.dll")));
}

TEST(UninstallCampaign, YesLeavesTheTargetOfALinkInsideAlone)
{
    Uninstall uninstall(IDYES);
    test::TempFolder outside;
    test::WriteTextFile(outside / "precious.txt", "keep");
    test::MakeDirectoryLink(outside.Path(), uninstall.In("Linked"));
    uninstall.Run();
    EXPECT_EQ(test::ReadTextFile(outside / "precious.txt"), "keep");
    // Windows removes the link itself; Wine cannot, and then the campaign directory stays too.
    EXPECT_FALSE(Exists(uninstall.In("game.dll")));
    EXPECT_FALSE(Exists(uninstall.In("Maps")));
}

TEST(UninstallCampaign, NoRemovesTheInstalledFilesAndAnEmptyDirectory)
{
    Uninstall uninstall(IDNO);
    ::DeleteFileA(uninstall.In("Maps\\Chapter1.w3m").c_str());
    ::RemoveDirectoryA(uninstall.In("Maps").c_str());
    const OperationState state = uninstall.Run();
    EXPECT_FALSE(state.error) << state.errorText;
    EXPECT_EQ(state.resultText, kSuccess);
    EXPECT_EQ(uninstall.ShownSoFar(), uninstall.Question());
    EXPECT_FALSE(Exists(uninstall.Campaign()));
}

TEST(UninstallCampaign, NoKeepsWhatWasAddedSinceTheInstall)
{
    Uninstall uninstall(IDNO);
    const OperationState state = uninstall.Run();
    std::vector<Shown> expected = uninstall.Question();
    expected.push_back({"\"" + uninstall.Campaign() +
                            "\" was not removed because a few files were added there since install.\n"
                            "These may be saved games and campaign progress records.\n"
                            "You can remove that directory safely by yourself if you don't need these files anymore.",
                        64});
    EXPECT_EQ(uninstall.ShownSoFar(), expected);
    EXPECT_FALSE(state.error);
    EXPECT_EQ(state.resultText, kSuccess);
    EXPECT_TRUE(Exists(uninstall.In("Maps\\Chapter1.w3m")));
    for (const char* name : kInstalledFiles)
        EXPECT_FALSE(Exists(uninstall.In(name))) << name;
}

TEST(UninstallCampaign, NoCountsAFileAlreadyGoneAsRemoved)
{
    for (const char* missing : {"war3patch.mpq", "game.dll"}) {
        Uninstall uninstall(IDNO);
        ::DeleteFileA(uninstall.In(missing).c_str());
        const OperationState state = uninstall.Run();
        EXPECT_FALSE(state.error) << missing << ": " << state.errorText;
        for (const char* name : kInstalledFiles)
            EXPECT_FALSE(Exists(uninstall.In(name))) << name << " without " << missing;
    }
}

TEST(UninstallCampaign, NoStopsAtAFileThatCannotBeDeleted)
{
    Uninstall uninstall(IDNO);
    ::SetFileAttributesA(uninstall.In("Mss32.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    const OperationState state = uninstall.Run();
    EXPECT_TRUE(state.error);
    EXPECT_EQ(state.errorText, "Error: an error occured while uninstalling!\n"
                               "Try to remove manually (if it exists) the following directory:\n" +
                                   uninstall.Campaign() +
                                   "\nIf you can't find it then don't worry, it's already uninstalled.");
    EXPECT_EQ(uninstall.ShownSoFar(), uninstall.Question());
    for (const char* gone : {"war3patch.mpq", "war3.exe", "Warcraft III.exe", "Storm.dll"})
        EXPECT_FALSE(Exists(uninstall.In(gone))) << gone;
    for (const char* kept : {"Mss32.dll", "ijl15.dll", "game.dll"})
        EXPECT_TRUE(Exists(uninstall.In(kept))) << kept;
}

TEST(UninstallCampaign, NoOnAMissingDirectoryAsksForAManualLook)
{
    Uninstall uninstall(IDNO);
    const std::string gone = uninstall.Campaign() + "\\Never";
    OperationState state;
    UninstallCampaign(gone, state, [](const std::string&, unsigned) { return IDNO; });
    EXPECT_TRUE(state.error);
    EXPECT_NE(state.errorText.find("\n" + gone + "\n"), std::string::npos) << state.errorText;
}

TEST(UninstallCampaign, CancelOrAClosedBoxRemovesNothing)
{
    for (const int answer : {IDCANCEL, 0}) {
        Uninstall uninstall(answer);
        const OperationState state = uninstall.Run();
        EXPECT_FALSE(state.error);
        EXPECT_EQ(state.resultText, "Campaign NOT uninstallated!");
        EXPECT_TRUE(state.labelStays);
        for (const char* name : kInstalledFiles)
            EXPECT_TRUE(Exists(uninstall.In(name))) << name;
    }
}

}  // namespace
}  // namespace kestrane

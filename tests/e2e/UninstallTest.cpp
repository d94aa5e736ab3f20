#include "InstallRun.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

// An installed campaign, with the program that installed it still running.
class UninstallRun : public InstallRun {
protected:
    void SetUp() override
    {
        Start();
        Dismiss(Install());
        ASSERT_EQ(Label(), "Uninstall");
    }

    // Uninstalls with `answer`, checks each box that follows (answered with OK) and the label,
    // and that of all below the root only the campaign directory's entries outside `kept` went.
    void ExpectUninstall(int answer, const std::vector<std::pair<std::string, long>>& boxes, const char* label,
                         const std::set<std::string>& kept)
    {
        auto expected = Snapshot(m_root.Path());
        const std::string campaign = "Warcraft III\\Orc Saga";
        std::erase_if(expected, [&](const auto& entry) {
            if (entry.first == campaign)
                return kept.empty();
            return entry.first.starts_with(campaign + "\\") && !kept.contains(entry.first.substr(campaign.size() + 1));
        });
        MessageBoxView box = Uninstall(answer);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (i > 0) {
                box.Answer(IDOK);
                box = m_program->WaitForMessageBox();
            }
            EXPECT_EQ(box.text, boxes[i].first);
            EXPECT_EQ(box.style, boxes[i].second) << box.iconName << " icon";
        }
        Dismiss(box);
        EXPECT_EQ(Label(), label);
        EXPECT_EQ(Snapshot(m_root.Path()), expected);
    }

    std::string Quoted() const { return std::string(1, '"').append(Campaign()).append(1, '"'); }
    std::string Remains() const
    {
        return Quoted() + " was not removed.\nCheck if the directory still exists and if you have the access rights "
                          "to be able to remove its content.";
    }
};

// Every answer in turn, the campaign installed again in the same run whenever it went: each box
// and label, and what is left.
TEST_F(UninstallRun, EndsAsTheAnswerAndTheCampaignDirectoryAllow)
{
    std::set<std::string> everything;
    for (const auto& [name, bytes] : Snapshot(Campaign()))
        everything.insert(name);
    for (const int answer : {IDCANCEL, 0}) {
        SCOPED_TRACE(answer ? "Cancel" : "the box closed");
        ExpectUninstall(answer, {{"Campaign NOT uninstallated!", MB_ICONINFORMATION}}, "Uninstall", everything);
    }

    // No stops at the first file it cannot delete; the files it removed count as removed the
    // second time, and the campaign's own files and a saved game stay.
    ::SetFileAttributesA((Campaign() + "\\Mss32.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string failed = "Error: an error occured while uninstalling!\nTry to remove manually (if it exists) the "
                         "following directory:\n";
    failed += Campaign() + "\nIf you can't find it then don't worry, it's already uninstalled.";
    ExpectUninstall(IDNO, {{failed, MB_ICONERROR}}, "Uninstall",
                    {"Maps", "Maps\\Chapter1.w3m", "saga.ico", "Mss32.dll", "ijl15.dll", "game.dll"});
    ::SetFileAttributesA((Campaign() + "\\Mss32.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
    m_root.WriteFile("Warcraft III\\Orc Saga\\Saved.w3z", "a saved game");
    const std::string addedFiles = Quoted() + " was not removed because a few files were added there since install."
                                              "\nThese may be saved games and campaign progress records.\nYou can "
                                              "remove that directory safely by yourself if you don't need these "
                                              "files anymore.";
    ExpectUninstall(IDNO, {{addedFiles, MB_ICONINFORMATION}, {kUninstalled, MB_ICONINFORMATION}}, "Install",
                    {"Maps", "Maps\\Chapter1.w3m", "saga.ico", "Saved.w3z"});

    // The game's files go by name, war3patch.mpq missing: without other files No leaves nothing.
    Dismiss(Install());
    for (const char* name : {"Maps\\Chapter1.w3m", "saga.ico", "Saved.w3z"})
        ::DeleteFileA((Campaign() + "\\" + name).c_str());
    ::RemoveDirectoryA((Campaign() + "\\Maps").c_str());
    ExpectUninstall(IDNO, {{kUninstalled, MB_ICONINFORMATION}}, "Install", {});

    Dismiss(Install());
    ExpectUninstall(IDYES, {{kUninstalled, MB_ICONINFORMATION}}, "Install", {});

    Dismiss(Install());
    ::SetFileAttributesA((Campaign() + "\\Maps\\Chapter1.w3m").c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectUninstall(IDYES, {{Remains(), MB_ICONERROR}, {kUninstalled, MB_ICONINFORMATION}}, "Install",
                    {"Maps", "Maps\\Chapter1.w3m"});
}

}  // namespace
}  // namespace kestrane::e2e

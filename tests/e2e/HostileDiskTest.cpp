#include "InstallRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

std::string OthersFolderText(const std::string& campaignDirectory)
{
    return "Error: the folder \"" + campaignDirectory +
           "\" already holds files that this installer did not put there.\nIt may be one of your own folders, so "
           "nothing was changed.\nAsk the author of the campaign to correct INSTALLDIR in install.ini.";
}

class HostileDisk;

// One start of the program and one click of its main button, on a disk laid out to mislead.
struct Step {
    const char* label;  // at start
    int answer;         // to the uninstall question; 0 when none comes
    // What the disk is made to look like once the program is started: before the click, or
    // while the uninstall question waits.
    std::function<void(HostileDisk&)> meddle;
    std::string box;  // the text of the box that ends the click
    long style;
    const char* changes;  // what may change, relative to the game's parent; none: nothing
};

// In the texts of a case, "<game>" stands for the game directory, which each run makes anew.
struct HostileCase {
    const char* name;
    std::string installDir;
    std::function<void(HostileDisk&)> arrange;
    std::vector<Step> steps;
};

void PrintTo(const HostileCase& hostile, std::ostream* out)
{
    *out << hostile.name;
}

class HostileDisk : public InstallRun, public ::testing::WithParamInterface<HostileCase> {
protected:
    // Everything the runs must leave alone, with what `changes` names left out: the game's
    // parent, the folder the links lead to, and of the drive root only its own entries, for the
    // walks must not reach it.
    test::Tree Look(const char* changes) const
    {
        test::Tree disk = Snapshot(m_root.Path());
        if (changes)
            disk = test::Without(disk, changes);
        for (const auto& [path, content] : Snapshot(Sentinel().Path()))
            disk["<sentinel>\\" + path] = content;
        for (const auto& [path, content] : Snapshot(m_game.substr(0, 2), false))
            disk["<drive root>\\" + path] = content;
        return disk;
    }

    void Run(const HostileCase& hostile, const Step& step)
    {
        Start(hostile.installDir);
        ASSERT_EQ(Label(), step.label);
        if (step.meddle && step.answer == 0)
            step.meddle(*this);
        test::Tree before = Look(step.changes);
        MessageBoxView box = Install();
        if (step.answer != 0) {
            EXPECT_EQ(box.style, MB_YESNOCANCEL | MB_ICONQUESTION) << box.text;
            // The program waits for the answer and touches nothing meanwhile.
            if (step.meddle)
                step.meddle(*this);
            before = Look(step.changes);
            box.Answer(step.answer);
            box = m_program->WaitForMessageBox();
        }
        EXPECT_EQ(box.text, Replaced(step.box, "<game>", m_game));
        EXPECT_EQ(box.style, step.style) << box.iconName << " icon";
        Dismiss(box);
        if (step.style == MB_ICONERROR) {
            EXPECT_EQ(Label(), step.label) << "a refusal or a failure keeps the label";
        }
        Exit();
        EXPECT_EQ(Look(step.changes), before);
    }
};

TEST_P(HostileDisk, LeavesTheGamesAndThePlayersFilesAsTheyWere)
{
    const HostileCase& hostile = GetParam();
    Sentinel().WriteFile("precious.txt", "keep");
    Sentinel().WriteFile("Deeper\\notes.txt", "keep too");
    if (hostile.arrange)
        hostile.arrange(*this);
    for (std::size_t i = 0; i < hostile.steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        Run(hostile, hostile.steps[i]);
        if (HasFatalFailure())
            return;
    }
}

const Step kInstalled = {"Install", 0, nullptr, kDone, MB_ICONINFORMATION, "Warcraft III\\Orc Saga"};

// One click that the program refuses.
HostileCase Refused(const char* name, std::string installDir, const char* label, std::string text,
                    std::function<void(HostileDisk&)> arrange = nullptr)
{
    return {
        name, std::move(installDir), std::move(arrange), {{label, 0, nullptr, std::move(text), MB_ICONERROR, nullptr}}};
}

const std::string kNotWarcraft = "Error!\nThe directory you specidied is not Warcraft III directory!\nPlease fix that! "
                                 "Your Warcraft III directory must contain war3.mpq.";

void RemoveWar3Mpq(HostileDisk& disk)
{
    ::DeleteFileA((disk.Game() + "\\war3.mpq").c_str());
}

// Windows drops the trailing dots and blanks of a path part, so there "..." leads to the game
// directory's own game.dll; Wine keeps them and finds no such folder.
const char* const kDotsLabel = test::RunningOnWine() ? "Install" : "Uninstall";

// A campaign directory whose folder becomes a link to the sentinel while the question waits.
void SwapForALink(HostileDisk& disk)
{
    const std::string campaign = disk.Game() + "\\Orc Saga";
    ASSERT_TRUE(::MoveFileA(campaign.c_str(), (campaign + " moved").c_str()));
    test::MakeLink(HostileDisk::Sentinel().Path(), campaign);
}

// The same texts and arrangements for the 64-bit and the 32-bit program.
const HostileCase kCases[] = {
    // Where INSTALLDIR leads back to the game directory, its game.dll makes the campaign look
    // installed: the uninstall must refuse before it asks anything.
    Refused("EmptyInstallDir", "", "Uninstall", UnsafeInstallDirText("")),
    Refused("InstallDirTwoDots", "..", "Install", UnsafeInstallDirText("..")),
    Refused("InstallDirThreeDots", "...", kDotsLabel, UnsafeInstallDirText("...")),
    Refused("InstallDirADrive", "D:", "Uninstall", UnsafeInstallDirText("")),
    Refused("NoWar3Mpq", "Orc Saga", "Install", kNotWarcraft, RemoveWar3Mpq),
    // Windows checks "Camp ." as "Camp" but reads "Camp .\game.dll" inside "Camp .", and
    // Wine inside "Camp ", here a link back to the game directory, whose game.dll makes the
    // campaign look installed. The refusal comes before the uninstall question.
    {"TrimmedNameWithALinkBackToTheGame",
     "Camp .",
     nullptr,
     {{"Install", 0, [](HostileDisk& disk) { test::MakeLink(disk.Game(), disk.Game() + "\\Camp "); },
       UnsafeInstallDirText("Camp ."), MB_ICONERROR, nullptr},
      {"Uninstall", 0, nullptr, UnsafeInstallDirText("Camp ."), MB_ICONERROR, nullptr}}},
    // The player's own maps, in the folder the game keeps for them, and a stray library that
    // makes it look installed, which the player removes before the click.
    {"ThePlayersMapsFolder",
     "Maps",
     [](HostileDisk& disk) {
         disk.Root().WriteFile("Warcraft III\\Maps\\(4)Lost Temple.w3m", "the player's map");
         disk.Root().WriteFile("Warcraft III\\Maps\\Download\\(2)Echo Isles.w3m", "a downloaded map");
         disk.Root().WriteFile("Warcraft III\\Maps\\game.dll", "a stray library");
     },
     {{"Uninstall", 0, [](HostileDisk& disk) { ::DeleteFileA((disk.Game() + "\\Maps\\game.dll").c_str()); },
       OthersFolderText("<game>\\Maps"), MB_ICONERROR, nullptr}}},
    {"SwappedForALinkWhileTheQuestionWaitsThenYes",
     "Orc Saga",
     nullptr,
     {kInstalled, {"Uninstall", IDYES, SwapForALink, UnsafeInstallDirText("Orc Saga"), MB_ICONERROR, nullptr}}},
    {"SwappedForALinkWhileTheQuestionWaitsThenNo",
     "Orc Saga",
     nullptr,
     {kInstalled, {"Uninstall", IDNO, SwapForALink, UnsafeInstallDirText("Orc Saga"), MB_ICONERROR, nullptr}}},
};

INSTANTIATE_TEST_SUITE_P(Layouts, HostileDisk, ::testing::ValuesIn(kCases), kCaseName);

}  // namespace
}  // namespace kestrane::e2e

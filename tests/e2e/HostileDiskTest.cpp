#include "InstallRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

constexpr const char* kDone = "Installation done sucessfully!";

std::string OthersFolderText(const std::string& campaignDirectory)
{
    return "Error: the folder \"" + campaignDirectory +
           "\" already holds files that this installer did not put there.\nIt may be one of your own folders, so "
           "nothing was changed.\nAsk the author of the campaign to correct INSTALLDIR in install.ini.";
}

class HostileDisk;

// One start of the program and one click of its main button, on a disk laid out to mislead.
struct Step {
    std::function<void(HostileDisk&)> beforeStart;
    const char* label;  // at start; none: the program stops at start with `box`
    int answer;         // to the uninstall question; 0 when none comes
    // What the disk is made to look like once the program is started: before the click, or
    // while the uninstall question waits.
    std::function<void(HostileDisk&)> meddle;
    std::string box;  // the text of the box that ends the click
    long style;
    const char* changes;  // what may change, relative to the game's parent; none: nothing
};

// In the texts of a case, "<game>" stands for the game directory and "<package>" for the
// package directory, which each run makes anew.
struct HostileCase {
    const char* name;
    std::string installDir;
    std::string backBitmap;
    std::function<void(HostileDisk&)> arrange;
    std::vector<Step> steps;
};

void PrintTo(const HostileCase& hostile, std::ostream* out)
{
    *out << hostile.name;
}

// The drive root's own entries, not what its folders hold: the walks must not reach it.
test::Tree RootEntries(const std::string& anyPath)
{
    test::Tree entries;
    const std::string root = anyPath.substr(0, 3);
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileA((root + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries[entry.cFileName] = folder ? test::kDirectory : ReadBytes(root + entry.cFileName);
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return entries;
}

class HostileDisk : public InstallRun, public ::testing::WithParamInterface<HostileCase> {
public:
    // Outlives the game's folder, so that links to it are removed while they still lead somewhere.
    static const ScratchDirectory& Sentinel()
    {
        static const ScratchDirectory sentinel("sentinel");
        return sentinel;
    }

    // The player's own maps, in the folder the game keeps for them.
    void AddPlayersMaps() const
    {
        m_root.WriteFile("Warcraft III\\Maps\\(4)Lost Temple.w3m", "the player's map");
        m_root.WriteFile("Warcraft III\\Maps\\Download\\(2)Echo Isles.w3m", "a downloaded map");
    }

    const std::string& Game() const { return m_game; }
    const ScratchDirectory& Root() const { return m_root; }
    const PackageDirectory& Package() const { return m_package; }

protected:
    struct Disk {
        test::Tree parent;
        test::Tree sentinel;
        test::Tree driveRoot;
    };

    // Everything the runs must leave alone, with what `changes` names left out.
    Disk Look(const char* changes) const
    {
        test::Tree parent = Snapshot(m_root.Path());
        if (changes) {
            const std::string inside = changes + "\\"s;
            std::erase_if(parent, [&](const auto& entry) {
                return entry.first == changes || entry.first.starts_with(inside);
            });
        }
        return {parent, Snapshot(Sentinel().Path()), RootEntries(m_game)};
    }

    std::string Placed(std::string text) const
    {
        for (const auto& [name, path] : {std::pair{"<game>"s, m_game}, std::pair{"<package>"s, m_package.Path()}}) {
            if (const std::size_t at = text.find(name); at != std::string::npos)
                text.replace(at, name.size(), path);
        }
        return text;
    }

    void ExpectUnchanged(const Disk& before, const char* changes) const
    {
        const Disk after = Look(changes);
        EXPECT_EQ(after.parent, before.parent) << "the game's parent";
        EXPECT_EQ(after.sentinel, before.sentinel) << "the folder the links lead to";
        EXPECT_EQ(after.driveRoot, before.driveRoot) << "the drive root";
    }

    void Run(const HostileCase& hostile, const Step& step)
    {
        if (step.beforeStart)
            step.beforeStart(*this);
        m_package.WriteInstallIni("CAMPAIGNNAME=Orc Saga\r\nICON=saga.ico\r\nBACKBITMAP=" + Placed(hostile.backBitmap) +
                                  "\r\nINSTALLDIR=" + hostile.installDir + "\r\n");
        Disk before = Look(step.changes);
        m_program.emplace(m_package.Path());
        MessageBoxView box;
        if (!step.label) {
            box = m_program->WaitForMessageBox();
        } else {
            m_dialog = m_program->WaitForMainDialog();
            ASSERT_EQ(Label(), step.label);
            if (step.meddle && step.answer == 0)
                step.meddle(*this);
            before = Look(step.changes);
            Click(m_dialog, kInstallButtonId);
            box = m_program->WaitForMessageBox();
            if (box.text == "Create desktop shortcut?\n") {
                box.Answer(IDNO);
                box = m_program->WaitForMessageBox();
            }
            if (step.answer != 0) {
                EXPECT_EQ(box.style, MB_YESNOCANCEL | MB_ICONQUESTION) << box.text;
                // The program waits for the answer and touches nothing meanwhile.
                if (step.meddle)
                    step.meddle(*this);
                before = Look(step.changes);
                box.Answer(step.answer);
                box = m_program->WaitForMessageBox();
            }
        }
        EXPECT_EQ(box.text, Placed(step.box));
        EXPECT_EQ(box.style, step.style) << box.iconName << " icon";
        if (step.label) {
            Dismiss(box);
            Exit();
        } else {
            box.Answer(IDOK);
            EXPECT_EQ(m_program->WaitForExit(), 0u);
            m_program.reset();
        }
        ExpectUnchanged(before, step.changes);
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

const Step kInstalled = {nullptr, "Install", 0, nullptr, kDone, MB_ICONINFORMATION, "Warcraft III\\Orc Saga"};

// A campaign directory whose folder becomes a link to the sentinel while the question waits.
void SwapForALink(HostileDisk& disk)
{
    const std::string campaign = disk.Game() + "\\Orc Saga";
    ASSERT_TRUE(::MoveFileA(campaign.c_str(), (campaign + " moved").c_str()));
    test::MakeUnixLink(HostileDisk::Sentinel().Path(), disk.Game(), "Orc Saga", true);
}

// The same texts and arrangements for the 64-bit and the 32-bit program.
const HostileCase kCases[] = {
    // Windows checks "Camp ." as "Camp" but reads "Camp .\game.dll" inside "Camp .", and
    // Wine inside "Camp ", here a link back to the game directory, whose game.dll makes the
    // campaign look installed. The refusal comes before the uninstall question.
    {"TrimmedNameWithALinkBackToTheGame", "Camp .", "back.bmp", nullptr,
     {{nullptr, "Install", 0, [](HostileDisk& disk) { test::MakeUnixLink(disk.Game(), disk.Game(), "Camp ", true); },
       UnsafeInstallDirText("Camp ."), MB_ICONERROR, nullptr},
      {nullptr, "Uninstall", 0, nullptr, UnsafeInstallDirText("Camp ."), MB_ICONERROR, nullptr}}},
    // A campaign directory with a folder link to the game's maps and hard links to the game's
    // own files where the install writes.
    {"LinksInsideTheCampaignDirectory", "Orc Saga", "back.bmp",
     [](HostileDisk& disk) {
         disk.AddPlayersMaps();
         disk.Root().WriteFile("Warcraft III\\War3Patch.mpq", "the game's patch");
         disk.Package().WriteFile("Kestrane Files\\war3patch.mpq", "the campaign's patch");
         disk.Root().MakeDirectory("Warcraft III\\Orc Saga");
         test::MakeUnixLink(disk.Game() + "\\Maps", disk.Game() + "\\Orc Saga", "Maps", true);
         test::MakeUnixLink(disk.Game() + "\\War3Patch.mpq", disk.Game() + "\\Orc Saga", "war3patch.mpq", false);
         // Copied onto from the game's war3.exe, whose data it does not share.
         test::MakeUnixLink(disk.Game() + "\\war3.mpq", disk.Game() + "\\Orc Saga", "war3.exe", false);
     },
     {{nullptr, "Install", 0, nullptr, "Error: an error occured while copying \"Maps\\Chapter1.w3m\" campaign file!",
       MB_ICONERROR, "Warcraft III\\Orc Saga"}}},
    {"ThePlayersMapsFolder", "Maps", "back.bmp", [](HostileDisk& disk) { disk.AddPlayersMaps(); },
     {{nullptr, "Install", 0, nullptr, OthersFolderText("<game>\\Maps"), MB_ICONERROR, nullptr},
      // A stray library makes the folder look installed; the player removes it before the click.
      {[](HostileDisk& disk) { disk.Root().WriteFile("Warcraft III\\Maps\\game.dll", "a stray library"); },
       "Uninstall", 0, [](HostileDisk& disk) { ::DeleteFileA((disk.Game() + "\\Maps\\game.dll").c_str()); },
       OthersFolderText("<game>\\Maps"), MB_ICONERROR, nullptr}}},
    {"SwappedForALinkWhileTheQuestionWaitsThenYes", "Orc Saga", "back.bmp", nullptr,
     {kInstalled, {nullptr, "Uninstall", IDYES, SwapForALink, UnsafeInstallDirText("Orc Saga"), MB_ICONERROR, nullptr}}},
    {"SwappedForALinkWhileTheQuestionWaitsThenNo", "Orc Saga", "back.bmp", nullptr,
     {kInstalled, {nullptr, "Uninstall", IDNO, SwapForALink, UnsafeInstallDirText("Orc Saga"), MB_ICONERROR, nullptr}}},
    // The second names the package's own bitmap: a probe would find it and show the dialog.
    {"NetworkBackground", "Orc Saga", "\\\\host\\share\\back.bmp", nullptr,
     {{nullptr, nullptr, 0, nullptr, "Error: file not found: \\\\host\\share\\back.bmp", MB_ICONERROR, nullptr}}},
    {"BackgroundBehindTwoBackslashes", "Orc Saga", "\\\\?\\<package>\\back.bmp", nullptr,
     {{nullptr, nullptr, 0, nullptr, "Error: file not found: \\\\?\\<package>\\back.bmp", MB_ICONERROR, nullptr}}},
};

INSTANTIATE_TEST_SUITE_P(Layouts, HostileDisk, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kestrane::e2e

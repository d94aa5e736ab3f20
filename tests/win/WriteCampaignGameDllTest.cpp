#include "install/WriteCampaignGameDll.h"

#include "framework/UniqueHandle.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using namespace std::string_view_literals;
using test::kDirectory;
using test::Snapshot;
using test::Tree;

// The unit tests prove the rewrite; one reference is enough to tell the copy from the source.
const std::string kGameDll = "MZ war3.mpq\0abcd"s;

struct Outcome {
    std::vector<int> positions;
    OperationState state;
};

Outcome WriteGameDll(const test::TempFolder& game, const char* campaignDirectory)
{
    Outcome run;
    const auto setPosition = [&run](int position) { run.positions.push_back(position); };
    WriteCampaignGameDll(game.Path() + "\\", game / campaignDirectory, setPosition, run.state);
    return run;
}

// The earlier copy is a file of its own, one that another program holds for a moment, or a
// hard link to the game's own game.dll.
TEST(WriteCampaignGameDll, ReplacesAnEarlierCopyAndLeavesNoOtherFile)
{
    // An empty game.dll gives an empty copy, not a failure.
    for (const auto& [source, expected] : {std::pair{kGameDll, "MZ ..\\war3.mpq\0d"s}, std::pair{""s, ""s}}) {
        for (const char* earlier : {"own", "held", "linked"}) {
            test::TempFolder game;
            test::MakeTree(game.Path(), {{"Camp", kDirectory}, {"game.dll", source}});
            std::optional<test::BriefHold> held;
            if (earlier == "linked"sv) {
                test::MakeLink(game / "game.dll", game / "Camp\\game.dll", false);
            } else {
                test::WriteTextFile(game / "Camp\\game.dll", "an earlier, longer copy");
                if (earlier == "held"sv)
                    held.emplace(game / "Camp\\game.dll", FILE_SHARE_READ | FILE_SHARE_WRITE, 300ms);
            }
            const Outcome run = WriteGameDll(game, "Camp");
            EXPECT_EQ(run.positions, (std::vector<int>{600, 700, 800, 900})) << source.size() << " bytes, " << earlier;
            EXPECT_FALSE(run.state.error) << run.state.errorText;
            const Tree written = {{"Camp", kDirectory}, {"Camp\\game.dll", expected}, {"game.dll", source}};
            EXPECT_EQ(Snapshot(game.Path()), written);
        }
    }
}

TEST(WriteCampaignGameDll, FailsWithTheTextOfTheFailedStepAndLeavesEverythingAsItWas)
{
    const Tree installable = {{"Camp", kDirectory}, {"game.dll", kGameDll}};
    constexpr char kWriting[] = "Error: an error occured while writing game.dll campaign file!";
    struct Case {
        const char* name;
        Tree game;
        const char* campaign;
        std::vector<int> positions;
        const char* errorText;
        // As a running game would hold it.
        bool oldCopyHeldOpen = false;
    };
    const Case cases[] = {
        {"no game.dll in the game directory",
         {{"Camp", kDirectory}},
         "Camp",
         {},
         "Error: an error occured while reading game.dll!"},
        {"a directory named game.dll",
         {{"Camp", kDirectory}, {"Camp\\game.dll", kDirectory}, {"Camp\\game.dll\\in", "in"}, {"game.dll", kGameDll}},
         "Camp",
         {600, 900},
         kWriting},
        {"no campaign directory", installable, "Missing", {600, 900}, kWriting},
        {"the game directory as campaign directory", installable, ".", {600, 900}, kWriting},
        {"the old copy held open",
         {{"Camp", kDirectory}, {"Camp\\game.dll", "old"}, {"game.dll", kGameDll}},
         "Camp",
         {600, 700},
         "Error: an error occured while reading or writing game.dll campaign file!",
         true},
    };
    for (const auto& c : cases) {
        test::TempFolder game;
        test::MakeTree(game.Path(), c.game);
        UniqueFileHandle held;
        if (c.oldCopyHeldOpen) {
            held = UniqueFileHandle(::CreateFileA((game / "Camp\\game.dll").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held) << c.name;
        }
        const Outcome run = WriteGameDll(game, c.campaign);
        held.Close();

        EXPECT_EQ(run.positions, c.positions) << c.name;
        EXPECT_TRUE(run.state.error) << c.name;
        EXPECT_EQ(run.state.errorText, c.errorText) << c.name;
        EXPECT_EQ(Snapshot(game.Path()), c.game) << c.name << ": no half-made copy, nothing replaced";
    }
}

}  // namespace
}  // namespace kestrane

#include "install/WriteCampaignGameDll.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <vector>

namespace kestrane {
namespace {

using namespace std::string_literals;

constexpr char kReadingText[] = "Error: an error occured while reading game.dll!";
constexpr char kWritingText[] = "Error: an error occured while writing game.dll campaign file!";
constexpr char kReadingOrWritingText[] =
    "Error: an error occured while reading or writing game.dll campaign file!";

// A library holding each of the three texts, each in a different letter case, and a near miss.
const std::string kGameDll = "MZ\x90\0"s + "war3.mpq\0abc"s + "--" + "Redist\\Miles\0xyz"s + "--" + "WAR3.MPQx\0"s +
                             "LoadAllow Local Files!" + std::string(24, '\0');
// The same written out by hand: each reference climbs one directory, running over the three
// bytes behind its zero, and the name is exchanged for one of the same length.
const std::string kCampaignGameDll = "MZ\x90\0"s + "..\\war3.mpq\0"s + "--" + "..\\redist\\miles\0"s + "--" +
                                     "WAR3.MPQx\0"s + "LoadCampaign LocFiles!" + std::string(24, '\0');

struct Outcome {
    std::vector<int> positions;
    OperationState state;
};

Outcome WriteGameDll(const std::string& gameDirectory, const std::string& campaignDirectory)
{
    Outcome run;
    WriteCampaignGameDll(gameDirectory, campaignDirectory, [&run](int position) { run.positions.push_back(position); },
                         run.state);
    return run;
}

std::set<std::string> Names(const std::string& directory)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
            names.insert(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// A game directory with the given game.dll and a campaign directory "Camp" below it.
struct Directories {
    test::TempFolder game;
    std::string gameDirectory = game.Path() + "\\";
    std::string campaign = game / "Camp";

    explicit Directories(const std::string& gameDll)
    {
        test::WriteTextFile(game / "game.dll", gameDll);
        ::CreateDirectoryA(campaign.c_str(), nullptr);
    }
};

TEST(WriteCampaignGameDll, WritesTheRewrittenCopyWhetherOrNotOneWasThere)
{
    struct Case {
        const char* name;
        std::string source;
        const char* earlier;  // an earlier campaign game.dll, or none
        std::string expected;
    };
    const Case cases[] = {
        {"fresh", kGameDll, nullptr, kCampaignGameDll},
        {"over an earlier one", kGameDll, "an earlier and longer campaign game.dll", kCampaignGameDll},
        {"empty", "", nullptr, ""},
        {"empty over an earlier one", "", "earlier", ""},
    };
    for (const auto& [name, source, earlier, expected] : cases) {
        Directories directories(source);
        if (earlier)
            test::WriteTextFile(directories.campaign + "\\game.dll", earlier);

        const Outcome run = WriteGameDll(directories.gameDirectory, directories.campaign);

        EXPECT_EQ(run.positions, (std::vector<int>{600, 700, 800, 900})) << name;
        EXPECT_FALSE(run.state.error) << name << ": " << run.state.errorText;
        EXPECT_EQ(run.state.errorText, "Error!") << name;
        EXPECT_EQ(test::ReadTextFile(directories.campaign + "\\game.dll"), expected) << name;
        EXPECT_EQ(Names(directories.campaign), std::set<std::string>{"game.dll"}) << name;
        EXPECT_EQ(test::ReadTextFile(directories.game / "game.dll"), source) << name << ": the game's own changed";
    }
}

TEST(WriteCampaignGameDll, FailsWithTheTextAndPositionsOfTheStepThatFailed)
{
    enum class Trouble { NoSource, DirectoryInTheWay, NoCampaignDirectory, CampaignIsTheGame, DestinationHeldOpen };
    struct Case {
        const char* name;
        Trouble trouble;
        std::vector<int> positions;
        const char* errorText;
    };
    const Case cases[] = {
        {"no game.dll in the game directory", Trouble::NoSource, {}, kReadingText},
        {"a directory named game.dll", Trouble::DirectoryInTheWay, {600, 900}, kWritingText},
        {"no campaign directory", Trouble::NoCampaignDirectory, {600, 900}, kWritingText},
        {"the game directory as campaign directory", Trouble::CampaignIsTheGame, {600, 900}, kWritingText},
        {"the old copy held open", Trouble::DestinationHeldOpen, {600, 700}, kReadingOrWritingText},
    };
    for (const auto& [name, trouble, positions, errorText] : cases) {
        Directories directories(kGameDll);
        std::string campaign = directories.campaign;
        std::set<std::string> campaignNames;
        HANDLE held = INVALID_HANDLE_VALUE;
        switch (trouble) {
        case Trouble::NoSource:
            ::DeleteFileA((directories.game / "game.dll").c_str());
            break;
        case Trouble::DirectoryInTheWay:
            ::CreateDirectoryA((campaign + "\\game.dll").c_str(), nullptr);
            test::WriteTextFile(campaign + "\\game.dll\\inside.txt", "inside");
            campaignNames = {"game.dll"};
            break;
        case Trouble::NoCampaignDirectory:
            campaign = directories.game / "Missing";
            break;
        case Trouble::CampaignIsTheGame:
            campaign = directories.game / ".";
            break;
        case Trouble::DestinationHeldOpen:
            test::WriteTextFile(campaign + "\\game.dll", "old");
            held = ::CreateFileA((campaign + "\\game.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE) << name;
            campaignNames = {"game.dll"};
            break;
        }
        const std::set<std::string> gameNames = Names(directories.game.Path());

        const Outcome run = WriteGameDll(directories.gameDirectory, campaign);
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);

        EXPECT_EQ(run.positions, positions) << name;
        EXPECT_TRUE(run.state.error) << name;
        EXPECT_EQ(run.state.errorText, errorText) << name;
        // Nothing was written, and no half-made copy is left anywhere.
        EXPECT_EQ(Names(directories.campaign), campaignNames) << name;
        EXPECT_EQ(Names(directories.game.Path()), gameNames) << name;
        if (trouble != Trouble::NoSource) {
            EXPECT_EQ(test::ReadTextFile(directories.game / "game.dll"), kGameDll) << name << ": the game's own changed";
        }
        if (trouble == Trouble::DirectoryInTheWay) {
            EXPECT_EQ(test::ReadTextFile(directories.campaign + "\\game.dll\\inside.txt"), "inside") << name;
        }
        if (trouble == Trouble::DestinationHeldOpen) {
            EXPECT_EQ(test::ReadTextFile(directories.campaign + "\\game.dll"), "old") << name;
        }
    }
}

}  // namespace
}  // namespace kestrane

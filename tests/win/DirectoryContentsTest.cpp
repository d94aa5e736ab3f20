#include "install/DirectoryContents.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace kestrane {
namespace {

using test::kDirectory;
using test::kLink;
using test::MakeTree;
using test::ReadWideFile;
using test::Snapshot;
using test::Tree;
using test::WideFromUtf8;
using test::WriteWideFile;

void SetAttributes(const std::string& path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << path;
}

// Plain, hidden, read-only and extension-less files, nesting and an empty directory.
const Tree kCampaignFiles = {
    {"Maps", kDirectory},
    {"Maps\\Chapter1.w3m", "chapter one"},
    {"Maps\\Deeper", kDirectory},
    {"Maps\\Deeper\\Deepest", kDirectory},
    {"Maps\\Deeper\\Deepest\\secret.w3m", "secret"},
    {"Saves", kDirectory},
    {"hidden.dat", "hidden"},
    {"read-only.txt", "read only"},
    {"README", "no extension"},
};

TEST(CopyDirectoryContents, MergesEveryEntryOverAnEarlierCopyButNoLinkedDirectory)
{
    test::TempFolder outside;
    test::TempFolder destination;
    const std::string source = outside / "Kestrane Files";
    MakeTree(outside.Path(), {{"Kestrane Files", kDirectory}, {"elsewhere.txt", "outside"}});
    MakeTree(source, kCampaignFiles);
    SetAttributes(source + "\\hidden.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(source + "\\read-only.txt", FILE_ATTRIBUTE_READONLY);
    // Links to an ancestor would have a copy that follows them recurse without end.
    test::MakeLink(outside.Path(), source + "\\loop");
    test::MakeLink(source, source + "\\Maps\\Deeper\\loop");
    const Tree playersOwn = {
        {"Maps\\mine.w3m", "the player's own map"},
        {"Saves\\Chapter1.w3z", "a saved game"},
        {"Extra", kDirectory},
        {"Extra\\notes.txt", "notes"},
    };
    Tree earlier = playersOwn;
    earlier.insert({{"Maps", kDirectory}, {"Maps\\Chapter1.w3m", "older"}, {"Saves", kDirectory}, {"README", "older"}});
    MakeTree(destination.Path(), earlier);

    std::vector<std::string> notPlaced;
    const auto record = [&notPlaced](const std::string& relativePath) { notPlaced.push_back(relativePath); };
    EXPECT_EQ(CopyDirectoryContents(outside / "missing", destination.Path(), record), 0);
    EXPECT_NE(CopyDirectoryContents(source, destination.Path(), record), 0);
    EXPECT_EQ(notPlaced, std::vector<std::string>{});
    Tree expected = kCampaignFiles;
    expected.insert(playersOwn.begin(), playersOwn.end());
    EXPECT_EQ(Snapshot(destination.Path()), expected);
}

// Names the ANSI code page cannot hold, or that its best fit would turn into a path out of the
// destination, and destinations that lead out of it: a folder link and a hard link.
TEST(CopyDirectoryContents, PlacesEveryNameExactlyAndNeverWritesThroughALink)
{
    test::TempFolder outside;
    test::TempFolder source;
    test::TempFolder parent;
    const std::string destination = parent / "Camp";
    MakeTree(outside.Path(), {{"Maps", kDirectory}, {"Maps\\Chapter1.w3m", "the game's map"}, {"patch", "the game's"}});
    MakeTree(parent.Path(), {{"Storm.dll", "the game's Storm"}, {"Camp", kDirectory}});
    test::MakeLink(outside / "Maps", destination + "\\Maps");
    ASSERT_TRUE(::CreateHardLinkW(WideFromUtf8(destination + "\\war3patch.mpq").c_str(),
                                  WideFromUtf8(outside / "patch").c_str(), nullptr));
    const char* names[] = {"地図.w3m", "Карта.w3m", "..＼Storm.dll", "war3patch.mpq"};
    MakeTree(source.Path(), {{"Maps", kDirectory}, {"Maps\\Chapter1.w3m", "the campaign's map"}});
    for (const char* name : names)
        WriteWideFile(WideFromUtf8(source / name), "x");

    std::vector<std::string> notPlaced;
    EXPECT_NE(
        CopyDirectoryContents(source.Path(), destination,
                              [&notPlaced](const std::string& relativePath) { notPlaced.push_back(relativePath); }),
        0);
    for (const char* name : names)
        EXPECT_EQ(ReadWideFile(WideFromUtf8(destination + "\\" + name)), "x") << name;
    EXPECT_EQ(notPlaced, (std::vector<std::string>{"Maps", "Maps\\Chapter1.w3m"}));
    EXPECT_EQ(Snapshot(outside.Path()),
              (Tree{{"Maps", kDirectory}, {"Maps\\Chapter1.w3m", "the game's map"}, {"patch", "the game's"}}));
    EXPECT_EQ(test::ReadTextFile(parent / "Storm.dll"), "the game's Storm");
}

TEST(DeleteDirectoryContents, KeepsTheDirectoryAndAReadOnlyFileWithEveryDirectoryAboveIt)
{
    test::TempFolder folder;
    MakeTree(folder.Path(), kCampaignFiles);
    SetAttributes(folder / "hidden.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::string secret = folder / "Maps\\Deeper\\Deepest\\secret.w3m";
    SetAttributes(secret, FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(DeleteDirectoryContents(folder / "missing"), Deleted::NotListed);
    EXPECT_EQ(DeleteDirectoryContents(folder.Path()), Deleted::Partly);
    const Tree kept = {{"Maps", kDirectory},
                       {"Maps\\Deeper", kDirectory},
                       {"Maps\\Deeper\\Deepest", kDirectory},
                       {"Maps\\Deeper\\Deepest\\secret.w3m", "secret"}};
    EXPECT_EQ(Snapshot(folder.Path()), kept);

    SetAttributes(secret, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(DeleteDirectoryContents(folder.Path()), Deleted::Everything);
    EXPECT_EQ(Snapshot(folder.Path()), Tree{});
    EXPECT_NE(::GetFileAttributesA(folder.Path().c_str()), INVALID_FILE_ATTRIBUTES) << "the directory went too";
}

// One file held without delete sharing, whose deletion waits for it, and one shared for
// deletion, which goes only when its holder lets go, and keeps its folder until then.
TEST(DeleteDirectoryContents, WaitsForOtherProgramsToLetGoOfWhatItDeletes)
{
    test::TempFolder folder;
    MakeTree(folder.Path(), kCampaignFiles);
    const test::BriefHold scanned(folder / "Maps\\Chapter1.w3m", FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  std::chrono::milliseconds(300));
    const test::BriefHold indexed(folder / "Maps\\Deeper\\Deepest\\secret.w3m",
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  std::chrono::milliseconds(300));
    EXPECT_EQ(DeleteDirectoryContents(folder.Path()), Deleted::Everything);
    EXPECT_TRUE(RemoveDirectoryAfter(folder.Path(), Deleted::Everything)) << ::GetLastError();
    EXPECT_EQ(::GetFileAttributesA(folder.Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(DeleteDirectoryContents, RemovesLinksButNeverWhatTheyPointTo)
{
    // Declared first so that it goes last, when no link points into it any more.
    test::TempFolder outside;
    test::TempFolder folder;
    MakeTree(folder.Path(), kCampaignFiles);
    const Tree outsideFiles = {{"Full", kDirectory}, {"Full\\keep.txt", "keep me"}, {"Empty", kDirectory}};
    MakeTree(outside.Path(), outsideFiles);
    // Wine 8 removed the empty target of a link that RemoveDirectoryA was given.
    test::MakeLink(outside / "Full", folder / "Maps\\full link");
    test::MakeLink(outside / "Empty", folder / "Maps\\Deeper\\empty link");

    EXPECT_EQ(DeleteDirectoryContents(folder.Path()), test::RunningOnWine() ? Deleted::Partly : Deleted::Everything);
    EXPECT_EQ(Snapshot(outside.Path()), outsideFiles);
    // Windows opens a link itself and lets it go; Wine 8 opens a Unix link's target, so the
    // link stays, and the directories above it.
    const Tree left = Snapshot(folder.Path());
    const Tree links = {
        {"Maps", kDirectory},
        {"Maps\\full link", kLink},
        {"Maps\\Deeper", kDirectory},
        {"Maps\\Deeper\\empty link", kLink},
    };
    EXPECT_EQ(left, test::RunningOnWine() ? links : Tree{});
}

}  // namespace
}  // namespace kestrane

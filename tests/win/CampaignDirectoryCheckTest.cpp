#include "install/CampaignDirectoryCheck.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace kestrane {
namespace {

TEST(IsCampaignDirectorySafe, AcceptsOnlyFoldersStrictlyInsideTheGameDirectory)
{
    test::TempFolder game;
    test::TempFolder outside;
    ::CreateDirectoryA((game / "Existing").c_str(), nullptr);
    test::MakeDirectoryLink(outside.Path(), game / "Link");

    struct Case {
        const char* installDir;
        bool safe;
    };
    const Case cases[] = {
        {"Campaign", true},
        {"Existing", true},
        {"Existing\\Deeper", true},
        {"Missing\\Deeper", true},
        {"Campaign\\", true},
        {"", false},
        {".", false},
        {"..", false},
        {"...", false},
        {"Campaign\\..", false},
        {"Campaign\\..\\..\\Elsewhere", false},
        {"\\", false},
        // Windows drops trailing dots and blanks of a name.
        {". .", false},
        {"Link", false},
        {"Link\\Campaign", false},
    };
    for (const auto& [installDir, safe] : cases) {
        for (const std::string& field : {game.Path(), game.Path() + "\\"}) {
            const OperationPaths paths = MakeOperationPaths(field, installDir);
            EXPECT_EQ(IsCampaignDirectorySafe(paths), safe)
                << "INSTALLDIR \"" << installDir << "\" in " << paths.gameDirectory;
        }
    }
}

TEST(IsCampaignDirectorySafe, TreatsAnEmptyFieldAsTheRootOfTheCurrentDrive)
{
    // An empty field gives the game directory "\", the root of the current drive.
    EXPECT_TRUE(IsCampaignDirectorySafe(MakeOperationPaths("", "Campaign")));
    EXPECT_FALSE(IsCampaignDirectorySafe(MakeOperationPaths("", "")));
}

}  // namespace
}  // namespace kestrane

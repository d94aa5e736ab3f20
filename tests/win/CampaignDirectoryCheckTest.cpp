#include "install/CampaignDirectoryCheck.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

namespace kestrane {
namespace {

// The end-to-end runs refuse "", ".", "..", "...", drives and ". ."; these need the file system.
TEST(IsCampaignDirectorySafe, AcceptsOnlyFoldersStrictlyInsideTheGameDirectoryAndNoLink)
{
    test::TempFolder outside;
    test::TempFolder game;
    ::CreateDirectoryA((game / "Existing").c_str(), nullptr);
    test::MakeLink(outside.Path(), game / "Link");
    const std::tuple<std::string, const char*, bool> cases[] = {
        {game.Path(), "Existing\\Deeper", true},
        {game.Path(), "Missing\\Deeper", true},
        {game.Path(), "Campaign\\", true},
        {game.Path(), "Campaign\\..", false},
        {game.Path(), "Campaign\\..\\..\\Elsewhere", false},
        {game.Path(), "\\", false},
        {game.Path(), "Link", false},
        {game.Path(), "Link\\Campaign", false},
        // Windows would check "Camp" and then write into "Camp ." or "Camp ".
        {game.Path(), "Camp .", false},
        {game.Path(), "Camp \\Deeper", false},
        {game.Path(), "Camp.One", true},
        // An empty field gives the game directory "\", the root of the current drive.
        {"", "Campaign", true},
        {"", "", false},
    };
    for (const auto& [field, installDir, safe] : cases) {
        EXPECT_EQ(IsCampaignDirectorySafe(MakeOperationPaths(field, installDir)), safe)
            << "INSTALLDIR \"" << installDir << "\" in \"" << field << "\"";
    }
}

}  // namespace
}  // namespace kestrane

#include "install/OperationPaths.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

// A game directory typed with and without its "\" is installed into on the real program.
TEST(MakeOperationPaths, AddsOneSeparatorToTheGameDirectoryOnly)
{
    // The field, INSTALLDIR, and the game and campaign directories they give.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"", "Camp", "\\", "\\Camp"},
        // Unlike the field's own rule, a drive alone still gets its separator here.
        {"D:", "Camp", "D:\\", "D:\\Camp"},
        {"C:\\War3", "X\\", "C:\\War3\\", "C:\\War3\\X\\"},
        {"C:\\War3", "", "C:\\War3\\", "C:\\War3\\"},
    };
    for (const auto& [field, installDir, game, campaign] : cases) {
        const OperationPaths paths = MakeOperationPaths(field, installDir);
        EXPECT_EQ(paths.gameDirectory, game) << field;
        EXPECT_EQ(paths.campaignDirectory, campaign) << field << " + " << installDir;
    }
}

TEST(IsStrictlyBelow, AcceptsOnlyFoldersInsideTheDirectory)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"C:\\War3\\", "C:\\War3\\Camp", true},   {"C:\\War3", "C:\\War3\\Camp\\", true},
        {"C:\\War3\\", "c:\\war3\\A\\B", true},   {"C:\\", "C:\\Camp", true},
        {"C:\\War3\\", "C:\\War3\\", false},      {"C:\\War3\\", "C:\\War3", false},
        {"C:\\War3\\", "C:\\War3\\\\", false},    {"C:\\War3\\", "C:\\", false},
        {"C:\\War3\\", "C:\\War3x", false},       {"C:\\War3\\", "C:\\War", false},
        {"C:\\War3\\", "D:\\War3\\Camp", false},  {"", "C:\\Camp", false},
        {"C:\\War3\\", "", false},
    };
    for (const auto& [directory, candidate, expected] : cases)
        EXPECT_EQ(IsStrictlyBelow(directory, candidate), expected) << candidate << " below " << directory;
}

}  // namespace
}  // namespace kestrane

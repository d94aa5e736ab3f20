#include "install/core/OperationPaths.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

// A game directory typed with and without its "\" is installed into on the real program.
TEST(MakeOperationPaths, AddsOneSeparatorToTheGameDirectoryOnly)
{
    // The field, INSTALLDIR, the code page, and the game and campaign directories they give.
    const std::tuple<const char*, const char*, unsigned, const char*, const char*> cases[] = {
        {"", "Camp", 1252, "\\", "\\Camp"},
        // Unlike the field's own rule, a drive alone still gets its separator here.
        {"D:", "Camp", 1252, "D:\\", "D:\\Camp"},
        {"C:\\War3", "X\\", 1252, "C:\\War3\\", "C:\\War3\\X\\"},
        {"C:\\War3", "", 1252, "C:\\War3\\", "C:\\War3\\"},
        {"C:\\War3\\", "Camp", 932, "C:\\War3\\", "C:\\War3\\Camp"},
        // "表" (95 5C) in 932; "•\" in 1252.
        {"C:\\\x95\x5C", "Camp", 932, "C:\\\x95\x5C\\", "C:\\\x95\x5C\\Camp"},
        {"C:\\\x95\x5C", "Camp", 1252, "C:\\\x95\x5C",
         "C:\\\x95\x5C"
         "Camp"},
        {"C:\\\x95\x5C\\", "\x95\x5C", 932, "C:\\\x95\x5C\\", "C:\\\x95\x5C\\\x95\x5C"},
    };
    for (const auto& [field, installDir, codePage, game, campaign] : cases) {
        const OperationPaths paths = MakeOperationPaths(field, installDir, LeadByteRuleOf(codePage));
        EXPECT_EQ(paths.gameDirectory, game) << ::testing::PrintToString(field) << " in " << codePage;
        EXPECT_EQ(paths.campaignDirectory, campaign) << ::testing::PrintToString(field) << " in " << codePage;
    }
}

TEST(IsStrictlyBelow, AcceptsOnlyFoldersInsideTheDirectory)
{
    // Where 932 differs: "表" is 95 5C, and "ア" (83 41) and "ャ" (83 61) differ only in the
    // case their second bytes would have as ASCII letters.
    const std::tuple<const char*, const char*, bool, bool> cases[] = {
        {"C:\\War3\\", "C:\\War3\\Camp", true, true},
        {"C:\\War3", "C:\\War3\\Camp\\", true, true},
        {"C:\\War3\\", "c:\\war3\\A\\B", true, true},
        {"C:\\", "C:\\Camp", true, true},
        {"C:\\War3\\", "C:\\War3\\", false, false},
        {"C:\\War3\\", "C:\\War3", false, false},
        {"C:\\War3\\", "C:\\War3\\\\", false, false},
        {"C:\\War3\\", "C:\\", false, false},
        {"C:\\War3\\", "C:\\War3x", false, false},
        {"C:\\War3\\", "C:\\War", false, false},
        {"C:\\War3\\", "D:\\War3\\Camp", false, false},
        {"", "C:\\Camp", false, false},
        {"C:\\War3\\", "", false, false},
        {"C:\\\x95\x5C", "C:\\\x95\x5C\\Camp", true, true},
        {"C:\\\x95\x5C",
         "C:\\\x95\x5C"
         "Camp",
         true, false},
        {"C:\\\x95",
         "C:\\\x95\x5C"
         "Camp",
         true, false},
        {"C:\\\x83\x41", "C:\\\x83\x61\\Camp", true, false},
    };
    for (const auto& [directory, candidate, in1252, in932] : cases) {
        EXPECT_EQ(IsStrictlyBelow(directory, candidate, LeadByteRuleOf(1252)), in1252)
            << ::testing::PrintToString(candidate) << " below " << ::testing::PrintToString(directory);
        EXPECT_EQ(IsStrictlyBelow(directory, candidate, LeadByteRuleOf(932)), in932)
            << ::testing::PrintToString(candidate) << " below " << ::testing::PrintToString(directory) << " in 932";
    }
}

}  // namespace
}  // namespace kestrane

#include "package/PackageDescription.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

struct SanitiseCase {
    const char* value;
    const char* cleaned;
};

TEST(SanitiseInstallDir, CleansEveryValueOfTheTable)
{
    const SanitiseCase cases[] = {
        {R"(..\..\Campaigns\My Campaign\)", R"(Campaigns\My Campaign)"},
        {R"(C:\Games\X)", R"(Games\X)"},
        // The trailing backslash is examined before the colon is handled.
        {R"(C:\X\:)", R"(X\)"},
        {R"(.\Chapter.One)", "Chapter.One"},
        {R"(My\.hidden)", "Myhidden"},
        {R"(a\...\b)", "ab"},
        {R"(...\x)", ".x"},
        {R"(x\\\y)", R"(x\y)"},
        {"D:", ""},
        {R"(C:\)", ""},
        {R"(\\server\share\c)", R"(server\share\c)"},
        {"Campaign", "Campaign"},
        {"", ""},
        {R"(\\\\)", ""},
        {R"(a:b:c)", "bc"},
        {R"(..)", ".."},
        {R"(.\.\x)", "x"},
        {R"(a\..\b)", R"(a\b)"},
    };
    for (const auto& [value, cleaned] : cases) {
        std::string text = value;
        SanitiseInstallDir(text);
        EXPECT_EQ(text, cleaned) << "value: " << value;
    }
}

TEST(SanitiseInstallDir, EachPassRemovesOnlyWhatStoodBeforeIt)
{
    // Removing "..\" joins "." and ".\" into a new "..\", which that pass does not search
    // again; the ".\" pass then leaves ".". Searching again would have left nothing.
    std::string joined = R"(...\.\)";
    SanitiseInstallDir(joined);
    EXPECT_EQ(joined, ".");

    // Four backslashes are two non-overlapping pairs; three leave one behind.
    std::string four = R"(a\\\\b)";
    SanitiseInstallDir(four);
    EXPECT_EQ(four, "ab");
}

}  // namespace
}  // namespace kestrane

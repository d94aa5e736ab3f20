#include "package/PackageDescription.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(SanitiseInstallDir, CleansEveryValueOfTheTable)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"(..\..\Campaigns\My Campaign\)", R"(Campaigns\My Campaign)"},
        {R"(C:\Games\X)", R"(Games\X)"},
        // The trailing backslash is examined before the colon is handled.
        {R"(C:\X\:)", R"(X\)"},
        {R"(.\Chapter.One)", "Chapter.One"}, {R"(My\.hidden)", "Myhidden"},   {R"(a\...\b)", "ab"},
        {R"(...\x)", ".x"},                  {R"(x\\\y)", R"(x\y)"},         {"D:", ""},
        {R"(C:\)", ""},                      {R"(\\server\share\c)", R"(server\share\c)"},
        {"Campaign", "Campaign"},            {"", ""},                       {R"(\\\\)", ""},
        {R"(a:b:c)", "bc"},                  {R"(..)", ".."},                {R"(.\.\x)", "x"},
        {R"(a\..\b)", R"(a\b)"},
        // Each pass removes only what stood before it: removing "..\" joins "." and ".\" into a
        // new "..\", which that pass does not search again, and the ".\" pass then leaves ".".
        {R"(...\.\)", "."},
        // Four backslashes are two non-overlapping pairs; three leave one behind.
        {R"(a\\\\b)", "ab"},
    };
    for (auto [value, cleaned] : cases) {
        const std::string written = value;
        SanitiseInstallDir(value);
        EXPECT_EQ(value, cleaned) << "value: " << written;
    }
}

}  // namespace
}  // namespace kestrane

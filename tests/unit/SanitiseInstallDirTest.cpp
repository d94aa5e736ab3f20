#include "package/core/PackageDescription.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

TEST(SanitiseInstallDir, CleansEveryValueOfTheTable)
{
    // Every value cleans alike in 1252 and 932 unless it has a 932 column of its own.
    const std::tuple<std::string, std::string, std::string> twoByte[] = {
        // "表" (95 5C), "\", "x": in 1252, "•" and "\\" then "x".
        {"\x95\x5C\x5Cx", "\x95x", "\x95\x5C\x5Cx"},
        {"\x95\x5C\x5C\x5Cx", "\x95\x5Cx", "\x95\x5Cx"},
        {"\x95\x5C", "\x95", "\x95\x5C"},
        {"\x95\x5C\x5C", "\x95", "\x95\x5C"},
        {"\x83\x5C..\x5C", "\x83", "\x83\x5C"},
        {"\x83\x5C.x", "\x83x", "\x83\x5C.x"},
        // No character has ":" for its second byte: after a lead byte it is a colon all the same.
        {"\x95:x", "x", "x"},
    };
    for (auto [value, in1252, in932] : twoByte) {
        std::string cleaned1252 = value;
        std::string cleaned932 = value;
        SanitiseInstallDir(cleaned1252, LeadByteRuleOf(1252));
        SanitiseInstallDir(cleaned932, LeadByteRuleOf(932));
        EXPECT_EQ(cleaned1252, in1252) << "value: " << ::testing::PrintToString(value);
        EXPECT_EQ(cleaned932, in932) << "value: " << ::testing::PrintToString(value);
    }

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
    for (const auto& [value, cleaned] : cases) {
        for (const unsigned codePage : {1252u, 932u}) {
            std::string written = value;
            SanitiseInstallDir(written, LeadByteRuleOf(codePage));
            EXPECT_EQ(written, cleaned) << "value: " << value << ", code page " << codePage;
        }
    }
}

}  // namespace
}  // namespace kestrane

#include "package/core/PackageDescription.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

TEST(SanitiseInstallDir, CleansEveryValueOfTheTable)
{
    // Every value cleans alike in 1252 and 932 unless a 932 result is given.
    const std::tuple<std::string, std::string, const char*> cases[] = {
        {R"(..\..\Campaigns\My Campaign\)", R"(Campaigns\My Campaign)", nullptr},
        {R"(C:\Games\X)", R"(Games\X)", nullptr},
        // The trailing backslash is examined before the colon is handled.
        {R"(C:\X\:)", R"(X\)", nullptr},
        {R"(.\Chapter.One)", "Chapter.One", nullptr},
        {R"(My\.hidden)", "Myhidden", nullptr},
        {R"(a\...\b)", "ab", nullptr},
        {R"(...\x)", ".x", nullptr},
        {R"(x\\\y)", R"(x\y)", nullptr},
        {"D:", "", nullptr},
        {R"(C:\)", "", nullptr},
        {R"(\\server\share\c)", R"(server\share\c)", nullptr},
        {"Campaign", "Campaign", nullptr},
        {"", "", nullptr},
        {R"(\\\\)", "", nullptr},
        {R"(a:b:c)", "bc", nullptr},
        {R"(..)", "..", nullptr},
        {R"(.\.\x)", "x", nullptr},
        {R"(a\..\b)", R"(a\b)", nullptr},
        // Each pass removes only what stood before it: removing "..\" joins "." and ".\" into a
        // new "..\", which that pass does not search again, and the ".\" pass then leaves ".".
        {R"(...\.\)", ".", nullptr},
        // Four backslashes are two non-overlapping pairs; three leave one behind.
        {R"(a\\\\b)", "ab", nullptr},
        // "表" (95 5C), "\", "x": in 1252, "•" and "\\" then "x".
        {"\x95\x5C\x5Cx", "\x95x", "\x95\x5C\x5Cx"},
        {"\x95\x5C\x5C\x5Cx", "\x95\x5Cx", "\x95\x5Cx"},
        {"\x95\x5C", "\x95", "\x95\x5C"},
        {"\x95\x5C\x5C", "\x95", "\x95\x5C"},
        {"\x83\x5C..\x5C", "\x83", "\x83\x5C"},
        {"\x83\x5C.x", "\x83x", "\x83\x5C.x"},
        // No character has ":" for its second byte: after a lead byte it is a colon all the same.
        {"\x95:x", "x", nullptr},
    };
    for (const auto& [value, in1252, in932] : cases) {
        for (const unsigned codePage : {1252u, 932u}) {
            std::string written = value;
            SanitiseInstallDir(written, LeadByteRuleOf(codePage));
            EXPECT_EQ(written, codePage == 932 && in932 ? in932 : in1252)
                << "value: " << ::testing::PrintToString(value) << ", code page " << codePage;
        }
    }
}

}  // namespace
}  // namespace kestrane

#include "app/core/InstallPath.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

TEST(GameDirectoryFromInstallPath, EndsInASeparatorOrColon)
{
    using namespace std::string_view_literals;
    // Alike in 1252 and 932 unless a 932 result is given: "表" is 95 5C there.
    const std::tuple<std::string_view, const char*, const char*> cases[] = {
        {"C:\\Games\\Warcraft III\\", "C:\\Games\\Warcraft III\\", nullptr},
        {"C:\\Games\\Warcraft III  \t", "C:\\Games\\Warcraft III\\", nullptr},
        {"D:", "D:", nullptr},
        {"", "\\", nullptr},
        {"   ", "\\", nullptr},
        // The reported byte count includes the terminating zero; the text ends at the first one.
        {"C:\\War3\0junk"sv, "C:\\War3\\", nullptr},
        {"\0C:\\War3"sv, "\\", nullptr},
        {" C:\\War3", " C:\\War3\\", nullptr},
        {"C:\\\x95\x5C ", "C:\\\x95\x5C", "C:\\\x95\x5C\\"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\", nullptr},
    };
    for (const auto& [value, in1252, in932] : cases) {
        EXPECT_EQ(GameDirectoryFromInstallPath(value, LeadByteRuleOf(1252)), in1252)
            << ::testing::PrintToString(std::string(value));
        EXPECT_EQ(GameDirectoryFromInstallPath(value, LeadByteRuleOf(932)), in932 ? in932 : in1252)
            << ::testing::PrintToString(std::string(value)) << " in 932";
    }
}

}  // namespace
}  // namespace kestrane

#include "app/InstallPath.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(GameDirectoryFromInstallPath, EndsInASeparatorOrColon)
{
    using namespace std::string_view_literals;
    const std::pair<std::string_view, const char*> cases[] = {
        {"C:\\Games\\Warcraft III\\", "C:\\Games\\Warcraft III\\"},
        {"C:\\Games\\Warcraft III  \t", "C:\\Games\\Warcraft III\\"},
        {"D:", "D:"},
        {"", "\\"},
        {"   ", "\\"},
        // The reported byte count includes the terminating zero; the text ends at the first one.
        {"C:\\War3\0junk"sv, "C:\\War3\\"},
        {"\0C:\\War3"sv, "\\"},
        {" C:\\War3", " C:\\War3\\"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(GameDirectoryFromInstallPath(value), expected) << ::testing::PrintToString(std::string(value));
}

}  // namespace
}  // namespace kestrane

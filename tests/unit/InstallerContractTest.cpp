#include "common/InstallerContract.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace kestrane {
namespace {

TEST(CampaignLibraryPath, JoinsTheGameDirectoryTheInstallDirAndGameDll)
{
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"D:", "Camp", "D:Camp\\game.dll"}, {"", "Camp", "Camp\\game.dll"},
        {"\\", "Camp", "\\Camp\\game.dll"}, {"C:\\W3\\", "", "C:\\W3\\\\game.dll"},
    };
    for (const auto& [gameDirectory, installDir, expected] : cases)
        EXPECT_EQ(CampaignLibraryPath(gameDirectory, installDir), expected) << gameDirectory << " + " << installDir;
}

}  // namespace
}  // namespace kestrane

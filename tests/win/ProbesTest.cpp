#include "framework/Probes.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

namespace kestrane {
namespace {

// The end-to-end runs probe plain files, plain directories and missing names.
TEST(Probes, TellFilesFromDirectoriesByTheFirstEntryThatMatches)
{
    test::TempFolder folder;
    test::WriteTextFile(folder / "war3.mpq", "x");
    test::WriteTextFile(folder / "hidden.dll", "x");
    ::SetFileAttributesA((folder / "hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryA((folder / "Campaign").c_str(), nullptr);
    const std::tuple<std::string, bool, bool> cases[] = {
        {folder / "hidden.dll", true, false},
        {folder / "Campaign\\", false, false},
        {folder / "war3.*", true, false},
        {folder / "Camp*", false, true},
        {folder / "Campaign\\.", false, true},
        {folder / "Campaign\\..", false, true},
        {"", false, false},
        {"Q:\\no drive\\x", false, false},
    };
    for (const auto& [path, file, directory] : cases) {
        EXPECT_EQ(FileExists(path), file) << "FileExists(" << path << ")";
        EXPECT_EQ(DirectoryExists(path), directory) << "DirectoryExists(" << path << ")";
    }
}

}  // namespace
}  // namespace kestrane

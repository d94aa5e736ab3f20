#include "app/Probes.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace kestrane {
namespace {

TEST(Probes, TellFilesFromDirectories)
{
    test::TempFolder folder;
    test::WriteTextFile(folder / "war3.mpq", "x");
    test::WriteTextFile(folder / "hidden.dll", "x");
    ::SetFileAttributesA((folder / "hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryA((folder / "Campaign").c_str(), nullptr);
    test::CurrentDirectoryScope inFolder(folder.Path());

    struct Case {
        std::string path;
        bool file;
        bool directory;
    };
    const Case cases[] = {
        {folder / "war3.mpq", true, false},
        {"war3.mpq", true, false},
        {folder / "hidden.dll", true, false},
        {folder / "Campaign", false, true},
        {"Campaign", false, true},
        {folder / "Campaign\\", false, false},
        {folder / "missing", false, false},
        {folder / "missing\\war3.mpq", false, false},
        // Patterns: wildcards match the first fitting entry.
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

#include "framework/FileFinder.h"
#include "framework/WideText.h"

#include "app/Probes.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <tuple>

namespace kestrane {
namespace {

// The copy and delete tests prove the kinds on real trees; this proves the paths and that each
// entry comes once: a second listing of a name doubles its facts.
TEST(FileFinder, ListsEachEntryOnceWithItsKindAndFullPathForARelativePattern)
{
    test::TempFolder outside;
    test::TempFolder folder;
    test::WriteTextFile(folder / "plain.txt", "x");
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    test::MakeDirectoryLink(outside.Path(), folder / "link");
    test::CurrentDirectoryScope inFolder(folder.Path());

    std::map<std::string, std::string> listed;
    FileFinder finder;
    ASSERT_TRUE(finder.FindFile("*.*"));
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        listed[AnsiFromWide(finder.GetFileName())] += AnsiFromWide(finder.GetFilePath()) + (finder.IsDirectory() ? " directory" : "") +
                                        (finder.IsDots() ? " dots" : "") + (finder.IsReparsePoint() ? " link" : "");
    }
    const std::map<std::string, std::string> expected = {
        {".", folder / ". directory dots"},
        {"..", folder / ".. directory dots"},
        {"plain.txt", folder / "plain.txt"},
        {"sub", folder / "sub directory"},
        {"link", folder / "link directory link"},
    };
    EXPECT_EQ(listed, expected);
}

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

#include "framework/FileFinder.h"
#include "framework/Probes.h"
#include "framework/WideText.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <tuple>

namespace kestrane {
namespace {

// The entries of `folder`, by name, with their full paths and kinds, from the search `pattern`:
// a second listing of a name doubles its facts.
std::map<std::wstring, std::wstring> List(const std::wstring& pattern)
{
    std::map<std::wstring, std::wstring> listed;
    FileFinder finder;
    if (!finder.FindFile(pattern))
        return listed;
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        listed[finder.GetFileName()] += finder.GetFilePath() + (finder.IsDirectory() ? L" directory" : L"") +
                                        (finder.IsDots() ? L" dots" : L"") + (finder.IsReparsePoint() ? L" link" : L"");
    }
    return listed;
}

// The copy and delete tests prove the kinds on real trees; this proves the paths and that each
// entry comes once, for patterns relative to the current directory and full ones, and in a
// folder whose full path is 200 characters but, in a code page of two-byte characters such as
// 932, over 300 bytes: a path built in ANSI bytes there would not fit MAX_PATH.
TEST(FileFinder, ListsEachEntryOnceWithItsKindAndFullPath)
{
    struct Case {
        const char* what;
        std::size_t depth;  // levels of 38 characters "表" below the temporary folder
        bool relative;      // searched by "*.*" from inside the folder
    };
    const Case cases[] = {
        {"relative pattern", 0, true},
        {"full pattern", 0, false},
        {"deep folder", 4, false},
    };
    for (const auto& [what, depth, relative] : cases) {
        test::TempFolder outside;
        test::TempFolder temp;
        std::wstring folder = WideFromAnsi(temp.Path());
        for (std::size_t level = 0; level < depth; ++level) {
            folder += L"\\" + std::wstring(38, L'\u8868');
            ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << what << ", level " << level;
        }
        test::WriteWideFile(folder + L"\\plain.txt", "x");
        ::CreateDirectoryW((folder + L"\\sub").c_str(), nullptr);
        if (depth == 0)
            test::MakeDirectoryLink(outside.Path(), temp / "link");

        std::map<std::wstring, std::wstring> expected = {
            {L".", folder + L"\\. directory dots"},
            {L"..", folder + L"\\.. directory dots"},
            {L"plain.txt", folder + L"\\plain.txt"},
            {L"sub", folder + L"\\sub directory"},
        };
        if (depth == 0)
            expected[L"link"] = folder + L"\\link directory link";
        std::optional<test::CurrentDirectoryScope> inFolder;
        if (relative)
            inFolder.emplace(temp.Path());
        EXPECT_EQ(List(relative ? L"*.*" : folder + L"\\*.*"), expected) << what << ", " << folder.size() << " characters";
    }
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

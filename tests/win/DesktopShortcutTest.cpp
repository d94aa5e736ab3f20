#include "install/DesktopShortcut.h"

#include "install/ShortcutValues.h"

#include "ReadLink.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <set>
#include <vector>

namespace kestrane {
namespace {

// The program initialises COM once at start; each test does it for itself.
class ComScope {
public:
    ComScope() { ::CoInitialize(nullptr); }
    ~ComScope() { ::CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

// The links a test writes into the prefix's real desktop go again when it ends.
class DesktopFiles {
public:
    std::string Add(const std::string& name)
    {
        m_paths.push_back(GetSpecialFolderPath(kDesktopDirectoryFolder) + "\\" + name);
        return m_paths.back();
    }
    ~DesktopFiles()
    {
        for (const auto& path : m_paths)
            ::DeleteFileA(path.c_str());
    }

private:
    std::vector<std::string> m_paths;
};

// Listed, since a path beyond MAX_PATH cannot be asked about by name.
std::set<std::string> Names(const std::string& directory)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

TEST(GetSpecialFolderPath, GivesTheDesktopDirectoryAndNothingForFoldersWithoutAPath)
{
    const std::string desktop = GetSpecialFolderPath(kDesktopDirectoryFolder);
    const DWORD attributes = ::GetFileAttributesA(desktop.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << desktop;

    // The computer is a shell folder of no file-system path; 0xFF is no folder at all.
    for (const int folder : {CSIDL_DRIVES, 0xFF})
        EXPECT_EQ(GetSpecialFolderPath(folder), "") << "folder " << folder;
}

TEST(CreateDesktopShortcut, WritesALinkThatReadsBackWithEveryValueAndReplacesIt)
{
    const ComScope com;
    test::TempFolder campaign;
    test::WriteTextFile(campaign / "Warcraft III.exe", "MZ");
    test::WriteTextFile(campaign / "saga.ico", "icon");

    // The same link name twice: the second install's link replaces the first one's.
    struct Case {
        const char* campaignName;
        const char* icon;
        std::string iconLocation;
    };
    const Case cases[] = {
        {"Kestrane Test: Saga", "saga.ico", campaign / "saga.ico"},
        {"Kestrane Test/ Saga", "", campaign / "Warcraft III.exe"},
    };
    DesktopFiles desktop;
    const std::string linkPath = desktop.Add("Kestrane Test_ Saga.lnk");
    for (const auto& [campaignName, icon, iconLocation] : cases) {
        const ShortcutValues values = MakeShortcutValues(campaign.Path(), campaignName, icon);
        CreateDesktopShortcut(values.target, values.linkName, values.workingDirectory, values.description,
                              values.iconLocation, values.folder);

        const test::LinkFacts facts = test::ReadLink(linkPath);
        EXPECT_EQ(facts.path, campaign / "Warcraft III.exe") << campaignName;
        EXPECT_EQ(facts.workingDirectory, campaign.Path()) << campaignName;
        EXPECT_EQ(facts.description, std::string(campaignName) + " Warcraft III Campaign") << campaignName;
        EXPECT_EQ(facts.iconLocation, iconLocation) << campaignName;
        EXPECT_EQ(facts.iconIndex, 0) << campaignName;
    }
}

TEST(CreateDesktopShortcut, WritesNothingWhenTheLinkPathIsTooLong)
{
    const ComScope com;
    test::TempFolder campaign;
    test::WriteTextFile(campaign / "Warcraft III.exe", "MZ");
    const std::string desktopPath = GetSpecialFolderPath(kDesktopDirectoryFolder);
    // The link path is the desktop, "\" and the name; 259 characters and a terminator fill the
    // wide buffer that the link is saved through.
    const auto nameOfLength = [&desktopPath](std::size_t pathLength) {
        return std::string(pathLength - desktopPath.size() - 1 - 4, 'k') + ".lnk";
    };
    struct Case {
        std::size_t pathLength;
        bool written;
    };
    const Case cases[] = {{259, true}, {260, false}};
    DesktopFiles desktop;
    for (const auto& [pathLength, written] : cases) {
        const std::string name = nameOfLength(pathLength);
        ASSERT_EQ(desktop.Add(name).size(), pathLength);
        const std::set<std::string> before = Names(desktopPath);

        CreateDesktopShortcut(campaign / "Warcraft III.exe", name, campaign.Path(), "long", "",
                              kDesktopDirectoryFolder);
        std::set<std::string> expected = before;
        if (written)
            expected.insert(name);
        EXPECT_EQ(Names(desktopPath), expected) << "link path of " << pathLength << " characters";
    }
}

}  // namespace
}  // namespace kestrane

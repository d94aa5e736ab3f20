#include "install/DesktopShortcut.h"

#include "install/core/ShortcutValues.h"

#include "ReadLink.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace kestrane {
namespace {

TEST(GetSpecialFolderPath, GivesNothingForFoldersWithoutAPath)
{
    // The computer is a shell folder of no file-system path; 0xFF is no folder at all.
    for (const int folder : {CSIDL_DRIVES, 0xFF})
        EXPECT_EQ(GetSpecialFolderPath(folder), "") << "folder " << folder;
}

// The end-to-end install reads back a first link, with an icon of the campaign's own.
TEST(CreateDesktopShortcut, ReplacesALinkOfTheSameNameAndWritesNoneWhosePathIsTooLong)
{
    ::CoInitialize(nullptr);
    test::TempFolder campaign;
    test::WriteTextFile(campaign / "Warcraft III.exe", "MZ");
    const std::string desktop = GetSpecialFolderPath(kDesktopDirectoryFolder);
    const std::pair<const char*, const char*> installs[] = {{"Kestrane Test: Saga", "saga.ico"},
                                                            {"Kestrane Test/ Saga", ""}};
    for (const auto& [campaignName, icon] : installs) {
        const ShortcutValues values = MakeShortcutValues(campaign.Path(), campaignName, icon);
        CreateDesktopShortcut(values.target, values.linkName, values.workingDirectory, values.description,
                              values.iconLocation, values.folder);
    }
    const test::LinkFacts facts = test::ReadLink(desktop + "\\Kestrane Test_ Saga.lnk");
    ::DeleteFileA((desktop + "\\Kestrane Test_ Saga.lnk").c_str());
    EXPECT_EQ(facts.path, campaign / "Warcraft III.exe");
    EXPECT_EQ(facts.workingDirectory, campaign.Path());
    EXPECT_EQ(facts.description, "Kestrane Test/ Saga Warcraft III Campaign");
    EXPECT_EQ(facts.iconLocation, campaign / "Warcraft III.exe");
    EXPECT_EQ(facts.iconIndex, 0);

    // 259 characters and a terminator fill the wide buffer that the link is saved through.
    const auto nameForPathOf = [&desktop](std::size_t length) {
        return std::string(length - desktop.size() - 1 - 4, 'k') + ".lnk";
    };
    // Listed, since a path beyond MAX_PATH cannot be asked about by name.
    const test::Tree before = test::Snapshot(desktop, false);
    for (const std::size_t length : {260u, 259u})
        CreateDesktopShortcut(campaign / "Warcraft III.exe", nameForPathOf(length), campaign.Path(), "long", "",
                              kDesktopDirectoryFolder);
    test::Tree after = test::Snapshot(desktop, false);
    EXPECT_TRUE(after.erase(nameForPathOf(259))) << "no link whose path has 259 characters";
    EXPECT_EQ(after, before);
    ::DeleteFileA((desktop + "\\" + nameForPathOf(259)).c_str());
    ::CoUninitialize();
}

}  // namespace
}  // namespace kestrane

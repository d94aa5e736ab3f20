#include "install/core/CampaignDirectoryRules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace kestrane {
namespace {

TEST(HasTrimmedPart, FindsEveryPartWindowsReadsTwoWays)
{
    const std::tuple<const char*, bool> cases[] = {
        {"Camp .", true},
        {"Camp ", true},
        {"...", true},
        {"Camp .\\Maps", true},
        {"Camp /Maps", true},
        {"C:\\Games\\Warcraft III\\Camp \\Maps", true},
        {"Camp", false},
        {"Camp.One", false},
        {" Camp", false},
        {".Camp", false},
        {"C:\\Games\\Warcraft III\\Camp", false},
        {"C:\\Games\\.\\Warcraft III\\..\\Warcraft III\\Camp", false},
        {"C:\\Games\\Warcraft III\\", false},
        {"", false},
        // Code page 932: the second byte of "\x95\x5C" is no separator, and neither half is a dot.
        {"\x95\x5C", false},
        {"\x95\x5C"
         "Camp.",
         true},
    };
    for (const auto& [path, trimmed] : cases)
        EXPECT_EQ(HasTrimmedPart(path), trimmed) << "\"" << path << "\"";
}

TEST(HoldsOnlyOthersFiles, RefusesAFullFolderWithNoneOfTheInstallersFiles)
{
    const std::vector<std::wstring> ours(kInstallerFiles.begin(), kInstallerFiles.end());
    const std::vector<std::wstring> oursAndCampaign = {L"game.dll", L"Maps", L"saga.ico"};
    const std::tuple<std::vector<std::wstring>, const std::vector<std::wstring>*, bool> cases[] = {
        {{}, &ours, false},
        {{L"(4)Lost Temple.w3m", L"Download"}, &ours, true},
        {{L"Saved.w3z", L"GAME.DLL"}, &ours, false},
        {{L"Saved.w3z", L"warcraft iii.exe"}, &ours, false},
        {{L"game.dll.old", L"war3.exe.bak", L"Storm"}, &ours, true},
        {{L"Saved.w3z", L"maps"}, &oursAndCampaign, false},
        {{L"Saved.w3z", L"Maps"}, &ours, true},
        {{L"game.dll"}, &ours, false},
    };
    for (const auto& [entries, installers, others] : cases)
        EXPECT_EQ(HoldsOnlyOthersFiles(entries, *installers), others)
            << ::testing::PrintToString(entries) << " against " << ::testing::PrintToString(*installers);
}

TEST(NamesGameFolder, KnowsTheFoldersOfAWarcraftIIIDirectory)
{
    const std::tuple<const char*, bool> cases[] = {
        {"maps", true},   {"CAMPAIGNS", true},  {"Redist", true},    {"Map", false},
        {"Maps2", false}, {"Maps\\Orc", false}, {"Orc Saga", false}, {"", false},
    };
    for (const auto& [installDir, gameFolder] : cases)
        EXPECT_EQ(NamesGameFolder(installDir), gameFolder) << installDir;
}

}  // namespace
}  // namespace kestrane

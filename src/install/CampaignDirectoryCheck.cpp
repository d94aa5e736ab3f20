#include "install/CampaignDirectoryCheck.h"

#include "framework/FileFinder.h"
#include "framework/WideText.h"
#include "install/core/CampaignDirectoryRules.h"

#include <windows.h>

#include <vector>

namespace kestrane {
namespace {

std::optional<std::string> FullPath(const std::string& path)
{
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return std::nullopt;
    std::string full(needed, '\0');
    const DWORD length = ::GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return std::nullopt;
    full.resize(length);
    return full;
}

bool IsLink(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The names at the top of `directory`; none when it is missing or cannot be listed.
std::vector<std::wstring> TopLevelNames(const std::string& directory)
{
    std::vector<std::wstring> names;
    FileFinder finder;
    if (!finder.FindFile(JoinWidePath(WideFromAnsi(directory), L"*.*")))
        return names;
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            names.push_back(finder.GetFileName());
    }
    return names;
}

}  // namespace

bool IsCampaignDirectorySafe(const OperationPaths& paths)
{
    // Checked on the text the operations use, before Windows resolves it into another.
    if (HasTrimmedPart(paths.campaignDirectory))
        return false;
    const auto game = FullPath(paths.gameDirectory);
    const auto campaign = FullPath(paths.campaignDirectory);
    if (!game || !campaign || !IsStrictlyBelow(*game, *campaign))
        return false;

    // Each folder from the first one below the game directory down to the campaign directory.
    for (std::size_t next = game->size(); next != std::string::npos;) {
        next = campaign->find('\\', next + 1);
        if (IsLink(campaign->substr(0, next)))
            return false;
    }
    return true;
}

std::optional<std::string> CampaignDirectoryRefusal(const OperationPaths& paths, const std::string& installDir,
                                                    const std::string& campaignFiles)
{
    if (!IsCampaignDirectorySafe(paths))
        return UnsafeInstallDirText(installDir);
    std::vector<std::wstring> ours(kInstallerFiles.begin(), kInstallerFiles.end());
    // After an uninstall that kept the files added since, only the campaign's own files are left.
    for (std::wstring& name : TopLevelNames(campaignFiles))
        ours.push_back(std::move(name));
    if (HoldsOnlyOthersFiles(TopLevelNames(paths.campaignDirectory), ours))
        return OthersFolderText(paths.campaignDirectory);
    return std::nullopt;
}

}  // namespace kestrane

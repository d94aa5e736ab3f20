#include "install/CampaignDirectoryCheck.h"

#include <windows.h>

#include <optional>

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

}  // namespace

bool IsCampaignDirectorySafe(const OperationPaths& paths)
{
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

}  // namespace kestrane

// IsCampaignDirectorySafe and CampaignDirectoryRefusal: whether a run of the main button may
// write or remove in the campaign directory.
#pragma once

#include "install/core/OperationPaths.h"

#include <optional>
#include <string>

namespace kestrane {

// True when the campaign directory, as Windows resolves it, lies strictly below the game
// directory, no part of its path reads differently as the last part and as an inner one, and
// no existing folder on the way down to it is a junction or symbolic link, so that neither an
// install nor an uninstall can reach the game's own files or anything outside.
bool IsCampaignDirectorySafe(const OperationPaths& paths);

// Why the main button may not work in the campaign directory, as the error box says it; none
// when it may. Besides IsCampaignDirectorySafe, a directory that holds files but none of those
// an install writes there (the game's files and the top level of `campaignFiles`) is somebody
// else's folder, such as the player's maps.
std::optional<std::string> CampaignDirectoryRefusal(const OperationPaths& paths, const std::string& installDir,
                                                    const std::string& campaignFiles);

}  // namespace kestrane

// IsCampaignDirectorySafe: whether a run of the main button may write or remove in the campaign directory.
#pragma once

#include "install/OperationPaths.h"

namespace kestrane {

// True when the campaign directory, as Windows resolves it, lies strictly below the game
// directory and no existing folder on the way down to it is a junction or symbolic link, so
// that neither an install nor an uninstall can reach the game's own files or anything outside.
bool IsCampaignDirectorySafe(const OperationPaths& paths);

}  // namespace kestrane

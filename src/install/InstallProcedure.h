// InstallCampaign: builds the campaign's private copy of the game in the campaign directory.
#pragma once

#include "install/OperationPaths.h"
#include "install/OperationState.h"

#include <windows.h>

#include <string>

namespace kestrane {

// Copies the five game files, writes the rewritten game.dll, copies the campaign files and
// offers the desktop shortcut, while a progress window owned by `owner` keeps the windows
// painting. Every failing step goes to `state` and the next step still runs. The caller has
// made sure the campaign directory is safe to write.
void InstallCampaign(const OperationPaths& paths, const std::string& campaignName, const std::string& icon,
                     HWND owner, OperationState& state, const AskUser& ask);

}  // namespace kestrane

// InstallCampaign: builds the campaign's private copy of the game in the campaign directory.
#pragma once

#include "install/core/OperationPaths.h"
#include "install/core/OperationState.h"

#include <functional>
#include <string>

namespace kestrane {

// The last position the install reports: the campaign files are copied.
inline constexpr int kInstallProgressEnd = 1500;

// Copies the five game files, writes the rewritten game.dll, copies the campaign files and
// offers the desktop shortcut. After each step `setPosition` gets a rising position up to
// kInstallProgressEnd and lets the windows paint; `copied` comes once the files are in place,
// before the shortcut question. Every failing step goes to `state` and the next step still
// runs. The caller has made sure the campaign directory is safe to write.
void InstallCampaign(const OperationPaths& paths, const std::string& campaignName, const std::string& icon,
                     const std::function<void(int)>& setPosition, const std::function<void()>& copied,
                     OperationState& state, const AskUser& ask);

}  // namespace kestrane

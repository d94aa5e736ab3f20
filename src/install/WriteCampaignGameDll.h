// WriteCampaignGameDll: the install step that writes the campaign's rewritten copy of game.dll.
#pragma once

#include "install/core/OperationState.h"

#include <functional>
#include <string>

namespace kestrane {

// Reads `gameDirectory` (ending in "\") + "game.dll", rewrites it with RewriteGameDll and puts
// the copy in place as `campaignDirectory` + "\game.dll", replacing an earlier one. The copy
// appears whole or not at all. `setPosition` reports progress (600, 700, 800, 900) and lets
// the windows paint; failures go to `state`.
void WriteCampaignGameDll(const std::string& gameDirectory, const std::string& campaignDirectory,
                          const std::function<void(int)>& setPosition, OperationState& state);

}  // namespace kestrane

// UninstallCampaign: removes the campaign directory, whole or only what the install put there.
#pragma once

#include "install/OperationState.h"

#include <string>

namespace kestrane {

// Asks first; Yes removes everything below the campaign directory, No only the files the
// install brings, Cancel nothing. The caller has made sure the directory is safe to remove.
void UninstallCampaign(const std::string& campaignDirectory, OperationState& state, const AskUser& ask);

}  // namespace kestrane

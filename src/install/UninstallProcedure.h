// UninstallCampaign: removes the campaign directory, whole or only what the install put there.
#pragma once

#include "install/core/OperationState.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrane {

// Why the campaign directory may no longer be removed, as the error box says it; none when it may.
using CheckAgain = std::function<std::optional<std::string>()>;

// Asks first; Yes removes everything below the campaign directory, No only the files the
// install brings, Cancel nothing. The caller has made sure the directory is safe to remove;
// `checkAgain` makes sure once more after the answer, as the folder may have been swapped for
// a link while the question waited, and a refusal removes nothing.
void UninstallCampaign(const std::string& campaignDirectory, OperationState& state, const AskUser& ask,
                       const CheckAgain& checkAgain);

}  // namespace kestrane

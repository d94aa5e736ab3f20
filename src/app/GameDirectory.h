// GetGameDirectory: the Warcraft III directory the game registered for the current user.
#pragma once

#include <string>

namespace kestrane {

// Ends in "\" (or ":"); empty when the registry holds no usable value.
std::string GetGameDirectory();

}  // namespace kestrane

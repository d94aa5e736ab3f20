// WaitOutHold: a file step that another program's brief hold on the file (a virus scanner, an
// indexer) can block, tried again while HoldRule takes the failure for such a hold.
#pragma once

#include "framework/core/HoldRule.h"

#include <functional>
#include <string>

namespace kestrane {

// Runs `step` (true when done; otherwise its reason in GetLastError) until it is done, fails for
// another reason, or the hold outlasts the rule's bound. `path` names what it removes or
// replaces, whose attributes tell a hold from the owner's protection. True when done; otherwise
// GetLastError gives the last try's reason.
bool WaitOutHold(const std::function<bool()>& step, const std::wstring& path, HeldTarget target = HeldTarget::File);
bool WaitOutHold(const std::function<bool()>& step, const std::string& path, HeldTarget target = HeldTarget::File);

}  // namespace kestrane

// CreateDesktopShortcut and GetSpecialFolderPath: the shell link that starts an installed campaign.
#pragma once

#include <string>

namespace kestrane {

// The file-system path of the shell's special folder `folder` (a CSIDL), or empty text when
// the folder has none.
std::string GetSpecialFolderPath(int folder);

// Writes the shell link `linkName` into the special folder `folder`, replacing a link of that
// name. Silent: a link that cannot be made is simply not there. COM must be initialised on
// the calling thread.
void CreateDesktopShortcut(const std::string& target, const std::string& linkName, const std::string& workingDirectory,
                           const std::string& description, const std::string& iconLocation, int folder);

}  // namespace kestrane

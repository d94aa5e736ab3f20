// The game directory as made from the bytes of the game's registered "InstallPath".
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace kestrane {

inline constexpr const char* kGameRegistryKey = "Software\\Blizzard Entertainment\\Warcraft III";
inline constexpr const char* kInstallPathValue = "InstallPath";

// `valueBytes` are the bytes the registry query reported; the text ends at the first NUL,
// loses trailing white space and gets the separator a directory needs before a name.
std::string GameDirectoryFromInstallPath(std::string_view valueBytes, const LeadByteRule& rule = AnsiLeadByteRule());

}  // namespace kestrane

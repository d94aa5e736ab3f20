// ShortcutValues: what the desktop shortcut of an installed campaign holds, and how its link
// name is made safe as a file name.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace kestrane {

// CSIDL_DESKTOPDIRECTORY: the folder that holds the current user's desktop items.
inline constexpr int kDesktopDirectoryFolder = 16;

struct ShortcutValues {
    std::string target;
    std::string linkName;
    std::string workingDirectory;
    std::string description;
    std::string iconLocation;
    int folder = kDesktopDirectoryFolder;

    bool operator==(const ShortcutValues&) const = default;
};

// Replaces every byte that cannot stand in a file name (control bytes 0-31 and 127, and
// | > < " ? * : / \) with "_"; bytes from 128 up belong to the code page's own letters and
// stay, and so does the second byte of a two-byte character ("ソ" ends in the byte of "\").
// The result is exactly as long as the name.
std::string SanitiseLinkName(std::string_view name, const LeadByteRule& rule = AnsiLeadByteRule());

// The shortcut to the copied game in `campaignDirectory`, named and described after the
// campaign, with the package's icon from the campaign directory when it names one.
ShortcutValues MakeShortcutValues(std::string_view campaignDirectory, std::string_view campaignName,
                                  std::string_view icon, const LeadByteRule& rule = AnsiLeadByteRule());

}  // namespace kestrane

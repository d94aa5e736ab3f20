// PackageDescription: the four values of install.ini, and the rules that extract and clean them.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace kestrane {

struct PackageDescription {
    std::string campaignName;
    std::string icon;
    std::string backBitmap;
    std::string installDir;  // already cleaned by SanitiseInstallDir

    bool operator==(const PackageDescription&) const = default;
};

// The keys, in the order they are extracted.
inline constexpr std::string_view kCampaignNameKey = "CAMPAIGNNAME";
inline constexpr std::string_view kIconKey = "ICON";
inline constexpr std::string_view kBackBitmapKey = "BACKBITMAP";
inline constexpr std::string_view kInstallDirKey = "INSTALLDIR";

// The text with its ASCII letters upper-cased, position for position: the key search must not
// depend on the user's locale.
std::string UpperCased(std::string_view text);

// Where a key's line starts in the text, or npos. Only the key name's first occurrence anywhere
// in the text counts, and only when it starts a line: "CAMPAIGNNAME=The Icon War" hides a later
// "ICON=" line. `upperText` is the text upper-cased position for position.
std::size_t FindKey(std::string_view upperText, std::string_view key);

// The trimmed value of the key line starting at `keyStart`: everything after its first "=" up
// to the line feed; empty when the line has no "=".
std::string ExtractValue(std::string_view text, std::size_t keyStart);

// The value of `key` in the text as read, empty when the key is missing.
std::string FindValue(std::string_view text, std::string_view upperText, std::string_view key);

// Strips INSTALLDIR of what could climb out of the game directory or name another drive. Every
// pass reads characters, so a folder "表" followed by "\x" keeps its "\".
void SanitiseInstallDir(std::string& installDir, const LeadByteRule& rule = AnsiLeadByteRule());

// All four values of an install.ini text, INSTALLDIR cleaned.
PackageDescription ParsePackageDescription(std::string_view text, const LeadByteRule& rule = AnsiLeadByteRule());

}  // namespace kestrane

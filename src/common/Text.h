// Text helpers shared by every subsystem: white space trimming, quoting and the path separator rule.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace kestrane {

// The white space that install.ini values and registry paths are trimmed of.
bool IsWhiteSpace(char c);

std::string_view TrimTrailingWhiteSpace(std::string_view text);
std::string_view TrimWhiteSpace(std::string_view text);

// The text between double quotes, as the messages name a file, a folder or a value: nothing
// inside is escaped, so the reader sees the name exactly as it is.
std::string Quoted(std::string_view text);

// A directory path takes a "\" before a following name unless its last character is "\" or ":"
// (a bare drive such as "C:" names that drive's current directory). In a code page with two-byte
// characters, "表" ends in the byte of "\" and still takes one.
bool NeedsSeparator(std::string_view directory, const LeadByteRule& rule = AnsiLeadByteRule());
std::string JoinPath(std::string_view directory, std::string_view name, const LeadByteRule& rule = AnsiLeadByteRule());

// A file inside the campaign directory: its own "\" always goes in front of the name, even
// behind a directory that already ends in one, as the install and uninstall name their files.
std::string InCampaignDirectory(std::string_view campaignDirectory, std::string_view name);

// A path that names another machine ("\\host\share" or "//host/share"): opening or even probing
// it makes Windows reach that machine and offer it the player's login.
bool NamesNetworkPath(std::string_view path);

// The directory with the separator it needs before a name, as the game directory field shows it.
std::string WithTrailingSeparator(std::string_view directory, const LeadByteRule& rule = AnsiLeadByteRule());

}  // namespace kestrane

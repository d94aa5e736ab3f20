// Text helpers shared by every subsystem: white space trimming and the path separator rule.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// The white space that install.ini values and registry paths are trimmed of.
bool IsWhiteSpace(char c);

std::string_view TrimTrailingWhiteSpace(std::string_view text);
std::string_view TrimWhiteSpace(std::string_view text);

// A directory path takes a "\" before a following name unless it already ends in "\" or ":"
// (a bare drive such as "C:" names that drive's current directory).
bool NeedsSeparator(std::string_view directory);
std::string JoinPath(std::string_view directory, std::string_view name);

// A path that names another machine ("\\host\share" or "//host/share"): opening or even probing
// it makes Windows reach that machine and offer it the player's login.
bool NamesNetworkPath(std::string_view path);

// The directory with the separator it needs before a name, as the game directory field shows it.
std::string WithTrailingSeparator(std::string_view directory);

}  // namespace kestrane

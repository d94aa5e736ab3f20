// WindowsPath: the package's Windows paths resolved as Windows resolves them, on any system.
#pragma once

#include "common/CodePage.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The parts of a path as Windows' full-path normalisation keeps them: "\" and "/" both separate,
// empty and "." parts vanish, each other part loses its trailing dots and blanks (and vanishes
// when nothing is left), and ".." stays, for the caller to climb. A "\" that is the second byte
// of a character of `rule`'s code page separates nothing.
std::vector<std::string> WindowsPathParts(std::string_view path, const LeadByteRule& rule = {});

// `fullPath` ("X:\..." or "X:/...") normalised as GetFullPathName would: the parts above, ".."
// climbing one level and never above the drive's root. The result has the form "X:\a\b".
std::string NormaliseFullPath(std::string_view fullPath, const LeadByteRule& rule = {});

// Whether the installer, given `path`, would look for it outside the package directory: on a
// drive ("X:..."), at a drive's root ("\...") or on a server.
bool IsAbsoluteWindowsPath(std::string_view path);

// What the relative Windows path names below `directory`, its names matched without regard
// to ASCII letter case as Windows matches them; none when nothing is there.
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& directory, std::string_view windowsPath);

}  // namespace kestrane

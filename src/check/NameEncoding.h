// NameEncoding: a file name of the author's disk in the bytes of a player's ANSI code page.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kestrane {

// The name's bytes in `codePage`; none when the code page cannot hold one of its characters,
// or does not exist. No character is replaced by a look-alike, as a player's system would not
// name the file by one either.
std::optional<std::string> EncodeName(const std::filesystem::path& name, unsigned codePage);

}  // namespace kestrane

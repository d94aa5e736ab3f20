// ShortenForStatus: a path cut to fit the folder chooser's status line.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

inline constexpr std::size_t kStatusPathLength = 35;

// A path of up to 35 bytes stays whole; a longer one keeps its first 35 bytes and gets "...".
std::string ShortenForStatus(std::string_view path);

}  // namespace kestrane

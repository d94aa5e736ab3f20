// RewriteGameDllReference: the game.dll rewrite as a plain byte-by-byte loop, to check the fast one.
#pragma once

#include <cstddef>
#include <cstring>
#include <span>

namespace kestrane::test {

// A case-insensitive compare of at most `count` bytes that stops at the pattern's zero byte,
// as strnicmp does, letters A to Z folded and nothing else.
inline bool MatchesPrefixIgnoringCase(const std::byte* at, const char* pattern, std::size_t count)
{
    const auto fold = [](unsigned char c) -> int { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (std::size_t i = 0; i < count; ++i) {
        if (fold(std::to_integer<unsigned char>(at[i])) != fold(static_cast<unsigned char>(pattern[i])))
            return false;
        if (pattern[i] == '\0')
            return true;
    }
    return true;
}

inline void RewriteGameDllReference(std::span<std::byte> buffer)
{
    const auto length = static_cast<std::ptrdiff_t>(buffer.size());
    std::byte* const data = buffer.data();
    std::ptrdiff_t offset = 0;
    while (offset < length) {
        if (offset < length - 12 && MatchesPrefixIgnoringCase(data + offset, "war3.mpq", 12)) {
            std::memcpy(data + offset, "..\\war3.mpq", 12);
            offset += 12;
        }
        if (offset < length - 16 && MatchesPrefixIgnoringCase(data + offset, "redist\\miles", 16)) {
            std::memcpy(data + offset, "..\\redist\\miles", 16);
            offset += 16;
        }
        if (offset < length - 17 && MatchesPrefixIgnoringCase(data + offset, "Allow Local Files", 17)) {
            std::memcpy(data + offset, "Campaign LocFiles", 17);
            offset += 16;
        }
        offset += 1;
    }
}

}  // namespace kestrane::test

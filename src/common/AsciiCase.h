// ASCII letter case: the one folding the program's names and keys get. Only A to Z and a to z
// change; every other byte, those of a multi-byte character included, stays as it is.
#pragma once

#include <algorithm>
#include <string_view>

namespace kestrane {

constexpr char ToLowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char ToUpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

}  // namespace kestrane

// LeadByteRule: which bytes of an ANSI code page start a two-byte character, and the character
// walks that path rules need, so that the second byte of a character is never taken for a "\".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kestrane {

// The lead-byte ranges of one code page, as the system describes them (at most six ranges).
// A single-byte code page has none.
struct LeadByteRule {
    struct Range {
        std::uint8_t first;
        std::uint8_t last;
    };
    std::array<Range, 6> ranges{};
    std::size_t count = 0;

    constexpr bool IsLeadByte(char c) const
    {
        const auto byte = static_cast<std::uint8_t>(c);
        for (std::size_t i = 0; i < count; ++i) {
            if (byte >= ranges[i].first && byte <= ranges[i].last)
                return true;
        }
        return false;
    }
};

// The rule of each code page the program knows by number; none for a single-byte page (1252,
// 1251, ...) and for a page not known here, whose rule only the system can give.
LeadByteRule LeadByteRuleOf(unsigned codePage);

// The rule in the form the system gives it: pairs of first and last byte, up to a pair of zeros.
LeadByteRule LeadByteRuleFromPairs(std::span<const std::uint8_t> pairs);

// The rule the program's path rules use unless they are given one: the system's ANSI code page,
// which start-up sets once. Until then, none (a single-byte page).
const LeadByteRule& AnsiLeadByteRule();
void SetAnsiLeadByteRule(const LeadByteRule& rule);

std::size_t CharacterCount(std::string_view text, const LeadByteRule& rule);

// Whether `at` is where a character starts (the text's end counts as one). A lead byte always
// takes the byte after it, as the system's own character walk does, so the text is walked from
// its start.
bool IsCharacterBoundary(std::string_view text, std::size_t at, const LeadByteRule& rule);

// Whether the last character of `text` is the one-byte character `c` (for a path, a real "\"
// rather than the second byte of a character such as "表").
bool EndsWithCharacter(std::string_view text, char c, const LeadByteRule& rule);

// The first occurrence of `pattern` at or after `from` (where a character starts) that starts at
// a character, or npos. `pattern` is ASCII, so such a match lies on whole characters.
std::size_t FindCharacters(std::string_view text, std::string_view pattern, std::size_t from, const LeadByteRule& rule);

}  // namespace kestrane

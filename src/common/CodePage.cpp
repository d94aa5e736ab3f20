#include "common/CodePage.h"

namespace kestrane {
namespace {

constexpr LeadByteRule kShiftJis{{{{0x81, 0x9F}, {0xE0, 0xFC}}}, 2};
// Simplified Chinese (GBK), Korean (Unified Hangul) and Traditional Chinese (Big5) alike.
constexpr LeadByteRule kHighHalf{{{{0x81, 0xFE}}}, 1};

LeadByteRule g_ansiRule;

std::size_t CharacterLength(std::string_view text, std::size_t at, const LeadByteRule& rule)
{
    return rule.IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
}

// Where the character that `at` lies in starts.
std::size_t CharacterStart(std::string_view text, std::size_t at, const LeadByteRule& rule)
{
    std::size_t start = 0;
    while (start < at) {
        const std::size_t next = start + CharacterLength(text, start, rule);
        if (next > at)
            break;
        start = next;
    }
    return start;
}

}  // namespace

LeadByteRule LeadByteRuleOf(unsigned codePage)
{
    switch (codePage) {
    case 932:
        return kShiftJis;
    case 936:
    case 949:
    case 950:
        return kHighHalf;
    default:
        return {};
    }
}

LeadByteRule LeadByteRuleFromPairs(std::span<const std::uint8_t> pairs)
{
    LeadByteRule rule;
    for (std::size_t at = 0; at + 1 < pairs.size() && rule.count < rule.ranges.size(); at += 2) {
        if (pairs[at] == 0 && pairs[at + 1] == 0)
            break;
        rule.ranges[rule.count++] = {pairs[at], pairs[at + 1]};
    }
    return rule;
}

const LeadByteRule& AnsiLeadByteRule()
{
    return g_ansiRule;
}

void SetAnsiLeadByteRule(const LeadByteRule& rule)
{
    g_ansiRule = rule;
}

std::size_t CharacterCount(std::string_view text, const LeadByteRule& rule)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, rule))
        ++count;
    return count;
}

bool IsCharacterBoundary(std::string_view text, std::size_t at, const LeadByteRule& rule)
{
    return at >= text.size() ? at == text.size() : CharacterStart(text, at, rule) == at;
}

bool EndsWithCharacter(std::string_view text, char c, const LeadByteRule& rule)
{
    return !text.empty() && text.back() == c && IsCharacterBoundary(text, text.size() - 1, rule);
}

std::size_t FindCharacters(std::string_view text, std::string_view pattern, std::size_t from, const LeadByteRule& rule)
{
    for (std::size_t at = from; at + pattern.size() <= text.size(); at += CharacterLength(text, at, rule)) {
        if (text.compare(at, pattern.size(), pattern) == 0)
            return at;
    }
    return std::string_view::npos;
}

}  // namespace kestrane

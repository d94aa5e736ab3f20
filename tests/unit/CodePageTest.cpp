#include "common/CodePage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace kestrane {
namespace {

using namespace std::string_view_literals;

// Bytes at the edges of each page's lead-byte ranges, and what each page makes of them.
TEST(LeadByteRule, KnowsTheLeadBytesOfEachTwoBytePage)
{
    constexpr std::uint8_t kBytes[] = {0x5C, 0x7F, 0x80, 0x81, 0x9F, 0xA0, 0xDF, 0xE0, 0xFC, 0xFD, 0xFE, 0xFF};
    struct Case {
        unsigned codePage;
        const char* leads;  // one digit per byte above
    };
    const Case cases[] = {
        {932, "000110011000"}, {936, "000111111110"},  {949, "000111111110"},
        {950, "000111111110"}, {1252, "000000000000"}, {1251, "000000000000"},
    };
    for (const auto& [codePage, leads] : cases) {
        const LeadByteRule rule = LeadByteRuleOf(codePage);
        for (std::size_t i = 0; i < std::size(kBytes); ++i)
            EXPECT_EQ(rule.IsLeadByte(static_cast<char>(kBytes[i])), leads[i] == '1')
                << "code page " << codePage << ", byte 0x" << std::hex << int{kBytes[i]};
    }
}

// The system describes a page by its ranges, up to a pair of zeros.
TEST(LeadByteRuleFromPairs, ReadsTheRangesUpToTheFirstPairOfZeros)
{
    struct Case {
        std::basic_string_view<std::uint8_t> pairs;
        unsigned samePage;
    };
    constexpr std::uint8_t kShiftJis[12] = {0x81, 0x9F, 0xE0, 0xFC};
    constexpr std::uint8_t kGbk[12] = {0x81, 0xFE, 0, 0, 0x20, 0x30};
    constexpr std::uint8_t kNone[12] = {};
    const Case cases[] = {{{kShiftJis, 12}, 932}, {{kGbk, 12}, 936}, {{kNone, 12}, 1252}};
    for (const auto& [pairs, samePage] : cases) {
        const LeadByteRule read = LeadByteRuleFromPairs(pairs);
        const LeadByteRule known = LeadByteRuleOf(samePage);
        for (int byte = 0; byte < 256; ++byte)
            EXPECT_EQ(read.IsLeadByte(static_cast<char>(byte)), known.IsLeadByte(static_cast<char>(byte)))
                << "like code page " << samePage << ", byte " << byte;
    }
}

// "表" is 95 5C and "ソ" 83 5C in 932; in 936 81 5C is one character. A lead byte at the very
// end stands alone.
TEST(EndsWithCharacter, TellsARealBackslashFromTheSecondByteOfACharacter)
{
    struct Case {
        std::string_view text;
        bool in1252;
        bool in932;
        bool in936;
    };
    const Case cases[] = {
        {"C:\\Games\\"sv, true, true, true},
        {"C:\\\x95\x5C"sv, true, false, false},
        {"C:\\\x95\x5C\\"sv, true, true, true},
        {"\x83\x5C\x83\x5C"sv, true, false, false},
        {"a\x95"sv, false, false, false},
        {"\x5C"sv, true, true, true},
        {"\x95\x95\x5C"sv, true, true, true},
        {"\xA0\x5C"sv, true, true, false},
        {""sv, false, false, false},
    };
    for (const auto& [text, in1252, in932, in936] : cases) {
        EXPECT_EQ(EndsWithCharacter(text, '\\', LeadByteRuleOf(1252)), in1252) << ::testing::PrintToString(text);
        EXPECT_EQ(EndsWithCharacter(text, '\\', LeadByteRuleOf(932)), in932) << ::testing::PrintToString(text);
        EXPECT_EQ(EndsWithCharacter(text, '\\', LeadByteRuleOf(936)), in936) << ::testing::PrintToString(text);
    }
}

TEST(FindCharacters, MatchesOnlyWhereACharacterStarts)
{
    struct Case {
        std::string_view text;
        std::string_view pattern;
        std::size_t from;
        std::size_t in1252;
        std::size_t in932;
    };
    constexpr auto npos = std::string_view::npos;
    const Case cases[] = {
        {"\x95\x5C\x5Cx"sv, "\\\\", 0, 1, npos}, {"\x95\x5C\x5C\x5C"sv, "\\\\", 0, 1, 2},
        {"a\\\\b"sv, "\\\\", 0, 1, 1},           {"\x95:"sv, ":", 0, 1, npos},
        {"\x95\x5C.\\x"sv, ".\\", 2, 2, 2},      {"ab"sv, "abc", 0, npos, npos},
    };
    for (const auto& [text, pattern, from, in1252, in932] : cases) {
        EXPECT_EQ(FindCharacters(text, pattern, from, LeadByteRuleOf(1252)), in1252) << ::testing::PrintToString(text);
        EXPECT_EQ(FindCharacters(text, pattern, from, LeadByteRuleOf(932)), in932) << ::testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace kestrane

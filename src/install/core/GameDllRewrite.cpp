#include "install/core/GameDllRewrite.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kestrane {
namespace {

using namespace std::string_view_literals;

struct Rule {
    std::string_view pattern;      // lower case, with the zero byte a match needs
    std::string_view replacement;  // written over the match, in this case
    std::size_t reach;             // the rule is tried only where this many bytes and one more follow
    std::size_t advance;           // how far the scan moves on after a match
};

// The third rule moves on by 16, not 17: the scan's own +1 then lands on the first byte behind
// the rewritten name. The first two write three bytes past their zero byte, and move past all
// of it, so the "war3.mpq" inside "..\war3.mpq" is never rewritten a second time.
constexpr Rule kRules[] = {
    {"war3.mpq\0"sv, "..\\war3.mpq\0"sv, 12, 12},
    {"redist\\miles\0"sv, "..\\redist\\miles\0"sv, 16, 16},
    {"allow local files"sv, "Campaign LocFiles"sv, 17, 16},
};

// ASCII letters only: the library's names are ASCII, and bytes above 127 must stay distinct.
bool Matches(const std::byte* at, std::string_view pattern)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (ToLowerAscii(std::to_integer<char>(at[i])) != pattern[i])
            return false;
    }
    return true;
}

// One turn of the scan at `offset`: each rule is tried in order where the previous one left the
// offset. Returns where the next turn starts.
std::size_t RewriteAt(std::span<std::byte> buffer, std::size_t offset)
{
    for (const Rule& rule : kRules) {
        if (offset + rule.reach < buffer.size() && Matches(buffer.data() + offset, rule.pattern)) {
            std::memcpy(buffer.data() + offset, rule.replacement.data(), rule.replacement.size());
            offset += rule.advance;
        }
    }
    return offset + 1;
}

// A turn at a place where no rule's first four bytes begin only moves on by one, so the scan
// jumps to the next place where they could, eight places at a time. It compares bytes with bit 5
// set: that folds "W" onto "w", and lets a few more bytes through (0x13 for "3"), which costs a
// turn that finds nothing. Every prefix byte has bit 5 set, so no match is ever passed over.
constexpr std::size_t kPrefix = 4;
constexpr unsigned char kFoldBit = 0x20;
static_assert(std::ranges::all_of(kRules, [](const Rule& rule) {
    return std::ranges::all_of(rule.pattern.substr(0, kPrefix), [](char c) { return (c | kFoldBit) == c; });
}));

// No rule is tried closer to the end than its reach; the shortest reach bounds every turn.
constexpr std::size_t kShortestReach = std::ranges::min(kRules, {}, &Rule::reach).reach;
static_assert(kPrefix <= kShortestReach, "the word scan reads a prefix behind its last place");

constexpr std::uint64_t Repeat(unsigned char c)
{
    return 0x0101010101010101u * c;
}

// The high bit of every byte of `word` that is zero, and at times of a byte above one (a borrow):
// a false mark costs one wasted turn, a zero byte is never missed.
constexpr std::uint64_t ZeroBytes(std::uint64_t word)
{
    return (word - Repeat(0x01)) & ~word & Repeat(0x80);
}

std::uint64_t LoadFolded(const std::byte* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word | Repeat(kFoldBit);
}

// The places among the eight from `at` on where a rule's prefix may begin, as high bits. All
// prefix bytes are checked for every word: stopping once the first ones rule a word out is faster
// on code and data, but mispredicts all the time on text.
std::uint64_t CandidateBytes(const std::byte* at)
{
    std::array<std::uint64_t, kPrefix> shifted;  // the eight bytes from at + i, folded
    for (std::size_t i = 0; i < kPrefix; ++i)
        shifted[i] = LoadFolded(at + i);
    std::uint64_t candidates = 0;
    for (const Rule& rule : kRules) {
        std::uint64_t matches = Repeat(0x80);
        for (std::size_t i = 0; i < kPrefix; ++i)
            matches &= ZeroBytes(shifted[i] ^ Repeat(static_cast<unsigned char>(rule.pattern[i])));
        candidates |= matches;
    }
    return candidates;
}

bool IsCandidate(const std::byte* at)
{
    return std::ranges::any_of(kRules, [at](const Rule& rule) {
        for (std::size_t i = 0; i < kPrefix; ++i) {
            if ((std::to_integer<unsigned char>(at[i]) | kFoldBit) != static_cast<unsigned char>(rule.pattern[i]))
                return false;
        }
        return true;
    });
}

// The first offset from `from` on, and before `end`, at which a rule could begin; `end` or more
// if none. Reads the prefix of every place before `end`, and nothing else.
std::size_t NextCandidate(std::span<const std::byte> buffer, std::size_t from, std::size_t end)
{
    static_assert(std::endian::native == std::endian::little, "byte order of the word scan");
    constexpr std::size_t kWord = sizeof(std::uint64_t);
    for (; from + kWord <= end; from += kWord) {
        if (const std::uint64_t candidates = CandidateBytes(buffer.data() + from))
            return from + static_cast<std::size_t>(std::countr_zero(candidates)) / 8;
    }
    while (from < end && !IsCandidate(buffer.data() + from))
        ++from;
    return from;
}

}  // namespace

void RewriteGameDll(std::span<std::byte> buffer)
{
    if (buffer.size() <= kShortestReach)
        return;
    const std::size_t end = buffer.size() - kShortestReach;
    std::size_t offset = NextCandidate(buffer, 0, end);
    while (offset < end)
        offset = NextCandidate(buffer, RewriteAt(buffer, offset), end);
}

}  // namespace kestrane

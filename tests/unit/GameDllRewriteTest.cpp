#include "install/core/GameDllRewrite.h"

#include "GameDllRewriteReference.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {
namespace {

using namespace std::string_view_literals;

std::string Rewritten(std::string_view input, void (*rewrite)(std::span<std::byte>))
{
    std::string buffer(input);
    rewrite(std::as_writable_bytes(std::span(buffer)));
    return buffer;
}

TEST(RewriteGameDll, RewritesEachRuleWhereAndOnlyWhereTheScanTriesIt)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        // In any letter case, the three bytes behind the zero overwritten; inside a longer text.
        {"WAR3.MPQ\0xyz-end"sv, "..\\war3.mpq\0-end"sv},
        {"ReDiSt\\MiLeS\0abc+"sv, "..\\redist\\miles\0+"sv},
        {"[allow local filesX]"sv, "[Campaign LocFilesX]"sv},
        {"C:\\x\\war3.mpq\0abcd"sv, "C:\\x\\..\\war3.mpq\0d"sv},
        // Each one starting just far enough from the end.
        {"war3.mpq\0abcd"sv, "..\\war3.mpq\0d"sv},
        {"redist\\miles\0abcd"sv, "..\\redist\\miles\0d"sv},
        {"Allow Local Files!"sv, "Campaign LocFiles!"sv},
        // Rule 2 and rule 3 are tried in the same turn as rule 1, right after its match.
        {"war3.mpq\0abcredist\\miles\0wxyz"sv, "..\\war3.mpq\0..\\redist\\miles\0z"sv},
        {"war3.mpq\0abcallow local files."sv, "..\\war3.mpq\0Campaign LocFiles."sv},
        // Rule 1 is tried again 13 bytes after its match, not 12; rule 2 not 16 bytes after.
        {"war3.mpq\0abcwar3.mpq\0abcd"sv, "..\\war3.mpq\0war3.mpq\0abcd"sv},
        {"war3.mpq\0abc_war3.mpq\0abcd"sv, "..\\war3.mpq\0_..\\war3.mpq\0d"sv},
        {"redist\\miles\0abcredist\\miles\0abcd"sv, "..\\redist\\miles\0redist\\miles\0abcd"sv},
        // After the name the scan goes on at the byte behind it.
        {"Allow Local Fileswar3.mpq\0abcd"sv, "Campaign LocFiles..\\war3.mpq\0d"sv},
        {"..\\war3.mpq\0abcd"sv, "..\\..\\war3.mpq\0d"sv},
    };
    // Left as they are: no zero byte behind a reference; a rule starting one byte too near the
    // end; bytes that differ from a pattern only in bit 5 but are no letters.
    const std::string_view unchanged[] = {
        "war3.mpqX..tail"sv,     "redist\\miles\x01...tail"sv, "war3.mpq\0abc"sv,     "redist\\miles\0abc"sv,
        "Allow Local Files"sv,   "war3\x0Empq\0abcd"sv,        "war\x13.mpq\0abcd"sv, "redist|miles\0abcd"sv,
        "allow\0local files."sv, "\xD7\xC1R3.MPQ\0abcd"sv,
    };
    std::vector<std::pair<std::string_view, std::string_view>> all(std::begin(cases), std::end(cases));
    for (const std::string_view input : unchanged)
        all.emplace_back(input, input);
    for (const auto& [input, expected] : all) {
        EXPECT_EQ(Rewritten(input, RewriteGameDll), expected);
        EXPECT_EQ(Rewritten(input, test::RewriteGameDllReference), expected) << "the reference";
    }
}

}  // namespace
}  // namespace kestrane

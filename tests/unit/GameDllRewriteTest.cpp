#include "install/GameDllRewrite.h"

#include "GameDllRewriteReference.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace kestrane {
namespace {

using namespace std::string_view_literals;

std::string Rewritten(std::string_view input, void (*rewrite)(std::span<std::byte>))
{
    std::string buffer(input);
    rewrite(std::as_writable_bytes(std::span(buffer)));
    return buffer;
}

// Zero bytes and other controls made visible, so a failing case shows where the bytes differ.
std::string Printable(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && u != '\\')
            text += c;
        else
            text += {'\\', 'x', kHex[u >> 4], kHex[u & 15]};
    }
    return text;
}

TEST(RewriteGameDll, RewritesEachRuleWhereAndOnlyWhereTheScanTriesIt)
{
    struct Case {
        const char* name;
        std::string_view input;
        std::string_view expected;
    };
    const Case cases[] = {
        {"upper case reference, three bytes after its zero overwritten",
         "WAR3.MPQ\0xyz-end"sv, "..\\war3.mpq\0-end"sv},
        {"no zero byte behind war3.mpq", "war3.mpqX..tail"sv, "war3.mpqX..tail"sv},
        {"no zero byte behind redist\\miles", "redist\\miles\x01...tail"sv, "redist\\miles\x01...tail"sv},
        {"mixed case redist\\miles", "ReDiSt\\MiLeS\0abc+"sv, "..\\redist\\miles\0+"sv},
        {"the name inside a longer text, anything behind it",
         "[allow local filesX]"sv, "[Campaign LocFilesX]"sv},
        {"a path ending in the reference is rewritten from the ending on",
         "C:\\x\\war3.mpq\0abcd"sv, "C:\\x\\..\\war3.mpq\0d"sv},
        {"war3.mpq starting 12 bytes before the end stays", "war3.mpq\0abc"sv, "war3.mpq\0abc"sv},
        {"war3.mpq starting 13 bytes before the end", "war3.mpq\0abcd"sv, "..\\war3.mpq\0d"sv},
        {"redist\\miles starting 16 bytes before the end stays", "redist\\miles\0abc"sv, "redist\\miles\0abc"sv},
        {"redist\\miles starting 17 bytes before the end", "redist\\miles\0abcd"sv, "..\\redist\\miles\0d"sv},
        {"the name in the last 17 bytes stays", "Allow Local Files"sv, "Allow Local Files"sv},
        {"the name with one byte behind it", "Allow Local Files!"sv, "Campaign LocFiles!"sv},
        {"rule 2 right after rule 1, in the same turn",
         "war3.mpq\0abcredist\\miles\0wxyz"sv, "..\\war3.mpq\0..\\redist\\miles\0z"sv},
        {"rule 3 right after rule 1, in the same turn",
         "war3.mpq\0abcallow local files."sv, "..\\war3.mpq\0Campaign LocFiles."sv},
        {"rule 3 right after rule 2, in the same turn",
         "redist\\miles\0abcallow local files."sv, "..\\redist\\miles\0Campaign LocFiles."sv},
        {"rule 1 is not tried again 12 bytes after its match",
         "war3.mpq\0abcwar3.mpq\0abcd"sv, "..\\war3.mpq\0war3.mpq\0abcd"sv},
        {"rule 1 is tried again 13 bytes after its match",
         "war3.mpq\0abc_war3.mpq\0abcd"sv, "..\\war3.mpq\0_..\\war3.mpq\0d"sv},
        {"rule 2 is not tried again 16 bytes after its match",
         "redist\\miles\0abcredist\\miles\0abcd"sv, "..\\redist\\miles\0redist\\miles\0abcd"sv},
        {"after the name the scan goes on at the byte behind it",
         "Allow Local Fileswar3.mpq\0abcd"sv, "Campaign LocFiles..\\war3.mpq\0d"sv},
        {"the rewritten reference is not rewritten again", "..\\war3.mpq\0abcd"sv, "..\\..\\war3.mpq\0d"sv},
        // Bytes that differ from the pattern only in bit 5 but are no letters must not match.
        {"control byte in place of the dot", "war3\x0Empq\0abcd"sv, "war3\x0Empq\0abcd"sv},
        {"control byte in place of the digit", "war\x13.mpq\0abcd"sv, "war\x13.mpq\0abcd"sv},
        {"bar in place of the backslash", "redist|miles\0abcd"sv, "redist|miles\0abcd"sv},
        {"zero byte in place of the blank", "allow\0local files."sv, "allow\0local files."sv},
        {"bytes above 127 are no letters", "\xD7\xC1R3.MPQ\0abcd"sv, "\xD7\xC1R3.MPQ\0abcd"sv},
    };
    for (const auto& [name, input, expected] : cases) {
        EXPECT_EQ(Printable(Rewritten(input, RewriteGameDll)), Printable(expected)) << name;
        EXPECT_EQ(Printable(Rewritten(input, test::RewriteGameDllReference)), Printable(expected))
            << "reference: " << name;
    }
}

// Buffers made of the patterns in random letter case, pieces of them, zero bytes and noise,
// so occurrences touch, overlap and sit at the very end.
std::string RandomBuffer(std::mt19937& random, std::size_t pieces)
{
    static constexpr std::string_view kPieces[] = {
        "war3.mpq\0"sv, "redist\\miles\0"sv, "allow local files"sv, "war3.mpq"sv, "redist\\miles"sv,
        "..\\"sv, "\0"sv, "abc"sv, "w"sv, "r"sv, "a"sv,
    };
    std::string buffer;
    for (std::size_t i = 0; i < pieces; ++i) {
        if (random() % 4 == 0) {
            buffer += static_cast<char>(random());
            continue;
        }
        std::string_view piece = kPieces[random() % std::size(kPieces)];
        if (random() % 5 == 0)
            piece = piece.substr(0, random() % (piece.size() + 1));
        for (char c : piece)
            buffer += c >= 'a' && c <= 'z' && random() % 2 ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return buffer;
}

TEST(RewriteGameDll, AgreesWithTheByteByByteLoopOnRandomBuffers)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        const std::string input = RandomBuffer(random, random() % 24);
        const std::string fast = Rewritten(input, RewriteGameDll);
        const std::string reference = Rewritten(input, test::RewriteGameDllReference);
        ASSERT_EQ(Printable(fast), Printable(reference)) << "round " << round << ", input " << Printable(input);
    }
}

}  // namespace
}  // namespace kestrane

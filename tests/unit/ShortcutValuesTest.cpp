#include "install/core/ShortcutValues.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

using namespace std::string_literals;

TEST(SanitiseLinkName, ReplacesControlBytesAndTheNineReservedCharacters)
{
    // Alike in 1252 and 932 unless a 932 result is given.
    const std::tuple<std::string, std::string, const char*> cases[] = {
        {R"(a|b>c<d"e?f*g:h/i\j)", "a_b_c_d_e_f_g_h_i_j", nullptr},
        {"nul\0\t\x01\x1f\x20\x7e\x7f"s, "nul____ ~_", nullptr},
        // Letters of the code page above 127 are not control bytes.
        {"\x80\xa0\xe9t\xe9\xff Mr. Smith's [Saga] {1}; 50% & more!..",
         "\x80\xa0\xe9t\xe9\xff Mr. Smith's [Saga] {1}; 50% & more!..", nullptr},
        {"", "", nullptr},
        // "ソ" (83 5C) and "ポ" (83 7C) end in the bytes of "\" and "|"; a lead byte at the end
        // stands alone.
        {"\x83\x5C|\x83\x7C\\\x83", "\x83__\x83__\x83", "\x83\x5C_\x83\x7C_\x83"},
    };
    for (const auto& [name, in1252, in932] : cases) {
        EXPECT_EQ(SanitiseLinkName(name, LeadByteRuleOf(1252)), in1252) << ::testing::PrintToString(name);
        EXPECT_EQ(SanitiseLinkName(name, LeadByteRuleOf(932)), in932 ? in932 : in1252)
            << ::testing::PrintToString(name);
    }
}

auto Texts(const ShortcutValues& v)
{
    return std::tuple(v.target, v.linkName, v.workingDirectory, v.description, v.iconLocation);
}

// A plain name and a missing icon are read back from a real shortcut, and shown by kestrane-check.
TEST(MakeShortcutValues, BuildsTheFiveTextsFromTheCampaignDirectoryNameAndIcon)
{
    // The description keeps the tab that the link name cannot.
    EXPECT_EQ(Texts(MakeShortcutValues(R"(D:\W3\Camp)", "A\tB", R"(icons\a.ico)")),
              std::tuple(R"(D:\W3\Camp\Warcraft III.exe)", "A_B.lnk", R"(D:\W3\Camp)", "A\tB Warcraft III Campaign",
                         R"(D:\W3\Camp\icons\a.ico)"));
    // A campaign directory that ends in "\" still gets a "\" of its own before each name.
    EXPECT_EQ(Texts(MakeShortcutValues(R"(D:\W3\Camp\)", "?", "a.ico")),
              std::tuple(R"(D:\W3\Camp\\Warcraft III.exe)", "_.lnk", R"(D:\W3\Camp\)", "? Warcraft III Campaign",
                         R"(D:\W3\Camp\\a.ico)"));
}

}  // namespace
}  // namespace kestrane

#include "install/ShortcutValues.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using namespace std::string_literals;

TEST(SanitiseLinkName, ReplacesControlBytesAndTheNineReservedCharacters)
{
    struct Case {
        std::string name;
        std::string sanitised;
    };
    const Case cases[] = {
        {"Chapter 1: Rise/Fall", "Chapter 1_ Rise_Fall"},
        {"Tab\there", "Tab_here"},
        {"???", "___"},
        {R"(a|b>c<d"e?f*g:h/i\j)", "a_b_c_d_e_f_g_h_i_j"},
        {"nul\0x"s, "nul_x"},
        {"\x01\x1f\x20\x7e\x7f", "__ ~_"},
        // Letters of the code page above 127 are not control bytes.
        {"\x80\xa0\xe9t\xe9\xff", "\x80\xa0\xe9t\xe9\xff"},
        {"Mr. Smith's [Saga] {1}; 50% & more!", "Mr. Smith's [Saga] {1}; 50% & more!"},
        {"..", ".."},
        {"", ""},
    };
    for (const auto& [name, sanitised] : cases) {
        const std::string actual = SanitiseLinkName(name);
        EXPECT_EQ(actual, sanitised) << "name: " << name;
        EXPECT_EQ(actual.size(), name.size()) << "name: " << name;
    }
}

TEST(MakeShortcutValues, BuildsTheFiveTextsFromTheCampaignDirectoryNameAndIcon)
{
    struct Case {
        const char* campaignDirectory;
        std::string campaignName;
        const char* icon;
        ShortcutValues expected;
    };
    const Case cases[] = {
        {R"(C:\Games\Warcraft III\Rise)", "Rise: Part 1/2", "rise.ico",
         {R"(C:\Games\Warcraft III\Rise\Warcraft III.exe)", "Rise_ Part 1_2.lnk", R"(C:\Games\Warcraft III\Rise)",
          "Rise: Part 1/2 Warcraft III Campaign", R"(C:\Games\Warcraft III\Rise\rise.ico)"}},
        // Without an icon the shortcut shows the game's own.
        {R"(D:\W3\Camp)", "Camp", "",
         {R"(D:\W3\Camp\Warcraft III.exe)", "Camp.lnk", R"(D:\W3\Camp)", "Camp Warcraft III Campaign",
          R"(D:\W3\Camp\Warcraft III.exe)"}},
        // The description keeps the tab that the link name cannot.
        {R"(D:\W3\Camp)", "A\tB", R"(icons\a.ico)",
         {R"(D:\W3\Camp\Warcraft III.exe)", "A_B.lnk", R"(D:\W3\Camp)", "A\tB Warcraft III Campaign",
          R"(D:\W3\Camp\icons\a.ico)"}},
        // A campaign directory that ends in "\" still gets a "\" of its own before each name.
        {R"(D:\W3\Camp\)", "??", "a.ico",
         {R"(D:\W3\Camp\\Warcraft III.exe)", "__.lnk", R"(D:\W3\Camp\)", "?? Warcraft III Campaign",
          R"(D:\W3\Camp\\a.ico)"}},
    };
    for (const auto& [campaignDirectory, campaignName, icon, expected] : cases) {
        const ShortcutValues actual = MakeShortcutValues(campaignDirectory, campaignName, icon);
        const std::string context = std::string(campaignDirectory) + " | " + campaignName + " | " + icon;
        EXPECT_EQ(actual.target, expected.target) << context;
        EXPECT_EQ(actual.linkName, expected.linkName) << context;
        EXPECT_EQ(actual.workingDirectory, expected.workingDirectory) << context;
        EXPECT_EQ(actual.description, expected.description) << context;
        EXPECT_EQ(actual.iconLocation, expected.iconLocation) << context;
        EXPECT_EQ(actual.folder, 16) << context;
    }
}

}  // namespace
}  // namespace kestrane

#include "package/PackageDescription.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kestrane {

void PrintTo(const PackageDescription& d, std::ostream* os)
{
    *os << "{campaignName \"" << d.campaignName << "\", icon \"" << d.icon << "\", backBitmap \"" << d.backBitmap
        << "\", installDir \"" << d.installDir << "\"}";
}

namespace {

struct ParseCase {
    const char* name;
    std::string_view text;
    PackageDescription expected;
};

TEST(ParsePackageDescription, ExtractsTheFourValues)
{
    using namespace std::string_view_literals;
    const ParseCase cases[] = {
        {"all four keys",
         "CAMPAIGNNAME=Orc Saga\nICON=orc.ico\nBACKBITMAP=back.bmp\nINSTALLDIR=Orc Saga\n",
         {"Orc Saga", "orc.ico", "back.bmp", "Orc Saga"}},
        {"carriage returns are trailing white space",
         "CAMPAIGNNAME=Orc Saga\r\nICON=orc.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n",
         {"Orc Saga", "orc.ico", "back.bmp", "Orc Saga"}},
        {"a key name inside an earlier value hides the key",
         "CAMPAIGNNAME=The Icon War\nICON=war.ico\n",
         {"The Icon War", "", "", ""}},
        {"keys are found whatever their letter case",
         "icon = war.ico\n",
         {"", "war.ico", "", ""}},
        {"a longer word that starts with the key matches",
         "ICONFILE=war.ico\n",
         {"", "war.ico", "", ""}},
        {"everything after the first = is the value",
         "CAMPAIGNNAME x = y = z\n",
         {"y = z", "", "", ""}},
        {"a key line without = is empty",
         "ICON war.ico\nBACKBITMAP\nCAMPAIGNNAME=x\n",
         {"x", "", "", ""}},
        {"a key at the end of the text without =",
         "CAMPAIGNNAME=x\nICON",
         {"x", "", "", ""}},
        {"a key at the end of the text with = and nothing after",
         "ICON=",
         {"", "", "", ""}},
        {"a byte-order mark hides the first key",
         "\xEF\xBB\xBF" "CAMPAIGNNAME=x\nICON=i.ico\n",
         {"", "i.ico", "", ""}},
        {"values keep their letter case and inner blanks",
         "BACKBITMAP= \t My Back.BMP \f\v\n",
         {"", "", "My Back.BMP", ""}},
        {"the last line needs no line feed",
         "INSTALLDIR=..\\Camp\\",
         {"", "", "", "Camp"}},
        {"a key not at a line start is missing",
         " ICON=a.ico\nICON=b.ico\n",
         {"", "", "", ""}},
        {"zero bytes are ordinary bytes",
         "ICON=a\0b\nCAMPAIGNNAME=c\n"sv,
         {"c", std::string("a\0b", 3), "", ""}},
        {"lower-case letters of the value are kept",
         "installdir=campaigns\\my one\n",
         {"", "", "", "campaigns\\my one"}},
        {"nothing but other lines",
         "[Setup]\nName=x\n",
         {"", "", "", ""}},
    };
    for (const auto& [name, text, expected] : cases)
        EXPECT_EQ(ParsePackageDescription(text), expected) << name;
}

TEST(FindKey, OnlyTheFirstOccurrenceCounts)
{
    struct KeyCase {
        std::string_view upperText;
        std::string_view key;
        std::size_t expected;
    };
    const KeyCase cases[] = {
        {"ICON=A", "ICON", 0},
        {"X\nICON=A", "ICON", 2},
        {"XICON=A\nICON=B", "ICON", std::string_view::npos},
        {"X\rICON=A", "ICON", std::string_view::npos},
        {"", "ICON", std::string_view::npos},
        {"ICO", "ICON", std::string_view::npos},
    };
    for (const auto& [text, key, expected] : cases)
        EXPECT_EQ(FindKey(text, key), expected) << "text: " << text;
}

}  // namespace
}  // namespace kestrane

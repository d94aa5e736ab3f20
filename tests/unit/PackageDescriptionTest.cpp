#include "package/core/PackageDescription.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

auto Values(const PackageDescription& d)
{
    return std::tuple(d.campaignName, d.icon, d.backBitmap, d.installDir);
}

TEST(ParsePackageDescription, ExtractsTheFourValues)
{
    using namespace std::string_view_literals;
    const std::pair<std::string_view, PackageDescription> cases[] = {
        // Carriage returns are trailing white space.
        {"CAMPAIGNNAME=Orc Saga\r\nICON=orc.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=Orc Saga\r\n",
         {"Orc Saga", "orc.ico", "back.bmp", "Orc Saga"}},
        {"CAMPAIGNNAME=The Icon War\nICON=war.ico\n", {"The Icon War", "", "", ""}},
        // Keys in any letter case; values keep theirs, and their inner blanks.
        {"icon = war.ico\nbackbitmap= \t My Back.BMP \f\v\ninstalldir=campaigns\\my one\n",
         {"", "war.ico", "My Back.BMP", "campaigns\\my one"}},
        // A longer word that starts with the key matches; the value follows the first "=".
        {"ICONFILE=war.ico\nCAMPAIGNNAME x = y = z\n", {"y = z", "war.ico", "", ""}},
        {"ICON war.ico\nBACKBITMAP\nCAMPAIGNNAME=x\nINSTALLDIR", {"x", "", "", ""}},
        {"[Setup]\nName=x\nICON=", {"", "", "", ""}},
        {"\xEF\xBB\xBF"
         "CAMPAIGNNAME=x\nICON=i.ico\n",
         {"", "i.ico", "", ""}},
        {"INSTALLDIR=..\\Camp\\", {"", "", "", "Camp"}},
        {" ICON=a.ico\nICON=b.ico\n", {"", "", "", ""}},
        {"ICON=a\0b\nCAMPAIGNNAME=c\n"sv, {"c", std::string("a\0b", 3), "", ""}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Values(ParsePackageDescription(text)), Values(expected)) << ::testing::PrintToString(text);
}

TEST(FindKey, OnlyTheFirstOccurrenceCounts)
{
    // The upper-cased text, the key and where its line starts.
    const std::tuple<std::string_view, std::string_view, std::size_t> cases[] = {
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

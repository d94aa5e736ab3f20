#include "common/Text.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace kestrane {
namespace {

using namespace std::string_view_literals;

// The trimming rules are proven through install.ini's values and the registered game directory.
// In 932 "表" (95 5C) and "ソ" (83 5C) end in the byte of "\"; in 1252 those bytes are "•\"
// and "ƒ\".
TEST(JoinPath, PutsOneSeparatorUnlessTheDirectoryEndsInOneOrInAColon)
{
    struct Case {
        std::string_view directory;
        std::string_view name;
        std::string_view in1252;
        std::string_view in932;
    };
    const Case cases[] = {
        {"C:\\Games\\Camp", "*.*", "C:\\Games\\Camp\\*.*", "C:\\Games\\Camp\\*.*"},
        {"C:\\Games\\", "*.*", "C:\\Games\\*.*", "C:\\Games\\*.*"},
        {"D:", "maps", "D:maps", "D:maps"},
        {".\\Files", "a.txt", ".\\Files\\a.txt", ".\\Files\\a.txt"},
        {"", "x", "\\x", "\\x"},
        {"dir", "", "dir\\", "dir\\"},
        {"C:\\\x95\x5C", "*.*", "C:\\\x95\x5C*.*", "C:\\\x95\x5C\\*.*"},
        {"C:\\\x95\x5C\\", "*.*", "C:\\\x95\x5C\\*.*", "C:\\\x95\x5C\\*.*"},
        {"\x83\x5C", "", "\x83\x5C", "\x83\x5C\\"},
        {"\x95", "x", "\x95\\x", "\x95\\x"},
    };
    for (const auto& [directory, name, in1252, in932] : cases) {
        EXPECT_EQ(JoinPath(directory, name, LeadByteRuleOf(1252)), in1252) << ::testing::PrintToString(directory);
        EXPECT_EQ(JoinPath(directory, name, LeadByteRuleOf(932)), in932) << ::testing::PrintToString(directory);
    }
}

TEST(NamesNetworkPath, FindsBothSeparatorSpellingsAfterLeadingWhiteSpaceOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"\\\\host\\share\\x.bmp", true},
        {"//host/share/x.bmp", true},
        {" \t\\\\host\\x.bmp", true},
        {"\\x.bmp", false},
        {"C:\\x.bmp", false},
        {"a\\\\b.bmp", false},
        {"/x.bmp", false},
        {"", false},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(NamesNetworkPath(path), expected) << path;
}

}  // namespace
}  // namespace kestrane

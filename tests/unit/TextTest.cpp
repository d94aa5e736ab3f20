#include "common/Text.h"

#include <gtest/gtest.h>

#include <utility>

namespace kestrane {
namespace {

// The trimming rules are proven through install.ini's values and the registered game directory.
TEST(JoinPath, PutsOneSeparatorUnlessTheDirectoryEndsInOneOrInAColon)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Games\\Camp", "*.*", "C:\\Games\\Camp\\*.*"}, {"C:\\Games\\", "*.*", "C:\\Games\\*.*"},
        {"D:", "maps", "D:maps"},                            {".\\Files", "a.txt", ".\\Files\\a.txt"},
        {"", "x", "\\x"},                                    {"dir", "", "dir\\"},
    };
    for (const auto& [directory, name, expected] : cases)
        EXPECT_EQ(JoinPath(directory, name), expected) << directory << " + " << name;
}

TEST(NamesNetworkPath, FindsBothSeparatorSpellingsAfterLeadingWhiteSpaceOnly)
{
    const std::pair<const char*, bool> cases[] = {
        {"\\\\host\\share\\x.bmp", true}, {"//host/share/x.bmp", true}, {" \t\\\\host\\x.bmp", true},
        {"\\x.bmp", false},                 {"C:\\x.bmp", false},          {"a\\\\b.bmp", false},
        {"/x.bmp", false},                 {"", false},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(NamesNetworkPath(path), expected) << path;
}

}  // namespace
}  // namespace kestrane

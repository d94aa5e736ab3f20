#include "common/Text.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(JoinPath, PutsOneSeparatorUnlessTheDirectoryEndsInOneOrInAColon)
{
    struct Case {
        const char* directory;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Games\\Camp", "*.*", "C:\\Games\\Camp\\*.*"},
        {"C:\\Games\\", "*.*", "C:\\Games\\*.*"},
        {"C:", "*.*", "C:*.*"},
        {"D:", "maps", "D:maps"},
        {".\\Kestrane Files", "a.txt", ".\\Kestrane Files\\a.txt"},
        {"", "x", "\\x"},
        {"dir", "", "dir\\"},
    };
    for (const auto& [directory, name, expected] : cases)
        EXPECT_EQ(JoinPath(directory, name), expected) << directory << " + " << name;
}

TEST(TrimWhiteSpace, RemovesTheSixWhiteSpaceCharactersAtBothEnds)
{
    EXPECT_EQ(TrimWhiteSpace(" \t\r\v\f\nx y\n\f\v\r\t "), "x y");
    EXPECT_EQ(TrimWhiteSpace(" \t "), "");
    EXPECT_EQ(TrimTrailingWhiteSpace("  x  "), "  x");
}

}  // namespace
}  // namespace kestrane

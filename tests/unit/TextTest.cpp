#include "common/Text.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kestrane

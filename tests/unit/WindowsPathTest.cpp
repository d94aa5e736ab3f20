#include "check/WindowsPath.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(NormaliseFullPath, ResolvesTheRelativePartAsWindowsDoes)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(C:\Warcraft III\Orc Saga)", R"(C:\Warcraft III\Orc Saga)"},
        {R"(C:\Warcraft III\Orc Saga\)", R"(C:\Warcraft III\Orc Saga)"},
        {"C:/Warcraft III/Orc/Saga", R"(C:\Warcraft III\Orc\Saga)"},
        {R"(C:\Warcraft III\.\Orc\\Saga)", R"(C:\Warcraft III\Orc\Saga)"},
        // Trailing dots and blanks of a part are dropped; a part of only dots and blanks vanishes.
        {R"(C:\Warcraft III\Orc Saga. .)", R"(C:\Warcraft III\Orc Saga)"},
        {R"(C:\Warcraft III\...)", R"(C:\Warcraft III)"},
        {R"(C:\Warcraft III\. .\x)", R"(C:\Warcraft III\x)"},
        {R"(C:\Warcraft III\Orc\..)", R"(C:\Warcraft III)"},
        {R"(C:\Warcraft III\..\Program Files)", R"(C:\Program Files)"},
        // Nothing climbs above the drive's root.
        {R"(C:\Warcraft III\..\..\..\x)", R"(C:\x)"},
        {R"(C:\..)", R"(C:\)"},
        // Blanks and dots inside a name stay.
        {R"(C:\W\ .Orc . Saga)", R"(C:\W\ .Orc . Saga)"},
    };
    for (const auto& [path, normalised] : cases)
        EXPECT_EQ(NormaliseFullPath(path), normalised) << "path: " << path;
}

TEST(IsAbsoluteWindowsPath, TellsPathsOutsideThePackage)
{
    const std::pair<const char*, bool> cases[] = {
        {"back.bmp", false},  {R"(art\back.bmp)", false}, {R"(..\back.bmp)", false}, {R"(C:\back.bmp)", true},
        {"c:back.bmp", true}, {R"(\back.bmp)", true},     {"/back.bmp", true},       {R"(\\server\share\b.bmp)", true},
        {"", false},
    };
    for (const auto& [path, absolute] : cases)
        EXPECT_EQ(IsAbsoluteWindowsPath(path), absolute) << "path: " << path;
}

}  // namespace
}  // namespace kestrane

#include "widgets/ShortenForStatus.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(ShortenForStatus, KeepsThirtyFiveBytesAndMarksTheCut)
{
    const std::string path35 = "C:\\Program Files\\Warcraft III\\Maps\\";
    ASSERT_EQ(path35.size(), 35u);
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"C:\\", "C:\\"},
        {path35, path35},
        {path35 + "y", path35 + "..."},
        {std::string(259, 'p'), std::string(35, 'p') + "..."},
        // Bytes, not characters: a cut may fall inside a multi-byte sequence.
        {std::string(34, 'a') + "\xE9\xE9", std::string(34, 'a') + "\xE9..."},
    };
    for (const auto& [path, expected] : cases) {
        const std::string shown = ShortenForStatus(path);
        EXPECT_EQ(shown, expected) << "path of " << path.size() << " bytes";
        EXPECT_LE(shown.size(), 38u);
    }
}

}  // namespace
}  // namespace kestrane

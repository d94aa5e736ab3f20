#include "widgets/core/ShortenForStatus.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(ShortenForStatus, KeepsThirtyFiveBytesAndMarksTheCut)
{
    const std::string path35 = "C:\\Program Files\\Warcraft III\\Maps\\";
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {path35, path35},
        {path35 + "y", path35 + "..."},
        {std::string(259, 'p'), std::string(35, 'p') + "..."},
        // Bytes, not characters: a cut may fall inside a multi-byte sequence.
        {std::string(34, 'a') + "\xE9\xE9", std::string(34, 'a') + "\xE9..."},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(ShortenForStatus(path), expected) << "path of " << path.size() << " bytes";
}

}  // namespace
}  // namespace kestrane

#include "framework/core/HoldRule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

namespace kestrane {
namespace {

TEST(IsBriefHold, TakesOnlyWhatAnotherProgramsHandleCanExplain)
{
    constexpr std::uint32_t kPlain = 0x20;  // FILE_ATTRIBUTE_ARCHIVE
    constexpr std::uint32_t kFolder = kAttributeDirectory;
    constexpr std::optional<std::uint32_t> kMissing;
    struct Case {
        std::uint32_t error;
        std::optional<std::uint32_t> attributes;
        HeldTarget target;
        bool expected;
    };
    const Case cases[] = {
        {kErrorSharingViolation, kPlain, HeldTarget::File, true},
        {kErrorSharingViolation, kPlain | kAttributeReadOnly, HeldTarget::File, true},
        // Access denied: a deletion, or a rename over the file, waiting for the holder (Wine's
        // MoveFileEx says so over a held file), unless the owner protects the file, it is not
        // there, or the step meets a folder where it expects a file, or the reverse.
        {kErrorAccessDenied, kPlain, HeldTarget::File, true},
        {kErrorAccessDenied, kAttributesHidden, HeldTarget::File, true},
        // A file that may not be made in its folder.
        {kErrorAccessDenied, kMissing, HeldTarget::File, false},
        {kErrorAccessDenied, kPlain | kAttributeReadOnly, HeldTarget::File, false},
        {kErrorAccessDenied, kFolder, HeldTarget::File, false},
        {kErrorAccessDenied, kFolder, HeldTarget::EmptiedFolder, true},
        {kErrorAccessDenied, kPlain, HeldTarget::Folder, false},
        {kErrorAccessDenied, kFolder | kAttributeReadOnly, HeldTarget::Folder, false},
        // A folder not empty waits only when nothing in it was left on purpose.
        {kErrorDirNotEmpty, kFolder, HeldTarget::EmptiedFolder, true},
        {kErrorDirNotEmpty, kFolder, HeldTarget::Folder, false},
        {kErrorDirNotEmpty, kPlain, HeldTarget::File, false},
        // File not found, path not found, disk full, already exists.
        {2, kMissing, HeldTarget::File, false},
        {3, kMissing, HeldTarget::Folder, false},
        {112, kPlain, HeldTarget::File, false},
        {183, kPlain, HeldTarget::File, false},
    };
    for (const auto& [error, attributes, target, expected] : cases)
        EXPECT_EQ(IsBriefHold({error, attributes, target}) && MayBeBriefHold(error), expected)
            << "error " << error << ", attributes " << attributes.value_or(0) << (attributes ? "" : " (missing)")
            << ", target " << static_cast<int>(target);
}

TEST(PauseAfter, GrowsFromTenMillisecondsAndStopsAtFiveSecondsInAll)
{
    std::vector<long long> pauses;
    long long total = 0;
    for (int failed = 1; const auto pause = PauseAfter(failed); ++failed) {
        pauses.push_back(pause->count());
        total += pause->count();
        ASSERT_LT(failed, 1000) << "never stops";
    }
    ASSERT_GE(pauses.size(), 7u);
    EXPECT_EQ(std::vector<long long>(pauses.begin(), pauses.begin() + 7),
              (std::vector<long long>{10, 20, 40, 80, 160, 250, 250}));
    EXPECT_EQ(total, 5000);
    EXPECT_EQ(pauses.size(), 24u);
    EXPECT_FALSE(PauseAfter(0));
}

}  // namespace
}  // namespace kestrane

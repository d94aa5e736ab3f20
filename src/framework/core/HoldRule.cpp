#include "framework/core/HoldRule.h"

#include <algorithm>

namespace kestrane {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kFirstPause{10};
constexpr milliseconds kLongestPause{250};
constexpr milliseconds kPatience{5000};

}  // namespace

bool MayBeBriefHold(std::uint32_t error)
{
    return error == kErrorSharingViolation || error == kErrorAccessDenied || error == kErrorDirNotEmpty;
}

bool IsBriefHold(const FailedTry& failed)
{
    switch (failed.error) {
    case kErrorSharingViolation:
        return true;
    case kErrorAccessDenied: {
        // A new file that may not be made is no hold. Wine still shows the attributes of a file
        // whose deletion waits.
        if (!failed.attributes || *failed.attributes == kAttributesHidden)
            return failed.attributes.has_value();
        const bool isFolder = (*failed.attributes & kAttributeDirectory) != 0;
        return (*failed.attributes & kAttributeReadOnly) == 0 && isFolder == (failed.target != HeldTarget::File);
    }
    case kErrorDirNotEmpty:
        return failed.target == HeldTarget::EmptiedFolder;
    default:
        return false;
    }
}

std::optional<milliseconds> PauseAfter(int failedTries)
{
    milliseconds waited{0};
    milliseconds pause = kFirstPause;
    for (int tried = 1; tried < failedTries && waited < kPatience; ++tried) {
        waited += pause;
        pause = std::min(pause * 2, kLongestPause);
    }
    if (failedTries < 1 || waited >= kPatience)
        return std::nullopt;
    return std::min(pause, kPatience - waited);
}

}  // namespace kestrane

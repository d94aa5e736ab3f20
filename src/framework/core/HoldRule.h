// HoldRule: which failures of a file step another program's brief hold on the file explains (a
// virus scanner, an indexer), and how long such a step is tried again before its failure stands.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace kestrane {

// The Windows values the rule reads, by number: this file includes no Windows header.
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorDirNotEmpty = 145;
inline constexpr std::uint32_t kAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
// Attributes that cannot be read, as Windows hides those of a file whose deletion waits.
inline constexpr std::uint32_t kAttributesHidden = 0xFFFFFFFF;

// What a step removes or replaces.
enum class HeldTarget {
    File,
    Folder,
    // A folder whose every entry the step before deleted.
    EmptiedFolder,
};

struct FailedTry {
    std::uint32_t error;
    // The target's attributes as read after the failure; none when it is not there.
    std::optional<std::uint32_t> attributes;
    HeldTarget target;
};

// Whether a hold can give `error` at all: only then does the target's look tell more. Most
// failures, a file that is not there above all, are told apart without asking the disk.
bool MayBeBriefHold(std::uint32_t error);

// Whether another program's open handle can explain the failure, so that a later try may work:
// a sharing violation; access denied on a target that is there, of the kind the step expects,
// with no read-only mark (a deletion, or a rename over it, that waits for the other's handle
// to close); and a folder that still lists entries the step before deleted.
bool IsBriefHold(const FailedTry& failed);

// The pause after `failedTries` failed tries: 10 ms after the first, doubling up to 250 ms, as
// long as all the pauses together stay within 5 s; none once they reach it, and the failure
// stands.
std::optional<std::chrono::milliseconds> PauseAfter(int failedTries);

}  // namespace kestrane

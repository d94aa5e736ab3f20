// PackageFinding: one thing the package checker found, and how serious each kind of finding is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Error: the installer refuses or fails. Warning: it works, but not as the author likely meant.
enum class Severity { Warning, Error };

enum class Check {
    NoPackageDescription,
    EmptyPackageDescription,
    KeyMissing,
    KeyHidden,
    BytesBeforeKey,
    KeyWithoutEquals,
    EmptyValue,
    KeyRepeated,
    InstallDirCleaned,
    InstallDirUnsafe,
    InstallDirNested,
    InstallDirTrimmed,
    InstallDirGameFolder,
    BitmapNetwork,
    BitmapAbsolute,
    BitmapMissing,
    BitmapNotAFile,
    BitmapNotABitmap,
    BitmapRejected,
    BitmapTooLow,
    NoCampaignFiles,
    IconNotInCampaignFiles,
    LinkNameReplaced,
    PatchArchiveInCampaignFiles,
    BackslashSecondByte,
    NameBeyondAscii,
    PathTooLong,
};

struct Finding {
    Check check;
    Severity severity;
    std::string message;
    std::string file;         // relative to the package directory; empty when no one file is concerned
    std::optional<int> line;  // 1-based

    bool operator==(const Finding&) const = default;
};

// How serious `check` is for `key` (empty for the checks that concern no key); none when it
// is no finding at all, as for a package that names no icon.
std::optional<Severity> SeverityOf(Check check, std::string_view key);

// A stable name for build pipelines, such as "hidden-key".
std::string_view CodeOf(Check check);

std::string_view NameOf(Severity severity);

}  // namespace kestrane

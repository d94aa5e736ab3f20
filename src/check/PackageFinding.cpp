#include "check/PackageFinding.h"

#include "package/core/PackageDescription.h"

#include <algorithm>
#include <stdexcept>

namespace kestrane {
namespace {

struct FindingRule {
    Check check;
    std::string_view code;
    std::string_view key;  // empty: whatever key, or none
    Severity severity;
};

// Every finding the checker makes, in one place. A value the installer cannot do without
// (BACKBITMAP, INSTALLDIR) makes its key's findings errors: the installer stops at start or
// refuses to install. An unread CAMPAIGNNAME or ICON only costs the title, the shortcut or its
// icon. A package without an ICON line is fine (the shortcut takes the game's icon), so
// a missing ICON is no finding.
constexpr FindingRule kFindingRules[] = {
    {Check::NoPackageDescription, "no-install-ini", "", Severity::Error},
    {Check::EmptyPackageDescription, "empty-install-ini", "", Severity::Error},

    {Check::KeyMissing, "missing-key", kCampaignNameKey, Severity::Warning},
    {Check::KeyMissing, "missing-key", kBackBitmapKey, Severity::Error},
    {Check::KeyMissing, "missing-key", kInstallDirKey, Severity::Error},

    {Check::KeyHidden, "hidden-key", kCampaignNameKey, Severity::Warning},
    {Check::KeyHidden, "hidden-key", kIconKey, Severity::Warning},
    {Check::KeyHidden, "hidden-key", kBackBitmapKey, Severity::Error},
    {Check::KeyHidden, "hidden-key", kInstallDirKey, Severity::Error},

    {Check::BytesBeforeKey, "bytes-before-key", kCampaignNameKey, Severity::Warning},
    {Check::BytesBeforeKey, "bytes-before-key", kIconKey, Severity::Warning},
    {Check::BytesBeforeKey, "bytes-before-key", kBackBitmapKey, Severity::Error},
    {Check::BytesBeforeKey, "bytes-before-key", kInstallDirKey, Severity::Error},

    {Check::KeyWithoutEquals, "key-without-equals", kCampaignNameKey, Severity::Warning},
    {Check::KeyWithoutEquals, "key-without-equals", kIconKey, Severity::Warning},
    {Check::KeyWithoutEquals, "key-without-equals", kBackBitmapKey, Severity::Error},
    {Check::KeyWithoutEquals, "key-without-equals", kInstallDirKey, Severity::Error},

    {Check::EmptyValue, "empty-value", kCampaignNameKey, Severity::Warning},
    {Check::EmptyValue, "empty-value", kIconKey, Severity::Warning},
    {Check::EmptyValue, "empty-value", kBackBitmapKey, Severity::Error},
    {Check::EmptyValue, "empty-value", kInstallDirKey, Severity::Error},

    {Check::KeyRepeated, "repeated-key", "", Severity::Warning},

    {Check::InstallDirCleaned, "installdir-cleaned", "", Severity::Warning},
    {Check::InstallDirUnsafe, "installdir-unsafe", "", Severity::Error},
    {Check::InstallDirNested, "installdir-nested", "", Severity::Warning},
    {Check::InstallDirTrimmed, "installdir-trimmed", "", Severity::Error},
    {Check::InstallDirGameFolder, "installdir-game-folder", "", Severity::Error},

    {Check::BitmapNetwork, "bitmap-network", "", Severity::Error},
    {Check::BitmapAbsolute, "bitmap-absolute", "", Severity::Warning},
    {Check::BitmapMissing, "bitmap-missing", "", Severity::Error},
    {Check::BitmapNotAFile, "bitmap-not-a-file", "", Severity::Error},
    {Check::BitmapNotABitmap, "bitmap-not-a-bitmap", "", Severity::Error},
    {Check::BitmapRejected, "bitmap-rejected", "", Severity::Error},
    {Check::BitmapTooLow, "bitmap-too-low", "", Severity::Warning},

    {Check::NoCampaignFiles, "no-campaign-files", "", Severity::Warning},
    {Check::IconNotInCampaignFiles, "icon-not-in-campaign-files", "", Severity::Warning},
    {Check::LinkNameReplaced, "link-name-replaced", "", Severity::Warning},
    {Check::PatchArchiveInCampaignFiles, "war3patch-in-campaign-files", "", Severity::Warning},

    {Check::BackslashSecondByte, "backslash-second-byte", "", Severity::Warning},
    {Check::NameBeyondAscii, "name-beyond-ascii", "", Severity::Warning},
    {Check::PathTooLong, "path-too-long", "", Severity::Warning},
};

}  // namespace

std::optional<Severity> SeverityOf(Check check, std::string_view key)
{
    const auto* const rule = std::ranges::find_if(
        kFindingRules, [&](const FindingRule& r) { return r.check == check && (r.key.empty() || r.key == key); });
    if (rule == std::end(kFindingRules))
        return std::nullopt;
    return rule->severity;
}

std::string_view CodeOf(Check check)
{
    const auto* const rule = std::ranges::find(kFindingRules, check, &FindingRule::check);
    if (rule == std::end(kFindingRules))
        throw std::logic_error("a check without a rule");
    return rule->code;
}

std::string_view NameOf(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

}  // namespace kestrane

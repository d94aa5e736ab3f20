#include "install/core/ShortcutValues.h"

#include "common/Text.h"

namespace kestrane {
namespace {

bool IsForbiddenInLinkName(unsigned char byte)
{
    constexpr std::string_view kReserved = "|><\"?*:/\\";
    return byte < 32 || byte == 127 || kReserved.find(static_cast<char>(byte)) != std::string_view::npos;
}

}  // namespace

std::string SanitiseLinkName(std::string_view name, const LeadByteRule& rule)
{
    std::string sanitised(name);
    for (std::size_t at = 0; at < sanitised.size(); ++at) {
        if (rule.IsLeadByte(sanitised[at]))
            ++at;
        else if (IsForbiddenInLinkName(static_cast<unsigned char>(sanitised[at])))
            sanitised[at] = '_';
    }
    return sanitised;
}

ShortcutValues MakeShortcutValues(std::string_view campaignDirectory, std::string_view campaignName,
                                  std::string_view icon, const LeadByteRule& rule)
{
    ShortcutValues values;
    values.target = InCampaignDirectory(campaignDirectory, "Warcraft III.exe");
    values.linkName = SanitiseLinkName(campaignName, rule) + ".lnk";
    values.workingDirectory = campaignDirectory;
    values.description = std::string(campaignName) + " Warcraft III Campaign";
    values.iconLocation = icon.empty() ? values.target : InCampaignDirectory(campaignDirectory, icon);
    return values;
}

}  // namespace kestrane

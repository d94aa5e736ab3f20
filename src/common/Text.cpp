#include "common/Text.h"

namespace kestrane {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimTrailingWhiteSpace(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimWhiteSpace(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.front()))
        text.remove_prefix(1);
    return TrimTrailingWhiteSpace(text);
}

std::string Quoted(std::string_view text)
{
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

bool NeedsSeparator(std::string_view directory, const LeadByteRule& rule)
{
    return !EndsWithCharacter(directory, '\\', rule) && !EndsWithCharacter(directory, ':', rule);
}

std::string JoinPath(std::string_view directory, std::string_view name, const LeadByteRule& rule)
{
    std::string path(directory);
    if (NeedsSeparator(directory, rule))
        path += '\\';
    path += name;
    return path;
}

std::string InCampaignDirectory(std::string_view campaignDirectory, std::string_view name)
{
    std::string path(campaignDirectory);
    path += '\\';
    path += name;
    return path;
}

bool NamesNetworkPath(std::string_view path)
{
    const std::string_view trimmed = TrimWhiteSpace(path);
    return trimmed.starts_with("\\\\") || trimmed.starts_with("//");
}

std::string WithTrailingSeparator(std::string_view directory, const LeadByteRule& rule)
{
    return JoinPath(directory, {}, rule);
}

}  // namespace kestrane

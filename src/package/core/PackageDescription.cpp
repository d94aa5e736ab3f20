#include "package/core/PackageDescription.h"

#include "common/AsciiCase.h"
#include "common/Text.h"

#include <algorithm>

namespace kestrane {
namespace {

// One left-to-right pass: occurrences are looked for in the text as it stood before the pass,
// so what a removal joins together is not searched again.
// Only whole characters match: the second byte of "表" is no "\".
void RemoveEvery(std::string& text, std::string_view pattern, const LeadByteRule& rule)
{
    std::string kept;
    kept.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = FindCharacters(text, pattern, 0, rule); at != std::string::npos;
         at = FindCharacters(text, pattern, from, rule)) {
        kept.append(text, from, at - from);
        from = at + pattern.size();
    }
    kept.append(text, from);
    text = std::move(kept);
}

}  // namespace

std::string UpperCased(std::string_view text)
{
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), ToUpperAscii);
    return upper;
}

std::size_t FindKey(std::string_view upperText, std::string_view key)
{
    const std::size_t first = upperText.find(key);
    if (first == std::string_view::npos)
        return first;
    const bool atLineStart = first == 0 || upperText[first - 1] == '\n';
    return atLineStart ? first : std::string_view::npos;
}

std::string ExtractValue(std::string_view text, std::size_t keyStart)
{
    std::size_t at = keyStart;
    while (at < text.size() && text[at] != '=' && text[at] != '\n')
        ++at;
    if (at >= text.size() || text[at] == '\n')
        return {};
    ++at;
    const std::size_t lineEnd = std::min(text.find('\n', at), text.size());
    return std::string(TrimWhiteSpace(text.substr(at, lineEnd - at)));
}

std::string FindValue(std::string_view text, std::string_view upperText, std::string_view key)
{
    const std::size_t keyStart = FindKey(upperText, key);
    return keyStart == std::string_view::npos ? std::string() : ExtractValue(text, keyStart);
}

void SanitiseInstallDir(std::string& installDir, const LeadByteRule& rule)
{
    for (std::string_view pattern : {R"(\\)", R"(..\)", R"(\..)", R"(\.)", R"(.\)"})
        RemoveEvery(installDir, pattern, rule);

    while (EndsWithCharacter(installDir, '\\', rule))
        installDir.pop_back();

    // No two-byte character ends in the byte of ":", so every such byte is a colon.
    if (const std::size_t colon = installDir.find(':'); colon != std::string::npos) {
        installDir.erase(0, colon + 1);
        std::erase(installDir, ':');
    }

    const std::size_t firstKept = std::min(installDir.find_first_not_of('\\'), installDir.size());
    installDir.erase(0, firstKept);
}

PackageDescription ParsePackageDescription(std::string_view text, const LeadByteRule& rule)
{
    const std::string upper = UpperCased(text);
    PackageDescription description{
        .campaignName = FindValue(text, upper, kCampaignNameKey),
        .icon = FindValue(text, upper, kIconKey),
        .backBitmap = FindValue(text, upper, kBackBitmapKey),
        .installDir = FindValue(text, upper, kInstallDirKey),
    };
    SanitiseInstallDir(description.installDir, rule);
    return description;
}

}  // namespace kestrane

// Feeds arbitrary bytes to the install.ini reader and to the INSTALLDIR cleaning.
#include "common/Text.h"
#include "package/core/PackageDescription.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// What a cleaned INSTALLDIR can never be, whatever it was, in a single-byte code page and in
// one whose characters may end in the byte of "\".
void CheckCleaned(const std::string& raw, const kestrane::LeadByteRule& rule)
{
    std::string cleaned = raw;
    kestrane::SanitiseInstallDir(cleaned, rule);
    Require(cleaned.size() <= raw.size());
    Require(cleaned.empty() || cleaned.front() != '\\');
    Require(cleaned.find(':') == std::string::npos);
    // Only the colon step can leave a trailing separator: the one in front of a removed ":".
    Require(!kestrane::EndsWithCharacter(cleaned, '\\', rule) || raw.find(':') != std::string::npos);
    // Cleaning what is clean changes nothing, unless a colon step left a separator to drop.
    std::string again = cleaned;
    kestrane::SanitiseInstallDir(again, rule);
    Require(again == cleaned || raw.find(':') != std::string::npos);
}

void CheckValue(std::string_view text, const std::string& value)
{
    Require(value.find('\n') == std::string::npos);
    Require(value.empty() || (!kestrane::IsWhiteSpace(value.front()) && !kestrane::IsWhiteSpace(value.back())));
    Require(value.empty() || text.find(value) != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kestrane::PackageDescription description = kestrane::ParsePackageDescription(text);
    CheckValue(text, description.campaignName);
    CheckValue(text, description.icon);
    CheckValue(text, description.backBitmap);
    CheckCleaned(std::string(text), kestrane::LeadByteRuleOf(1252));
    CheckCleaned(std::string(text), kestrane::LeadByteRuleOf(932));
    return 0;
}

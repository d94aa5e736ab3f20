#include "install/core/OperationPaths.h"

#include "common/AsciiCase.h"

namespace kestrane {
namespace {

bool EndsWithSeparator(std::string_view path, const LeadByteRule& rule)
{
    return EndsWithCharacter(path, '\\', rule) || EndsWithCharacter(path, '/', rule);
}

std::string_view WithoutTrailingSeparators(std::string_view path, const LeadByteRule& rule)
{
    while (EndsWithSeparator(path, rule))
        path.remove_suffix(1);
    return path;
}

// Letter case counts for no byte of a two-byte character: its second byte may be an ASCII letter.
bool SameWithoutCase(std::string_view a, std::string_view b, const LeadByteRule& rule)
{
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (rule.IsLeadByte(a[at]) && at + 1 < a.size()) {
            if (a.compare(at, 2, b.substr(at, 2)) != 0)
                return false;
            ++at;
        } else if (ToLowerAscii(a[at]) != ToLowerAscii(b[at])) {
            return false;
        }
    }
    return true;
}

}  // namespace

OperationPaths MakeOperationPaths(std::string_view gameDirField, std::string_view installDir, const LeadByteRule& rule)
{
    std::string gameDirectory(gameDirField);
    if (!EndsWithCharacter(gameDirectory, '\\', rule))
        gameDirectory += '\\';
    return {gameDirectory, gameDirectory + std::string(installDir)};
}

bool IsStrictlyBelow(std::string_view directory, std::string_view candidate, const LeadByteRule& rule)
{
    directory = WithoutTrailingSeparators(directory, rule);
    candidate = WithoutTrailingSeparators(candidate, rule);
    if (directory.empty() || candidate.size() <= directory.size() + 1 ||
        !IsCharacterBoundary(candidate, directory.size(), rule))
        return false;
    const char separator = candidate[directory.size()];
    return SameWithoutCase(directory, candidate, rule) && (separator == '\\' || separator == '/');
}

std::string UnsafeInstallDirText(std::string_view installDir)
{
    return "Error!\nThe campaign directory INSTALLDIR=\"" + std::string(installDir) +
           "\" of install.ini is not a folder inside your Warcraft III directory.\n"
           "INSTALLDIR must name a folder inside the Warcraft III directory; nothing was changed.";
}

}  // namespace kestrane

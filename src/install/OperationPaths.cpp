#include "install/OperationPaths.h"

#include "common/AsciiCase.h"

namespace kestrane {
namespace {

std::string_view WithoutTrailingSeparators(std::string_view path)
{
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.remove_suffix(1);
    return path;
}

}  // namespace

OperationPaths MakeOperationPaths(std::string_view gameDirField, std::string_view installDir)
{
    std::string gameDirectory(gameDirField);
    if (gameDirectory.empty() || gameDirectory.back() != '\\')
        gameDirectory += '\\';
    return {gameDirectory, gameDirectory + std::string(installDir)};
}

bool IsStrictlyBelow(std::string_view directory, std::string_view candidate)
{
    directory = WithoutTrailingSeparators(directory);
    candidate = WithoutTrailingSeparators(candidate);
    if (directory.empty() || candidate.size() <= directory.size() + 1)
        return false;
    const bool samePrefix = EqualIgnoringAsciiCase(directory, candidate.substr(0, directory.size()));
    const char separator = candidate[directory.size()];
    return samePrefix && (separator == '\\' || separator == '/');
}

std::string UnsafeInstallDirText(std::string_view installDir)
{
    return "Error!\nThe campaign directory INSTALLDIR=\"" + std::string(installDir) +
           "\" of install.ini is not a folder inside your Warcraft III directory.\n"
           "INSTALLDIR must name a folder inside the Warcraft III directory; nothing was changed.";
}

}  // namespace kestrane

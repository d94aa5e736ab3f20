#include "install/DesktopShortcut.h"

#include "common/Text.h"
#include "framework/ComPtr.h"
#include "framework/ShellPath.h"
#include "framework/WideText.h"

#include <shlobj.h>

namespace kestrane {
namespace {

// The shell saves a link only through a path of fewer than MAX_PATH characters.
constexpr std::size_t kLinkPathLimit = MAX_PATH - 1;

}  // namespace

std::string GetSpecialFolderPath(int folder)
{
    return ExactAnsiFromWide(SpecialFolderPath(folder)).value_or(std::string());
}

void CreateDesktopShortcut(const std::string& target, const std::string& linkName, const std::string& workingDirectory,
                           const std::string& description, const std::string& iconLocation, int folder)
{
    // Without the folder the link would land at the root of the current drive, which no user
    // would look at for it. The folder stays in wide text, as the link is saved through it.
    const std::wstring folderPath = SpecialFolderPath(folder);
    if (folderPath.empty())
        return;

    // A path that does not fit is not written at all: cut short, it would name another file.
    const std::wstring linkPath = JoinWidePath(folderPath, WideFromAnsi(linkName));
    if (linkPath.size() > kLinkPathLimit)
        return;

    const auto link = ComPtr<IShellLinkA>::CreateInstance(CLSID_ShellLink);
    if (!link)
        return;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingDirectory.c_str());
    link->SetDescription(description.c_str());
    if (!iconLocation.empty())
        link->SetIconLocation(iconLocation.c_str(), 0);
    if (const auto file = link.As<IPersistFile>())
        file->Save(linkPath.c_str(), TRUE);
}

}  // namespace kestrane

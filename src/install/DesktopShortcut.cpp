#include "install/DesktopShortcut.h"

#include "framework/ComPtr.h"
#include "framework/UniqueHandle.h"

#include <shlobj.h>

namespace kestrane {

std::string GetSpecialFolderPath(int folder)
{
    UniqueTaskMemory<ITEMIDLIST> idList;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, folder, idList.Put())))
        return {};
    char path[MAX_PATH];
    if (!::SHGetPathFromIDListA(idList.Get(), path))
        return {};
    return path;
}

void CreateDesktopShortcut(const std::string& target, const std::string& linkName,
                           const std::string& workingDirectory, const std::string& description,
                           const std::string& iconLocation, int folder)
{
    // Without the folder the link would land at the root of the current drive, which no user
    // would look at for it.
    const std::string folderPath = GetSpecialFolderPath(folder);
    if (folderPath.empty())
        return;

    // A path that does not fit is not written at all: cut short, it would name another file.
    const std::string linkPath = folderPath + "\\" + linkName;
    wchar_t wideLinkPath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wideLinkPath, MAX_PATH) == 0)
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
        file->Save(wideLinkPath, TRUE);
}

}  // namespace kestrane

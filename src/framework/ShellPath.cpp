#include "framework/ShellPath.h"

#include "framework/SystemFunction.h"
#include "framework/UniqueHandle.h"

namespace kestrane {

std::wstring ShellItemPath(PCIDLIST_ABSOLUTE item)
{
    static const SystemFunction<decltype(::SHGetNameFromIDList)> getNameFromIdList("shell32.dll!SHGetNameFromIDList");
    UniqueTaskMemory<wchar_t> path;
    const auto getName = getNameFromIdList.Get();
    if (!item || !getName || FAILED(getName(item, SIGDN_FILESYSPATH, path.Put())) || !path)
        return {};
    return path.Get();
}

std::wstring SpecialFolderPath(int folder)
{
    static const SystemFunction<decltype(::SHGetSpecialFolderLocation)> getSpecialFolderLocation(
        "shell32.dll!SHGetSpecialFolderLocation");
    UniqueTaskMemory<ITEMIDLIST> idList;
    const auto getLocation = getSpecialFolderLocation.Get();
    if (!getLocation || FAILED(getLocation(nullptr, folder, idList.Put())))
        return {};
    return ShellItemPath(idList.Get());
}

}  // namespace kestrane

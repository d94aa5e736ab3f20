#include "framework/ShellPath.h"

#include "framework/UniqueHandle.h"

namespace kestrane {

std::wstring ShellItemPath(PCIDLIST_ABSOLUTE item)
{
    UniqueTaskMemory<wchar_t> path;
    if (!item || FAILED(::SHGetNameFromIDList(item, SIGDN_FILESYSPATH, path.Put())) || !path)
        return {};
    return path.Get();
}

std::wstring SpecialFolderPath(int folder)
{
    UniqueTaskMemory<ITEMIDLIST> idList;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, folder, idList.Put())))
        return {};
    return ShellItemPath(idList.Get());
}

}  // namespace kestrane

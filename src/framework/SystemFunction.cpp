#include "framework/SystemFunction.h"

#include "framework/UniqueHandle.h"

#include <map>
#include <string>
#include <string_view>

namespace kestrane {
namespace {

std::wstring SystemFolder()
{
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.resize(length);
    }
}

// By its full path, so neither the package directory, the user's start folder, nor a search
// order that this system's updates may or may not restrict can put another copy in its place.
HMODULE SystemLibrary(std::string_view name)
{
    static std::map<std::string, UniqueModule, std::less<>> loaded;
    if (const auto found = loaded.find(name); found != loaded.end())
        return found->second.Get();
    const std::wstring path = SystemFolder() + L'\\' + std::wstring(name.begin(), name.end());
    UniqueModule library(::LoadLibraryExW(path.c_str(), nullptr, 0));
    const HMODULE handle = library.Get();
    if (library)
        loaded.emplace(name, std::move(library));
    return handle;
}

}  // namespace

FARPROC BindSystemFunction(const char* binding)
{
    const std::string_view text(binding);
    const std::size_t separator = text.find('!');
    if (separator == std::string_view::npos)
        return nullptr;
    const HMODULE library = SystemLibrary(text.substr(0, separator));
    return library ? ::GetProcAddress(library, binding + separator + 1) : nullptr;
}

}  // namespace kestrane

#include "check/NameEncoding.h"

#include <windows.h>

namespace kestrane {

std::optional<std::string> EncodeName(const std::filesystem::path& name, unsigned codePage)
{
    const std::wstring& wide = name.native();
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int length = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                                             &lossy);
    if (length == 0 || lossy)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace kestrane

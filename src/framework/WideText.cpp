#include "framework/WideText.h"

#include <windows.h>

namespace kestrane {

std::wstring WideFromAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string AnsiFromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

LeadByteRule SystemLeadByteRule()
{
    CPINFO info{};
    if (!::GetCPInfo(CP_ACP, &info))
        return {};
    return LeadByteRuleFromPairs(info.LeadByte);
}

std::wstring JoinWidePath(std::wstring_view directory, std::wstring_view name)
{
    std::wstring joined(directory);
    if (!joined.empty() && joined.back() != L'\\' && joined.back() != L':')
        joined += L'\\';
    joined += name;
    return joined;
}

}  // namespace kestrane

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

std::optional<std::string> ExactNarrowFromWide(std::wstring_view text, unsigned codePage)
{
    if (text.empty())
        return std::string();
    // UTF-8 (for the ANSI code page, a Windows 10 option) holds every character and takes
    // neither the flag nor the question.
    const bool utf8 = (codePage == CP_ACP ? ::GetACP() : codePage) == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int length = ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length == 0)
        return std::nullopt;
    std::string narrow(static_cast<std::size_t>(length), '\0');
    if (::WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, nullptr,
                              utf8 ? nullptr : &lossy) != length ||
        lossy)
        return std::nullopt;
    return narrow;
}

std::optional<std::string> ExactAnsiFromWide(std::wstring_view text)
{
    return ExactNarrowFromWide(text, CP_ACP);
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

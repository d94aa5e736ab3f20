#include "framework/FileFinder.h"

#include "framework/WideText.h"

#include <cwchar>

namespace kestrane {
namespace {

// The folder a pattern searches, as a full path, or nothing when the system cannot give it:
// entry paths built on an empty or cut root would name other files, at the root of the drive.
std::wstring SearchRoot(const std::wstring& pattern)
{
    const DWORD needed = ::GetFullPathNameW(pattern.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return {};
    std::wstring full(needed, L'\0');
    wchar_t* namePart = nullptr;
    const DWORD length = ::GetFullPathNameW(pattern.c_str(), needed, full.data(), &namePart);
    if (length == 0 || length >= needed)
        return {};
    full.resize(namePart ? static_cast<std::size_t>(namePart - full.data()) : length);
    return full;
}

}  // namespace

bool FileFinder::FindFile(const std::wstring& pattern)
{
    Close();
    m_root = SearchRoot(pattern);
    if (m_root.empty())
        return false;
    m_handle = UniqueFindHandle(::FindFirstFileW(pattern.c_str(), &m_next));
    m_hasNext = static_cast<bool>(m_handle);
    return m_hasNext;
}

bool FileFinder::FindFile(const std::string& pattern)
{
    return FindFile(WideFromAnsi(pattern));
}

bool FileFinder::FindNextFile()
{
    if (!m_hasNext)
        return false;
    m_current = m_next;
    m_hasNext = ::FindNextFileW(m_handle.Get(), &m_next) != FALSE;
    return m_hasNext;
}

void FileFinder::Close()
{
    m_handle.Close();
    m_root.clear();
    m_current = {};
    m_hasNext = false;
}

std::wstring FileFinder::GetFileName() const
{
    return m_current.cFileName;
}

std::wstring FileFinder::GetFilePath() const
{
    return JoinWidePath(m_root, m_current.cFileName);
}

bool FileFinder::IsDirectory() const
{
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileFinder::IsDots() const
{
    return IsDirectory() &&
           (std::wcscmp(m_current.cFileName, L".") == 0 || std::wcscmp(m_current.cFileName, L"..") == 0);
}

bool FileFinder::IsReparsePoint() const
{
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace kestrane

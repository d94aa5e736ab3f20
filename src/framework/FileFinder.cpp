#include "framework/FileFinder.h"

#include "common/Text.h"

#include <cstring>

namespace kestrane {
namespace {

// The directory a pattern searches, as a full path: the entries' paths are built on it.
std::string SearchRoot(const std::string& pattern)
{
    char full[MAX_PATH];
    char* namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(pattern.c_str(), MAX_PATH, full, &namePart);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::string root(full, namePart ? namePart : full + length);
    if (root.size() > 3 && root.back() == '\\')
        root.pop_back();
    return root;
}

}  // namespace

bool FileFinder::FindFile(const std::string& pattern)
{
    Close();
    m_handle = UniqueFindHandle(::FindFirstFileA(pattern.c_str(), &m_next));
    m_hasNext = static_cast<bool>(m_handle);
    if (m_hasNext)
        m_root = SearchRoot(pattern);
    return m_hasNext;
}

bool FileFinder::FindNextFile()
{
    if (!m_hasNext)
        return false;
    m_current = m_next;
    m_hasNext = ::FindNextFileA(m_handle.Get(), &m_next) != FALSE;
    return m_hasNext;
}

void FileFinder::Close()
{
    m_handle.Close();
    m_root.clear();
    m_current = {};
    m_hasNext = false;
}

std::string FileFinder::GetFileName() const
{
    return m_current.cFileName;
}

std::string FileFinder::GetFilePath() const
{
    return JoinPath(m_root, m_current.cFileName);
}

bool FileFinder::IsDirectory() const
{
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileFinder::IsDots() const
{
    return IsDirectory() && (std::strcmp(m_current.cFileName, ".") == 0 || std::strcmp(m_current.cFileName, "..") == 0);
}

bool FileFinder::IsReparsePoint() const
{
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace kestrane

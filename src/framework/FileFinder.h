// FileFinder: walks the entries that a search pattern matches, one at a time, in wide text, so
// that every name comes exactly as the system holds it.
#pragma once

#include "framework/UniqueHandle.h"

#include <string>

namespace kestrane {

class FileFinder {
public:
    // Starts the search; true when at least one entry matches and the full path of the folder
    // it searches is known. No entry is current until the first FindNextFile.
    bool FindFile(const std::wstring& pattern);
    // A pattern in the ANSI code page, converted as the system's "A" functions convert it.
    bool FindFile(const std::string& pattern);

    // Makes the next found entry current; true while further entries follow it.
    bool FindNextFile();

    void Close();

    // The current entry.
    std::wstring GetFileName() const;
    std::wstring GetFilePath() const;  // the full path: the pattern's folder and the name
    bool IsDirectory() const;
    bool IsDots() const;          // "." or ".."
    bool IsReparsePoint() const;  // a junction or symbolic link

private:
    UniqueFindHandle m_handle;
    std::wstring m_root;
    WIN32_FIND_DATAW m_current{};
    WIN32_FIND_DATAW m_next{};
    bool m_hasNext = false;
};

}  // namespace kestrane

// FileFinder: walks the entries that a search pattern matches, one at a time.
#pragma once

#include "framework/UniqueHandle.h"

#include <string>

namespace kestrane {

class FileFinder {
public:
    // Starts the search; true when at least one entry matches. No entry is current until
    // the first FindNextFile.
    bool FindFile(const std::string& pattern);

    // Makes the next found entry current; true while further entries follow it.
    bool FindNextFile();

    void Close();

    // The current entry.
    std::string GetFileName() const;
    std::string GetFilePath() const;  // the full path: the pattern's directory and the name
    bool IsDirectory() const;
    bool IsDots() const;              // "." or ".."
    bool IsReparsePoint() const;      // a junction or symbolic link

private:
    UniqueFindHandle m_handle;
    std::string m_root;
    WIN32_FIND_DATAA m_current{};
    WIN32_FIND_DATAA m_next{};
    bool m_hasNext = false;
};

}  // namespace kestrane

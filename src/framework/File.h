// File: an open file whose every failing operation throws FileError.
#pragma once

#include "framework/UniqueHandle.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

class File {
public:
    enum class Mode {
        Read,         // existing file; others may keep it open alongside
        CreateWrite,  // created, or truncated when it exists
    };

    File(std::string path, Mode mode);
    // Takes over a file that the caller opened as it needs, at `path`.
    File(std::string path, UniqueFileHandle handle);

    // Reads until the span is full or the file ends; returns the bytes read.
    std::size_t Read(std::span<std::byte> buffer);
    // The whole file from its start, in one block of the length it has now; throws as well when
    // that block cannot be held in memory or the file ends before it is full.
    std::vector<std::byte> ReadAll();
    void Write(std::span<const std::byte> bytes);
    void Seek(std::uint64_t offset);
    std::uint64_t Length() const;
    // Waits until every byte written so far is on the disk itself, not only in its cache.
    void Flush();
    // Closing can fail too (a write the system deferred); the destructor closes silently.
    void Close();

    const std::string& Path() const { return m_path; }

    // Deletes the file, waiting out another program's brief hold on it.
    static void Remove(const std::string& path);
    // Marks the file open as `handle` (with DELETE access) to go when its last handle closes;
    // false when the system refuses.
    static bool DeleteOnClose(HANDLE handle);

private:
    [[noreturn]] void Fail(const char* operation) const;

    std::string m_path;
    UniqueFileHandle m_handle;
};

}  // namespace kestrane

// FileError: what every failing file operation of the framework throws.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace kestrane {

class FileError : public std::runtime_error {
public:
    // `code` is the Windows error code, taken right after the call that failed.
    FileError(std::string operation, std::string path, DWORD code);

    const std::string& Operation() const { return m_operation; }
    const std::string& Path() const { return m_path; }
    DWORD Code() const { return m_code; }

private:
    std::string m_operation;
    std::string m_path;
    DWORD m_code;
};

}  // namespace kestrane

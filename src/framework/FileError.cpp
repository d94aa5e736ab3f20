#include "framework/FileError.h"

namespace kestrane {

FileError::FileError(std::string operation, std::string path, DWORD code)
    : std::runtime_error(operation + " \"" + path + "\" failed with error " + std::to_string(code))
    , m_operation(std::move(operation))
    , m_path(std::move(path))
    , m_code(code)
{
}

}  // namespace kestrane

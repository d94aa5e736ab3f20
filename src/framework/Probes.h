// FileExists and DirectoryExists: the two file-system probes. The path is a search pattern,
// so wildcards match the first fitting entry.
#pragma once

#include <string>

namespace kestrane {

// True only for a file: false for directories and the dot entries.
bool FileExists(const std::string& path);

// True for a directory, the dot entries included.
bool DirectoryExists(const std::string& path);

}  // namespace kestrane

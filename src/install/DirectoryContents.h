// CopyDirectoryContents and DeleteDirectoryContents: the two silent walks over a directory tree.
#pragma once

#include <string>

namespace kestrane {

// Copies everything below `source` into the existing directory `destination`, merging with
// what is there and replacing files of the same name. Failures are skipped. Nonzero when
// `source` could be listed.
int CopyDirectoryContents(const std::string& source, const std::string& destination);

// Deletes everything below `directory`, which itself stays. What cannot be deleted (a
// read-only file, say) stays, and so does every directory above it. Links are removed, never
// followed. Nonzero when `directory` could be listed.
int DeleteDirectoryContents(const std::string& directory);

}  // namespace kestrane

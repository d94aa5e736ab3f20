// CopyDirectoryContents and DeleteDirectoryContents: the two walks over a directory tree, and
// the removal of the directory the second one emptied.
#pragma once

#include <functional>
#include <string>

namespace kestrane {

// Told the path, below the source and with "\" separators, of each file or folder the copy
// could not place; as ANSI text for the user, so a name outside the code page shows lossily.
using NotPlaced = std::function<void(const std::string& relativePath)>;

// Copies everything below `source` into the existing directory `destination`, merging with
// what is there and replacing files of the same name. The walk never enters or writes through
// a link in the destination; what it cannot place is handed to `notPlaced` and the walk goes
// on. Nonzero when `source` could be listed.
int CopyDirectoryContents(const std::string& source, const std::string& destination, const NotPlaced& notPlaced);

// Copies the file `source` to `name` in the existing folder `directory` as the walk above
// places each file: one there that is a link or shares its data with other names is replaced,
// never written into. False when the file is not placed.
bool PlaceFileIn(const std::string& source, const std::string& directory, const std::string& name);

// How much of a directory's contents DeleteDirectoryContents deleted.
enum class Deleted {
    NotListed,
    Partly,
    Everything,
};

// Deletes everything below `directory`, which itself stays. What cannot be deleted (a
// read-only file, say) stays, and so does every directory above it. Links are removed, never
// followed. Another program's brief hold on an entry is waited out.
Deleted DeleteDirectoryContents(const std::string& directory);

// Removes `directory` once DeleteDirectoryContents left its `contents` so; when everything
// went, entries that still wait for another program's handle to close are waited out. True
// when the directory is gone.
bool RemoveDirectoryAfter(const std::string& directory, Deleted contents);

}  // namespace kestrane

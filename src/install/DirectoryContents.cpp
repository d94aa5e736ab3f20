#include "install/DirectoryContents.h"

#include "common/Text.h"
#include "framework/FileFinder.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

namespace kestrane {
namespace {

// Hands every entry of `directory` but "." and ".." to `handle`, in the order the system lists
// them; false when the directory cannot be listed. The search stays open while `handle`
// descends, one per level.
template <class Handler>
bool ForEachEntry(const std::string& directory, Handler handle)
{
    FileFinder finder;
    if (!finder.FindFile(JoinPath(directory, "*.*")))
        return false;
    bool more = true;
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            handle(finder);
    }
    return true;
}

// Removes the junction or symbolic link at `path` itself, never what it points to. Windows'
// RemoveDirectoryA would do that, but Wine 8 resolves the link first: it removed an empty target
// folder outside the tree and left the link. So the link is opened as itself, and only a handle
// that still carries the reparse point is deleted. Where the system opens the target instead
// (Wine 8 does, for a Unix symbolic link), the link stays, and so does the directory above it.
void RemoveLink(const std::string& path)
{
    const UniqueFileHandle link(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | DELETE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                              nullptr));
    FILE_ATTRIBUTE_TAG_INFO opened{};
    if (!link || !::GetFileInformationByHandleEx(link.Get(), FileAttributeTagInfo, &opened, sizeof opened) ||
        (opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return;
    FILE_DISPOSITION_INFO deleteOnClose{TRUE};
    ::SetFileInformationByHandle(link.Get(), FileDispositionInfo, &deleteOnClose, sizeof deleteOnClose);
}

}  // namespace

int CopyDirectoryContents(const std::string& source, const std::string& destination)
{
    return ForEachEntry(source, [&destination](const FileFinder& entry) {
        const std::string target = JoinPath(destination, entry.GetFileName());
        if (!entry.IsDirectory()) {
            ::CopyFileA(entry.GetFilePath().c_str(), target.c_str(), FALSE);
            return;
        }
        // A linked directory is not followed: a link to the folder itself or to one of its
        // ancestors would have the copy recurse without end, and a campaign's files belong in
        // the campaign files folder, not behind a link out of it.
        if (entry.IsReparsePoint())
            return;
        ::CreateDirectoryA(target.c_str(), nullptr);
        CopyDirectoryContents(entry.GetFilePath(), target);
    });
}

int DeleteDirectoryContents(const std::string& directory)
{
    return ForEachEntry(directory, [](const FileFinder& entry) {
        const std::string path = entry.GetFilePath();
        if (entry.IsReparsePoint()) {
            RemoveLink(path);
        } else if (entry.IsDirectory()) {
            DeleteDirectoryContents(path);
            ::RemoveDirectoryA(path.c_str());
        } else {
            // The read-only attribute is left as it is: a file its owner protected stays.
            ::DeleteFileA(path.c_str());
        }
    });
}

}  // namespace kestrane

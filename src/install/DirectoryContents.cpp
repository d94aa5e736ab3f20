#include "install/DirectoryContents.h"

#include "framework/File.h"
#include "framework/FileFinder.h"
#include "framework/UniqueHandle.h"
#include "framework/WaitOutHold.h"
#include "framework/WideText.h"

#include <windows.h>

// Both walks work in wide text: the roots are converted from the ANSI code page once, and every
// entry name is used as the system lists it. Through the "A" functions a name outside the code
// page would arrive as "?" or, best-fit mapped, as another name: "..＼Storm.dll" as "..\Storm.dll".

namespace kestrane {
namespace {

// Opens the file or folder at `path` itself, not what a link there leads to. Wine 8 opens a
// Unix symbolic link's target all the same, so a handle alone cannot tell a link there. Opening
// it to delete it waits out another program's brief hold on it.
UniqueFileHandle OpenItself(const std::wstring& path, DWORD access)
{
    UniqueFileHandle opened;
    WaitOutHold(
        [&] {
            opened = UniqueFileHandle(
                ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            return static_cast<bool>(opened);
        },
        path);
    return opened;
}

bool IsGone(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool CarriesReparsePoint(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO opened{};
    return ::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &opened, sizeof opened) &&
           (opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The path the system gives an open handle, in one form for every handle ("\\?\C:\...");
// empty when it cannot tell.
std::wstring FinalPath(HANDLE handle)
{
    const DWORD needed = ::GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED);
    if (needed == 0)
        return {};
    std::wstring path(needed, L'\0');
    const DWORD length = ::GetFinalPathNameByHandleW(handle, path.data(), needed, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= needed)
        return {};
    path.resize(length);
    return path;
}

// A folder that the walks may list or enter, held open while they do: a directory and no link,
// by a handle opened on the folder itself (which a link swapped in for it cannot fool on
// Windows) and by the attributes of its path (which Wine 8 still shows a link by). It is not
// shared for deletion, so it cannot be renamed or replaced while it is held.
class PlainFolder {
public:
    explicit PlainFolder(const std::wstring& path)
        : m_handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr))
    {
        FILE_ATTRIBUTE_TAG_INFO opened{};
        const DWORD pathAttributes = ::GetFileAttributesW(path.c_str());
        constexpr DWORD kKind = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if (!m_handle ||
            !::GetFileInformationByHandleEx(m_handle.Get(), FileAttributeTagInfo, &opened, sizeof opened) ||
            (opened.FileAttributes & kKind) != FILE_ATTRIBUTE_DIRECTORY || pathAttributes == INVALID_FILE_ATTRIBUTES ||
            (pathAttributes & kKind) != FILE_ATTRIBUTE_DIRECTORY)
            m_handle.Close();
    }

    explicit operator bool() const { return static_cast<bool>(m_handle); }
    HANDLE Get() const { return m_handle.Get(); }

private:
    UniqueFileHandle m_handle;
};

// The path the system gives the entry `name` of the folder at `folderPath` (as FinalPath gives
// it) when a handle opened on it is the entry's own: where the handle is a link's target
// (Wine 8, a Unix symbolic link, which it shows as no link at all), the path tells.
bool IsItself(HANDLE handle, const std::wstring& folderPath, const std::wstring& name)
{
    const std::wstring expected = JoinWidePath(folderPath, name);
    const std::wstring opened = FinalPath(handle);
    return !folderPath.empty() && !opened.empty() &&
           ::CompareStringOrdinal(opened.c_str(), static_cast<int>(opened.size()), expected.c_str(),
                                  static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

// Hands every entry of `directory` but "." and ".." to `handle`, with the directory's own
// path as FinalPath gives it, in the order the system lists them; false when the directory is
// no plain folder or cannot be listed. The folder and its search stay open while `handle`
// descends, one of each per level.
template <class Handler>
bool ForEachEntry(const std::wstring& directory, Handler handle)
{
    const PlainFolder folder(directory);
    FileFinder finder;
    if (!folder || !finder.FindFile(JoinWidePath(directory, L"*.*")))
        return false;
    const std::wstring folderPath = FinalPath(folder.Get());
    bool more = true;
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            handle(finder, folderPath);
    }
    return true;
}

// Removes the junction or symbolic link at `path` itself, never what it points to. Windows'
// RemoveDirectory would do that, but Wine 8 resolves the link first: it removed an empty target
// folder outside the tree and left the link. So the link is opened as itself, and only a handle
// that still carries the reparse point is deleted. Where the system opens the target instead
// (Wine 8 does, for a Unix symbolic link), the link stays, and so does the directory above it.
// True when the link is gone.
bool RemoveLink(const std::wstring& path)
{
    const UniqueFileHandle link = OpenItself(path, FILE_READ_ATTRIBUTES | DELETE);
    if (!link)
        return IsGone(::GetLastError());
    return CarriesReparsePoint(link.Get()) && File::DeleteOnClose(link.Get());
}

// Deletes the file `name` in the folder at `folderPath` through a handle on the file itself:
// Wine 8's DeleteFile deletes a Unix symbolic link's target. A read-only file stays, as its
// owner protected it. True when the file is gone.
bool RemoveFile(const std::wstring& path, const std::wstring& folderPath, const std::wstring& name)
{
    const UniqueFileHandle file = OpenItself(path, DELETE);
    if (!file)
        return IsGone(::GetLastError());
    return IsItself(file.Get(), folderPath, name) && File::DeleteOnClose(file.Get());
}

// Copies the file `source` to `name` in the destination folder at `folderPath`. A file there
// that is a link, or shares its data with other names, is replaced, never written into: writing
// through it would change the file it shares with, which may be the game's own. Another
// program's brief hold on the file there is waited out.
bool PlaceFile(const std::wstring& source, const std::wstring& target, const std::wstring& folderPath,
               const std::wstring& name)
{
    const auto copy = [&](BOOL failIfExists) {
        return WaitOutHold([&] { return ::CopyFileW(source.c_str(), target.c_str(), failIfExists) != FALSE; }, target);
    };
    UniqueFileHandle existing = OpenItself(target, FILE_READ_ATTRIBUTES | DELETE);
    if (!existing) {
        // Made anew, never opened through a link that stands there already.
        return IsGone(::GetLastError()) && copy(TRUE);
    }
    BY_HANDLE_FILE_INFORMATION facts{};
    if (!::GetFileInformationByHandle(existing.Get(), &facts) || !IsItself(existing.Get(), folderPath, name))
        return false;
    const bool shared = (facts.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || facts.nNumberOfLinks > 1;
    if (shared)
        File::DeleteOnClose(existing.Get());
    existing.Close();
    return copy(shared);
}

class CampaignCopy {
public:
    explicit CampaignCopy(const NotPlaced& notPlaced) : m_notPlaced(notPlaced) {}

    // Copies what `source` holds into `destination`, both `below` the roots; reports the folder
    // when it has no place or cannot be listed. False when `source` cannot be listed.
    bool Copy(const std::wstring& source, const std::wstring& destination, const std::wstring& below)
    {
        const PlainFolder into(destination);
        const std::wstring intoPath = into ? FinalPath(into.Get()) : std::wstring();
        if (intoPath.empty()) {
            Report(below);
            return Skip(source, below);
        }
        const bool listed = ForEachEntry(source, [&](const FileFinder& entry, const std::wstring&) {
            const std::wstring name = entry.GetFileName();
            const std::wstring relative = JoinWidePath(below, name);
            const std::wstring target = JoinWidePath(destination, name);
            if (!entry.IsDirectory()) {
                if (!PlaceFile(entry.GetFilePath(), target, intoPath, name))
                    Report(relative);
                return;
            }
            // A linked directory is not followed: a link to the folder itself or to one of its
            // ancestors would have the copy recurse without end, and a campaign's files belong
            // in the campaign files folder, not behind a link out of it.
            if (entry.IsReparsePoint())
                return;
            ::CreateDirectoryW(target.c_str(), nullptr);
            Copy(entry.GetFilePath(), target, relative);
        });
        if (!listed)
            Report(below);
        return listed;
    }

private:
    // Reports everything below `source`, which has no place to go; false when it cannot be listed.
    bool Skip(const std::wstring& source, const std::wstring& below)
    {
        return ForEachEntry(source, [&](const FileFinder& entry, const std::wstring&) {
            const std::wstring relative = JoinWidePath(below, entry.GetFileName());
            Report(relative);
            if (entry.IsDirectory() && !entry.IsReparsePoint())
                Skip(entry.GetFilePath(), relative);
        });
    }

    // The roots themselves are the caller's to report.
    void Report(const std::wstring& relative) const
    {
        if (!relative.empty())
            m_notPlaced(AnsiFromWide(relative));
    }

    const NotPlaced& m_notPlaced;
};

// Removes the folder at `path`, which `below` tells how the walk left: a folder whose every
// entry went may still list those that wait for another program's handle to close.
bool RemoveEmptiedFolder(const std::wstring& path, Deleted below)
{
    const HeldTarget target = below == Deleted::Everything ? HeldTarget::EmptiedFolder : HeldTarget::Folder;
    return WaitOutHold([&] { return ::RemoveDirectoryW(path.c_str()) != FALSE; }, path, target);
}

Deleted DeleteBelow(const std::wstring& directory)
{
    bool everything = true;
    const bool listed = ForEachEntry(directory, [&everything](const FileFinder& entry, const std::wstring& folderPath) {
        const std::wstring path = entry.GetFilePath();
        bool gone = false;
        if (entry.IsReparsePoint()) {
            gone = RemoveLink(path);
        } else if (entry.IsDirectory()) {
            // A folder that turned into a link since it was listed is left alone, and with it
            // what the link leads to.
            const Deleted below = DeleteBelow(path);
            gone = below != Deleted::NotListed && RemoveEmptiedFolder(path, below);
        } else {
            gone = RemoveFile(path, folderPath, entry.GetFileName());
        }
        everything = everything && gone;
    });
    if (!listed)
        return Deleted::NotListed;
    return everything ? Deleted::Everything : Deleted::Partly;
}

}  // namespace

int CopyDirectoryContents(const std::string& source, const std::string& destination, const NotPlaced& notPlaced)
{
    CampaignCopy copy(notPlaced);
    return copy.Copy(WideFromAnsi(source), WideFromAnsi(destination), L"");
}

bool PlaceFileIn(const std::string& source, const std::string& directory, const std::string& name)
{
    const std::wstring folder = WideFromAnsi(directory);
    const std::wstring wideName = WideFromAnsi(name);
    const PlainFolder into(folder);
    const std::wstring intoPath = into ? FinalPath(into.Get()) : std::wstring();
    return !intoPath.empty() && PlaceFile(WideFromAnsi(source), JoinWidePath(folder, wideName), intoPath, wideName);
}

Deleted DeleteDirectoryContents(const std::string& directory)
{
    return DeleteBelow(WideFromAnsi(directory));
}

bool RemoveDirectoryAfter(const std::string& directory, Deleted contents)
{
    return RemoveEmptiedFolder(WideFromAnsi(directory), contents);
}

}  // namespace kestrane

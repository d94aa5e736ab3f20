#include "install/WriteCampaignGameDll.h"

#include "common/InstallerContract.h"
#include "common/Text.h"
#include "framework/File.h"
#include "framework/FileError.h"
#include "framework/UniqueHandle.h"
#include "framework/WaitOutHold.h"
#include "install/core/GameDllRewrite.h"

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace kestrane {
namespace {

constexpr char kReadingText[] = "Error: an error occured while reading game.dll!";
constexpr char kWritingText[] = "Error: an error occured while writing game.dll campaign file!";
constexpr char kReadingOrWritingText[] = "Error: an error occured while reading or writing game.dll campaign file!";

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What tells one file from another, however its path is spelled ("Camp\..\", a link).
struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    const UniqueFileHandle file(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION facts;
    if (!file || !::GetFileInformationByHandle(file.Get(), &facts))
        return std::nullopt;
    return FileIdentity{facts.dwVolumeSerialNumber, facts.nFileIndexHigh, facts.nFileIndexLow};
}

// A directory cannot be replaced by a renamed file, and finding that out only after the whole
// copy is written would be late. Nor may the game's own game.dll be replaced, as it would be
// by a campaign directory that is the game directory itself: it is only ever read. A copy in
// the campaign directory that is a link to it, or shares its data, is another name for it:
// the rename replaces that name and leaves the game's file as it is.
bool MayReplace(const std::string& destination, const std::string& campaignDirectory, const std::string& gameDirectory)
{
    if (IsDirectory(destination))
        return false;
    const auto campaign = IdentityOf(campaignDirectory);
    return !campaign || campaign != IdentityOf(gameDirectory);
}

// The copy is written under a unique name beside its destination and renamed over it only
// when complete: start-up takes any game.dll in the campaign directory for an installed
// campaign, so an install cut short must not leave a partial one. A file that is never put in
// place is deleted again.
class PendingFile {
public:
    // Creates an empty file of a new name in `directory`, to become `destination`.
    // Named as GetTempFileName names its files, which it could not do in a directory of more
    // than MAX_PATH - 14 bytes: "kst" and four hexadecimal digits, the first free one after a
    // start that differs from run to run.
    PendingFile(const std::string& directory, std::string destination) : m_destination(std::move(destination))
    {
        constexpr unsigned kNames = 0x10000;
        const unsigned start = ::GetTickCount();
        for (unsigned tried = 0; tried < kNames; ++tried) {
            char name[16];
            // Four hexadecimal digits, below kNames, always fit.
            static_cast<void>(std::snprintf(name, sizeof name, "kst%04X.TMP", (start + tried) % kNames));
            const std::string path = InCampaignDirectory(directory, name);
            // Held with the right to delete it until it is in place, so no other program that
            // does not share deletion (a virus scanner) can open it the moment we close it, and
            // then stop both the rename and the deletion of a copy that failed.
            UniqueFileHandle created(::CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (created) {
                HANDLE writer = nullptr;
                if (!::DuplicateHandle(::GetCurrentProcess(), created.Get(), ::GetCurrentProcess(), &writer, 0, FALSE,
                                       DUPLICATE_SAME_ACCESS)) {
                    const DWORD error = ::GetLastError();
                    File::DeleteOnClose(created.Get());
                    throw FileError("create a file in", directory, error);
                }
                m_keeper = std::move(created);
                m_file.emplace(path, UniqueFileHandle(writer));
                m_path = path;
                return;
            }
            if (const DWORD error = ::GetLastError(); error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                throw FileError("create a file in", directory, error);
        }
        throw FileError("create a file in", directory, ERROR_FILE_EXISTS);
    }
    ~PendingFile()
    {
        if (m_keeper)
            File::DeleteOnClose(m_keeper.Get());
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    File& Contents() { return *m_file; }

    // Renames the file to its destination, replacing a file of that name, and waits out another
    // program's brief hold on that one. The rename reaches the disk before this returns, so a
    // power cut right after it cannot undo it.
    void PutInPlace()
    {
        const auto rename = [this] {
            return ::MoveFileExA(m_path.c_str(), m_destination.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        };
        if (!WaitOutHold(rename, m_destination))
            throw FileError("replace", m_destination, ::GetLastError());
        m_keeper.Close();
    }

private:
    std::string m_destination;
    std::string m_path;
    UniqueFileHandle m_keeper;
    std::optional<File> m_file;
};

// The whole source in one read, rewritten, in one write. A source too large to hold fails
// rather than leaving an empty copy behind as if all went well.
void CopyRewritten(File& source, File& destination)
{
    std::vector<std::byte> bytes = source.ReadAll();
    RewriteGameDll(bytes);
    destination.Write(bytes);
}

}  // namespace

void WriteCampaignGameDll(const std::string& gameDirectory, const std::string& campaignDirectory,
                          const std::function<void(int)>& setPosition, OperationState& state)
{
    std::optional<File> source;
    try {
        source.emplace(gameDirectory + "game.dll", File::Mode::Read);
    } catch (const FileError&) {
        state.Fail(kReadingText);
        return;
    }
    setPosition(600);

    const std::string destinationPath = InCampaignDirectory(campaignDirectory, kCampaignLibrary);
    std::optional<PendingFile> pending;
    if (MayReplace(destinationPath, campaignDirectory, gameDirectory)) {
        try {
            pending.emplace(campaignDirectory, destinationPath);
        } catch (const FileError&) {
            // Reported below, with every other reason the copy cannot be made.
        }
    }
    if (!pending) {
        state.Fail(kWritingText);
        source.reset();
        setPosition(900);
        return;
    }
    setPosition(700);

    try {
        File& destination = pending->Contents();
        CopyRewritten(*source, destination);
        // Otherwise a power cut after the rename could leave game.dll named right but holding
        // zeros: the file system may log the rename before the data it names is written.
        destination.Flush();
        destination.Close();
        // A copy there that shares the source's data is another name of the source: Windows
        // renames nothing over it while the source is open. So the source is closed first, and
        // both positions wait for the copy to be in place.
        source->Close();
        pending->PutInPlace();
        setPosition(800);
        setPosition(900);
    } catch (const FileError&) {
        state.Fail(kReadingOrWritingText);
    }
}

}  // namespace kestrane

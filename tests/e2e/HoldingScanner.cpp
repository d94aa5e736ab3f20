// HoldingScanner: a stand-in for the virus scanners and indexers of players' machines. It holds
// each file of a folder tree, those there at its start and each one written or renamed there
// later as soon as its writer lets go, open for reading without sharing deletion, for a set
// time; no time holds them until the program is ended.
//
//     HoldingScanner <folder> <milliseconds> <name of the event it sets once it watches>
#include "framework/UniqueHandle.h"
#include "framework/WideText.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <system_error>

namespace {

using Clock = std::chrono::steady_clock;

class Scanner {
public:
    Scanner(std::wstring folder, std::chrono::milliseconds hold) : m_folder(std::move(folder)), m_hold(hold) {}

    void NoteTree()
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_folder, error)) {
            if (!entry.is_directory(error))
                m_waiting.insert(entry.path().wstring());
        }
    }
    void Note(const std::wstring& relative) { m_waiting.insert(m_folder + L"\\" + relative); }

    // Opens what waits, now that its writer may have let go, and lets go what was held long enough.
    void Tick()
    {
        for (auto next = m_waiting.begin(); next != m_waiting.end();) {
            const DWORD attributes = ::GetFileAttributesW(next->c_str());
            kestrane::UniqueFileHandle opened(::CreateFileW(
                next->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
            // Gone, or a folder: nothing to hold. Held by its writer: tried on the next tick.
            if (opened || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                if (opened)
                    m_held[*next] = {std::move(opened), Clock::now() + m_hold};
                next = m_waiting.erase(next);
            } else {
                ++next;
            }
        }
        if (m_hold.count() == 0)
            return;
        std::erase_if(m_held, [](const auto& held) { return held.second.until <= Clock::now(); });
    }

private:
    struct Held {
        kestrane::UniqueFileHandle handle;
        Clock::time_point until;
    };
    std::wstring m_folder;
    std::chrono::milliseconds m_hold;
    std::set<std::wstring> m_waiting;
    std::map<std::wstring, Held> m_held;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::wstring watched = kestrane::WideFromAnsi(argv[1]);
    const kestrane::UniqueFileHandle folder(
        ::CreateFileW(watched.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    const kestrane::UniqueKernelHandle changed(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const kestrane::UniqueKernelHandle ready(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]));
    if (!folder || !changed || !ready)
        return 1;
    Scanner scanner(watched, std::chrono::milliseconds(std::strtol(argv[2], nullptr, 10)));

    alignas(DWORD) static char changes[64 << 10];
    OVERLAPPED watch{};
    watch.hEvent = changed.Get();
    const auto startWatching = [&] {
        ::ResetEvent(changed.Get());
        return ::ReadDirectoryChangesW(
                   folder.Get(), changes, sizeof changes, TRUE,
                   FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE, nullptr,
                   &watch, nullptr) != FALSE;
    };
    if (!startWatching())
        return 1;
    scanner.NoteTree();
    scanner.Tick();
    ::SetEvent(ready.Get());

    for (;;) {
        if (::WaitForSingleObject(changed.Get(), 10) == WAIT_OBJECT_0) {
            DWORD length = 0;
            ::GetOverlappedResult(folder.Get(), &watch, &length, FALSE);
            // An empty answer: more changed than the buffer could tell.
            if (length == 0)
                scanner.NoteTree();
            for (DWORD at = 0; at < length;) {
                const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changes + at);
                if (change->Action != FILE_ACTION_REMOVED && change->Action != FILE_ACTION_RENAMED_OLD_NAME)
                    scanner.Note(std::wstring(change->FileName, change->FileNameLength / sizeof(wchar_t)));
                if (change->NextEntryOffset == 0)
                    break;
                at += change->NextEntryOffset;
            }
            if (!startWatching())
                return 1;
        }
        scanner.Tick();
    }
}

#include "TempFolder.h"

#include "framework/UniqueHandle.h"
#include "framework/WideText.h"

#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace kestrane::test {
namespace {

// Wine's own export, which Windows lacks: the Unix path behind a Windows path.
using WineGetUnixFileName = char* (*)(const wchar_t*);

WineGetUnixFileName UnixFileNameFunction()
{
    return reinterpret_cast<WineGetUnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
}

// How long a Unix command that makes or removes a link may take to show.
constexpr std::chrono::seconds kLinkPatience(10);

// Calls `visit(name, path, attributes)` for each entry of `directory` but "." and "..", in wide
// text, as tests also leave names that the ANSI code page cannot hold.
template <class Visit>
void ForEachEntry(const std::wstring& directory, Visit visit)
{
    WIN32_FIND_DATAW entry;
    const UniqueFindHandle search(::FindFirstFileW((directory + L"\\*").c_str(), &entry));
    for (bool more = static_cast<bool>(search); more; more = ::FindNextFileW(search.Get(), &entry)) {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            visit(name, directory + L"\\" + name, entry.dwFileAttributes);
    }
}

// The Unix path of the entry `name` in `directory`: Wine converts a whole path as Windows
// resolves it, which would drop the trailing dots and blanks of a last part such as "Camp ".
std::string UnixPathOf(const std::string& directory, const std::string& name)
{
    const std::string unixDirectory = UnixPath(directory);
    return unixDirectory.empty() ? std::string() : unixDirectory + "/" + name;
}

// Wine cannot remove a directory link through Win32: RemoveDirectory reaches the target, and
// even removes it when it is empty. There the link goes the way it came.
void RemoveDirectoryLink(const std::string& link)
{
    const std::size_t split = link.rfind('\\');
    const std::string directory = link.substr(0, split);
    const std::string name = link.substr(split + 1);
    const std::string unixPath = UnixPathOf(directory, name);
    if (unixPath.empty()) {
        ::RemoveDirectoryA(link.c_str());
        return;
    }
    RunUnixCommand("Z:\\bin\\rm \"" + unixPath + "\"");
    WaitForValue([&] { return Snapshot(directory, false).contains(name); }, false, kLinkPatience);
}

// Removes a tree without ever following a link out of it: tests put links to folders outside.
void RemoveTree(const std::wstring& directory)
{
    ForEachEntry(directory, [](const std::wstring&, const std::wstring& path, DWORD attributes) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // Links are made with ASCII names only.
            RemoveDirectoryLink(std::string(path.begin(), path.end()));
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path);
        } else {
            // Tests leave read-only files behind on purpose.
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(path.c_str());
        }
    });
    ::SetFileAttributesW(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(directory.c_str());
}

// Names the code page lacks show as the system's ANSI form of them, their files still read.
void AddToSnapshot(Tree& tree, const std::wstring& directory, const std::string& prefix, bool deep)
{
    ForEachEntry(directory, [&](const std::wstring& name, const std::wstring& path, DWORD attributes) {
        const std::string shown = prefix + AnsiFromWide(name);
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            tree[shown] = kLink;
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[shown] = kDirectory;
            if (deep)
                AddToSnapshot(tree, path, shown + "\\", deep);
        } else {
            tree[shown] = ReadWideFile(path);
        }
    });
}

}  // namespace

std::string UnixPath(const std::string& path)
{
    const WineGetUnixFileName convert = UnixFileNameFunction();
    if (!convert)
        return {};
    const std::wstring wide(path.begin(), path.end());
    char* unixPath = convert(wide.c_str());
    std::string result = unixPath ? unixPath : "";
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

// Wine starts Unix programs as they are; it does not wait on them, so the caller polls.
void RunUnixCommand(std::string command)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        // Nothing waits on the child, so its handles go at once.
        const UniqueKernelHandle thread(process.hThread);
        const UniqueKernelHandle child(process.hProcess);
    }
}

BriefHold::BriefHold(const std::string& path, unsigned long share, std::chrono::milliseconds hold)
{
    UniqueFileHandle held(::CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!held)
        throw std::runtime_error("cannot hold " + path);
    m_letGo = std::thread([held = std::move(held), hold] { std::this_thread::sleep_for(hold); });
}

bool RunningOnWine()
{
    return UnixFileNameFunction() != nullptr;
}

TempFolder::TempFolder(std::string_view purpose)
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    const std::string prefix =
        std::string(base) + "kestrane-" + std::string(purpose) + "-" + std::to_string(::GetCurrentProcessId()) + "-";
    // A process id comes round again, and a killed run may have left its folder behind: a name
    // that is taken only means trying the next one.
    static unsigned counter = 0;
    do
        m_path = prefix + std::to_string(++counter);
    while (!::CreateDirectoryA(m_path.c_str(), nullptr) && ::GetLastError() == ERROR_ALREADY_EXISTS);
    if (::GetFileAttributesA(m_path.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("cannot create " + m_path);
}

TempFolder::~TempFolder()
{
    RemoveTree(WideFromAnsi(m_path));
}

std::string TempFolder::operator/(std::string_view name) const
{
    return m_path + "\\" + std::string(name);
}

void TempFolder::WriteFile(std::string_view name, std::string_view bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(*this / name).parent_path());
    WriteTextFile(*this / name, bytes);
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& directory)
{
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    m_previous = previous;
    if (!::SetCurrentDirectoryA(directory.c_str()))
        throw std::runtime_error("cannot change to " + directory);
}

CurrentDirectoryScope::~CurrentDirectoryScope()
{
    ::SetCurrentDirectoryA(m_previous.c_str());
}

void MakeLink(const std::string& target, const std::string& link, bool symbolic)
{
    const std::size_t split = link.rfind('\\');
    const std::string directory = link.substr(0, split);
    const std::string name = link.substr(split + 1);
    const std::string unixTarget = UnixPath(target);
    const std::string unixLink = UnixPathOf(directory, name);
    if (unixTarget.empty() || unixLink.empty()) {
        // A "\\?\" path keeps the name as it is written.
        const std::string exact = "\\\\?\\" + link;
        const bool made = symbolic ? ::CreateSymbolicLinkA(exact.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)
                                   : ::CreateHardLinkA(exact.c_str(), target.c_str(), nullptr);
        if (!made)
            throw std::runtime_error("cannot link " + link + " to " + target);
        return;
    }
    RunUnixCommand(std::string("Z:\\bin\\ln ") + (symbolic ? "-s \"" : "\"") + unixTarget + "\" \"" + unixLink + "\"");
    // Listed, since Windows would trim a name such as "Camp " when asked about it.
    if (!WaitForValue([&] { return Snapshot(directory, false).contains(name); }, true, kLinkPatience))
        throw std::runtime_error("cannot link " + link + " to " + target);
}

std::wstring WideFromUtf8(std::string_view utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// Shared as the C library shares what it opens: a file another program still writes to reads too.
std::string ReadWideFile(const std::wstring& path)
{
    const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    if (!file)
        return "<missing>";
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    return bytes;
}

void WriteWideFile(const std::wstring& path, std::string_view bytes)
{
    const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        throw std::runtime_error("cannot write " + AnsiFromWide(path));
}

std::string ReadTextFile(const std::string& path)
{
    return ReadWideFile(WideFromAnsi(path));
}

void WriteTextFile(const std::string& path, std::string_view bytes)
{
    WriteWideFile(WideFromAnsi(path), bytes);
}

Tree Snapshot(const std::string& root, bool deep)
{
    Tree tree;
    AddToSnapshot(tree, WideFromAnsi(root), "", deep);
    return tree;
}

Tree Without(Tree tree, const std::string& path)
{
    const std::string inside = path + "\\";
    std::erase_if(tree, [&](const auto& entry) { return entry.first == path || entry.first.starts_with(inside); });
    return tree;
}

void MakeTree(const std::string& root, const Tree& tree)
{
    // A map lists each directory before what it holds.
    for (const auto& [relative, content] : tree) {
        const std::string path = root + "\\" + relative;
        if (content != kDirectory)
            WriteTextFile(path, content);
        else if (!::CreateDirectoryA(path.c_str(), nullptr))
            throw std::runtime_error("cannot create " + path);
    }
}

}  // namespace kestrane::test

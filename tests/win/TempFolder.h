// Helpers for Windows tests: whether Wine runs them, waiting for a value, a fresh temporary
// folder, a current directory change, links, and files and trees written and read back.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <thread>

namespace kestrane::test {

// For the checks where Wine and Windows part ways: each says which gives what.
bool RunningOnWine();

// What `read` gives once it gives `expected`; its last value when `timeout` passes first.
template <class Read, class Value>
auto WaitForValue(Read read, const Value& expected, std::chrono::milliseconds timeout) -> decltype(read())
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto value = read();
    for (; value != expected && std::chrono::steady_clock::now() < deadline; value = read())
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return value;
}

// Another program's hold on a file, as a virus scanner takes it: `path` open for reading,
// shared as `share` (FILE_SHARE_ flags) says, let go after `hold` by a thread of its own.
class BriefHold {
public:
    BriefHold(const std::string& path, unsigned long share, std::chrono::milliseconds hold);
    ~BriefHold() { m_letGo.join(); }
    BriefHold(const BriefHold&) = delete;
    BriefHold& operator=(const BriefHold&) = delete;

private:
    std::thread m_letGo;
};

// Removed with everything in it at the end, never following a link out of it.
class TempFolder {
public:
    explicit TempFolder(std::string_view purpose = "test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in no separator.
    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const;
    // Makes the folders on the way that are missing.
    void WriteFile(std::string_view name, std::string_view bytes) const;

private:
    std::string m_path;
};

class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& directory);
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::string m_previous;
};

// A link at `link` to `target`: a symbolic link to a folder, or a hard link to a file when not
// `symbolic`. Under Wine it is made on the Unix side of the prefix's drive, as `ln -s` and `ln`
// make them, so that a last part that Windows would trim, such as "Camp ", stands there exactly;
// outside Wine, Windows makes the same links itself.
void MakeLink(const std::string& target, const std::string& link, bool symbolic = true);
// Under Wine, the Unix path behind a Windows path; empty outside Wine.
std::string UnixPath(const std::string& path);
// Starts a Unix program by its path on Wine's drive Z: ("Z:\bin\ln ..."), without waiting for it.
void RunUnixCommand(std::string command);

// A file's bytes, "<missing>" when it cannot be opened.
std::string ReadTextFile(const std::string& path);
void WriteTextFile(const std::string& path, std::string_view bytes);

// Names the ANSI code page may not hold, written in UTF-8 in the tests and used in wide text.
std::wstring WideFromUtf8(std::string_view utf8);
std::string ReadWideFile(const std::wstring& path);
void WriteWideFile(const std::wstring& path, std::string_view bytes);

// What a folder holds, by path relative to it: a file's bytes, kDirectory, or kLink for a
// reparse point, which is not entered. Empty for a folder that cannot be listed; only the
// folder's own entries when not `deep`.
inline constexpr char kDirectory[] = "<directory>";
inline constexpr char kLink[] = "<link>";
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::string& root, bool deep = true);
// The tree less the entry `path` and all below it.
Tree Without(Tree tree, const std::string& path);
// The reverse of Snapshot, for files and directories only.
void MakeTree(const std::string& root, const Tree& tree);

}  // namespace kestrane::test

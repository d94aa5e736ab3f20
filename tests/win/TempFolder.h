// Helpers for Windows tests: whether Wine runs them, a fresh temporary folder, a current
// directory change, links, and files and trees written and read back.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kestrane::test {

// For the checks where Wine and Windows part ways: each says which gives what.
bool RunningOnWine();

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

// A directory link at `link` to the folder `target`, seen by Windows as a reparse point.
void MakeDirectoryLink(const std::string& target, const std::string& link);

// The entry `name` in the folder `directory`, made on the Unix side of the prefix's drive as
// `ln` makes a hard link to the file `target` (`ln -s`, a symbolic link, when `symbolic`), so
// that a name Windows would trim, such as "Camp ", stands there exactly. Outside Wine, Windows
// makes the same links itself.
void MakeUnixLink(const std::string& target, const std::string& directory, const std::string& name, bool symbolic);

void WriteTextFile(const std::string& path, std::string_view bytes);

// Names the ANSI code page may not hold, written in UTF-8 in the tests and used in wide text.
std::wstring WideFromUtf8(std::string_view utf8);
void WriteWideFile(const std::wstring& path, std::string_view bytes);
std::string ReadWideFile(const std::wstring& path);  // "<missing>" when it cannot be opened
std::string ReadTextFile(const std::string& path);

// What a folder holds, by path relative to it: a file's bytes, kDirectory, or kLink for a
// reparse point, which is not entered. Empty for a folder that cannot be listed.
inline constexpr char kDirectory[] = "<directory>";
inline constexpr char kLink[] = "<link>";
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::string& root);
// The reverse of Snapshot, for files and directories only.
void MakeTree(const std::string& root, const Tree& tree);

}  // namespace kestrane::test

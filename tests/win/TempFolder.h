// Scope guards for Windows tests: a fresh temporary folder, and a current directory change.
#pragma once

#include <string>
#include <string_view>

namespace kestrane::test {

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

void WriteTextFile(const std::string& path, std::string_view bytes);
std::string ReadTextFile(const std::string& path);

}  // namespace kestrane::test

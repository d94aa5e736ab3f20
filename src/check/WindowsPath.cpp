#include "check/WindowsPath.h"

#include "common/AsciiCase.h"

#include <algorithm>

namespace kestrane {
namespace {

// A name as the directory holds it: the exact name first, as every system finds it, then any
// name that differs only in letter case, which Windows would have found too. A colon inside a
// path names a drive or a stream on Windows, never a file in the folder.
std::optional<std::filesystem::path> FindChild(const std::filesystem::path& directory, const std::string& name)
{
    if (name.find(':') != std::string::npos)
        return std::nullopt;
    std::error_code error;
    if (std::filesystem::exists(directory / name, error))
        return directory / name;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        if (EqualIgnoringAsciiCase(entry.path().filename().string(), name))
            return entry.path();
    }
    return std::nullopt;
}

// Where the first separator stands that is a character of its own.
std::size_t FindSeparator(std::string_view path, const LeadByteRule& rule)
{
    return std::min({FindCharacters(path, "\\", 0, rule), FindCharacters(path, "/", 0, rule), path.size()});
}

}  // namespace

std::vector<std::string> WindowsPathParts(std::string_view path, const LeadByteRule& rule)
{
    std::vector<std::string> parts;
    while (!path.empty()) {
        std::string part(path.substr(0, FindSeparator(path, rule)));
        path.remove_prefix(std::min(part.size() + 1, path.size()));
        if (part.empty() || part == ".")
            continue;
        if (part != "..") {
            while (!part.empty() && (part.back() == '.' || part.back() == ' '))
                part.pop_back();
            if (part.empty())
                continue;
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

std::string NormaliseFullPath(std::string_view fullPath, const LeadByteRule& rule)
{
    const std::string_view drive = fullPath.substr(0, 2);
    std::vector<std::string> kept;
    for (std::string& part : WindowsPathParts(fullPath.substr(drive.size()), rule)) {
        if (part != "..")
            kept.push_back(std::move(part));
        else if (!kept.empty())
            kept.pop_back();
    }
    std::string normalised(drive);
    normalised += '\\';
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            normalised += '\\';
        normalised += kept[i];
    }
    return normalised;
}

bool IsAbsoluteWindowsPath(std::string_view path)
{
    return path.starts_with('\\') || path.starts_with('/') || (path.size() >= 2 && path[1] == ':');
}

std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& directory, std::string_view windowsPath)
{
    std::filesystem::path found = directory;
    for (const std::string& part : WindowsPathParts(windowsPath)) {
        if (part == "..") {
            found /= "..";
            continue;
        }
        const auto child = FindChild(found, part);
        if (!child)
            return std::nullopt;
        found = *child;
    }
    std::error_code error;
    if (!std::filesystem::exists(found, error))
        return std::nullopt;
    return found;
}

}  // namespace kestrane

#include "framework/Probes.h"

#include "framework/FileFinder.h"

namespace kestrane {

bool FileExists(const std::string& path)
{
    FileFinder finder;
    if (!finder.FindFile(path))
        return false;
    finder.FindNextFile();
    return !finder.IsDirectory() && !finder.IsDots();
}

bool DirectoryExists(const std::string& path)
{
    FileFinder finder;
    if (!finder.FindFile(path))
        return false;
    finder.FindNextFile();
    return finder.IsDirectory();
}

}  // namespace kestrane

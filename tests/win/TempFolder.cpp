#include "TempFolder.h"

#include <windows.h>


#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kestrane::test {

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    m_path = std::string(base) + "kestrane-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
    if (!::CreateDirectoryA(m_path.c_str(), nullptr))
        throw std::runtime_error("cannot create " + m_path);
}

TempFolder::~TempFolder()
{
    // Read-only files would stop remove_all; tests leave some behind on purpose.
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, error))
        ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(m_path, error);
}

std::string TempFolder::operator/(std::string_view name) const
{
    return m_path + "\\" + std::string(name);
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

namespace {

// Wine's own export: the Unix path behind a Windows path.
std::string UnixPath(const std::string& path)
{
    using WineGetUnixFileName = char* (*)(const wchar_t*);
    const auto convert = reinterpret_cast<WineGetUnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    const std::wstring wide(path.begin(), path.end());
    char* unixPath = convert(wide.c_str());
    std::string result = unixPath ? unixPath : "";
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

bool IsReparsePoint(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

void MakeDirectoryLink(const std::string& target, const std::string& link)
{
    if (::CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) && IsReparsePoint(link))
        return;
    ::RemoveDirectoryA(link.c_str());

    // Wine 8 accepts CreateSymbolicLink but makes nothing; a Unix symbolic link inside the
    // prefix shows up as a directory reparse point. Wine starts Unix programs as they are.
    std::string command = "Z:\\bin\\ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    // Wine does not wait on a Unix process: its handle is signalled at once.
    for (int tries = 0; tries < 500 && !IsReparsePoint(link); ++tries)
        ::Sleep(20);
    if (!IsReparsePoint(link))
        throw std::runtime_error("cannot make a directory link " + link);
}

void WriteTextFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace kestrane::test

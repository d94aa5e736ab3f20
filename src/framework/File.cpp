#include "framework/File.h"

#include "framework/FileError.h"
#include "framework/WaitOutHold.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

namespace kestrane {
namespace {

// ReadFile and WriteFile take a 32-bit count.
constexpr std::size_t kMaxChunk = 1u << 30;

}  // namespace

File::File(std::string path, Mode mode) : m_path(std::move(path))
{
    const bool reading = mode == Mode::Read;
    m_handle = UniqueFileHandle(::CreateFileA(m_path.c_str(), reading ? GENERIC_READ : GENERIC_WRITE,
                                              reading ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr,
                                              reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_handle)
        Fail("open");
}

File::File(std::string path, UniqueFileHandle handle) : m_path(std::move(path)), m_handle(std::move(handle)) {}

std::size_t File::Read(std::span<std::byte> buffer)
{
    std::size_t total = 0;
    while (total < buffer.size()) {
        const auto chunk = static_cast<DWORD>(std::min(buffer.size() - total, kMaxChunk));
        DWORD read = 0;
        if (!::ReadFile(m_handle.Get(), buffer.data() + total, chunk, &read, nullptr))
            Fail("read");
        if (read == 0)
            break;
        total += read;
    }
    return total;
}

std::vector<std::byte> File::ReadAll()
{
    const std::uint64_t length = Length();
    if (!std::in_range<std::size_t>(length))
        throw FileError("hold", m_path, ERROR_NOT_ENOUGH_MEMORY);
    std::vector<std::byte> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        throw FileError("hold", m_path, ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::length_error&) {
        throw FileError("hold", m_path, ERROR_NOT_ENOUGH_MEMORY);
    }
    Seek(0);
    // A file that shrank under us would leave the block's end unread.
    if (Read(bytes) != bytes.size())
        throw FileError("read", m_path, ERROR_HANDLE_EOF);
    return bytes;
}

void File::Write(std::span<const std::byte> bytes)
{
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxChunk));
        DWORD written = 0;
        if (!::WriteFile(m_handle.Get(), bytes.data(), chunk, &written, nullptr))
            Fail("write");
        if (written == 0)
            throw FileError("write", m_path, ERROR_WRITE_FAULT);
        bytes = bytes.subspan(written);
    }
}

void File::Seek(std::uint64_t offset)
{
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(m_handle.Get(), distance, nullptr, FILE_BEGIN))
        Fail("seek");
}

std::uint64_t File::Length() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_handle.Get(), &size))
        Fail("query length of");
    return static_cast<std::uint64_t>(size.QuadPart);
}

void File::Flush()
{
    if (!::FlushFileBuffers(m_handle.Get()))
        Fail("flush");
}

void File::Close()
{
    if (m_handle && !m_handle.Close())
        Fail("close");
}

bool File::DeleteOnClose(HANDLE handle)
{
    FILE_DISPOSITION_INFO deleteOnClose{TRUE};
    return ::SetFileInformationByHandle(handle, FileDispositionInfo, &deleteOnClose, sizeof deleteOnClose) != FALSE;
}

void File::Remove(const std::string& path)
{
    if (!WaitOutHold([&path] { return ::DeleteFileA(path.c_str()) != FALSE; }, path))
        throw FileError("remove", path, ::GetLastError());
}

void File::Fail(const char* operation) const
{
    throw FileError(operation, m_path, ::GetLastError());
}

}  // namespace kestrane

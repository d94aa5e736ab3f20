// UniqueHandle: the one move-only owner of a Windows handle; an alias per handle kind.
#pragma once

#include <windows.h>
#include <combaseapi.h>

#include <utility>

namespace kestrane {

// Traits give the handle type, its invalid value, a validity test and the call that closes it.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;
    using CloseResult = decltype(Traits::Close(std::declval<Handle>()));

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { Close(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_handle = other.Release();
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }

    // For APIs that return the handle through an out-parameter.
    Handle* Put()
    {
        Close();
        return &m_handle;
    }

    Handle Release() { return std::exchange(m_handle, Traits::kInvalid); }

    // Closes what is held, once; returns the close call's result, or a zero result when
    // nothing was held.
    CloseResult Close()
    {
        if (!Traits::IsValid(m_handle))
            return CloseResult{};
        return Traits::Close(std::exchange(m_handle, Traits::kInvalid));
    }

private:
    Handle m_handle = Traits::kInvalid;
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static inline const Handle kInvalid = INVALID_HANDLE_VALUE;
    // CreateFile fails with INVALID_HANDLE_VALUE, but a default HANDLE is null: reject both.
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static BOOL Close(Handle h) { return ::CloseHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static inline const Handle kInvalid = INVALID_HANDLE_VALUE;
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static BOOL Close(Handle h) { return ::FindClose(h); }
};

// Handles whose only invalid value is null; the traits below add the call that closes them.
template <class NullableHandle>
struct NullMeansNone {
    using Handle = NullableHandle;
    static constexpr Handle kInvalid = nullptr;
    static bool IsValid(Handle h) { return h != nullptr; }
};

struct RegistryKeyTraits : NullMeansNone<HKEY> {
    static LONG Close(Handle h) { return ::RegCloseKey(h); }
};

// Any GDI object (bitmap, font, brush): DeleteObject frees them all.
template <class GdiHandle>
struct GdiObjectTraits : NullMeansNone<GdiHandle> {
    using typename NullMeansNone<GdiHandle>::Handle;
    static BOOL Close(Handle h) { return ::DeleteObject(h); }
};

// A process or thread: null when there is none.
struct KernelHandleTraits : NullMeansNone<HANDLE> {
    static BOOL Close(Handle h) { return ::CloseHandle(h); }
};

// A device context of our own making (CreateCompatibleDC).
struct MemoryDcTraits : NullMeansNone<HDC> {
    static BOOL Close(Handle h) { return ::DeleteDC(h); }
};

// A library of our own loading (LoadLibraryEx).
struct ModuleTraits : NullMeansNone<HMODULE> {
    static BOOL Close(Handle h) { return ::FreeLibrary(h); }
};

// Memory that the shell and COM hand out from the task allocator (an item identifier list).
template <class Pointee>
struct TaskMemoryTraits : NullMeansNone<Pointee*> {
    using typename NullMeansNone<Pointee*>::Handle;
    static bool Close(Handle h)
    {
        ::CoTaskMemFree(h);
        return true;
    }
};

using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
template <class Pointee>
using UniqueTaskMemory = UniqueHandle<TaskMemoryTraits<Pointee>>;

}  // namespace kestrane

// ComPtr: the one move-only owner of a COM interface pointer.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace kestrane {

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over one reference that the caller holds.
    explicit ComPtr(Interface* adopted) : m_pointer(adopted) {}
    ~ComPtr() { Reset(); }

    ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_pointer = std::exchange(other.m_pointer, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    // A new object of class `classId` served in this process; empty when it cannot be made.
    static ComPtr CreateInstance(REFCLSID classId)
    {
        void* created = nullptr;
        if (FAILED(::CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), &created)))
            return {};
        return ComPtr(static_cast<Interface*>(created));
    }

    // The same object's `Other` interface; empty when the object does not offer it.
    template <class Other>
    ComPtr<Other> As() const
    {
        void* queried = nullptr;
        if (!m_pointer || FAILED(m_pointer->QueryInterface(__uuidof(Other), &queried)))
            return {};
        return ComPtr<Other>(static_cast<Other*>(queried));
    }

    Interface* Get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    void Reset()
    {
        if (m_pointer)
            std::exchange(m_pointer, nullptr)->Release();
    }

private:
    Interface* m_pointer = nullptr;
};

}  // namespace kestrane

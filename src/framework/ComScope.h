// ComScope: the thread's component object services, from the scope's start to its end.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace kestrane {

class ComScope {
public:
    ComScope() : m_initialised(SUCCEEDED(::CoInitialize(nullptr))) {}
    // Only a successful CoInitialize (S_OK or S_FALSE) is balanced.
    ~ComScope()
    {
        if (m_initialised)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_initialised;
};

}  // namespace kestrane

// SystemFunction: a function of one of Windows' own libraries, bound by name at its first use.
#pragma once

#include <windows.h>

namespace kestrane {

// The function that `binding`, "library.dll!Function", names, from the copy of the library in
// the system folder, which is loaded once and stays for the process; null where that library
// or that function is missing.
FARPROC BindSystemFunction(const char* binding);

// For functions that some supported Windows lacks, which an import would stop the loader on,
// and for a library that most runs never need, which an import would load at every start.
// Every binding is one string of the program file, so the check of that file can prove each
// one an export of the library it names.
template <class Function>
class SystemFunction {
public:
    explicit constexpr SystemFunction(const char* binding) : m_binding(binding) {}

    // Null where this system lacks the function.
    Function* Get() const
    {
        if (!m_bound) {
            m_function = reinterpret_cast<Function*>(reinterpret_cast<void*>(BindSystemFunction(m_binding)));
            m_bound = true;
        }
        return m_function;
    }

private:
    const char* m_binding;
    mutable Function* m_function = nullptr;
    mutable bool m_bound = false;
};

}  // namespace kestrane

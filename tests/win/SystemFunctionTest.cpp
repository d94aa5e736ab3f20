// SystemFunction: bound from the system folder's library by name, null for what it lacks.
#include "framework/SystemFunction.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using ProcessIdFunction = DWORD WINAPI();

struct BindingCase {
    const char* binding;
    bool bound;
};

constexpr BindingCase kBindingCases[] = {
    {"kernel32.dll!GetCurrentProcessId", true},
    {"KERNEL32.DLL!GetCurrentProcessId", true},
    {"kernel32.dll!GetCurrentProcessIdentity", false},
    {"kestrane-no-such-library.dll!GetCurrentProcessId", false},
    {"GetCurrentProcessId", false},
};

TEST(SystemFunctionTest, BindsOnlyWhatTheNamedLibraryExports)
{
    for (const BindingCase& test : kBindingCases) {
        SCOPED_TRACE(test.binding);
        const SystemFunction<ProcessIdFunction> function(test.binding);
        ASSERT_EQ(function.Get() != nullptr, test.bound);
        if (test.bound) {
            EXPECT_EQ(function.Get()(), ::GetCurrentProcessId());
        }
    }
}

}  // namespace
}  // namespace kestrane

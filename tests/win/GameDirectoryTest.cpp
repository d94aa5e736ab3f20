#include "app/core/InstallPath.h"
#include "app/GameDirectory.h"
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace kestrane {
namespace {

using namespace std::string_literals;

// Points HKEY_CURRENT_USER of this process at a scratch key, so the tests never see or change
// the real user's Warcraft III entry.
class ScratchCurrentUser {
public:
    ScratchCurrentUser()
    {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, m_scratch.Put(),
                          nullptr);
        EXPECT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, m_scratch.Get()), ERROR_SUCCESS);
    }
    ~ScratchCurrentUser()
    {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        m_scratch.Close();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_name.c_str());
    }

private:
    std::string m_name = "Software\\Kestrane Tests\\" + std::to_string(::GetCurrentProcessId());
    UniqueRegistryKey m_scratch;
};

// The unit tests turn the value's text into the directory; these are the registry's part.
TEST(GetGameDirectory, TakesTheBytesTheQueryReportsWhateverTheType)
{
    const ScratchCurrentUser user;
    EXPECT_EQ(GetGameDirectory(), "") << "no key";
    UniqueRegistryKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kGameRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                                nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(GetGameDirectory(), "") << "no value";

    struct Case {
        const char* what;
        std::string bytes;
        DWORD type;
        std::string expected;
    };
    const Case cases[] = {
        {"a text", "C:\\Games\\Warcraft III\0"s, REG_SZ, "C:\\Games\\Warcraft III\\"},
        {"a text with an inner zero", "C:\\A\0C:\\B\0"s, REG_SZ, "C:\\A\\"},
    };
    for (const auto& [what, bytes, type, expected] : cases) {
        const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
        ASSERT_EQ(::RegSetValueExA(key.Get(), kInstallPathValue, 0, type, data, static_cast<DWORD>(bytes.size())), 0)
            << what;
        EXPECT_EQ(GetGameDirectory(), expected) << what;
    }
}

}  // namespace
}  // namespace kestrane

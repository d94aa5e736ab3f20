#include "app/GameDirectory.h"
#include "app/InstallPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

namespace kestrane {
namespace {

// Points HKEY_CURRENT_USER of this process at a scratch key, so the tests never see or change
// the real user's Warcraft III entry.
class ScratchCurrentUser {
public:
    ScratchCurrentUser()
    {
        const std::string name = "Software\\Kestrane Tests\\" + std::to_string(::GetCurrentProcessId());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_scratch, nullptr);
        m_name = name;
        EXPECT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, m_scratch), ERROR_SUCCESS);
    }
    ~ScratchCurrentUser()
    {
        ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        ::RegCloseKey(m_scratch);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_name.c_str());
    }

    void SetInstallPath(const BYTE* bytes, DWORD size, DWORD type = REG_SZ)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kGameRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(::RegSetValueExA(key, kInstallPathValue, 0, type, bytes, size), ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    void SetInstallPath(const std::string& text)
    {
        SetInstallPath(reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
    }

private:
    HKEY m_scratch = nullptr;
    std::string m_name;
};

TEST(GetGameDirectory, ReadsTheRegisteredInstallPath)
{
    struct Case {
        std::string installPath;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Games\\Warcraft III", "C:\\Games\\Warcraft III\\"},
        {"C:\\Games\\Warcraft III\\", "C:\\Games\\Warcraft III\\"},
        {"C:\\Games\\Warcraft III   ", "C:\\Games\\Warcraft III\\"},
        {"D:", "D:"},
        {"", "\\"},
        {"   ", "\\"},
        {std::string(10238, 'x'), std::string(10238, 'x') + "\\"},
    };
    for (const auto& [installPath, expected] : cases) {
        ScratchCurrentUser user;
        user.SetInstallPath(installPath);
        EXPECT_EQ(GetGameDirectory(), expected) << "InstallPath of " << installPath.size() << " bytes";
    }
}

TEST(GetGameDirectory, IsEmptyWithoutAUsableValue)
{
    {
        ScratchCurrentUser noKey;
        EXPECT_EQ(GetGameDirectory(), "");
    }
    {
        ScratchCurrentUser tooLong;
        tooLong.SetInstallPath(std::string(10240, 'x'));
        EXPECT_EQ(GetGameDirectory(), "") << "10241 bytes do not fit the 10240-byte buffer";
    }
    {
        ScratchCurrentUser noValue;
        noValue.SetInstallPath(reinterpret_cast<const BYTE*>("x"), 2);
        HKEY key = nullptr;
        ::RegOpenKeyExA(HKEY_CURRENT_USER, kGameRegistryKey, 0, KEY_ALL_ACCESS, &key);
        ::RegDeleteValueA(key, kInstallPathValue);
        ::RegCloseKey(key);
        EXPECT_EQ(GetGameDirectory(), "");
    }
}

TEST(GetGameDirectory, TakesTheBytesTheQueryReportsWhateverTheType)
{
    ScratchCurrentUser user;
    // A binary value without a terminating zero, and a text cut at an inner zero.
    const BYTE binary[] = {'C', ':', '\\', 'W'};
    user.SetInstallPath(binary, sizeof binary, REG_BINARY);
    EXPECT_EQ(GetGameDirectory(), "C:\\W\\");

    const BYTE inner[] = "C:\\A\0C:\\B";
    user.SetInstallPath(inner, sizeof inner);
    EXPECT_EQ(GetGameDirectory(), "C:\\A\\");
}

}  // namespace
}  // namespace kestrane

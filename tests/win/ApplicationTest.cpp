#include "framework/Application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

namespace kestrane {
namespace {

TEST(Application, KeepsProfileIntegersInTheUsersKestraneIni)
{
    // The end-to-end runs find the file where they expect it. Its folder is made by the first write.
    const std::filesystem::path folder = std::filesystem::path(Application::ProfilePath()).parent_path();
    ASSERT_EQ(folder.filename().string(), "Kestrane");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    Application application;
    EXPECT_EQ(application.GetProfileInt("Kestrane Tests", "X", -1), -1) << "no file yet";
    ASSERT_TRUE(application.WriteProfileInt("Kestrane Tests", "X", 37));
    ASSERT_TRUE(application.WriteProfileInt("Kestrane Tests", "Y", -12));
    EXPECT_EQ(::GetPrivateProfileIntA("Kestrane Tests", "X", 0, Application::ProfilePath().c_str()), 37u);
    EXPECT_EQ(application.GetProfileInt("Kestrane Tests", "Y", -1), -12);
    EXPECT_EQ(application.GetProfileInt("Kestrane Tests", "Z", -1), -1);
    EXPECT_EQ(application.GetProfileInt("Other", "X", 99), 99);
    std::filesystem::remove_all(folder, ignored);
}

TEST(Application, RunEndsWithExitInstanceWhenInitInstanceDeclines)
{
    // Were InitInstance not asked, the message loop would wait for good.
    struct Declining : Application {
        bool InitInstance() override { return false; }
        int ExitInstance() override { return 13; }
    } application;
    EXPECT_EQ(application.Run(), 13);
}

}  // namespace
}  // namespace kestrane

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kestrane {
namespace {

TEST(Application, KeepsProfileIntegersInTheUsersKestraneIni)
{
    char appData[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    const std::string expectedPath = std::string(appData) + "\\Kestrane\\Kestrane.ini";
    ASSERT_EQ(Application::ProfilePath(), expectedPath);

    // The first write makes the folder.
    std::error_code ignored;
    std::filesystem::remove_all(std::string(appData) + "\\Kestrane", ignored);

    Application application;
    EXPECT_EQ(application.GetProfileInt("Kestrane Tests", "X", -1), -1) << "no file yet";
    ASSERT_TRUE(application.WriteProfileInt("Kestrane Tests", "X", 37));
    ASSERT_TRUE(application.WriteProfileInt("Kestrane Tests", "Y", -12));

    struct Case {
        const char* section;
        const char* entry;
        int defaultValue;
        int expected;
    };
    const Case cases[] = {
        {"Kestrane Tests", "X", -1, 37},
        {"Kestrane Tests", "Y", -1, -12},
        {"Kestrane Tests", "Z", -1, -1},
        {"Other", "X", 99, 99},
    };
    for (const auto& [section, entry, defaultValue, expected] : cases)
        EXPECT_EQ(application.GetProfileInt(section, entry, defaultValue), expected) << section << " / " << entry;

    std::ifstream file(expectedPath);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(text.find("[Kestrane Tests]"), std::string::npos) << text;
    EXPECT_NE(text.find("X=37"), std::string::npos) << text;
    std::filesystem::remove(expectedPath, ignored);
}

TEST(Application, RunEndsWithExitInstanceWhenInitInstanceDeclines)
{
    struct Declining : Application {
        int calls = 0;
        bool InitInstance() override
        {
            ++calls;
            return false;
        }
        int ExitInstance() override { return 10 * calls + 3; }
    } application;
    EXPECT_EQ(application.Run(), 13) << "InitInstance once, then ExitInstance's code";
    EXPECT_EQ(Application::Get(), &application);
}

}  // namespace
}  // namespace kestrane

#include "package/ReadPackageDescription.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace kestrane {
namespace {

PackageReadResult ReadIn(const test::TempFolder& package)
{
    test::CurrentDirectoryScope inPackage(package.Path());
    return ReadPackageDescription();
}

TEST(ReadPackageDescription, ReadsAndCleansTheValues)
{
    test::TempFolder package;
    test::WriteTextFile(package / "install.ini",
                        "CAMPAIGNNAME=Orc Saga\r\nICON=orc.ico\r\nBACKBITMAP=back.bmp\r\nINSTALLDIR=..\\Orc Saga\\\r\n");
    const PackageReadResult result = ReadIn(package);
    EXPECT_FALSE(result.error) << result.errorText;
    EXPECT_EQ(result.errorText, "Error: Check the install.ini file.");
    EXPECT_EQ(result.values, (PackageDescription{"Orc Saga", "orc.ico", "back.bmp", "Orc Saga"}));
}

TEST(ReadPackageDescription, ReportsAFileItCannotUse)
{
    struct Case {
        const char* name;
        void (*prepare)(const test::TempFolder&);
        const char* errorText;
    };
    const Case cases[] = {
        {"missing", [](const test::TempFolder&) {}, "Error: unable to open install.ini!"},
        {"empty", [](const test::TempFolder& p) { test::WriteTextFile(p / "install.ini", ""); },
         "Error: install.ini is empty!"},
        {"a directory", [](const test::TempFolder& p) { ::CreateDirectoryA((p / "install.ini").c_str(), nullptr); },
         "Error: unable to open install.ini!"},
    };
    for (const auto& [name, prepare, errorText] : cases) {
        test::TempFolder package;
        prepare(package);
        const PackageReadResult result = ReadIn(package);
        EXPECT_TRUE(result.error) << name;
        EXPECT_EQ(result.errorText, errorText) << name;
        EXPECT_EQ(result.values, PackageDescription{}) << name;
    }
}

TEST(ReadPackageDescription, ReportsAFileHeldExclusivelyElsewhere)
{
    test::TempFolder package;
    const std::string path = package / "install.ini";
    test::WriteTextFile(path, "CAMPAIGNNAME=x\n");
    HANDLE holder = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const PackageReadResult result = ReadIn(package);
    ::CloseHandle(holder);
    EXPECT_TRUE(result.error);
    EXPECT_EQ(result.errorText, "Error: unable to open install.ini!");
    EXPECT_EQ(result.values, PackageDescription{});
}

}  // namespace
}  // namespace kestrane

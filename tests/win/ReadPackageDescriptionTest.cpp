#include "package/ReadPackageDescription.h"

#include "framework/UniqueHandle.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace kestrane {
namespace {

// The end-to-end runs read a good file and report a missing and an empty one.
TEST(ReadPackageDescription, CannotOpenADirectoryOrAFileHeldExclusivelyElsewhere)
{
    test::TempFolder package;
    const std::string path = package / "install.ini";
    const auto expectUnopened = [&package](const char* what) {
        test::CurrentDirectoryScope inPackage(package.Path());
        const PackageReadResult result = ReadPackageDescription();
        EXPECT_TRUE(result.error) << what;
        EXPECT_EQ(result.errorText, "Error: unable to open install.ini!") << what;
    };
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
    expectUnopened("a directory");

    ::RemoveDirectoryA(path.c_str());
    test::WriteTextFile(path, "CAMPAIGNNAME=x\n");
    const UniqueFileHandle holder(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    expectUnopened("held exclusively");
}

}  // namespace
}  // namespace kestrane

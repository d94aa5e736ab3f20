#include "framework/File.h"
#include "framework/FileError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>

namespace kestrane {
namespace {

TEST(File, FailuresCarryTheOperationThePathAndTheWindowsCode)
{
    test::TempFolder folder;
    const std::string missing = folder / "missing.txt";
    const std::string readOnly = folder / "read-only.txt";
    const std::string writeOnly = folder / "write-only.txt";
    const auto readAllOfWritten = [&] {
        File file(writeOnly, File::Mode::CreateWrite);
        file.Write(std::as_bytes(std::span("x", 1)));
        file.ReadAll();
    };
    test::WriteTextFile(readOnly, "x");
    ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case {
        std::function<void()> action;
        const char* operation;
        std::string path;
        DWORD code;
    };
    const Case cases[] = {
        {[&] { File(missing, File::Mode::Read); }, "open", missing, ERROR_FILE_NOT_FOUND},
        {[&] { File(folder.Path(), File::Mode::CreateWrite); }, "open", folder.Path(), ERROR_ACCESS_DENIED},
        {[&] { File::Remove(missing); }, "remove", missing, ERROR_FILE_NOT_FOUND},
        {[&] { File::Remove(readOnly); }, "remove", readOnly, ERROR_ACCESS_DENIED},
        {readAllOfWritten, "read", writeOnly, ERROR_ACCESS_DENIED},
    };
    for (const auto& [action, operation, path, code] : cases) {
        try {
            action();
            ADD_FAILURE() << operation << " " << path << ": no FileError thrown";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Operation(), operation) << path;
            EXPECT_EQ(error.Path(), path) << operation;
            EXPECT_EQ(error.Code(), code) << operation << " " << path;
        }
    }
}

}  // namespace
}  // namespace kestrane

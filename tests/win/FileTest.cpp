#include "framework/File.h"
#include "framework/FileError.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

namespace kestrane {
namespace {

std::span<const std::byte> Bytes(std::string_view text)
{
    return std::as_bytes(std::span(text.data(), text.size()));
}

// Runs `action`, which must throw FileError, and returns what it threw.
template <class Action>
FileError ThrownBy(Action action)
{
    try {
        action();
    } catch (const FileError& error) {
        return error;
    }
    ADD_FAILURE() << "no FileError thrown";
    return FileError("none", "", 0);
}

TEST(File, WritesReadsSeeksAndMeasures)
{
    test::TempFolder folder;
    const std::string path = folder / "data.bin";
    {
        File file(path, File::Mode::CreateWrite);
        file.Write(Bytes(std::string_view("hello\0world", 11)));
        file.Close();
    }
    File file(path, File::Mode::Read);
    EXPECT_EQ(file.Length(), 11u);

    std::array<std::byte, 16> buffer;
    buffer.fill(std::byte{0x5A});
    EXPECT_EQ(file.Read(buffer), 11u);
    EXPECT_EQ(std::memcmp(buffer.data(), "hello\0world", 11), 0);
    EXPECT_EQ(buffer[11], std::byte{0x5A}) << "read past the end of the file";

    file.Seek(6);
    std::array<std::byte, 5> tail;
    EXPECT_EQ(file.Read(tail), 5u);
    EXPECT_EQ(std::memcmp(tail.data(), "world", 5), 0);
}

TEST(File, CreateWriteTruncatesAnExistingFile)
{
    test::TempFolder folder;
    const std::string path = folder / "old.bin";
    test::WriteTextFile(path, "a long old content");
    File(path, File::Mode::CreateWrite).Write(Bytes("new"));
    EXPECT_EQ(test::ReadTextFile(path), "new");
}

TEST(File, FailuresCarryTheOperationThePathAndTheWindowsCode)
{
    test::TempFolder folder;
    const std::string missing = folder / "missing.txt";
    const std::string readOnly = folder / "read-only.txt";
    test::WriteTextFile(readOnly, "x");
    ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

    struct Case {
        const char* name;
        std::function<void()> action;
        const char* operation;
        std::string path;
        DWORD code;
    };
    const Case cases[] = {
        {"open a missing file", [&] { File(missing, File::Mode::Read); }, "open", missing, ERROR_FILE_NOT_FOUND},
        {"create over a directory", [&] { File(folder.Path(), File::Mode::CreateWrite); }, "open", folder.Path(),
         ERROR_ACCESS_DENIED},
        {"remove a missing file", [&] { File::Remove(missing); }, "remove", missing, ERROR_FILE_NOT_FOUND},
        {"remove a read-only file", [&] { File::Remove(readOnly); }, "remove", readOnly, ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        const FileError error = ThrownBy(c.action);
        EXPECT_EQ(error.Operation(), c.operation) << c.name;
        EXPECT_EQ(error.Path(), c.path) << c.name;
        EXPECT_EQ(error.Code(), c.code) << c.name;
    }
}

TEST(File, RemoveDeletesAFile)
{
    test::TempFolder folder;
    const std::string path = folder / "gone.txt";
    test::WriteTextFile(path, "x");
    File::Remove(path);
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace kestrane

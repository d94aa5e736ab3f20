#include "framework/FileFinder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace kestrane {
namespace {

struct EntryFacts {
    std::string path;
    bool directory;
    bool dots;
    bool reparsePoint;
    bool operator==(const EntryFacts&) const = default;
};

std::map<std::string, EntryFacts> ListAll(const std::string& pattern)
{
    std::map<std::string, EntryFacts> entries;
    FileFinder finder;
    if (!finder.FindFile(pattern))
        return entries;
    bool more = true;
    while (more) {
        more = finder.FindNextFile();
        const auto [_, inserted] = entries.emplace(
            finder.GetFileName(),
            EntryFacts{finder.GetFilePath(), finder.IsDirectory(), finder.IsDots(), finder.IsReparsePoint()});
        EXPECT_TRUE(inserted) << "listed twice: " << finder.GetFileName();
    }
    return entries;
}

TEST(FileFinder, ListsEveryEntryOnceWithItsFullPathAndKind)
{
    test::TempFolder folder;
    test::TempFolder outside;
    test::WriteTextFile(folder / "plain.txt", "x");
    test::WriteTextFile(folder / "no-extension", "x");
    test::WriteTextFile(folder / "hidden.dat", "x");
    ::SetFileAttributesA((folder / "hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    test::MakeDirectoryLink(outside.Path(), folder / "link");

    const std::map<std::string, EntryFacts> expected = {
        {".", {folder / ".", true, true, false}},
        {"..", {folder / "..", true, true, false}},
        {"plain.txt", {folder / "plain.txt", false, false, false}},
        {"no-extension", {folder / "no-extension", false, false, false}},
        {"hidden.dat", {folder / "hidden.dat", false, false, false}},
        {"sub", {folder / "sub", true, false, false}},
        {"link", {folder / "link", true, false, true}},
    };
    const auto listed = ListAll(folder / "*.*");
    EXPECT_EQ(listed.size(), expected.size());
    for (const auto& [name, facts] : expected) {
        const auto found = listed.find(name);
        ASSERT_NE(found, listed.end()) << name;
        EXPECT_EQ(found->second.path, facts.path) << name;
        EXPECT_EQ(found->second.directory, facts.directory) << name;
        EXPECT_EQ(found->second.dots, facts.dots) << name;
        EXPECT_EQ(found->second.reparsePoint, facts.reparsePoint) << name;
    }
}

TEST(FileFinder, RelativePatternsGiveFullPaths)
{
    test::TempFolder folder;
    test::WriteTextFile(folder / "a.txt", "x");
    test::CurrentDirectoryScope inFolder(folder.Path());
    const auto listed = ListAll("a.txt");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.begin()->second.path, folder / "a.txt");
}

TEST(FileFinder, FindsNothingInAMissingDirectory)
{
    test::TempFolder folder;
    FileFinder finder;
    EXPECT_FALSE(finder.FindFile(folder / "missing\\*.*"));
    EXPECT_FALSE(finder.FindNextFile());
}

}  // namespace
}  // namespace kestrane

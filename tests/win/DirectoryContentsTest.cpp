#include "install/DirectoryContents.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <utility>

namespace kestrane {
namespace {

constexpr char kDirectory[] = "<directory>";
constexpr char kLink[] = "<link>";

using Tree = std::map<std::string, std::string>;

// Every entry below `root` by its relative path: a file's content, kDirectory, or kLink for a
// reparse point, which is not entered. Listed without the code under test.
Tree Snapshot(const std::string& root, const std::string& prefix = {})
{
    Tree tree;
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((root + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return tree;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string relative = prefix + name;
        const std::string path = root + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            tree[relative] = kLink;
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[relative] = kDirectory;
            tree.merge(Snapshot(path, relative + "\\"));
        } else {
            tree[relative] = test::ReadTextFile(path);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return tree;
}

// Builds `tree` below `root`; parents come before their entries in a map's order.
void Build(const std::string& root, const Tree& tree)
{
    for (const auto& [relative, content] : tree) {
        const std::string path = root + "\\" + relative;
        if (content == kDirectory)
            ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path;
        else
            test::WriteTextFile(path, content);
    }
}

void SetAttributes(const std::string& path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << path;
}

// Wine's own export: the Unix path behind a Windows path; empty on Windows.
std::string UnixPath(const std::string& path)
{
    using WineGetUnixFileName = char* (*)(const wchar_t*);
    const auto convert = reinterpret_cast<WineGetUnixFileName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    const std::wstring wide(path.begin(), path.end());
    char* unixPath = convert(wide.c_str());
    std::string result = unixPath ? unixPath : "";
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A directory link that is gone again before the temporary folders are cleaned up: their
// cleanup follows links, and would never end in a link to an ancestor.
class DirectoryLink {
public:
    DirectoryLink(const std::string& target, std::string link) : m_link(std::move(link))
    {
        test::MakeDirectoryLink(target, m_link);
    }
    ~DirectoryLink()
    {
        const std::string unixPath = UnixPath(m_link);
        if (unixPath.empty()) {
            ::RemoveDirectoryA(m_link.c_str());
            return;
        }
        // No Windows call of Wine 8 removes a Unix symbolic link itself; Unix rm does, in a
        // process that Wine does not wait for.
        std::string command = "Z:\\bin\\rm -f \"" + unixPath + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        for (int tries = 0; tries < 500 && Exists(m_link); ++tries)
            ::Sleep(20);
    }
    DirectoryLink(const DirectoryLink&) = delete;
    DirectoryLink& operator=(const DirectoryLink&) = delete;

private:
    std::string m_link;
};

// The campaign files of a package: plain, hidden, read-only and extension-less files, nesting
// and an empty directory.
const Tree kCampaignFiles = {
    {"Maps", kDirectory},
    {"Maps\\Chapter1.w3m", "chapter one"},
    {"Maps\\Deeper", kDirectory},
    {"Maps\\Deeper\\Deepest", kDirectory},
    {"Maps\\Deeper\\Deepest\\secret.w3m", "secret"},
    {"Saves", kDirectory},
    {"campaign.ico", "icon"},
    {"hidden.dat", "hidden"},
    {"read-only.txt", "read only"},
    {"war3patch.mpq", "patch"},
    {"README", "no extension"},
};

TEST(CopyDirectoryContents, CopiesEveryEntryIntoAnEmptyDestination)
{
    test::TempFolder source;
    test::TempFolder destination;
    Build(source.Path(), kCampaignFiles);
    SetAttributes(source / "hidden.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(source / "read-only.txt", FILE_ATTRIBUTE_READONLY);

    EXPECT_NE(CopyDirectoryContents(source.Path(), destination.Path()), 0);
    EXPECT_EQ(Snapshot(destination.Path()), kCampaignFiles);
    EXPECT_EQ(Snapshot(source.Path()), kCampaignFiles) << "the source changed";
}

TEST(CopyDirectoryContents, MergesOverAnEarlierCopy)
{
    test::TempFolder source;
    test::TempFolder destination;
    Build(source.Path(), kCampaignFiles);
    Build(destination.Path(), {
                                  {"Maps", kDirectory},
                                  {"Maps\\Chapter1.w3m", "an older chapter one"},
                                  {"Maps\\mine.w3m", "the player's own map"},
                                  {"Saves", kDirectory},
                                  {"Saves\\Chapter1.w3z", "a saved game"},
                                  {"Extra", kDirectory},
                                  {"Extra\\notes.txt", "notes"},
                                  {"war3patch.mpq", "an older patch"},
                              });

    EXPECT_NE(CopyDirectoryContents(source.Path(), destination.Path()), 0);
    Tree expected = kCampaignFiles;
    expected.insert({
        {"Maps\\mine.w3m", "the player's own map"},
        {"Saves\\Chapter1.w3z", "a saved game"},
        {"Extra", kDirectory},
        {"Extra\\notes.txt", "notes"},
    });
    EXPECT_EQ(Snapshot(destination.Path()), expected);
}

TEST(CopyDirectoryContents, ReportsWhetherTheSourceCouldBeListed)
{
    test::TempFolder folder;
    Build(folder.Path(), {{"empty", kDirectory}, {"destination", kDirectory}});
    struct Case {
        std::string source;
        bool listed;
    };
    const Case cases[] = {{folder / "missing", false}, {folder / "missing\\deeper", false}, {folder / "empty", true}};
    for (const auto& [source, listed] : cases) {
        const int result = CopyDirectoryContents(source, folder / "destination");
        EXPECT_EQ(result != 0, listed) << source << " gave " << result;
        EXPECT_EQ(Snapshot(folder / "destination"), Tree{}) << source;
    }
}

TEST(CopyDirectoryContents, DoesNotFollowALinkedDirectory)
{
    // A link to an ancestor of the source would have the copy recurse without end.
    test::TempFolder outside;
    test::TempFolder destination;
    Build(outside.Path(), {{"Kestrane Files", kDirectory}, {"elsewhere.txt", "outside"}});
    const std::string source = outside / "Kestrane Files";
    Build(source, kCampaignFiles);
    const DirectoryLink toTheParent(outside.Path(), source + "\\loop");
    const DirectoryLink toTheTop(source, source + "\\Maps\\Deeper\\loop");

    EXPECT_NE(CopyDirectoryContents(source, destination.Path()), 0);
    EXPECT_EQ(Snapshot(destination.Path()), kCampaignFiles);
}

TEST(DeleteDirectoryContents, EmptiesTheDirectoryAndKeepsIt)
{
    test::TempFolder folder;
    Build(folder.Path(), kCampaignFiles);
    SetAttributes(folder / "hidden.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_NE(DeleteDirectoryContents(folder.Path()), 0);
    EXPECT_EQ(Snapshot(folder.Path()), Tree{});
    EXPECT_TRUE(Exists(folder.Path())) << "the top went too";
}

TEST(DeleteDirectoryContents, KeepsAReadOnlyFileAndEveryDirectoryAboveIt)
{
    test::TempFolder folder;
    Build(folder.Path(), kCampaignFiles);
    SetAttributes(folder / "Maps\\Deeper\\Deepest\\secret.w3m", FILE_ATTRIBUTE_READONLY);

    EXPECT_NE(DeleteDirectoryContents(folder.Path()), 0);
    const Tree expected = {
        {"Maps", kDirectory},
        {"Maps\\Deeper", kDirectory},
        {"Maps\\Deeper\\Deepest", kDirectory},
        {"Maps\\Deeper\\Deepest\\secret.w3m", "secret"},
    };
    EXPECT_EQ(Snapshot(folder.Path()), expected);
}

TEST(DeleteDirectoryContents, ReportsAMissingDirectory)
{
    test::TempFolder folder;
    EXPECT_EQ(DeleteDirectoryContents(folder / "missing"), 0);
}

// Whether this system opens a link itself when asked to (Windows does; Wine 8 opens the
// target of a Unix symbolic link), and so lets a link be removed without touching its target.
bool OpensLinksThemselves(const std::string& link)
{
    const HANDLE opened = ::CreateFileA(link.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    BY_HANDLE_FILE_INFORMATION facts{};
    const bool itself = opened != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(opened, &facts) &&
                        (facts.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    ::CloseHandle(opened);
    return itself;
}

TEST(DeleteDirectoryContents, RemovesLinksButNeverWhatTheyPointTo)
{
    test::TempFolder folder;
    test::TempFolder outside;
    Build(folder.Path(), kCampaignFiles);
    const Tree outsideFiles = {{"Full", kDirectory}, {"Full\\keep.txt", "keep me"}, {"Empty", kDirectory}};
    Build(outside.Path(), outsideFiles);
    // Wine 8 removed the empty target of a link that RemoveDirectoryA was given.
    const DirectoryLink full(outside / "Full", folder / "Maps\\full link");
    const DirectoryLink empty(outside / "Empty", folder / "Maps\\Deeper\\empty link");

    const bool removable = OpensLinksThemselves(folder / "Maps\\full link");
    EXPECT_NE(DeleteDirectoryContents(folder.Path()), 0);

    EXPECT_EQ(Snapshot(outside.Path()), outsideFiles);
    const Tree expected = removable ? Tree{}
                                    : Tree{
                                          {"Maps", kDirectory},
                                          {"Maps\\full link", kLink},
                                          {"Maps\\Deeper", kDirectory},
                                          {"Maps\\Deeper\\empty link", kLink},
                                      };
    EXPECT_EQ(Snapshot(folder.Path()), expected) << "links removable: " << removable;
}

}  // namespace
}  // namespace kestrane

// One click of the main button and how it ends: each answer to the uninstall question, and other
// programs on the player's disk while the program works: a virus scanner holding each file, a
// second instance installing the same campaign, a disk too small for game.dll.
#include "InstallRun.h"

#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <stop_token>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

const std::string kReadingOrWriting = "Error: an error occured while reading or writing game.dll campaign file!";

// A stand-in for the virus scanners and indexers of players' machines. From its construction
// to its end it holds each file below `folder` open for reading without sharing deletion, those
// there at its start and each one written there later as soon as its writer lets go, for `hold`;
// no time holds them until the end.
class HoldingScanner {
public:
    HoldingScanner(const std::string& folder, std::chrono::milliseconds hold)
        : m_folder(WideFromAnsi(folder)), m_hold(hold)
    {
        Scan();
        m_watch = std::jthread([this](const std::stop_token& stop) {
            while (!stop.stop_requested()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                Scan();
            }
        });
    }

private:
    using Clock = std::chrono::steady_clock;
    struct Held {
        UniqueFileHandle handle;
        std::filesystem::file_time_type written;
        Clock::time_point until;
    };

    // Takes what is new or written again since it was taken, and lets go what was held long enough.
    void Scan()
    {
        // The program deletes files while they are walked: a step that fails ends the walk.
        std::error_code error;
        for (std::filesystem::recursive_directory_iterator entry(m_folder, error), end; !error && entry != end;
             entry.increment(error)) {
            const auto written = entry->last_write_time(error);
            const auto held = m_held.find(entry->path());
            if (entry->is_directory(error) || (held != m_held.end() && held->second.written == written))
                continue;
            UniqueFileHandle opened(::CreateFileW(entry->path().c_str(), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                  nullptr));
            // Held by its writer: taken on a later scan.
            if (opened)
                m_held[entry->path()] = {std::move(opened), written, Clock::now() + m_hold};
        }
        for (auto& [path, held] : m_held) {
            if (m_hold.count() != 0 && held.until <= Clock::now())
                held.handle.Close();
        }
    }

    std::filesystem::path m_folder;
    std::chrono::milliseconds m_hold;
    std::map<std::filesystem::path, Held> m_held;
    std::jthread m_watch;  // last, so that it ends before what it scans with goes
};

// A box's text and its MB_ flags.
using ExpectedBox = std::pair<std::string, long>;

// One click of the main button, on a fresh campaign or on the installed one, perhaps beside a
// scanner. In the texts, "<campaign>" stands for the campaign directory.
struct ClickCase {
    const char* name;
    int answer;  // kInstall, or the answer to the uninstall question (0: the box closed)
    std::optional<std::chrono::milliseconds> hold;  // of the scanner, if one runs; zero: until it ends
    void (*arrange)(const InstallRun&);             // once the program shows its label
    std::vector<ExpectedBox> boxes;                 // that end the click, in their order
    const char* label;                              // afterwards
    // The campaign directory afterwards, from what an install leaves there; empty: it is gone.
    test::Tree (*left)(test::Tree installed);
};
constexpr int kInstall = -1;

void PrintTo(const ClickCase& click, std::ostream* out)
{
    *out << click.name;
}

class Clicks : public InstallRun, public ::testing::WithParamInterface<ClickCase> {};

// Each box, the label and what is left. Beside the scanner, each step that meets a hold waits
// it out, and a hold longer than the program waits ends in the usual report; no step is left
// half done: no partial game.dll, no temporary file.
TEST_P(Clicks, EndInTheirBoxesAndLeaveWhatTheAnswerAndTheDiskAllow)
{
    const ClickCase& click = GetParam();
    Start();
    if (click.answer != kInstall) {
        Dismiss(Install());
        ASSERT_EQ(Label(), "Uninstall");
    }
    if (click.arrange)
        click.arrange(*this);
    std::optional<HoldingScanner> scanner;
    const auto startScanner = [&] {
        if (click.hold)
            scanner.emplace(m_game, *click.hold);
    };
    MessageBoxView box;
    if (click.answer == kInstall) {
        startScanner();
        box = Install();
    } else {
        const MessageBoxView question = AskToUninstall();
        startScanner();
        box = Answer(question, click.answer);
    }
    for (std::size_t i = 0; i < click.boxes.size(); ++i) {
        if (i > 0) {
            box.Answer(IDOK);
            box = m_program->WaitForMessageBox();
        }
        EXPECT_EQ(box.text, Replaced(click.boxes[i].first, "<campaign>", Campaign()));
        EXPECT_EQ(box.style, click.boxes[i].second) << box.iconName << " icon";
    }
    Dismiss(box);
    EXPECT_EQ(Label(), click.label);
    scanner.reset();
    const test::Tree left = click.left(Installed());
    EXPECT_EQ(Snapshot(Campaign()), left);
    EXPECT_EQ(Exists(Campaign()), !left.empty());
}

test::Tree Whole(test::Tree installed)
{
    return installed;
}
test::Tree Gone(test::Tree /*installed*/)
{
    return {};
}
// What No leaves: the campaign's own files.
test::Tree CampaignsOwnFiles(test::Tree installed)
{
    for (const char* name : kGameFiles)
        installed.erase(name);
    installed.erase("game.dll");
    return installed;
}
void SetReadOnly(const std::string& path)
{
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
}

const ExpectedBox kNotUninstalled = {"Campaign NOT uninstallated!", MB_ICONINFORMATION};
const ExpectedBox kUninstalledBox = {kUninstalled, MB_ICONINFORMATION};
const ExpectedBox kAddedFiles = {
    "\"<campaign>\" was not removed because a few files were added there since install.\nThese may be saved games "
    "and campaign progress records.\nYou can remove that directory safely by yourself if you don't need these files "
    "anymore.",
    MB_ICONINFORMATION};
const ExpectedBox kManualRemoval = {
    "Error: an error occured while uninstalling!\nTry to remove manually (if it exists) the following "
    "directory:\n<campaign>\nIf you can't find it then don't worry, it's already uninstalled.",
    MB_ICONERROR};

const ClickCase kAnswers[] = {
    {"Cancel", IDCANCEL, {}, nullptr, {kNotUninstalled}, "Uninstall", Whole},
    {"QuestionClosed", 0, {}, nullptr, {kNotUninstalled}, "Uninstall", Whole},
    // No stops at the first game file it cannot delete.
    {"NoMeetingAReadOnlyFile",
     IDNO,
     {},
     [](const InstallRun& run) { SetReadOnly(run.Campaign() + "\\Mss32.dll"); },
     {kManualRemoval},
     "Uninstall",
     [](test::Tree installed) {
         for (const char* name : {"Warcraft III.exe", "war3.exe", "Storm.dll"})
             installed.erase(name);
         return installed;
     }},
    // The game's files go by name, war3patch.mpq missing: without other files No leaves nothing.
    {"NoWithOnlyTheGamesFiles",
     IDNO,
     {},
     [](const InstallRun& run) {
         for (const char* name : {"Maps\\Chapter1.w3m", "saga.ico"})
             ::DeleteFileA((run.Campaign() + "\\" + name).c_str());
         ::RemoveDirectoryA((run.Campaign() + "\\Maps").c_str());
     },
     {kUninstalledBox},
     "Install",
     Gone},
    {"YesMeetingAReadOnlyFile",
     IDYES,
     {},
     [](const InstallRun& run) { SetReadOnly(run.Campaign() + "\\Maps\\Chapter1.w3m"); },
     {{"\"<campaign>\" was not removed.\nCheck if the directory still exists and if you have the access rights to be "
       "able to remove its content.",
       MB_ICONERROR},
      kUninstalledBox},
     "Install",
     [](test::Tree installed) {
         return test::Tree{{"Maps", test::kDirectory}, {"Maps\\Chapter1.w3m", installed.at("Maps\\Chapter1.w3m")}};
     }},
};

INSTANTIATE_TEST_SUITE_P(Answers, Clicks, ::testing::ValuesIn(kAnswers), kCaseName);

constexpr auto kBrief = std::chrono::milliseconds(1000);
constexpr auto kUntilEnded = std::chrono::milliseconds(0);

const ClickCase kHeld[] = {
    // The copy of game.dll is never held: it is kept from others until it is in place.
    {"FirstInstallHeldUntilTheScannerEnds",
     kInstall,
     kUntilEnded,
     nullptr,
     {{kDone, MB_ICONINFORMATION}},
     "Uninstall",
     Whole},
    // An earlier attempt left older copies and a saved game, and the scanner holds them too.
    {"InstallOverAnEarlierAttempt",
     kInstall,
     kBrief,
     [](const InstallRun& run) {
         ::CreateDirectoryA(run.Campaign().c_str(), nullptr);
         test::MakeTree(run.Campaign(), {{"Maps", test::kDirectory},
                                         {"Maps\\Chapter1.w3m", "an earlier map"},
                                         {"Saved.w3z", "a saved game"},
                                         {"game.dll", "an earlier library"},
                                         {"war3.exe", "an earlier game"}});
     },
     {{kDone, MB_ICONINFORMATION}},
     "Uninstall",
     [](test::Tree installed) {
         installed["Saved.w3z"] = "a saved game";
         return installed;
     }},
    {"UninstallNo", IDNO, kBrief, nullptr, {kAddedFiles, kUninstalledBox}, "Install", CampaignsOwnFiles},
    {"UninstallNoHeldUntilTheScannerEnds", IDNO, kUntilEnded, nullptr, {kManualRemoval}, "Uninstall", Whole},
};

INSTANTIATE_TEST_SUITE_P(Scanner, Clicks, ::testing::ValuesIn(kHeld), kCaseName);

// Started twice from two copies of the package, both install at once: each reports what it did,
// and together they leave the whole campaign, with no partial game.dll and no temporary file.
TEST_F(InstallRun, TwoInstancesInstallingAtOnceLeaveTheWholeCampaign)
{
    // Large enough for the copies of the two to overlap.
    for (const char* name : kGameFiles)
        test::WriteTextFile(m_game + "\\" + name, std::string(8 << 20, name[0]));
    PackageDirectory second;
    second.WriteFile("back.bmp", MakeBitmapFile(320, 240));
    second.WriteFile("Kestrane Files\\Maps\\Chapter1.w3m", "chapter one");
    second.WriteFile("Kestrane Files\\saga.ico", "icon");
    Start();
    second.WriteInstallIni(test::ReadTextFile(m_package / "install.ini"));
    Program other(second.Path());
    const HWND otherDialog = other.WaitForMainDialog();

    // Where both found a file missing and made it, the later one finds it there and says so.
    std::set<std::string> reports = {kDone};
    for (const std::string name :
         {"Warcraft III.exe", "war3.exe", "storm.dll", "mss32.dll", "ijl15.dll", "saga.ico", "Maps\\Chapter1.w3m"})
        reports.insert("Error: an error occured while copying \"" + name + "\" campaign file!");
    Click(m_dialog, IDC_INSTALL_BUTTON);
    Click(otherDialog, IDC_INSTALL_BUTTON);
    for (const Program* program : {&*m_program, &other}) {
        MessageBoxView box = program->WaitForMessageBox();
        if (box.text == "Create desktop shortcut?\n") {
            box.Answer(IDNO);
            box = program->WaitForMessageBox();
        }
        EXPECT_TRUE(reports.contains(box.text)) << box.text;
        box.Answer(IDOK);
    }
    Click(otherDialog, IDOK);
    EXPECT_EQ(other.WaitForExit(), 0u);
    EXPECT_EQ(Snapshot(Campaign()), Installed());
}

// The game on a disk of 2 MB, which holds its game.dll of 1.2 MB but not a copy of it. Mounting
// one takes root; elsewhere the case is skipped.
TEST_F(InstallRun, ADiskTooSmallForTheCopyOfGameDllEndsInItsReportWithNoPartOfIt)
{
    const std::string disk = m_root / "small-disk";
    ::CreateDirectoryA(disk.c_str(), nullptr);
    const std::string unixDisk = test::UnixPath(disk);
    const auto size = [&disk] {
        ULARGE_INTEGER total{};
        ::GetDiskFreeSpaceExA(disk.c_str(), nullptr, &total, nullptr);
        return total.QuadPart;
    };
    if (!unixDisk.empty())
        test::RunUnixCommand("Z:\\bin\\mount -t tmpfs -o size=2m kestrane-small-disk \"" + unixDisk + "\"");
    if (test::WaitForValue(size, 2ull << 20, std::chrono::seconds(5)) != 2ull << 20)
        GTEST_SKIP() << "Skipped: no disk of 2 MB could be mounted at " << disk << " (a tmpfs under Wine, as root)";
    // Gone before the folder it is mounted on.
    struct Unmount {
        std::string unixDisk;
        std::function<unsigned long long()> size;
        ~Unmount()
        {
            test::RunUnixCommand("Z:\\bin\\umount -l \"" + unixDisk + "\"");
            test::WaitForValue([this] { return size() != 2ull << 20; }, true, std::chrono::seconds(5));
        }
    } unmount{unixDisk, size};

    m_game = disk + "\\Warcraft III";
    MakeStandInGameDirectory(m_game);
    test::WriteTextFile(m_game + "\\game.dll", StandInGameDll() + std::string(1200 << 10, '\0'));
    SetInstallPath(m_game);
    Start();
    const MessageBoxView box = Install();
    EXPECT_EQ(box.text, kReadingOrWriting);
    EXPECT_EQ(box.style, MB_ICONERROR) << box.iconName << " icon";
    Dismiss(box);
    EXPECT_EQ(Label(), "Install");
    Exit();
    EXPECT_EQ(Snapshot(Campaign()), test::Without(Installed(), "game.dll"));
}

}  // namespace
}  // namespace kestrane::e2e

// Other programs on the player's disk while the program works: a virus scanner holding each
// file, a second instance installing the same campaign, a disk too small for game.dll.
#include "InstallRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::e2e {
namespace {

const std::string kReadingOrWriting = "Error: an error occured while reading or writing game.dll campaign file!";

// The stand-in scanner, watching `folder` from its construction, once it says it watches, to its end.
class HoldingScanner {
public:
    HoldingScanner(const std::string& folder, std::chrono::milliseconds hold)
    {
        static int started = 0;
        const std::string readyName =
            "KestraneScannerReady." + std::to_string(::GetCurrentProcessId()) + "." + std::to_string(++started);
        const UniqueKernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, readyName.c_str()));
        std::string commandLine =
            "\"" KESTRANE_SCANNER_EXE_PATH "\" \"" + folder + "\" " + std::to_string(hold.count()) + " " + readyName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process))
            throw std::runtime_error("cannot start " + commandLine);
        const UniqueKernelHandle thread(process.hThread);
        m_process = UniqueKernelHandle(process.hProcess);
        const HANDLE either[] = {ready.Get(), m_process.Get()};
        if (::WaitForMultipleObjects(2, either, FALSE, static_cast<DWORD>(kPatience.count())) != WAIT_OBJECT_0)
            throw std::runtime_error("the scanner did not start watching " + folder);
    }
    ~HoldingScanner()
    {
        ::TerminateProcess(m_process.Get(), 0);
        ::WaitForSingleObject(m_process.Get(), 5000);
    }
    HoldingScanner(const HoldingScanner&) = delete;
    HoldingScanner& operator=(const HoldingScanner&) = delete;

private:
    UniqueKernelHandle m_process;
};

class HeldFiles;

// In the texts, "<campaign>" stands for the campaign directory.
struct HeldCase {
    const char* name;
    std::chrono::milliseconds hold;                   // zero: until the scanner ends
    int answer;                                       // 0: Install; IDYES or IDNO: Uninstall of the installed campaign
    void (*arrange)(const HeldFiles&);                // once the program shows its label, before the scanner starts
    std::vector<std::pair<std::string, long>> boxes;  // that end the click, in their order
    const char* label;                                // afterwards
    // The campaign directory afterwards, from what an install leaves there; empty: it is gone.
    test::Tree (*left)(test::Tree installed);
};

void PrintTo(const HeldCase& held, std::ostream* out)
{
    *out << held.name;
}

class HeldFiles : public InstallRun, public ::testing::WithParamInterface<HeldCase> {
public:
    std::string CampaignPath() const { return Campaign(); }
    test::Tree InstalledFiles() const { return Installed(); }
    const test::TempFolder& Root() const { return m_root; }
};

// With the scanner holding what it finds and what the program writes, each step of the program
// that meets a hold waits it out; a hold longer than the program waits ends in its usual report,
// and no step is left half done: no partial game.dll, no temporary file.
TEST_P(HeldFiles, WaitsOutABriefHoldAndEndsALongOneInTheUsualReport)
{
    const HeldCase& held = GetParam();
    Start();
    if (held.answer != 0) {
        Dismiss(Install());
        ASSERT_EQ(Label(), "Uninstall");
    }
    if (held.arrange)
        held.arrange(*this);
    std::optional<HoldingScanner> scanner;
    MessageBoxView box;
    if (held.answer == 0) {
        scanner.emplace(m_game, held.hold);
        box = Install();
    } else {
        Click(m_dialog, IDC_INSTALL_BUTTON);
        const MessageBoxView question = m_program->WaitForMessageBox();
        scanner.emplace(m_game, held.hold);
        question.Answer(held.answer);
        box = m_program->WaitForMessageBox();
    }
    for (std::size_t i = 0; i < held.boxes.size(); ++i) {
        if (i > 0) {
            box.Answer(IDOK);
            box = m_program->WaitForMessageBox();
        }
        EXPECT_EQ(box.text, Replaced(held.boxes[i].first, "<campaign>", Campaign()));
        EXPECT_EQ(box.style, held.boxes[i].second) << box.iconName << " icon";
    }
    Dismiss(box);
    EXPECT_EQ(Label(), held.label);
    scanner.reset();
    const test::Tree left = held.left(Installed());
    EXPECT_EQ(Snapshot(Campaign()), left);
    EXPECT_EQ(Exists(Campaign()), !left.empty());
}

// What No leaves: the campaign's own files.
test::Tree CampaignsOwnFiles(test::Tree installed)
{
    for (const char* name : kGameFiles)
        installed.erase(name);
    installed.erase("game.dll");
    return installed;
}

constexpr auto kBrief = std::chrono::milliseconds(1000);
constexpr auto kUntilEnded = std::chrono::milliseconds(0);

const std::string kAddedFiles = "\"<campaign>\" was not removed because a few files were added there since install."
                                "\nThese may be saved games and campaign progress records.\nYou can remove that "
                                "directory safely by yourself if you don't need these files anymore.";
const std::string kManualRemoval = "Error: an error occured while uninstalling!\nTry to remove manually (if it exists) "
                                   "the following directory:\n<campaign>\nIf you can't find it then don't worry, it's "
                                   "already uninstalled.";

test::Tree Whole(test::Tree installed)
{
    return installed;
}

const HeldCase kCases[] = {
    {"FirstInstall", kBrief, 0, nullptr, {{kDone, MB_ICONINFORMATION}}, "Uninstall", Whole},
    // The copy of game.dll is never held: it is kept from others until it is in place.
    {"FirstInstallHeldUntilTheScannerEnds", kUntilEnded, 0, nullptr, {{kDone, MB_ICONINFORMATION}}, "Uninstall", Whole},
    {"InstallAfterAFailedOne",
     kBrief,
     0,
     [](const HeldFiles& run) {
         ::CreateDirectoryA(run.CampaignPath().c_str(), nullptr);
         test::MakeTree(run.CampaignPath(), test::Without(run.InstalledFiles(), "game.dll"));
     },
     {{kDone, MB_ICONINFORMATION}},
     "Uninstall",
     Whole},
    {"InstallOverAnEarlierGameDllHeldUntilTheScannerEnds",
     kUntilEnded,
     0,
     [](const HeldFiles& run) { run.Root().WriteFile("Warcraft III\\Orc Saga\\game.dll", "an earlier library"); },
     {{kReadingOrWriting, MB_ICONERROR}},
     "Install",
     [](test::Tree installed) {
         installed["game.dll"] = "an earlier library";
         return installed;
     }},
    {"UninstallYes",
     kBrief,
     IDYES,
     nullptr,
     {{kUninstalled, MB_ICONINFORMATION}},
     "Install",
     [](test::Tree) { return test::Tree{}; }},
    {"UninstallNo",
     kBrief,
     IDNO,
     nullptr,
     {{kAddedFiles, MB_ICONINFORMATION}, {kUninstalled, MB_ICONINFORMATION}},
     "Install",
     CampaignsOwnFiles},
    {"UninstallNoHeldUntilTheScannerEnds",
     kUntilEnded,
     IDNO,
     nullptr,
     {{kManualRemoval, MB_ICONERROR}},
     "Uninstall",
     Whole},
};

INSTANTIATE_TEST_SUITE_P(Scanner, HeldFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HeldCase>& info) { return info.param.name; });

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
    // In opposite corners, so that the boxes of the one, centred over its window, hide none of the
    // other's, which the driver reads from the screen.
    RECT screen{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    RECT otherRect{};
    ::GetWindowRect(otherDialog, &otherRect);
    ::SetWindowPos(m_dialog, nullptr, screen.left, screen.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(otherDialog, nullptr, screen.right - (otherRect.right - otherRect.left),
                   screen.bottom - (otherRect.bottom - otherRect.top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Click(m_dialog, IDC_INSTALL_BUTTON);
    Click(otherDialog, IDC_INSTALL_BUTTON);
    // Each step that meets the other's open file waits it out, up to 5 s, before it counts as
    // failed: seven such steps on a busy machine take longer than the usual patience.
    constexpr auto kCollidingPatience = 3 * kPatience;
    for (const Program* program : {&*m_program, &other}) {
        MessageBoxView box = program->WaitForMessageBox(kCollidingPatience);
        if (box.text == "Create desktop shortcut?\n") {
            box.Answer(IDNO);
            box = program->WaitForMessageBox(kCollidingPatience);
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

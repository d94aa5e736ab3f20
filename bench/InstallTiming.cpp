// Times Kestrane.exe installing generated campaigns (2,000 files of 100 KB, 20,000 of 4 KB) against
// Wine's own xcopy of the same folder in the same prefix, and prints both and their ratio.
// Run by bench/install-vs-copy.sh.
#include "framework/UniqueHandle.h"

#include "Driver.h"
#include "TimingMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace kestrane::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Few large files, where the copying counts, and many small ones, where the walk does.
struct Campaign {
    int folders;
    int filesPerFolder;
    std::size_t fileSize;
};
constexpr Campaign kCampaigns[] = {{40, 50, 100 * 1024}, {200, 100, 4 * 1024}};
constexpr int kRounds = 2;

void MakeCampaignFiles(const PackageDirectory& package, const Campaign& campaign)
{
    std::string bytes(campaign.fileSize, '\0');
    for (int folder = 0; folder < campaign.folders; ++folder) {
        const std::string folderName = "Kestrane Files\\Chapter" + std::to_string(folder);
        for (int file = 0; file < campaign.filesPerFolder; ++file) {
            std::fill(bytes.begin(), bytes.end(), static_cast<char>('a' + (folder + file) % 26));
            package.WriteFile(folderName + "\\Map" + std::to_string(file) + ".w3m", bytes);
        }
    }
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// From the click to the box that reports the outcome.
double TimeInstall(const PackageDirectory& package, int round)
{
    package.WriteInstallIni("BACKBITMAP=back.bmp\r\nINSTALLDIR=Timed" + std::to_string(round) + "\r\n");
    Program program(package.Path());
    const HWND dialog = program.WaitForMainDialog();
    const auto start = Clock::now();
    Click(dialog, IDC_INSTALL_BUTTON);
    const MessageBoxView done = program.WaitForMessageBox(std::chrono::minutes(10));
    const double seconds = SecondsSince(start);
    if (done.text != "Installation done sucessfully!")
        throw std::runtime_error("the install reported: " + done.text);
    done.Answer(IDOK);
    WaitFor("the main button", [&] { return ::IsWindowEnabled(Control(dialog, IDC_INSTALL_BUTTON)) != FALSE; });
    Click(dialog, IDOK);
    program.WaitForExit();
    return seconds;
}

double TimeXcopy(const PackageDirectory& package, const std::string& destination)
{
    std::string command = "xcopy /E /I /Y /Q \"" + (package / "Kestrane Files") + "\" \"" + destination + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto start = Clock::now();
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot start xcopy");
    const UniqueKernelHandle thread(process.hThread);
    const UniqueKernelHandle child(process.hProcess);
    ::WaitForSingleObject(child.Get(), INFINITE);
    return SecondsSince(start);
}

void TimeCampaign(const Campaign& campaign)
{
    test::TempFolder root("timing");
    const std::string game = root / "Warcraft III";
    MakeStandInGameDirectory(game);
    InstallPathScope registered(game);
    PackageDirectory package;
    package.WriteFile("back.bmp", MakeBitmapFile(320, 240));
    MakeCampaignFiles(package, campaign);
    const int files = campaign.folders * campaign.filesPerFolder;
    std::printf("campaign files: %d files, %zu MB\n", files, files * campaign.fileSize / 1000000);

    double install = 1e9;
    double xcopy = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        xcopy = std::min(xcopy, TimeXcopy(package, root / ("copy" + std::to_string(round))));
        install = std::min(install, TimeInstall(package, round));
    }
    std::printf("install (best of %d):  %.2f s\n", kRounds, install);
    std::printf("xcopy   (best of %d):  %.2f s\n", kRounds, xcopy);
    std::printf("ratio install / xcopy: %.2f (goal: at most 1.10)\n", install / xcopy);
}

int Run()
{
    for (const Campaign& campaign : kCampaigns)
        TimeCampaign(campaign);
    return 0;
}

}  // namespace
}  // namespace kestrane::e2e

int main()
{
    return kestrane::e2e::RunTiming("kestrane-install-timing", kestrane::e2e::Run);
}

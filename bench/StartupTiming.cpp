// Times Kestrane.exe from its start in a package directory until its main dialog is shown,
// against programs that show one minimal dialog, and prints the figures and the ratios. Run by
// bench/startup-vs-dialog.sh, once for each build.
#include "Driver.h"
#include "TimingMain.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <vector>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

using Clock = std::chrono::steady_clock;

// Enough starts that a stall of the machine moves no median: single starts vary by a third.
constexpr int kRounds = 41;

// Polled every millisecond: Wine starts a program in a few hundred, and the driver's usual
// 25-millisecond polling would blur the figures.
double TimeStart(const PackageDirectory& package)
{
    const auto start = Clock::now();
    Program program(package.Path());
    HWND dialog = nullptr;
    while (!dialog) {
        for (const HWND window : program.Windows()) {
            if (::GetDlgItem(window, IDC_INSTALL_BUTTON))
                dialog = window;
        }
        if (!dialog && Clock::now() - start > kPatience)
            throw std::runtime_error("no main dialog in " + package.Path());
        if (!dialog)
            ::Sleep(1);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    Click(dialog, IDOK);
    program.WaitForExit();
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Kestrane.exe's start, set against programs that only show a dialog. The goal holds against the
// one with Kestrane's manifest: the plain one shows what that manifest costs any program.
struct Yardstick {
    const char* name;
    const char* path;
    const char* verdict;
};
constexpr Yardstick kYardsticks[] = {
    {"minimal dialog, Kestrane's manifest", KESTRANE_MANIFEST_DIALOG_PATH, "goal: at most 1.20"},
    {"minimal dialog, no manifest", KESTRANE_MINIMAL_DIALOG_PATH, "for comparison"},
};

struct Figures {
    const char* name;
    const PackageDirectory* package;
    std::vector<double> seconds;
};

int Run()
{
    test::TempFolder root("startup");
    const std::string game = root / "Warcraft III";
    MakeStandInGameDirectory(game);
    InstallPathScope registered(game);

    PackageDirectory kestrane;
    kestrane.WriteInstallIni("CAMPAIGNNAME=Kestrel Rising\r\nICON=Kestrel Rising.ico\r\nBACKBITMAP=background.bmp\r\n"
                             "INSTALLDIR=Kestrel Rising\r\n");
    kestrane.WriteFile("background.bmp", MakeBitmapFile(640, 480));
    std::vector<PackageDirectory> yardsticks(std::size(kYardsticks));
    std::vector<Figures> figures{{"Kestrane.exe", &kestrane, {}}};
    for (std::size_t i = 0; i < yardsticks.size(); ++i) {
        if (!::CopyFileA(kYardsticks[i].path, (yardsticks[i] / "Kestrane.exe").c_str(), FALSE))
            throw std::runtime_error("cannot copy "s + kYardsticks[i].path);
        figures.push_back({kYardsticks[i].name, &yardsticks[i], {}});
    }

    // One start of each first, so that none pays for filling Wine's caches.
    for (const Figures& program : figures)
        TimeStart(*program.package);
    for (int round = 0; round < kRounds; ++round) {
        for (Figures& program : figures)
            program.seconds.push_back(TimeStart(*program.package));
    }
    std::printf("%zu-bit build, %d starts each, until the main dialog is shown\n", sizeof(void*) * 8, kRounds);
    for (const Figures& program : figures) {
        std::printf("  %-36s median %.3f s, best %.3f s\n", program.name, Median(program.seconds),
                    *std::min_element(program.seconds.begin(), program.seconds.end()));
    }
    for (std::size_t i = 1; i < figures.size(); ++i) {
        std::printf("  ratio to %-36s %.2f (%s)\n", figures[i].name,
                    Median(figures[0].seconds) / Median(figures[i].seconds), kYardsticks[i - 1].verdict);
    }
    return 0;
}

}  // namespace
}  // namespace kestrane::e2e

int main()
{
    return kestrane::e2e::RunTiming("kestrane-startup-timing", kestrane::e2e::Run);
}

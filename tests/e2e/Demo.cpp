// The demo's driver, run by scripts/demo.sh inside the demo's Wine prefix:
//   kestrane-demo prepare GAME_DIR
//       makes a stand-in Warcraft III in GAME_DIR and registers it for the current user;
//   kestrane-demo drive PACKAGE_DIR PICTURE.bmp
//       starts PACKAGE_DIR\Kestrane.exe, tells what its window shows, saves a picture of the
//       window, presses Install (answering Yes to the shortcut question) and closes it again,
//       one step after the other.
#include "Driver.h"

#include <cstdio>
#include <exception>
#include <string>

namespace kestrane::e2e {
namespace {

struct Demo {
    std::string packageDirectory;
    std::string picturePath;
    std::optional<Program> program;
    HWND dialog = nullptr;
};

void Start(Demo& demo)
{
    demo.program.emplace(demo.packageDirectory);
    demo.dialog = demo.program->WaitForMainDialog();
}

void Describe(Demo& demo)
{
    std::printf("  title:                   %s\n", WindowText(demo.dialog).c_str());
    std::printf("  Warcraft III directory:  %s\n", ControlText(demo.dialog, kGameDirId).c_str());
    std::printf("  main button:             %s\n", ControlText(demo.dialog, kInstallButtonId).c_str());
}

void TakePicture(Demo& demo)
{
    SaveWindowPicture(demo.dialog, demo.picturePath);
    std::printf("  saved as %s\n", demo.picturePath.c_str());
}

void Install(Demo& demo)
{
    Click(demo.dialog, kInstallButtonId);
    for (;;) {
        const MessageBoxView box = demo.program->WaitForMessageBox(std::chrono::minutes(5));
        std::printf("  message box (%s): %s\n", std::string(Name(box.icon)).c_str(), box.text.c_str());
        if (box.text != "Create desktop shortcut?\n") {
            box.Answer(IDOK);
            break;
        }
        std::printf("  answered Yes\n");
        box.Answer(IDYES);
    }
    WaitFor("the main button to be enabled again",
            [&] { return ::IsWindowEnabled(Control(demo.dialog, kInstallButtonId)) != FALSE; });
}

void Exit(Demo& demo)
{
    Click(demo.dialog, IDOK);
    std::printf("  Kestrane.exe ended with exit code %lu\n", demo.program->WaitForExit());
}

struct Step {
    const char* what;
    void (*run)(Demo&);
};

constexpr Step kSteps[] = {
    {"Start Kestrane.exe in the package directory", &Start},
    {"Read its main window", &Describe},
    {"Take a picture of the main window", &TakePicture},
    {"Press the main button", &Install},
    {"Read its main window again", &Describe},
    {"Press Exit", &Exit},
};

int Drive(Demo demo)
{
    for (const auto& [what, run] : kSteps) {
        std::printf("%s\n", what);
        std::fflush(stdout);
        run(demo);
    }
    return 0;
}

int Prepare(const std::string& gameDirectory)
{
    MakeStandInGameDirectory(gameDirectory);
    SetInstallPath(gameDirectory);
    std::printf("Stand-in Warcraft III in %s, registered as the game's InstallPath\n", gameDirectory.c_str());
    return 0;
}

}  // namespace
}  // namespace kestrane::e2e

int main(int argc, char** argv)
{
    using namespace kestrane::e2e;
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "prepare" && argc == 3)
            return Prepare(argv[2]);
        if (command == "drive" && argc == 4)
            return Drive(Demo{argv[2], argv[3], std::nullopt, nullptr});
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kestrane-demo: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: kestrane-demo prepare GAME_DIR | drive PACKAGE_DIR PICTURE.bmp\n");
    return 2;
}

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

void Step(const char* what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

void Describe(HWND dialog)
{
    std::printf("  title:                   %s\n  Warcraft III directory:  %s\n  main button:             %s\n"
                "  screen:                  %d dpi\n",
                WindowText(dialog).c_str(), ControlText(dialog, IDC_GAME_DIR).c_str(),
                ControlText(dialog, IDC_INSTALL_BUTTON).c_str(), ScreenDpi());
}

int Drive(const std::string& packageDirectory, const std::string& picturePath)
{
    Step("Start Kestrane.exe in the package directory");
    const Program program(packageDirectory);
    const HWND dialog = program.WaitForMainDialog();
    Step("Read its main window");
    Describe(dialog);
    Step("Take a picture of the main window");
    SaveWindowPicture(dialog, picturePath);
    std::printf("  saved as %s\n", picturePath.c_str());
    Step("Press the main button");
    Click(dialog, IDC_INSTALL_BUTTON);
    for (bool asked = true; asked;) {
        const MessageBoxView box = program.WaitForMessageBox(std::chrono::minutes(5));
        std::printf("  message box (%s): %s\n", std::string(box.iconName).c_str(), box.text.c_str());
        asked = box.text == "Create desktop shortcut?\n";
        if (asked)
            std::printf("  answered Yes\n");
        box.Answer(asked ? IDYES : IDOK);
    }
    WaitFor("the main button to be enabled again",
            [&] { return ::IsWindowEnabled(Control(dialog, IDC_INSTALL_BUTTON)) != FALSE; });
    Step("Read its main window again");
    Describe(dialog);
    Step("Press Exit");
    Click(dialog, IDOK);
    std::printf("  Kestrane.exe ended with exit code %lu\n", program.WaitForExit());
    return 0;
}

}  // namespace
}  // namespace kestrane::e2e

int main(int argc, char** argv)
{
    using namespace kestrane::e2e;
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "prepare" && argc == 3) {
            MakeStandInGameDirectory(argv[2]);
            SetInstallPath(argv[2]);
            std::printf("Stand-in Warcraft III in %s, registered as the game's InstallPath\n", argv[2]);
            return 0;
        }
        if (command == "drive" && argc == 4)
            return Drive(argv[2], argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kestrane-demo: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: kestrane-demo prepare GAME_DIR | drive PACKAGE_DIR PICTURE.bmp\n");
    return 2;
}

// The end-to-end driver: package directories, the game's registration, a stand-in game, and the
// running Kestrane.exe seen from outside through its windows, driven by posted messages.
#pragma once

#include "framework/UniqueHandle.h"
#include "ui/resource.h"

#include "BitmapFile.h"
#include "TempFolder.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::e2e {

using namespace std::chrono_literals;

// Long enough for Wine to start a program on a busy machine.
inline constexpr std::chrono::milliseconds kPatience = 20s;

// A package directory holding a copy of Kestrane.exe; a test adds install.ini and the rest.
class PackageDirectory : public test::TempFolder {
public:
    PackageDirectory();
    void WriteInstallIni(std::string_view text) const { WriteFile("install.ini", text); }
};

using test::MakeBitmapFile;
// The colour of every pixel of MakeBitmapFile's bitmaps.
inline constexpr COLORREF kBitmapGrey = RGB(test::kBitmapGreyLevel, test::kBitmapGreyLevel, test::kBitmapGreyLevel);

// The game's registered "InstallPath" for the current user (the test prefix's), set for a scope
// and put back as it was afterwards; nullopt removes it.
std::optional<std::string> ReadInstallPath();
void SetInstallPath(const std::optional<std::string>& installPath);

class InstallPathScope {
public:
    explicit InstallPathScope(const std::optional<std::string>& installPath) : m_previous(ReadInstallPath())
    {
        SetInstallPath(installPath);
    }
    ~InstallPathScope();
    InstallPathScope(const InstallPathScope&) = delete;
    InstallPathScope& operator=(const InstallPathScope&) = delete;

private:
    std::optional<std::string> m_previous;
};

// The files of a Warcraft III directory that the installer looks at: "war3.mpq", the five game
// files and a "game.dll" holding the three texts the install rewrites.
void MakeStandInGameDirectory(const std::string& path);
// Each of the first two texts has its zero byte and three spare bytes behind it, as the rewrite
// to "..\war3.mpq" and "..\redist\miles" needs.
inline std::string StandInGameDll()
{
    using namespace std::string_literals;
    return "MZ\x90\0Kestrane stand-in game library\0\0\0\0war3.mpq\0\0\0\0"
           "redist\\miles\0\0\0\0Allow Local Files\0\0\0\0"s;
}

// `text` with the first `placeholder` in it replaced by `value`.
std::string Replaced(std::string text, std::string_view placeholder, std::string_view value);

// A special folder of the current user, such as CSIDL_DESKTOPDIRECTORY.
std::string SpecialFolderPath(int csidl);

// The screen's dpi as Windows reports it to a program that scales itself. From this call on, this
// process reads other programs' windows in real pixels: Windows shows a process that declares no
// awareness of the scale every window shrunk back to 96 dpi (Wine 8 does not).
int ScreenDpi();

// Reading another process's windows. Every call works across processes.
std::string WindowText(HWND window);
std::string ClassName(HWND window);
HWND Control(HWND dialog, int id);  // throws when the dialog has no such control
inline std::string ControlText(HWND dialog, int id)
{
    return WindowText(Control(dialog, id));
}
// The control's outer rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int id);

// Posted, so that the program runs the click or the keys in its own message loop.
inline void Click(HWND dialog, int id)
{
    ::PostMessageA(Control(dialog, id), BM_CLICK, 0, 0);
}
// Replaces the edit's text with a text that is not empty, character by character (WM_CHAR), as
// typing does: every character raises EN_CHANGE.
void TypeIntoEdit(HWND edit, std::string_view text);

// Polls until `probe` gives a value; throws, naming `what`, when `timeout` passes first.
template <class Probe>
auto WaitFor(std::string_view what, Probe probe, std::chrono::milliseconds timeout = kPatience) -> decltype(probe())
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto found = probe())
            return found;
        if (std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("timed out after " + std::to_string(timeout.count()) + " ms waiting for " +
                                     std::string(what));
        ::Sleep(25);
    }
}

// The edit or static text once it reads `expected`; its last text when it never does.
inline std::string WaitForText(HWND window, std::string_view expected)
{
    return test::WaitForValue([window] { return WindowText(window); }, expected, kPatience);
}

// A message box as the user sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    long style = 0;  // the MB_ flags of its icon and its button set
    std::string_view iconName = "none";

    // Clicks the button and waits for the box to close.
    void Answer(int button) const;
};

// A screenshot of a window as the screen shows it, written as a 24-bit .bmp file.
void SaveWindowPicture(HWND window, const std::string& path);

// Kestrane.exe, started in a package directory, which is its current directory.
class Program {
public:
    explicit Program(const std::string& packageDirectory);
    // A program still running here means the test failed: it is ended, not left behind.
    ~Program() { Kill(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Visible top-level windows of this program whose class name begins so, dialogs by default.
    std::vector<HWND> Windows(std::string_view classNameStart = "#32770") const;
    // The first of this program's dialogs that `accepts` takes, once there is one.
    template <class Accepts>
    HWND WaitForDialog(std::string_view what, Accepts accepts) const
    {
        return WaitFor(what, [&]() -> HWND {
            for (const HWND dialog : Windows()) {
                if (accepts(dialog))
                    return dialog;
            }
            ThrowIfEnded(what);
            return nullptr;
        });
    }
    // The main dialog: the dialog that holds the main button.
    HWND WaitForMainDialog() const
    {
        return WaitForDialog("the main dialog", [](HWND dialog) { return ::GetDlgItem(dialog, IDC_INSTALL_BUTTON); });
    }
    // The next message box, once its text and icon are painted.
    MessageBoxView WaitForMessageBox(std::chrono::milliseconds timeout = kPatience) const;
    // The exit code.
    DWORD WaitForExit() const;
    // Ends the program at once, as a crash or a power cut would.
    void Kill() const;

private:
    // A program that has ended, most likely by a crash, shows no window again: waiting on for
    // one would only hide its exit code behind a time-out.
    void ThrowIfEnded(std::string_view what) const;

    UniqueKernelHandle m_job;
    UniqueKernelHandle m_process;
    DWORD m_id = 0;
};

}  // namespace kestrane::e2e

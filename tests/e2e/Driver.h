// The end-to-end driver: package directories, the game's registration, a stand-in game, and the
// running Kestrane.exe seen from outside through its windows, driven by posted messages.
#pragma once

#include "framework/UniqueHandle.h"

#include "TempFolder.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::e2e {

using namespace std::chrono_literals;

// Long enough for Wine to start a program on a busy machine.
inline constexpr std::chrono::milliseconds kPatience = 20s;

inline constexpr int kInstallButtonId = 1000;
inline constexpr int kGameDirId = 1001;
inline constexpr int kBrowseButtonId = 1002;
inline constexpr int kPictureId = 1003;
inline constexpr int kFrameId = 1004;

// Where the program under test was built.
std::string KestraneExePath();

// A fresh folder under the temporary directory, removed with everything in it at the end.
class ScratchDirectory : public test::TempFolder {
public:
    explicit ScratchDirectory(std::string_view purpose) : TempFolder(purpose) {}

    void WriteFile(std::string_view name, std::string_view bytes) const;
    void MakeDirectory(std::string_view name) const;
};

// A package directory holding a copy of Kestrane.exe; a test adds install.ini and the rest.
class PackageDirectory : public ScratchDirectory {
public:
    PackageDirectory();
    void WriteInstallIni(std::string_view text) const { WriteFile("install.ini", text); }
};

void WriteBytes(const std::string& path, std::string_view bytes);

// The bytes of an uncompressed 24-bit bitmap file, a diagonal gradient, rows bottom-up.
std::string MakeBitmapFile(int width, int height);

// The game's registered "InstallPath" for the current user (the test prefix's), set for a scope
// and put back as it was afterwards; nullopt removes it.
class InstallPathScope {
public:
    explicit InstallPathScope(std::optional<std::string> installPath);
    ~InstallPathScope();
    InstallPathScope(const InstallPathScope&) = delete;
    InstallPathScope& operator=(const InstallPathScope&) = delete;

private:
    std::optional<std::string> m_previous;
};

void SetInstallPath(const std::optional<std::string>& installPath);
std::optional<std::string> ReadInstallPath();

// The files of a Warcraft III directory that the installer looks at: "war3.mpq", the five game
// files and a "game.dll" holding the three texts the install rewrites.
void MakeStandInGameDirectory(const std::string& path);
std::string StandInGameDll();

// A special folder of the current user, such as CSIDL_DESKTOPDIRECTORY.
std::string SpecialFolderPath(int csidl);

// Reading another process's windows. Every call works across processes.
std::string WindowText(HWND window);
std::string ClassName(HWND window);
HWND Control(HWND dialog, int id);  // fails the test when the dialog has no such control
std::string ControlText(HWND dialog, int id);
// The control's outer rectangle in its dialog's client coordinates.
RECT ControlRect(HWND dialog, int id);

// Posted, so that the program runs the click or the keys in its own message loop.
void Click(HWND dialog, int id);
// Replaces the edit's text character by character (WM_CHAR), as typing does: every character
// raises EN_CHANGE.
void TypeIntoEdit(HWND edit, std::string_view text);

// Polls until `probe` gives a value; throws, naming `what`, when `timeout` passes first.
template <class Probe>
auto WaitFor(std::string_view what, Probe probe, std::chrono::milliseconds timeout = kPatience) -> decltype(probe());
void ThrowTimeout(std::string_view what, std::chrono::milliseconds timeout);

// The edit or static text once it reads `expected`; its last text when it never does.
std::string WaitForText(HWND window, std::string_view expected, std::chrono::milliseconds timeout = kPatience);

enum class MessageIcon { None, Error, Warning, Information, Question };
std::string_view Name(MessageIcon icon);

// A message box as the user sees it.
struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    std::vector<int> buttons;  // of IDOK, IDCANCEL, IDYES, IDNO, in that order

    // The MB_ style these add up to: the icon and the button set.
    UINT Style() const;
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
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Top-level windows of this program with the class name and, when given, the title.
    std::vector<HWND> Windows(std::string_view className, std::optional<std::string_view> title = std::nullopt) const;
    HWND WaitForWindow(std::string_view className, std::optional<std::string_view> title = std::nullopt,
                       std::chrono::milliseconds timeout = kPatience) const;
    // The main dialog: the dialog that holds the main button.
    HWND WaitForMainDialog(std::chrono::milliseconds timeout = kPatience) const;
    // The next message box, once its text and icon are painted.
    MessageBoxView WaitForMessageBox(std::chrono::milliseconds timeout = kPatience) const;
    // The exit code.
    DWORD WaitForExit(std::chrono::milliseconds timeout = kPatience) const;
    // Ends the program at once, as a crash or a power cut would.
    void Kill() const;

private:
    UniqueKernelHandle m_job;
    UniqueKernelHandle m_process;
    DWORD m_id = 0;
};

template <class Probe>
auto WaitFor(std::string_view what, Probe probe, std::chrono::milliseconds timeout) -> decltype(probe())
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto found = probe())
            return found;
        if (std::chrono::steady_clock::now() >= deadline)
            ThrowTimeout(what, timeout);
        ::Sleep(25);
    }
}

}  // namespace kestrane::e2e

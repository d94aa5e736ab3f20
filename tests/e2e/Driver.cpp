#include "Driver.h"

#include "app/core/InstallPath.h"
#include "framework/DeviceContext.h"

#include <shlobj.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

constexpr int kMessageBoxTextId = 0xFFFF;

// A bottom-up 24-bit .bmp file of the window as the screen shows it, with `icon` drawn over it
// when given.
std::string CaptureScreen(HWND window, HICON icon = nullptr)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    test::BitmapFile file{.width = width, .height = height};
    const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    const WindowDc screen(nullptr);
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    void* bits = nullptr;
    const UniqueBitmap section(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !section)
        throw std::runtime_error("cannot make a bitmap of " + std::to_string(width) + " x " + std::to_string(height));
    {
        const SelectedObject selected(memory.Get(), section.Get());
        ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
        if (icon)
            ::DrawIconEx(memory.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    file.pixels.assign(pixels, pixels + file.RowBytes() * static_cast<std::size_t>(height));
    return file.Bytes();
}

struct IconKind {
    long style;
    LPCSTR resource;
    std::string_view name;
};

// Which of the system's icons the box's icon control shows: drawn over the control's picture,
// the one shown changes it least. A process cannot read another's icon handle, so the picture
// is all there is to go by. None while the box is not painted yet.
const IconKind* ReadIcon(HWND iconControl)
{
    static const IconKind kinds[] = {
        {MB_ICONERROR, IDI_HAND, "error"},
        {MB_ICONWARNING, IDI_EXCLAMATION, "warning"},
        {MB_ICONINFORMATION, IDI_ASTERISK, "information"},
        {MB_ICONQUESTION, IDI_QUESTION, "question"},
    };
    const std::string shown = CaptureScreen(iconControl);
    const std::size_t pixelOffset = test::BitmapFile{}.PixelOffset();
    const IconKind* best = nullptr;
    double bestDifference = 6.0;  // per colour byte: an icon drawn over itself changes only its blended edges
    for (const IconKind& kind : kinds) {
        const std::string drawn = CaptureScreen(iconControl, ::LoadIconA(nullptr, kind.resource));
        if (drawn.size() != shown.size())
            continue;
        double difference = 0;
        for (std::size_t i = pixelOffset; i < shown.size(); ++i)
            difference += std::abs(static_cast<unsigned char>(shown[i]) - static_cast<unsigned char>(drawn[i]));
        difference /= static_cast<double>(shown.size() - pixelOffset);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = &kind;
        }
    }
    return best;
}

// None while the box is not painted yet. Wine centres every box on the screen, whatever its
// owner, so the boxes of two programs lie on top of each other: the one read is raised first,
// for its icon to be seen.
std::optional<MessageBoxView> ReadMessageBox(HWND box)
{
    ::SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MessageBoxView view;
    view.window = box;
    view.caption = WindowText(box);
    view.text = ControlText(box, kMessageBoxTextId);
    std::vector<int> buttons;
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
        if (const HWND button = ::GetDlgItem(box, id); button && ::IsWindowVisible(button))
            buttons.push_back(id);
    }
    const std::map<std::vector<int>, long> styles = {{{IDOK}, MB_OK},
                                                     {{IDOK, IDCANCEL}, MB_OKCANCEL},
                                                     {{IDCANCEL, IDYES, IDNO}, MB_YESNOCANCEL},
                                                     {{IDYES, IDNO}, MB_YESNO}};
    view.style = styles.contains(buttons) ? styles.at(buttons) : MB_TYPEMASK;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != "Static" || (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            continue;
        const IconKind* icon = ReadIcon(child);
        if (!icon)
            return std::nullopt;
        view.style |= icon->style;
        view.iconName = icon->name;
    }
    return view;
}

}  // namespace

PackageDirectory::PackageDirectory() : TempFolder("package")
{
    if (!::CopyFileA(KESTRANE_EXE_PATH, (*this / "Kestrane.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy "s + KESTRANE_EXE_PATH);
}

std::optional<std::string> ReadInstallPath()
{
    std::array<char, 10240> value{};
    DWORD size = value.size() - 1;
    if (::RegGetValueA(HKEY_CURRENT_USER, kGameRegistryKey, kInstallPathValue, RRF_RT_REG_SZ, nullptr, value.data(),
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(value.data());
}

void SetInstallPath(const std::optional<std::string>& installPath)
{
    if (!installPath)
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kGameRegistryKey, kInstallPathValue);
    else if (::RegSetKeyValueA(HKEY_CURRENT_USER, kGameRegistryKey, kInstallPathValue, REG_SZ, installPath->c_str(),
                               static_cast<DWORD>(installPath->size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register the game at " + *installPath);
}

InstallPathScope::~InstallPathScope()
{
    try {
        SetInstallPath(m_previous);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot restore the game's registration: %s\n", error.what());
    }
}

void MakeStandInGameDirectory(const std::string& path)
{
    std::filesystem::create_directories(path);
    for (const char* name : {"war3.mpq", "Warcraft III.exe", "war3.exe", "Storm.dll", "Mss32.dll", "ijl15.dll"})
        test::WriteTextFile(path + "\\" + name, "stand-in "s + name + "\r\n");
    test::WriteTextFile(path + "\\game.dll", StandInGameDll());
}

std::string Replaced(std::string text, std::string_view placeholder, std::string_view value)
{
    if (const std::size_t at = text.find(placeholder); at != std::string::npos)
        text.replace(at, placeholder.size(), value);
    return text;
}

std::string SpecialFolderPath(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    return path;
}

int ScreenDpi()
{
    ::SetProcessDPIAware();
    const WindowDc screen(nullptr);
    return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

std::string WindowText(HWND window)
{
    std::array<char, 1024> text{};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                               5000, &copied))
        return "<no answer>";
    return std::string(text.data(), copied);
}

std::string ClassName(HWND window)
{
    std::array<char, 256> name{};
    return std::string(name.data(), static_cast<std::size_t>(::GetClassNameA(window, name.data(), name.size())));
}

HWND Control(HWND dialog, int id)
{
    const HWND control = ::GetDlgItem(dialog, id);
    if (!control)
        throw std::runtime_error("the dialog \"" + WindowText(dialog) + "\" has no control " + std::to_string(id));
    return control;
}

RECT ControlRect(HWND dialog, int id)
{
    RECT rect{};
    ::GetWindowRect(Control(dialog, id), &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void TypeIntoEdit(HWND edit, std::string_view text)
{
    ::PostMessageA(edit, EM_SETSEL, 0, -1);
    for (const char c : text)
        ::PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void MessageBoxView::Answer(int button) const
{
    Click(window, button);
    // The next box may follow at once: this one must be gone before anyone looks for it.
    WaitFor("the answered message box to close", [this] { return !::IsWindow(window); });
}

void SaveWindowPicture(HWND window, const std::string& path)
{
    // Taken once two pictures in a row agree: the window has finished painting.
    std::string shown;
    for (int tries = 0; tries < 50; ++tries) {
        std::string again = CaptureScreen(window);
        if (again == shown)
            break;
        shown = std::move(again);
        ::Sleep(100);
    }
    test::WriteTextFile(path, shown);
}

Program::Program(const std::string& packageDirectory) : m_job(::CreateJobObjectA(nullptr, nullptr))
{
    // Whatever ends the test program, a crash included, ends the program under test with it: a
    // program left behind would hold the test's output open and stall the whole run.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(m_job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    std::string commandLine = "\"" + packageDirectory + "\\Kestrane.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                          packageDirectory.c_str(), &startup, &process))
        throw std::runtime_error("cannot start " + commandLine + ": error " + std::to_string(::GetLastError()));
    const UniqueKernelHandle thread(process.hThread);
    m_process = UniqueKernelHandle(process.hProcess);
    m_id = process.dwProcessId;
    ::AssignProcessToJobObject(m_job.Get(), m_process.Get());
    ::ResumeThread(thread.Get());
}

void Program::Kill() const
{
    ::TerminateProcess(m_process.Get(), 1);
    ::WaitForSingleObject(m_process.Get(), 5000);
}

std::vector<HWND> Program::Windows(std::string_view classNameStart) const
{
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, nullptr, nullptr));) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (processId == m_id && ::IsWindowVisible(window) && ClassName(window).starts_with(classNameStart))
            found.push_back(window);
    }
    return found;
}

MessageBoxView Program::WaitForMessageBox(std::chrono::milliseconds timeout) const
{
    return *WaitFor(
        "a message box, painted",
        [&]() -> std::optional<MessageBoxView> {
            for (const HWND dialog : Windows()) {
                if (::GetDlgItem(dialog, kMessageBoxTextId))
                    return ReadMessageBox(dialog);
            }
            ThrowIfEnded("a message box");
            return std::nullopt;
        },
        timeout);
}

void Program::ThrowIfEnded(std::string_view what) const
{
    DWORD exitCode = 0;
    if (::WaitForSingleObject(m_process.Get(), 0) != WAIT_OBJECT_0 || !::GetExitCodeProcess(m_process.Get(), &exitCode))
        return;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(exitCode));
    throw std::runtime_error("Kestrane.exe ended with exit code " + std::string(code) + " while waiting for " +
                             std::string(what));
}

DWORD Program::WaitForExit() const
{
    if (::WaitForSingleObject(m_process.Get(), static_cast<DWORD>(kPatience.count())) != WAIT_OBJECT_0)
        throw std::runtime_error("Kestrane.exe did not end");
    DWORD exitCode = 0;
    ::GetExitCodeProcess(m_process.Get(), &exitCode);
    return exitCode;
}

}  // namespace kestrane::e2e

#include "Driver.h"

#include "app/InstallPath.h"

#include <shlobj.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace kestrane::e2e {
namespace {

using namespace std::string_literals;

constexpr int kMessageBoxTextId = 0xFFFF;

std::string ToString(std::chrono::milliseconds duration)
{
    return std::to_string(duration.count()) + " ms";
}

template <class Value>
void AppendLittleEndian(std::string& bytes, Value value)
{
    for (std::size_t i = 0; i < sizeof(Value); ++i)
        bytes += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
}

// A bottom-up 24-bit file around `pixels` (rows already padded to four bytes).
std::string BitmapFile(int width, int height, std::string_view pixels)
{
    std::string file = "BM";
    AppendLittleEndian(file, static_cast<std::uint32_t>(54 + pixels.size()));
    AppendLittleEndian(file, std::uint32_t{0});
    AppendLittleEndian(file, std::uint32_t{54});
    AppendLittleEndian(file, std::uint32_t{40});
    AppendLittleEndian(file, static_cast<std::int32_t>(width));
    AppendLittleEndian(file, static_cast<std::int32_t>(height));
    AppendLittleEndian(file, std::uint16_t{1});
    AppendLittleEndian(file, std::uint16_t{24});
    AppendLittleEndian(file, std::uint32_t{0});
    AppendLittleEndian(file, static_cast<std::uint32_t>(pixels.size()));
    AppendLittleEndian(file, std::int32_t{2835});
    AppendLittleEndian(file, std::int32_t{2835});
    AppendLittleEndian(file, std::uint32_t{0});
    AppendLittleEndian(file, std::uint32_t{0});
    file += pixels;
    return file;
}

// What a part of the screen shows, as 32-bit pixels, rows top-down.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Draws into a fresh top-down 32-bit DIB of the given size and hands back its pixels.
template <class Draw>
ScreenPixels DrawPixels(int width, int height, Draw draw)
{
    ScreenPixels result{width, height, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const UniqueScreenDc screen(::GetDC(nullptr));
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    void* bits = nullptr;
    const UniqueBitmap section(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !section)
        throw std::runtime_error("cannot make a bitmap to capture the screen");
    const HGDIOBJ previous = ::SelectObject(memory.Get(), section.Get());
    draw(memory.Get(), screen.Get());
    ::GdiFlush();
    const auto* begin = static_cast<const std::uint32_t*>(bits);
    result.pixels.assign(begin, begin + static_cast<std::size_t>(width) * height);
    ::SelectObject(memory.Get(), previous);
    return result;
}

ScreenPixels CaptureScreen(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    return DrawPixels(width, height, [&](HDC memory, HDC screen) {
        ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    });
}

// The mean difference per colour channel between two pictures of the same size.
double MeanDifference(const ScreenPixels& a, const ScreenPixels& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) - static_cast<int>((b.pixels[i] >> shift) & 0xFF));
    }
    return a.pixels.empty() ? 255.0 : sum / (3.0 * static_cast<double>(a.pixels.size()));
}

// The static control that shows a message box's icon, if it has one.
HWND IconControl(HWND box)
{
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == "Static" && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

// Which of the system's icons the control shows: its pixels on the screen are compared with each
// icon drawn here on the same background. A process cannot read another's icon handle, so the
// picture is all there is to go by. Empty while the box is not painted yet.
std::optional<MessageIcon> ReadIcon(HWND iconControl)
{
    RECT rect{};
    ::GetWindowRect(iconControl, &rect);
    const ScreenPixels shown = CaptureScreen(rect);
    if (shown.pixels.empty())
        return std::nullopt;
    const std::uint32_t background = shown.pixels.front() & 0xFFFFFF;
    const COLORREF backgroundColour = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);

    struct Candidate {
        MessageIcon icon;
        LPCSTR resource;
    };
    const Candidate candidates[] = {
        {MessageIcon::Error, IDI_HAND},
        {MessageIcon::Warning, IDI_EXCLAMATION},
        {MessageIcon::Information, IDI_ASTERISK},
        {MessageIcon::Question, IDI_QUESTION},
    };
    std::optional<MessageIcon> best;
    double bestDifference = 12.0;  // a painted icon matches its own drawing almost exactly
    for (const auto& [icon, resource] : candidates) {
        const HICON systemIcon = ::LoadIconA(nullptr, resource);
        const ScreenPixels drawn = DrawPixels(shown.width, shown.height, [&](HDC memory, HDC) {
            const UniqueHandle<GdiObjectTraits<HBRUSH>> brush(::CreateSolidBrush(backgroundColour));
            const RECT all{0, 0, shown.width, shown.height};
            ::FillRect(memory, &all, brush.Get());
            ::DrawIconEx(memory, 0, 0, systemIcon, shown.width, shown.height, 0, nullptr, DI_NORMAL);
        });
        const double difference = MeanDifference(shown, drawn);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = icon;
        }
    }
    return best;
}

std::optional<MessageBoxView> ReadMessageBox(HWND box)
{
    MessageBoxView view;
    view.window = box;
    view.caption = WindowText(box);
    view.text = ControlText(box, kMessageBoxTextId);
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        const HWND button = ::GetDlgItem(box, id);
        if (button && ::IsWindowVisible(button))
            view.buttons.push_back(id);
    }
    const HWND iconControl = IconControl(box);
    if (!iconControl)
        return view;
    const std::optional<MessageIcon> icon = ReadIcon(iconControl);
    if (!icon)
        return std::nullopt;
    view.icon = *icon;
    return view;
}

}  // namespace

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string KestraneExePath()
{
    return KESTRANE_EXE_PATH;
}

void ScratchDirectory::WriteFile(std::string_view name, std::string_view bytes) const
{
    WriteBytes(*this / name, bytes);
}

void ScratchDirectory::MakeDirectory(std::string_view name) const
{
    if (!::CreateDirectoryA((*this / name).c_str(), nullptr))
        throw std::runtime_error("cannot create " + (*this / name));
}

PackageDirectory::PackageDirectory() : ScratchDirectory("package")
{
    if (!::CopyFileA(KestraneExePath().c_str(), (*this / "Kestrane.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy " + KestraneExePath());
}

std::string MakeBitmapFile(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* pixel = &pixels[static_cast<std::size_t>(y) * stride + 3 * x];
            pixel[0] = static_cast<char>(255 * x / width);
            pixel[1] = static_cast<char>(255 * y / height);
            pixel[2] = static_cast<char>(128);
        }
    }
    return BitmapFile(width, height, pixels);
}

void SetInstallPath(const std::optional<std::string>& installPath)
{
    UniqueRegistryKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kGameRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                          nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open the game's registry key"s);
    if (!installPath) {
        ::RegDeleteValueA(key.Get(), kInstallPathValue);
        return;
    }
    if (::RegSetValueExA(key.Get(), kInstallPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(installPath->c_str()),
                         static_cast<DWORD>(installPath->size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register the game at " + *installPath);
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

InstallPathScope::InstallPathScope(std::optional<std::string> installPath) : m_previous(ReadInstallPath())
{
    SetInstallPath(installPath);
}

InstallPathScope::~InstallPathScope()
{
    try {
        SetInstallPath(m_previous);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot restore the game's registration: %s\n", error.what());
    }
}

std::string StandInGameDll()
{
    // Each of the first two texts has its zero byte and three spare bytes behind it, as the
    // rewrite to "..\war3.mpq" and "..\redist\miles" needs.
    std::string dll = "MZ\x90\0Kestrane stand-in game library\0\0\0\0"s;
    dll += "war3.mpq\0\0\0\0"s;
    dll += "redist\\miles\0\0\0\0"s;
    dll += "Allow Local Files\0\0\0\0"s;
    return dll;
}

void MakeStandInGameDirectory(const std::string& path)
{
    std::filesystem::create_directories(path);
    for (const char* name : {"war3.mpq", "Warcraft III.exe", "war3.exe", "Storm.dll", "Mss32.dll", "ijl15.dll"})
        WriteBytes(path + "\\" + name, "stand-in "s + name + "\r\n");
    WriteBytes(path + "\\game.dll", StandInGameDll());
}

std::string SpecialFolderPath(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    return path;
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

std::string ControlText(HWND dialog, int id)
{
    return WindowText(Control(dialog, id));
}

RECT ControlRect(HWND dialog, int id)
{
    RECT rect{};
    ::GetWindowRect(Control(dialog, id), &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(Control(dialog, id), BM_CLICK, 0, 0);
}

void TypeIntoEdit(HWND edit, std::string_view text)
{
    ::PostMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        ::PostMessageA(edit, WM_CHAR, VK_BACK, 0);
    for (const char c : text)
        ::PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void ThrowTimeout(std::string_view what, std::chrono::milliseconds timeout)
{
    throw std::runtime_error("timed out after " + ToString(timeout) + " waiting for " + std::string(what));
}

std::string WaitForText(HWND window, std::string_view expected, std::chrono::milliseconds timeout)
{
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while ((text = WindowText(window)) != expected && std::chrono::steady_clock::now() < deadline)
        ::Sleep(25);
    return text;
}

std::string_view Name(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return "error";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::None:
        break;
    }
    return "none";
}

UINT MessageBoxView::Style() const
{
    UINT style = 0;
    switch (icon) {
    case MessageIcon::Error:
        style = MB_ICONERROR;
        break;
    case MessageIcon::Warning:
        style = MB_ICONWARNING;
        break;
    case MessageIcon::Information:
        style = MB_ICONINFORMATION;
        break;
    case MessageIcon::Question:
        style = MB_ICONQUESTION;
        break;
    case MessageIcon::None:
        break;
    }
    struct ButtonSet {
        std::vector<int> buttons;
        UINT style;
    };
    const ButtonSet sets[] = {
        {{IDOK}, MB_OK},
        {{IDOK, IDCANCEL}, MB_OKCANCEL},
        {{IDCANCEL, IDYES, IDNO}, MB_YESNOCANCEL},
        {{IDYES, IDNO}, MB_YESNO},
    };
    for (const auto& set : sets) {
        if (set.buttons == buttons)
            return style | set.style;
    }
    return style | MB_TYPEMASK;
}

void MessageBoxView::Answer(int button) const
{
    Click(window, button);
    // The next box may follow at once: this one must be gone before anyone looks for it.
    WaitFor("the answered message box to close", [this] { return !::IsWindow(window); });
}

void SaveWindowPicture(HWND window, const std::string& path)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    // Taken once two pictures in a row agree: the window has finished painting.
    ScreenPixels shown = CaptureScreen(rect);
    for (int tries = 0; tries < 50; ++tries) {
        ::Sleep(100);
        ScreenPixels again = CaptureScreen(rect);
        if (again.pixels == shown.pixels)
            break;
        shown = std::move(again);
    }
    const int stride = (shown.width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * shown.height, '\0');
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const std::uint32_t pixel = shown.pixels[static_cast<std::size_t>(shown.height - 1 - y) * shown.width + x];
            char* out = &pixels[static_cast<std::size_t>(y) * stride + 3 * x];
            out[0] = static_cast<char>(pixel & 0xFF);
            out[1] = static_cast<char>((pixel >> 8) & 0xFF);
            out[2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
    }
    WriteBytes(path, BitmapFile(shown.width, shown.height, pixels));
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

Program::~Program()
{
    if (::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.Get(), 1);
        ::WaitForSingleObject(m_process.Get(), 5000);
    }
}

std::vector<HWND> Program::Windows(std::string_view className, std::optional<std::string_view> title) const
{
    // The callback only collects: nothing that can throw runs inside EnumWindows.
    struct Search {
        DWORD processId;
        HWND found[256];
        std::size_t count;
    } search{m_id, {}, 0};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD processId = 0;
            ::GetWindowThreadProcessId(window, &processId);
            if (processId == search.processId && ::IsWindowVisible(window))
                search.found[search.count++] = window;
            return search.count < std::size(search.found);
        },
        reinterpret_cast<LPARAM>(&search));

    std::vector<HWND> matching;
    for (std::size_t i = 0; i < search.count; ++i) {
        const HWND window = search.found[i];
        if (ClassName(window) == className && (!title || WindowText(window) == *title))
            matching.push_back(window);
    }
    return matching;
}

HWND Program::WaitForWindow(std::string_view className, std::optional<std::string_view> title,
                            std::chrono::milliseconds timeout) const
{
    const std::string what = "a window of class " + std::string(className) +
                             (title ? " titled \"" + std::string(*title) + "\"" : std::string());
    return WaitFor(what, [&]() -> HWND {
        const std::vector<HWND> found = Windows(className, title);
        return found.empty() ? nullptr : found.front();
    }, timeout);
}

HWND Program::WaitForMainDialog(std::chrono::milliseconds timeout) const
{
    return WaitFor("the main dialog", [&]() -> HWND {
        for (const HWND dialog : Windows("#32770")) {
            if (::GetDlgItem(dialog, kInstallButtonId))
                return dialog;
        }
        return nullptr;
    }, timeout);
}

MessageBoxView Program::WaitForMessageBox(std::chrono::milliseconds timeout) const
{
    return *WaitFor("a message box, painted", [&]() -> std::optional<MessageBoxView> {
        for (const HWND dialog : Windows("#32770")) {
            if (::GetDlgItem(dialog, kMessageBoxTextId))
                return ReadMessageBox(dialog);
        }
        return std::nullopt;
    }, timeout);
}

DWORD Program::WaitForExit(std::chrono::milliseconds timeout) const
{
    if (::WaitForSingleObject(m_process.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        ThrowTimeout("Kestrane.exe to end", timeout);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(m_process.Get(), &exitCode);
    return exitCode;
}

}  // namespace kestrane::e2e

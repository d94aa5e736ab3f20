#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/core/CentreOver.h"
#include "framework/DeviceContext.h"
#include "framework/SystemFunction.h"
#include "framework/UniqueHandle.h"

#include <cstdio>
#include <exception>

namespace kestrane {

Window::~Window()
{
    if (!m_createdHere || !IsWindow())
        return;
    // Our procedure must not call into an object that is half gone.
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hwnd);
}

std::string Window::RegisterWindowClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    char name[128];
    // A 32-bit style and three pointers in hexadecimal always fit.
    static_cast<void>(std::snprintf(name, sizeof name, "Kestrane:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                                    static_cast<void*>(background), static_cast<void*>(icon)));
    WNDCLASSA windowClass{};
    if (::GetClassInfoA(Application::ModuleHandle(), name, &windowClass))
        return name;

    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = Application::ModuleHandle();
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (!::RegisterClassA(&windowClass))
        return {};
    return name;
}

bool Window::CreateEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                      const RECT& rect, HWND parent, UINT id)
{
    const HWND created =
        ::CreateWindowExA(exStyle, className.c_str(), windowName.c_str(), style, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), Application::ModuleHandle(), this);
    if (created) {
        m_hwnd = created;
        m_createdHere = true;
    }
    Application::RethrowCallbackError();
    return created != nullptr;
}

bool Window::DestroyWindow()
{
    if (!m_hwnd)
        return false;
    const bool destroyed = ::DestroyWindow(m_hwnd) != FALSE;
    if (destroyed)
        m_hwnd = nullptr;
    Application::RethrowCallbackError();
    return destroyed;
}

std::string WindowHandle::GetWindowText() const
{
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT WindowHandle::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hwnd, &rect);
    return rect;
}

RECT WindowHandle::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hwnd, &rect);
    return rect;
}

int WindowHandle::GetDpi() const
{
    // GetDpiForWindow is in user32 from Windows 10 1607 only: Windows 7 has the screen's alone.
    static const SystemFunction<UINT WINAPI(HWND)> getDpiForWindowFunction("user32.dll!GetDpiForWindow");
    const auto getDpiForWindow = getDpiForWindowFunction.Get();
    if (getDpiForWindow && m_hwnd) {
        if (const UINT dpi = getDpiForWindow(m_hwnd))
            return static_cast<int>(dpi);
    }
    const WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : kDesignDpi;
}

void WindowHandle::CenterWindow()
{
    const RECT own = GetWindowRect();
    const Extent size{own.right - own.left, own.bottom - own.top};

    if (GetStyle() & WS_CHILD) {
        const HWND parent = ::GetParent(m_hwnd);
        RECT client{};
        ::GetClientRect(parent, &client);
        const Placement placed = CentreOver(size, ToPlacement(client), ToPlacement(client));
        SetWindowPos(nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }

    // A hidden or minimised owner gives nothing to centre over: the work area stands in for it.
    HWND owner = ::GetWindow(m_hwnd, GW_OWNER);
    if (owner && (!::IsWindowVisible(owner) || ::IsIconic(owner)))
        owner = nullptr;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(owner ? owner : m_hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT over = monitor.rcWork;
    if (owner)
        ::GetWindowRect(owner, &over);
    const Placement placed = CentreOver(size, ToPlacement(over), ToPlacement(monitor.rcWork));
    SetWindowPos(nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<LRESULT> Window::HandleMessage(UINT, WPARAM, LPARAM)
{
    return std::nullopt;
}

LRESULT CALLBACK Window::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (created)
            created->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* window = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);

    std::optional<LRESULT> result;
    try {
        result = window->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's frames: the call that led here rethrows it.
        Application::KeepCallbackError(std::current_exception());
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        window->m_hwnd = nullptr;
    }
    return result ? *result : ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace kestrane

// WindowHandle and Window: any window by its handle, and a window of ours with a message map;
// and the conversions between the system's RECT and the layouts' Placement.
#pragma once

#include "common/Geometry.h"

#include <windows.h>

#include <optional>
#include <string>

namespace kestrane {

// The system's rectangle, by its corners, and the layouts' Placement, by its corner and size.
inline Placement ToPlacement(const RECT& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

inline RECT ToRect(const Placement& placed)
{
    return {placed.x, placed.y, placed.Right(), placed.Bottom()};
}

// Any window by its handle, ours or the system's, such as a dialog's control: it owns nothing,
// and copying it copies the handle.
class WindowHandle {
public:
    WindowHandle() = default;
    explicit WindowHandle(HWND window) : m_hwnd(window) {}

    // Wraps a window that someone else created and destroys.
    void Attach(HWND window) { m_hwnd = window; }
    HWND GetSafeHwnd() const { return m_hwnd; }
    bool IsWindow() const { return m_hwnd != nullptr && ::IsWindow(m_hwnd); }

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hwnd, text.c_str()); }
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    // The dots per inch the window is drawn at: its monitor's where the system knows one per
    // monitor, otherwise the screen's.
    int GetDpi() const;
    void MoveWindow(const RECT& rect, bool repaint)
    {
        ::MoveWindow(m_hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    void SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags)
    {
        ::SetWindowPos(m_hwnd, insertAfter, x, y, width, height, flags);
    }
    void ShowWindow(int command) { ::ShowWindow(m_hwnd, command); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hwnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hwnd) != FALSE; }
    void EnableWindow(bool enable) { ::EnableWindow(m_hwnd, enable); }
    void SetFocus() { ::SetFocus(m_hwnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        return ::SendMessageA(m_hwnd, message, wParam, lParam);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hwnd, GWL_STYLE)); }
    void ModifyStyle(DWORD remove, DWORD add)
    {
        ::SetWindowLongA(m_hwnd, GWL_STYLE, static_cast<LONG>((GetStyle() & ~remove) | add));
    }
    // Centres the window over its owner (a child: its parent's client area), or over the work
    // area when it has no visible owner, and keeps it inside that work area.
    void CenterWindow();

protected:
    HWND m_hwnd = nullptr;
};

// A window this program creates, destroyed with the object; of a class of our own it has a
// message map.
class Window : public WindowHandle {
public:
    Window() = default;
    // Destroys a window that CreateEx made and that still exists; an attached window is left alone.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Registers, once per set of traits, a window class whose procedure is the framework's, and
    // returns its generated name; empty when the system refuses it.
    static std::string RegisterWindowClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

    // Creates the window: of a class from RegisterWindowClass it gets its messages through
    // HandleMessage from WM_NCCREATE on; of a system class ("STATIC", "BUTTON") it is only wrapped.
    // `id` is a child's control id; 0 for a top-level window without a menu.
    bool CreateEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    virtual bool DestroyWindow();

protected:
    // The message-map accessor: each class walks its own table, then its base class's. Empty
    // leaves the message to the default processing.
    virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_createdHere = false;
};

}  // namespace kestrane

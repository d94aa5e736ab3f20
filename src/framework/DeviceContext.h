// PaintContext, WindowDc and SelectedObject: a window's device contexts and the objects selected
// into them, each as one scope. A device context of our own making is a UniqueMemoryDc.
#pragma once

#include <windows.h>

namespace kestrane {

// BeginPaint and its EndPaint.
class PaintContext {
public:
    explicit PaintContext(HWND window) : m_window(window) { m_dc = ::BeginPaint(window, &m_paint); }
    ~PaintContext() { ::EndPaint(m_window, &m_paint); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};

// GetDC and its ReleaseDC, which needs the window back; no window means the whole screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDc()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// An object selected into a device context until the scope ends, when the one it replaced is
// selected back: an object must not be deleted while a context still holds it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(dc ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

}  // namespace kestrane

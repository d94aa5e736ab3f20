// PaintContext: BeginPaint and its EndPaint, as one scope.
#pragma once

#include <windows.h>

namespace kestrane {

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

}  // namespace kestrane

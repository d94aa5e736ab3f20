// ProgressWindow: the small modeless window that shows a long operation's progress and keeps
// the program's windows painting while it runs.
#pragma once

#include "framework/MessageMap.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrane {

class ProgressWindow : public Window {
public:
    // Shows the window at once, where the last one stood; `owner` null means the main window.
    ProgressWindow(HWND owner, std::string title, bool smooth);
    ~ProgressWindow() override;

    void SetRange(std::int32_t lower, std::int32_t upper, std::int32_t step);
    // Moves the bar, shows the window again if it was hidden and puts the percentage in the
    // caption; returns the bar's previous position.
    std::int32_t SetPos(std::int32_t position);
    // The status line; text beyond 511 bytes is cut.
    void SetText(std::string_view text);
    void Show();
    void Hide();
    // Dispatches the messages already pending, one at a time, and returns when none is left.
    // Escape, when asked for, cancels: the window hides and dispatches nothing from then on.
    void PumpMessages(bool cancelOnEscape);

    bool DestroyWindow() override;

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Create(HWND owner, const std::string& title, bool smooth);
    void LayOutControls(int lineCount, int width);
    void RestorePosition();
    void SavePosition();

    void OnCancelButton();
    LRESULT OnEraseBackground(HDC dc);

    static constexpr UINT kCancelId = 10;
    static constexpr MessageMapEntry<ProgressWindow> kMessageMap[] = {
        {WM_ERASEBKGND, 0, 0, &ProgressWindow::OnEraseBackground},
        {WM_COMMAND, kCancelId, BN_CLICKED, &ProgressWindow::OnCancelButton},
    };

    std::int32_t m_cancelled = 0;
    std::int32_t m_savePosition = 1;
    std::int32_t m_lastPos = 0;
    std::int32_t m_lastPercent = 0;
    std::int32_t m_step = 1;
    std::int32_t m_upper = 100;
    std::int32_t m_lower = 0;
    std::int32_t m_textLines = 1;
    // The system destroys them with the window, so they are only borrowed.
    WindowHandle m_text;
    WindowHandle m_bar;
    WindowHandle m_cancelButton;
    std::string m_title;
    std::string m_cancelLabel = " Cancel ";
    UniqueHandle<GdiObjectTraits<HFONT>> m_font;
};

}  // namespace kestrane

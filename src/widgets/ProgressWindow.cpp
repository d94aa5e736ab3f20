#include "widgets/ProgressWindow.h"

#include "framework/Application.h"
#include "framework/DeviceContext.h"
#include "widgets/core/ProgressRules.h"

#include <commctrl.h>

namespace kestrane {
namespace {

constexpr UINT kTextId = 11;
constexpr UINT kBarId = 12;
constexpr int kWidth = 390;
constexpr int kHeight = 130;
constexpr std::size_t kMaxText = 511;
constexpr const char* kSection = "Settings";

// The system's message font; the stock GUI font when the metrics cannot be read.
HFONT CreateMessageFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return ::CreateFontIndirectA(&metrics.lfMessageFont);
    LOGFONTA fallback{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
    return ::CreateFontIndirectA(&fallback);
}

// A control of the system's `className`, first placed at (0, 0)-(10, 10).
HWND CreateControl(const char* className, const std::string& text, DWORD style, HWND parent, UINT id)
{
    return ::CreateWindowExA(0, className, text.c_str(), style, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), Application::ModuleHandle(), nullptr);
}

}  // namespace

ProgressWindow::ProgressWindow(HWND owner, std::string title, bool smooth) : m_title(std::move(title))
{
    Create(owner, m_title, smooth);
}

ProgressWindow::~ProgressWindow()
{
    // A destructor cannot reach a derived class's override; the qualified call says which one runs.
    ProgressWindow::DestroyWindow();
}

bool ProgressWindow::Create(HWND owner, const std::string& title, bool smooth)
{
    const std::string className =
        RegisterWindowClass(CS_OWNDC | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_APPSTARTING),
                            ::GetSysColorBrush(COLOR_BTNFACE), nullptr);
    m_font = decltype(m_font)(CreateMessageFont());

    if (!owner)
        owner = Application::MainWindowHandle();

    if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, className, title, WS_POPUP | WS_CAPTION, {0, 0, kWidth, kHeight},
                  owner, 0))
        return false;

    const DWORD barStyle = WS_CHILD | WS_VISIBLE | (smooth ? PBS_SMOOTH : 0);
    m_text.Attach(
        CreateControl("STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, m_hwnd, kTextId));
    if (!m_text.GetSafeHwnd())
        return false;
    m_bar.Attach(CreateControl(PROGRESS_CLASSA, "", barStyle, m_hwnd, kBarId));
    if (!m_bar.GetSafeHwnd())
        return false;
    m_cancelButton.Attach(CreateControl("BUTTON", m_cancelLabel, WS_CHILD, m_hwnd, kCancelId));
    if (!m_cancelButton.GetSafeHwnd())
        return false;

    const auto font = reinterpret_cast<WPARAM>(m_font.Get());
    m_cancelButton.SendMessage(WM_SETFONT, font, TRUE);
    m_text.SendMessage(WM_SETFONT, font, TRUE);

    LayOutControls(m_textLines, kWidth);
    if (m_savePosition)
        RestorePosition();
    else
        CenterWindow();
    Show();
    return true;
}

void ProgressWindow::LayOutControls(int lineCount, int width)
{
    const int dpi = GetDpi();
    ProgressLayoutInput input{.dpi = dpi,
                              .width = width,
                              .edgeWidth = ::GetSystemMetrics(SM_CXEDGE),
                              .edgeHeight = ::GetSystemMetrics(SM_CYEDGE)};
    {
        // Without a drawing context nothing can be measured; the layout then leaves the text
        // and the button their bare margins.
        const WindowDc dc(m_hwnd);
        const SelectedObject font(dc.Get(), m_font.Get());
        if (dc) {
            std::string sample = "M";
            for (int line = 1; line < lineCount; ++line)
                sample += "\nM";
            RECT measured{ScaleForDpi(10, dpi), ScaleForDpi(10, dpi), ScaleForDpi(width - 20, dpi),
                          ScaleForDpi(120, dpi)};
            ::DrawTextA(dc.Get(), sample.c_str(), -1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
            input.textHeight = measured.bottom - measured.top;

            const std::string label = m_cancelLabel + "  ";
            SIZE extent{};
            ::GetTextExtentPoint32A(dc.Get(), label.c_str(), static_cast<int>(label.size()), &extent);
            input.cancelWidth = extent.cx;
            input.cancelHeight = extent.cy;
        }
    }
    const ProgressLayout layout = LayOutProgress(input);

    const RECT window = GetWindowRect();
    const RECT client = GetClientRect();
    const int outerWidth = (window.right - window.left) - (client.right - client.left) + layout.clientWidth;
    const int outerHeight = (window.bottom - window.top) - (client.bottom - client.top) + layout.clientHeight;
    MoveWindow({window.left, window.top, window.left + outerWidth, window.top + outerHeight}, true);

    m_bar.MoveWindow(ToRect(layout.bar), true);
    m_cancelButton.MoveWindow(ToRect(layout.button), true);
    m_text.MoveWindow(ToRect(layout.text), true);
}

void ProgressWindow::SetRange(std::int32_t lower, std::int32_t upper, std::int32_t step)
{
    if (!IsWindow())
        return;
    m_bar.SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
    m_upper = upper;
    m_lower = lower;
    m_step = step;
    m_bar.SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

std::int32_t ProgressWindow::SetPos(std::int32_t position)
{
    if (!IsWindow())
        return m_lastPos;
    Show();
    m_lastPos = position;
    const std::int32_t percent = ProgressPercent(position, m_lower, m_upper);
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        SetWindowText(ProgressCaption(m_title, percent));
    }
    return static_cast<std::int32_t>(m_bar.SendMessage(PBM_SETPOS, static_cast<WPARAM>(position), 0));
}

void ProgressWindow::SetText(std::string_view text)
{
    if (IsWindow())
        m_text.SetWindowText(std::string(text.substr(0, kMaxText)));
}

void ProgressWindow::Show()
{
    if (!IsWindow() || IsWindowVisible())
        return;
    ModifyStyle(0, WS_VISIBLE);
    ShowWindow(SW_SHOWNA);
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

void ProgressWindow::Hide()
{
    if (!IsWindow() || !IsWindowVisible())
        return;
    ShowWindow(SW_HIDE);
    ModifyStyle(WS_VISIBLE, 0);
}

void ProgressWindow::PumpMessages(bool cancelOnEscape)
{
    Application* application = Application::Get();
    while (!m_cancelled && application) {
        MSG next;
        if (!::PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE))
            return;
        if (cancelOnEscape && next.message == WM_CHAR && next.wParam == VK_ESCAPE)
            OnCancelButton();
        if (!application->PumpMessage()) {
            // The quit was meant for the program's own loop, which still has to see it.
            ::PostQuitMessage(0);
            return;
        }
    }
}

void ProgressWindow::OnCancelButton()
{
    m_cancelled = 1;
    Hide();
    if (const HWND main = Application::MainWindowHandle())
        ::SetForegroundWindow(main);
}

// NOLINTNEXTLINE(readability-convert-member-functions-to-static): the message map holds member handlers
LRESULT ProgressWindow::OnEraseBackground(HDC dc)
{
    const UniqueHandle<GdiObjectTraits<HBRUSH>> brush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
    const SelectedObject selected(dc, brush.Get());
    RECT clip{};
    ::GetClipBox(dc, &clip);
    ::PatBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, PATCOPY);
    return TRUE;
}

void ProgressWindow::RestorePosition()
{
    const Application* application = Application::Get();
    const int x = application ? application->GetProfileInt(kSection, "X", -1) : -1;
    const int y = application ? application->GetProfileInt(kSection, "Y", -1) : -1;
    if (IsOnScreen(x, y, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)))
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    else
        CenterWindow();
}

void ProgressWindow::SavePosition()
{
    Application* application = Application::Get();
    if (!IsWindow() || !application)
        return;
    const RECT rect = GetWindowRect();
    application->WriteProfileInt(kSection, "X", rect.left);
    application->WriteProfileInt(kSection, "Y", rect.top);
}

bool ProgressWindow::DestroyWindow()
{
    if (m_savePosition)
        SavePosition();
    return Window::DestroyWindow();
}

std::optional<LRESULT> ProgressWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto result = WalkMessageMap(*this, kMessageMap, message, wParam))
        return result;
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace kestrane

#include "framework/Dialog.h"

#include "framework/Application.h"

#include <exception>
#include <utility>

namespace kestrane {
namespace {

// These messages give a dialog procedure's answer as its return value; every other answer goes
// through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

}  // namespace

Dialog::Dialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

INT_PTR Dialog::DoModal()
{
    const INT_PTR result = ::DialogBoxParamA(Application::ModuleHandle(), MAKEINTRESOURCEA(m_templateId), m_parent,
                                             &DialogProcedure, reinterpret_cast<LPARAM>(this));
    Application::RethrowCallbackError();
    return result;
}

void Dialog::UpdateData(Exchange way)
{
    struct Lockout {
        bool& locked;
        bool before = std::exchange(locked, true);
        ~Lockout() { locked = before; }
    } lockout{m_notificationsLocked};
    DoDataExchange(way);
}

bool Dialog::OnInitDialog()
{
    UpdateData(Exchange::ToControls);
    return true;
}

void Dialog::DoDataExchange(Exchange) {}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::AttachControl(int id, WindowHandle& control) const
{
    control.Attach(::GetDlgItem(m_hwnd, id));
}

void Dialog::ExchangeText(Exchange way, int id, std::string& field) const
{
    WindowHandle control(::GetDlgItem(m_hwnd, id));
    if (way == Exchange::FromControls) {
        field = control.GetWindowText();
        return;
    }
    // Writing an edit's own text again would put its caret back to the start under the user's
    // fingers, so only a different text is written.
    if (control.GetWindowText() != field)
        control.SetWindowText(field);
}

std::optional<LRESULT> Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    static constexpr MessageMapEntry<Dialog> kMessageMap[] = {
        {WM_COMMAND, IDOK, BN_CLICKED, &Dialog::OnOK},
        {WM_COMMAND, IDCANCEL, BN_CLICKED, &Dialog::OnCancel},
    };
    if (auto result = WalkMessageMap(*this, kMessageMap, message, wParam))
        return result;
    return Window::HandleMessage(message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        reinterpret_cast<Dialog*>(lParam)->m_hwnd = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
    }
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!dialog)
        return FALSE;

    INT_PTR answer = FALSE;
    try {
        answer = dialog->Dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the dialog manager: DoModal rethrows it once the dialog is gone.
        Application::KeepCallbackError(std::current_exception());
        ::EndDialog(window, -1);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        dialog->m_hwnd = nullptr;
    }
    return answer;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitDialog();
    // A notification from a control (lParam names it) while UpdateData writes the controls.
    if (message == WM_COMMAND && lParam != 0 && m_notificationsLocked)
        return TRUE;

    const std::optional<LRESULT> result = HandleMessage(message, wParam, lParam);
    if (!result)
        return FALSE;
    if (AnswersDirectly(message))
        return *result;
    ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, *result);
    return TRUE;
}

INT_PTR Dialog::InitDialog()
{
    const RECT before = GetWindowRect();
    const bool focusFirstControl = OnInitDialog();
    const RECT after = GetWindowRect();
    if (!(GetStyle() & WS_CHILD) && before.left == after.left && before.top == after.top)
        CenterWindow();
    return focusFirstControl;
}

}  // namespace kestrane

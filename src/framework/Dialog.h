// Dialog: a dialog box from a resource template, run modally, with data exchange.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Window.h"

#include <string>

namespace kestrane {

// The way data exchange moves the values: from the fields into the controls, or back.
enum class Exchange { ToControls, FromControls };

class Dialog : public Window {
public:
    // `parent` may be null: the dialog then has no owner.
    Dialog(int templateId, HWND parent);

    // Runs the dialog until EndDialog; its result, or -1 when the dialog could not be made.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result) { ::EndDialog(m_hwnd, result); }

    // Moves the data between the fields and the controls, the `way` given. The dialog's control
    // notifications are not dispatched meanwhile, so writing a control never looks like the
    // user's own edit.
    void UpdateData(Exchange way);

protected:
    // The controls are attached and the fields written to them; true lets the dialog manager
    // focus the first control. Afterwards a dialog whose top-left corner is where the template
    // put it is centred.
    virtual bool OnInitDialog();
    // Lists each control once, with the helpers below.
    virtual void DoDataExchange(Exchange way);
    // The default button and Enter (IDOK), Escape and the close box (IDCANCEL) end the dialog.
    virtual void OnOK();
    virtual void OnCancel();

    void AttachControl(int id, WindowHandle& control) const;
    void ExchangeText(Exchange way, int id, std::string& field) const;

    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR InitDialog();

    int m_templateId;
    HWND m_parent;
    bool m_notificationsLocked = false;
};

}  // namespace kestrane

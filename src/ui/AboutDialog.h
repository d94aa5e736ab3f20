// AboutDialog: the About box that the main dialog's system menu opens.
#pragma once

#include "framework/Dialog.h"
#include "ui/resource.h"

namespace kestrane {

// Shows the icon, the version and a copyright line; exchanges nothing and handles nothing of its
// own: OK, Escape and the close box end it.
class AboutDialog : public Dialog {
public:
    static constexpr int kTemplateId = IDD_ABOUTBOX;

    explicit AboutDialog(HWND parent) : Dialog(kTemplateId, parent) {}
};

}  // namespace kestrane

#include "framework/MessageBox.h"

#include "framework/Application.h"
#include "framework/Window.h"

namespace kestrane {

int MessageBox(const std::string& text, UINT style)
{
    HWND owner = nullptr;
    if (const Application* application = Application::Get()) {
        if (const Window* main = application->GetMainWindow(); main && main->IsWindow())
            owner = main->GetSafeHwnd();
    }
    return ::MessageBoxA(owner, text.c_str(), "Kestrane", style);
}

}  // namespace kestrane

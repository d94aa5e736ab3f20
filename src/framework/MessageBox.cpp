#include "framework/MessageBox.h"

#include "framework/Application.h"

namespace kestrane {

int MessageBox(const std::string& text, UINT style)
{
    return ::MessageBoxA(Application::MainWindowHandle(), text.c_str(), "Kestrane", style);
}

}  // namespace kestrane

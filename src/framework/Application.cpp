#include "framework/Application.h"

#include "common/Text.h"
#include "framework/ShellPath.h"
#include "framework/WideText.h"
#include "framework/Window.h"

#include <shlobj.h>

#include <cstring>
#include <stdexcept>
#include <utility>

extern "C" IMAGE_DOS_HEADER __ImageBase;  // NOLINT(bugprone-reserved-identifier): the linker's name for our module

namespace kestrane {
namespace {

Application* g_application = nullptr;

constexpr const char* kProfileFolder = "Kestrane";
constexpr const char* kProfileFile = "Kestrane.ini";

std::string ProfileFolder()
{
    const std::wstring appData = SpecialFolderPath(CSIDL_APPDATA);
    const std::optional<std::string> path = ExactAnsiFromWide(appData);
    if (appData.empty() || !path)
        return {};
    return JoinPath(*path, kProfileFolder);
}

// The dialog manager handles keys only for messages the loop hands it first.
bool IsDialogMessageOfItsDialog(MSG& message)
{
    const HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!root)
        return false;
    char className[16] = {};
    ::GetClassNameA(root, className, sizeof className);
    return std::strcmp(className, "#32770") == 0 && ::IsDialogMessageA(root, &message);
}

}  // namespace

Application::Application()
{
    if (g_application)
        throw std::logic_error("a second application object");
    g_application = this;
}

Application::~Application()
{
    g_application = nullptr;
}

Application* Application::Get()
{
    return g_application;
}

HINSTANCE Application::ModuleHandle()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HWND Application::MainWindowHandle()
{
    const Application* application = Get();
    const Window* main = application ? application->GetMainWindow() : nullptr;
    return main && main->IsWindow() ? main->GetSafeHwnd() : nullptr;
}

int Application::Run()
{
    if (InitInstance()) {
        while (PumpMessage()) {
        }
    }
    return ExitInstance();
}

bool Application::InitInstance()
{
    return true;
}

int Application::ExitInstance()
{
    return m_exitCode;
}

bool Application::PumpMessage()
{
    MSG message{};
    if (::GetMessageA(&message, nullptr, 0, 0) <= 0) {
        m_exitCode = static_cast<int>(message.wParam);
        return false;
    }
    if (!IsDialogMessageOfItsDialog(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    RethrowCallbackError();
    return true;
}

std::string Application::ProfilePath()
{
    const std::string folder = ProfileFolder();
    return folder.empty() ? folder : JoinPath(folder, kProfileFile);
}

int Application::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    const std::string path = ProfilePath();
    if (path.empty())
        return defaultValue;
    return static_cast<int>(::GetPrivateProfileIntA(section.c_str(), entry.c_str(), defaultValue, path.c_str()));
}

// NOLINTNEXTLINE(readability-convert-member-functions-to-static): the profile is the application's
bool Application::WriteProfileInt(const std::string& section, const std::string& entry, int value)
{
    const std::string folder = ProfileFolder();
    if (folder.empty())
        return false;
    // The first write makes the folder; later ones find it there.
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return ::WritePrivateProfileStringA(section.c_str(), entry.c_str(), std::to_string(value).c_str(),
                                        JoinPath(folder, kProfileFile).c_str()) != FALSE;
}

void Application::KeepCallbackError(std::exception_ptr error)
{
    // Without an application object there is nobody to hand the error back to.
    if (!g_application)
        std::terminate();
    if (!g_application->m_callbackError)
        g_application->m_callbackError = std::move(error);
}

void Application::RethrowCallbackError()
{
    if (g_application && g_application->m_callbackError)
        std::rethrow_exception(std::exchange(g_application->m_callbackError, nullptr));
}

}  // namespace kestrane

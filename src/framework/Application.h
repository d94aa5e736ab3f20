// Application: the program's one application object, its main window, message pump and profile.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace kestrane {

class Window;

class Application {
public:
    // There is one application object at a time; the constructor registers it for Get().
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application object, or null when none exists.
    static Application* Get();
    // The module that holds the program's resources and window classes.
    static HINSTANCE ModuleHandle();
    // The main window's handle while that window exists; null without an application object,
    // a main window, or once it is gone. Message boxes and the progress window are owned by it.
    static HWND MainWindowHandle();

    // InitInstance; when it returns true, the message loop until WM_QUIT. Then ExitInstance,
    // whose result is the process's exit code.
    int Run();
    virtual bool InitInstance();
    virtual int ExitInstance();

    // The current thread's main window; null when none is registered.
    Window* GetMainWindow() const { return m_mainWindow; }
    void SetMainWindow(Window* window) { m_mainWindow = window; }

    // Retrieves and dispatches exactly one message, letting the dialog it belongs to translate
    // its keys (Tab, Enter, Escape) first; waits for one when none is pending. False when the
    // message retrieved was WM_QUIT.
    bool PumpMessage();

    // Integer entries of the per-user profile %APPDATA%\Kestrane\Kestrane.ini.
    int GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
    static std::string ProfilePath();

    // A window procedure or callback keeps what it caught here instead of letting it unwind
    // through the system's frames; the framework call that ran the system rethrows it.
    static void KeepCallbackError(std::exception_ptr error);
    static void RethrowCallbackError();

private:
    Window* m_mainWindow = nullptr;
    std::exception_ptr m_callbackError;
    int m_exitCode = 0;
};

}  // namespace kestrane

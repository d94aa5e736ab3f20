// The program's entry point.
#include "app/InstallerApp.h"
#include "framework/MessageBox.h"
#include "framework/SystemFunction.h"
#include "framework/WideText.h"

#include <windows.h>

#include <exception>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a library by name: the package directory is whatever folder the
    // user started us from, so only System32 is searched. Windows 7 without its later updates
    // lacks SetDefaultDllDirectories, and importing it by name would stop the loader; there,
    // an empty DLL directory at least takes the current directory out of the search.
    const kestrane::SystemFunction<BOOL WINAPI(DWORD)> setDefaultDllDirectoriesFunction(
        "kernel32.dll!SetDefaultDllDirectories");
    const auto setDefaultDllDirectories = setDefaultDllDirectoriesFunction.Get();
    if (setDefaultDllDirectories == nullptr || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        ::SetDllDirectoryA("");
    }

    // Every path rule reads characters of the code page the "A" functions use, and it is fixed
    // for the process: the rules take it from here.
    kestrane::SetAnsiLeadByteRule(kestrane::SystemLeadByteRule());

    // What escapes the message loop ends the program here, shown to the player and as a failure,
    // with the application object and its component services gone first; not in std::terminate.
    try {
        kestrane::InstallerApp application;
        return application.Run();
    } catch (const std::exception& error) {
        kestrane::MessageBox(std::string("Error: ") + error.what(), MB_ICONERROR);
    } catch (...) {
        kestrane::MessageBox("Error: an unexpected error stopped Kestrane.", MB_ICONERROR);
    }
    return 1;
}

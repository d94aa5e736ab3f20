// The program's entry point.
#include "app/InstallerApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a library by name: the package directory is whatever folder the
    // user started us from, so only System32 is searched.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    kestrane::InstallerApp application;
    return application.Run();
}

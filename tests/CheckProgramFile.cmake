cmake_minimum_required(VERSION 3.25)
# Checks Kestrane.exe as a file: a GUI program that imports only Windows' own libraries (the C++
# runtime is linked in), loads the shell only when it is first called, imports nothing Windows 7
# SP1 lacks, and carries its manifest. DELAYED is the definition file of the delay-loaded
# functions, which objdump does not list. Run as:
# cmake -DOBJDUMP=... -DPROGRAM=... -DDELAYED=... -P CheckProgramFile.cmake
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()

set(windows_libraries
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
    shell32.dll shlwapi.dll user32.dll version.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(foreign)
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" library "${import}")
    string(TOLOWER "${library}" library)
    list(APPEND libraries ${library})
    if(NOT library IN_LIST windows_libraries)
        list(APPEND foreign ${library})
    endif()
endforeach()
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
if(foreign)
    message(FATAL_ERROR "imports beyond Windows' own libraries: ${foreign} (all: ${imports})")
endif()

if("shell32.dll" IN_LIST libraries)
    message(FATAL_ERROR "shell32.dll is loaded with the program, not at its first call")
endif()

if(NOT dump MATCHES "Subsystem[ \t]+00000002")
    message(FATAL_ERROR "not a GUI program")
endif()
# objdump prints each minor version on the line after its major one.
foreach(kind OSystem Subsystem)
    if(NOT dump MATCHES "Major${kind}Version[ \t]+6\nMinor${kind}Version[ \t]+1\n")
        message(FATAL_ERROR "the ${kind} version is not 6.1 (Windows 7)")
    endif()
endforeach()
# Functions that Windows 7 SP1 without later updates lacks; importing any stops the loader.
set(missing_on_windows_7
    # arrived with KB2533623, looked up at run time instead
    SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
    # Windows 8 and later
    GetSystemTimePreciseAsFileTime CreateFile2 GetDpiForWindow GetDpiForSystem
    SetThreadDescription)
file(READ ${DELAYED} delayed)
foreach(function IN LISTS missing_on_windows_7)
    if(dump MATCHES "[ \t]${function}\n" OR delayed MATCHES "\n${function}(@[0-9]+)?\n")
        message(FATAL_ERROR "imports ${function}, which Windows 7 SP1 lacks")
    endif()
endforeach()

file(STRINGS ${PROGRAM} manifest REGEX "requestedExecutionLevel|Common-Controls|dpiAware")
foreach(expected "level=\"highestAvailable\"" "Microsoft.Windows.Common-Controls" "<dpiAware")
    string(FIND "${manifest}" "${expected}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the manifest lacks ${expected}: ${manifest}")
    endif()
endforeach()
message(STATUS "imports: ${imports}")

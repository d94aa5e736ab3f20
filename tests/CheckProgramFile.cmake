cmake_minimum_required(VERSION 3.25)
# Checks a Windows program as a file, so that it is proven even where this machine cannot run it:
# it imports only Windows' own libraries (the C++ runtime is linked in) and nothing Windows 7 SP1
# lacks, has no delay-load table, and every function it imports or binds at run time is an export
# of that library as SYSTEM_DLLS, the system folder of the program's processor, holds it. With
# INSTALLER, also what Kestrane.exe promises: a GUI program that loads the shell only when it is
# first needed, and carries its manifest. Run as:
# cmake -DOBJDUMP=... -DPROGRAM=... -DSYSTEM_DLLS=... [-DINSTALLER=ON] -P CheckProgramFile.cmake
function(dump_of file result)
    execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${OBJDUMP} -p ${file} failed")
    endif()
    set(${result} "${dump}" PARENT_SCOPE)
endfunction()

# The names a system library exports, from the table objdump prints after its export directory.
function(exports_of library result)
    set(file ${SYSTEM_DLLS}/${library})
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "${library} is not a library of ${SYSTEM_DLLS}")
    endif()
    dump_of(${file} dump)
    string(FIND "${dump}" "[Ordinal/Name Pointer] Table" table)
    string(SUBSTRING "${dump}" ${table} -1 dump)
    string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" rows "${dump}")
    list(TRANSFORM rows REPLACE "^\n\t\\[ *[0-9]+\\] " "")
    set(${result} ${rows} PARENT_SCOPE)
endfunction()

dump_of(${PROGRAM} dump)

# Every import, as "library!function": objdump lists each library's functions below its name,
# each after its hint, until an empty line.
set(windows_libraries
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
    shell32.dll shlwapi.dll user32.dll version.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+\n[^\n]*Member-Name[^\n]*\n([^\n]+\n)*" blocks "${dump}")
if(NOT blocks)
    message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
set(libraries)
set(bindings)
foreach(block IN LISTS blocks)
    string(REGEX MATCH "DLL Name: ([^\n]+)" _ "${block}")
    string(TOLOWER "${CMAKE_MATCH_1}" library)
    if(NOT library IN_LIST windows_libraries)
        message(FATAL_ERROR "imports ${library}, which is not one of Windows' own libraries")
    endif()
    list(APPEND libraries ${library})
    string(REGEX MATCHALL "[^\n]+" rows "${block}")
    list(SUBLIST rows 2 -1 rows)
    foreach(row IN LISTS rows)
        if(NOT row MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_@]*)$")
            message(FATAL_ERROR "imports from ${library} other than by name: '${row}'")
        endif()
        list(APPEND bindings "${library}!${CMAKE_MATCH_1}")
    endforeach()
endforeach()

# Every slot of the import address table is one that the loader fills: one per import and one
# ending each library's list. A slot beyond them is called through without ever being filled,
# as the 32-bit build's delay-loaded shell functions were: the linker had dropped the code that
# should bind them, and each call jumped to address 0.
if(NOT dump MATCHES "Magic[ \t]+0(10b|20b)")
    message(FATAL_ERROR "not a PE program")
endif()
if(CMAKE_MATCH_1 STREQUAL "10b")
    set(slot_size 4)
else()
    set(slot_size 8)
endif()
string(REGEX MATCH "Entry c [0-9a-f]+ ([0-9a-f]+) Import Address Table Directory" _ "${dump}")
math(EXPR slots "0x${CMAKE_MATCH_1} / ${slot_size}")
list(LENGTH bindings imported)
list(LENGTH libraries library_count)
math(EXPR filled "${imported} + ${library_count}")
if(NOT slots EQUAL filled)
    message(FATAL_ERROR "the import address table has ${slots} slots, but the loader fills ${filled}")
endif()
# Nor does a delay-load table's binding on first call leave anything in the file to prove.
if(NOT dump MATCHES "Entry d 0+ 0+ Delay Import Directory")
    message(FATAL_ERROR "binds functions on first call through a delay-load table")
endif()

# What SystemFunction binds at run time, each one string "library.dll!Function" in the file.
file(STRINGS ${PROGRAM} strings REGEX "^[A-Za-z0-9]+\\.dll![A-Za-z_][A-Za-z0-9_]*$")
set(bound)
foreach(binding IN LISTS strings)
    string(REGEX MATCH "^([^!]+)!(.+)$" _ "${binding}")
    string(TOLOWER "${CMAKE_MATCH_1}" library)
    list(APPEND bound "${library}!${CMAKE_MATCH_2}")
endforeach()
list(APPEND bindings ${bound})

# Functions that Windows 7 SP1 without later updates lacks; importing any stops the loader.
set(missing_on_windows_7
    # arrived with KB2533623, bound at run time instead
    SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
    # Windows 8 and later
    GetSystemTimePreciseAsFileTime CreateFile2 GetDpiForWindow GetDpiForSystem
    SetThreadDescription)
set(unresolved)
set(checked_libraries)
foreach(binding IN LISTS bindings)
    string(REPLACE "!" ";" parts "${binding}")
    list(GET parts 0 library)
    list(GET parts 1 function)
    if(function IN_LIST missing_on_windows_7 AND NOT binding IN_LIST bound)
        message(FATAL_ERROR "imports ${function}, which Windows 7 SP1 lacks")
    endif()
    string(MAKE_C_IDENTIFIER "${library}" key)
    if(NOT library IN_LIST checked_libraries)
        exports_of(${library} exports_${key})
        list(APPEND checked_libraries ${library})
    endif()
    if(NOT function IN_LIST exports_${key})
        list(APPEND unresolved ${binding})
    endif()
endforeach()
if(unresolved)
    message(FATAL_ERROR "not exported by the libraries of ${SYSTEM_DLLS}: ${unresolved}")
endif()

foreach(kind OSystem Subsystem)
    # objdump prints each minor version on the line after its major one.
    if(NOT dump MATCHES "Major${kind}Version[ \t]+6\nMinor${kind}Version[ \t]+1\n")
        message(FATAL_ERROR "the ${kind} version is not 6.1 (Windows 7)")
    endif()
endforeach()

if(INSTALLER)
    if(NOT dump MATCHES "Subsystem[ \t]+00000002")
        message(FATAL_ERROR "not a GUI program")
    endif()
    if("shell32.dll" IN_LIST libraries)
        message(FATAL_ERROR "shell32.dll is loaded with the program, not when it is first needed")
    endif()
    file(STRINGS ${PROGRAM} manifest REGEX "requestedExecutionLevel|Common-Controls|dpiAware")
    foreach(expected "level=\"highestAvailable\"" "Microsoft.Windows.Common-Controls" "<dpiAware")
        string(FIND "${manifest}" "${expected}" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "the manifest lacks ${expected}: ${manifest}")
        endif()
    endforeach()
endif()
list(LENGTH bindings count)
message(STATUS "${count} functions resolved, from ${checked_libraries}; bound at run time: ${bound}")

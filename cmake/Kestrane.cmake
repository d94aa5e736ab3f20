# Project-wide settings: warnings, sanitizers, and the Wine test bed of the Windows tree.

# The same commit gives the same bytes from any source and build folder.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.;-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>")

add_library(kestrane_warnings INTERFACE)
# Only for the compilers: windres would take them for options of its own.
target_compile_options(kestrane_warnings INTERFACE "$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra;-Wpedantic;-Werror>")

if(WIN32)
    # One self-contained program: no MinGW runtime DLLs beside Kestrane.exe or the test programs.
    add_link_options(-static)
    # Windows 7 is the oldest system the program is built and tested for.
    add_link_options(-Wl,--major-os-version,6,--minor-os-version,1,--major-subsystem-version,6,--minor-subsystem-version,1)
    # No link time in the PE header, so the same commit gives the same program.
    add_link_options(-Wl,--no-insert-timestamp)
    # The static runtime brings symbol tables and debug sections that nobody reads: without them
    # Kestrane.exe is a third of the size, for every package that ships it.
    add_link_options(-s)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
else()
    option(KESTRANE_SANITIZE "Build the native tree with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
    if(KESTRANE_SANITIZE)
        add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
    endif()
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
    # Every Windows test runs under Wine in a prefix of the build, never in ~/.wine. The 32-bit
    # and 64-bit trees can share one: a 64-bit prefix runs 32-bit programs as well.
    set(KESTRANE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine/prefix CACHE PATH "The Wine prefix the Windows tests run in")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run ${KESTRANE_WINE_PREFIX})
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${KESTRANE_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Tells this tree's tests from another tree's with the same names in one ctest run.
set(KESTRANE_TEST_NAME_PREFIX "" CACHE STRING "Put before the name of every test of this tree")
# Off where this machine cannot run the tree's programs (a 32-bit tree on a kernel without IA-32
# emulation): the tests are still built, so they still compile for that processor, but none is
# listed that would start one of them.
option(KESTRANE_RUN_PROGRAMS "List the tests that run this tree's programs" ON)

# A GoogleTest program whose cases ctest lists one by one. Windows cases need the Wine prefix.
# FILTER, a GoogleTest filter, leaves cases out of the listing (for another one to list).
function(kestrane_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "FILTER" "SOURCES;LIBRARIES;PROPERTIES")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main kestrane_warnings)
    if(NOT KESTRANE_RUN_PROGRAMS)
        return()
    endif()
    set(properties ${ARG_PROPERTIES})
    if(CMAKE_CROSSCOMPILING)
        list(APPEND properties FIXTURES_REQUIRED wine_prefix)
    endif()
    set(filter)
    if(ARG_FILTER)
        set(filter TEST_FILTER ${ARG_FILTER})
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180 TEST_PREFIX "${KESTRANE_TEST_NAME_PREFIX}${name}."
                         ${filter} PROPERTIES ${properties})
endfunction()

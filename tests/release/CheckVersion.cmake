# The version written once in the CMake project must be the one every shipped file states:
# kestrane-check --version, and in Kestrane.exe the About box text, the version resource and the
# manifest.
if(CHECKER)
    string(REPLACE "|" ";" emulator "${EMULATOR}")
    execute_process(COMMAND ${emulator} ${CHECKER} --version OUTPUT_VARIABLE output RESULT_VARIABLE status)
    string(STRIP "${output}" output)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "kestrane-check ${VERSION}")
        message(FATAL_ERROR "kestrane-check --version: status ${status}, printed \"${output}\", expected \"kestrane-check ${VERSION}\"")
    endif()
endif()

if(PROGRAM)
    # Dialog texts and version strings are UTF-16 in a PE file, the manifest is UTF-8.
    file(STRINGS ${PROGRAM} about ENCODING UTF-16LE REGEX "^Kestrane Version ")
    file(STRINGS ${PROGRAM} numbers ENCODING UTF-16LE REGEX "^[0-9]+\\.[0-9]+$")
    file(STRINGS ${PROGRAM} manifest REGEX "assemblyIdentity type=\"win32\" name=\"Kestrane")
    string(REGEX MATCH "version=\"([0-9.]+)\"" found "${manifest}")
    set(expected "Kestrane Version ${VERSION}|${VERSION};${VERSION}|${VERSION}.0.0")
    set(actual "${about}|${numbers}|${CMAKE_MATCH_1}")
    # FileVersion and ProductVersion are the only bare version numbers among the texts.
    if(NOT actual STREQUAL expected)
        message(FATAL_ERROR "About text|version strings|manifest: \"${actual}\", expected \"${expected}\"")
    endif()
endif()

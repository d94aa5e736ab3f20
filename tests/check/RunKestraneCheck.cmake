# Runs kestrane-check on one package and checks its exit status and what it printed.
# cmake -DEMULATOR=<runner, parts joined by |> -DPROGRAM=... -DDIRECTORY=<where to run>
#       [-DPACKAGE=<argument>] [-DOPTIONS=<options joined by |>] -DSTATUS=<expected exit status>
#       [-DJSON=ON -DCODES=<codes joined by |>]
#       [-DEXPECTED_OUTPUT=<file>] -P RunKestraneCheck.cmake
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" arguments "${OPTIONS}")
if(JSON)
    list(APPEND arguments --json)
endif()
list(APPEND arguments ${PACKAGE})
execute_process(COMMAND ${emulator} ${PROGRAM} ${arguments} WORKING_DIRECTORY ${DIRECTORY}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
# A Windows console program ends its lines with CR LF.
string(REPLACE "\r\n" "\n" output "${output}")

if(NOT status STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\n${output}${errors}")
endif()

if(EXPECTED_OUTPUT)
    file(READ ${EXPECTED_OUTPUT} expected)
    if(NOT output STREQUAL expected)
        message(FATAL_ERROR "printed:\n${output}\nexpected (${EXPECTED_OUTPUT}):\n${expected}")
    endif()
endif()

if(JSON)
    string(JSON document_status ERROR_VARIABLE json_error GET "${output}" exitStatus)
    if(json_error)
        message(FATAL_ERROR "not the JSON document expected: ${json_error}\n${output}")
    endif()
    if(NOT document_status STREQUAL STATUS)
        message(FATAL_ERROR "the document says exitStatus ${document_status}, the program ended with ${STATUS}")
    endif()
    string(JSON count LENGTH "${output}" findings)
    set(codes "")
    if(count GREATER 0)
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            string(JSON code GET "${output}" findings ${i} code)
            string(JSON message GET "${output}" findings ${i} message)
            if(message STREQUAL "")
                message(FATAL_ERROR "finding ${i} (${code}) has no message")
            endif()
            list(APPEND codes ${code})
        endforeach()
    endif()
    string(REPLACE "|" ";" expected_codes "${CODES}")
    if(NOT "${codes}" STREQUAL "${expected_codes}")
        message(FATAL_ERROR "findings ${codes}, expected ${expected_codes}\n${output}")
    endif()
endif()

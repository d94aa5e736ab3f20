# Fails naming every C++ file under FOLDERS (of SOURCE) that CLANG_FORMAT would change, so that
# the layout is settled by .clang-format and not in review.
string(REPLACE "|" ";" FOLDERS "${FOLDERS}")
set(unformatted)
foreach(folder IN LISTS FOLDERS)
    file(GLOB_RECURSE sources LIST_DIRECTORIES false "${SOURCE}/${folder}/*.cpp" "${SOURCE}/${folder}/*.h")
    list(SORT sources)
    foreach(source IN LISTS sources)
        execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run --Werror --ferror-limit=1 ${source}
                        RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
        if(NOT status EQUAL 0)
            file(RELATIVE_PATH shown "${SOURCE}" "${source}")
            list(APPEND unformatted "${shown}")
        endif()
    endforeach()
endforeach()
if(unformatted)
    list(LENGTH unformatted count)
    list(JOIN unformatted "\n  " listed)
    message(FATAL_ERROR "Not formatted as .clang-format says (${count}):\n  ${listed}\n"
                        "Format them, from the repository's root, with:\n"
                        "  git ls-files -- '*.cpp' '*.h' | xargs clang-format -i")
endif()

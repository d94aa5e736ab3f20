# Builds Kestrane.exe again in another folder and compares the bytes: the same commit must give
# the same program wherever it is built, so anyone can check a release against SHA256SUMS.
file(REMOVE_RECURSE ${FOLDER})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${FOLDER} -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
                        -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${FOLDER} --target Kestrane OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${PROGRAM} ${FOLDER}/src/Kestrane.exe RESULT_VARIABLE differ)
if(differ)
    file(SHA256 ${PROGRAM} first)
    file(SHA256 ${FOLDER}/src/Kestrane.exe second)
    message(FATAL_ERROR "Kestrane.exe differs between build folders: ${first} and ${second}")
endif()
file(REMOVE_RECURSE ${FOLDER})

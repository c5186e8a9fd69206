# Installs the build into an empty prefix and counts a file with the installed lxt-count,
# run from a folder that holds no data files. Called by ctest with BUILD_DIR, PREFIX, SAMPLE.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()
foreach(file bin/lxt bin/lxt-count share/lxt/lxt.dat share/lxt/cwds_en.txt share/lxt/manual.html
        share/applications/lxt.desktop share/icons/hicolor/scalable/apps/lxt.svg
        share/man/man1/lxt.1)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
if(EXISTS ${PREFIX}/bin/lxt.dat)
    message(FATAL_ERROR "data files installed beside the programs")
endif()
execute_process(COMMAND ${PREFIX}/bin/lxt-count --common-words en --format 7 ${SAMPLE}
                WORKING_DIRECTORY ${PREFIX}/..
                RESULT_VARIABLE counted OUTPUT_VARIABLE listing ERROR_VARIABLE messages)
if(NOT counted EQUAL 0 OR NOT listing MATCHES "\n +wisdom +1\n")
    message(FATAL_ERROR "installed lxt-count: status ${counted}\n${messages}\n${listing}")
endif()
file(REMOVE_RECURSE ${PREFIX})

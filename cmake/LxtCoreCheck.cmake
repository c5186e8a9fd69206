# The engine must never include window code: a build step scans its sources and fails
# when one of them includes QtWidgets or QtGui.
function(lxt_forbid_gui_in_core target dirs)
    set(stamp ${CMAKE_BINARY_DIR}/core_includes.stamp)
    set(list_file ${CMAKE_BINARY_DIR}/core_sources.txt)
    set(files)
    foreach(dir ${dirs})
        file(GLOB f CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/src/${dir}/*.h)
        list(APPEND files ${f})
    endforeach()
    file(WRITE ${list_file} "${files}")
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLIST_FILE=${list_file} -DSTAMP=${stamp}
                -P ${CMAKE_SOURCE_DIR}/cmake/CheckCoreIncludes.cmake
        DEPENDS ${files} ${list_file} ${CMAKE_SOURCE_DIR}/cmake/CheckCoreIncludes.cmake
        COMMENT "Checking that lxt_core includes no window code" VERBATIM)
    add_custom_target(${target}_include_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_include_check)
endfunction()

# The folders of src/ form a one-way stack: a build step fails when a file includes a folder
# that is not below its own. `floors` lists the stack from the ground up; folders that share
# a floor are joined by "|" and do not include each other.
function(lxt_check_folder_order target floors)
    set(stamp ${CMAKE_BINARY_DIR}/folder_order.stamp)
    set(list_file ${CMAKE_BINARY_DIR}/folder_order_sources.txt)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
    file(WRITE ${list_file} "${files}")
    string(REPLACE ";" "," floor_text "${floors}")
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLIST_FILE=${list_file} "-DFLOORS=${floor_text}" -DSTAMP=${stamp}
                -P ${CMAKE_SOURCE_DIR}/cmake/CheckFolderOrder.cmake
        DEPENDS ${files} ${list_file} ${CMAKE_SOURCE_DIR}/cmake/CheckFolderOrder.cmake
        COMMENT "Checking that every folder of src/ includes only the folders below it" VERBATIM)
    add_custom_target(${target}_folder_order_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_folder_order_check)
endfunction()

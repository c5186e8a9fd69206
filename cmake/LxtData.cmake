# Copies data/ (catalogue, common-words files, manual, sample text) beside the executables.
file(GLOB LXT_DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
set(LXT_DATA_OUTPUTS)
foreach(src ${LXT_DATA_FILES})
    get_filename_component(name ${src} NAME)
    set(dst ${LXT_BIN_DIR}/${name})
    if(IS_DIRECTORY ${src})
        continue()
    endif()
    add_custom_command(OUTPUT ${dst}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${dst}
        DEPENDS ${src} VERBATIM)
    list(APPEND LXT_DATA_OUTPUTS ${dst})
endforeach()
add_custom_target(lxt_data ALL DEPENDS ${LXT_DATA_OUTPUTS})

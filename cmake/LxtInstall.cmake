# Installation and the Debian package: the two programs in bin/, their data in share/lxt/
# (where an installed program looks for it, ../share/lxt beside its bin/ folder), the desktop
# entry, the icon, the AppStream metadata and the manual pages.
include(GNUInstallDirs)

set(LXT_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(LXT_APP_ID io.github.lxt.LXT)

install(TARGETS lxt lxt-count RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${LXT_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/lxt)
install(FILES ${LXT_PACKAGING_DIR}/lxt.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LXT_PACKAGING_DIR}/lxt.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${LXT_PACKAGING_DIR}/${LXT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${LXT_PACKAGING_DIR}/lxt.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The manual page of lxt-count is made from its --help and --version texts.
find_program(LXT_HELP2MAN help2man)
if(LXT_HELP2MAN)
    set(LXT_COUNT_MAN ${CMAKE_BINARY_DIR}/man/lxt-count.1)
    add_custom_command(OUTPUT ${LXT_COUNT_MAN}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                ${LXT_HELP2MAN} --no-info --section=1
                "--name=count how often each different word occurs in a text"
                --output=${LXT_COUNT_MAN} $<TARGET_FILE:lxt-count>
        DEPENDS lxt-count lxt_data
        COMMENT "Making the manual page of lxt-count"
        VERBATIM)
    add_custom_target(lxt_man ALL DEPENDS ${LXT_COUNT_MAN})
    install(FILES ${LXT_COUNT_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man not found: lxt-count's manual page is not made")
endif()

# The Debian package (cpack -G DEB): its dependencies are the Debian packages of the shared
# libraries the programs link, found by dpkg-shlibdeps, and Qt's platform plug-ins.
set(CPACK_PACKAGE_NAME lxt)
set(CPACK_PACKAGE_VENDOR "LXT")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-frequency counter with a window and a command-line counter")
set(CPACK_PACKAGE_DESCRIPTION
    "LXT counts how often each different word occurs in a text (plain text, HTML, XML, PHP or a
Word docx document) and lists the words with their counts, alphabetically or by frequency.
lxt is the window; lxt-count counts from the command line and in pipes.")
set(CPACK_PACKAGE_CONTACT "LXT maintainers <lxt@localhost>" CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lxt.invalid/")
set(CPACK_GENERATOR DEB)
include(CPack)

# The desktop entry and the metadata are checked by the tools the desktops use.
if(LXT_TESTS)
    find_program(LXT_DESKTOP_FILE_VALIDATE desktop-file-validate)
    find_program(LXT_APPSTREAMCLI appstreamcli)
    if(LXT_DESKTOP_FILE_VALIDATE)
        add_test(NAME packaging.desktop_entry_valid
                 COMMAND ${LXT_DESKTOP_FILE_VALIDATE} ${LXT_PACKAGING_DIR}/lxt.desktop)
        set_tests_properties(packaging.desktop_entry_valid PROPERTIES FAIL_REGULAR_EXPRESSION ".")
    endif()
    if(LXT_APPSTREAMCLI)
        add_test(NAME packaging.metainfo_valid
                 COMMAND ${LXT_APPSTREAMCLI} validate --no-net
                         ${LXT_PACKAGING_DIR}/${LXT_APP_ID}.metainfo.xml)
    endif()
    # An installed copy finds its data in ../share/lxt and counts from another folder.
    add_test(NAME packaging.installed_counter_counts
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DPREFIX=${CMAKE_BINARY_DIR}/install-check
                     -DSAMPLE=${CMAKE_SOURCE_DIR}/data/sample.txt
                     -P ${CMAKE_SOURCE_DIR}/cmake/LxtInstallCheck.cmake)
endif()

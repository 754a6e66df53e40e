# Installation as a Linux desktop program (cmake --install) and the Debian package (cpack -G DEB in the build
# folder). Manual pages and icons are made at build time; tools/check-package.sh checks the result.
# A fuzzing build is never installed.
if(VARDO_BUILD_FUZZ)
    return()
endif()
include(GNUInstallDirs)

# The release; the date goes into the manual pages and the software centre entry.
set(VARDO_RELEASE_DATE "2026-12-09")
set(VARDO_HOMEPAGE "https://vardo.org" CACHE STRING
    "Home page; the screenshot of the software centre entry is screenshots/main-window.png below it")
set(VARDO_APP_ID "org.vardo.vardo" CACHE STRING "AppStream component id (reverse domain name)")
set(VARDO_PACKAGE_CONTACT "Vardo maintainers <maintainers@vardo.org>" CACHE STRING "Maintainer of the Debian package")

set(vardo_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vardo)

install(TARGETS vardo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/vardo-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vardo-cli)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/dump-format.md DESTINATION ${vardo_doc_dir})

# vardo_man_page(TARGET): the manual page TARGET(1) from docs/man/TARGET.1.in and the program's own --help.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
function(vardo_man_page target)
    set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
    set(template ${PROJECT_SOURCE_DIR}/docs/man/${target}.1.in)
    # The program only prints its help here: no display, and a sanitizer build need not look for leaks.
    add_custom_command(
        OUTPUT ${page} ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
                sh ${PROJECT_SOURCE_DIR}/cmake/help-to-man.sh $<TARGET_FILE:${target}> ${template} ${page}
                ${PROJECT_VERSION} ${VARDO_RELEASE_DATE}
        DEPENDS ${target} ${template} ${PROJECT_SOURCE_DIR}/cmake/help-to-man.sh
                ${PROJECT_SOURCE_DIR}/cmake/help-to-man.awk
        COMMENT "Writing the manual page ${target}(1)"
        VERBATIM)
    add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
vardo_man_page(vardo-cli)

# The desktop program: menu entry, icons, software centre entry.
if(TARGET vardo)
    install(TARGETS vardo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    vardo_man_page(vardo)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/vardo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

    set(icon ${PROJECT_SOURCE_DIR}/resources/icons/vardo.svg)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
    set(pngs "")
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/vardo.png)
        add_custom_command(
            OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
            COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${icon}
            DEPENDS ${icon}
            COMMENT "Rendering the ${size}x${size} icon"
            VERBATIM)
        list(APPEND pngs ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(vardo_icons ALL DEPENDS ${pngs})

    set(metainfo ${PROJECT_BINARY_DIR}/${VARDO_APP_ID}.metainfo.xml)
    configure_file(${PROJECT_SOURCE_DIR}/resources/vardo.metainfo.xml.in ${metainfo} @ONLY)
    install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

if(VARDO_BUILD_TESTS)
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    find_program(APPSTREAMCLI appstreamcli)
    if(TARGET vardo AND DESKTOP_FILE_VALIDATE)
        add_test(NAME Install.DesktopFileIsValid
                 COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/resources/vardo.desktop)
        # The validator reports hints without failing; a hint is a fault here too.
        set_tests_properties(Install.DesktopFileIsValid PROPERTIES FAIL_REGULAR_EXPRESSION "error|warning|hint")
    endif()
    if(TARGET vardo AND APPSTREAMCLI)
        add_test(NAME Install.MetainfoIsValid COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${metainfo})
    endif()
    add_test(NAME Install.ManPages
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/man-pages-test.sh $<TARGET_FILE:vardo-cli>
                     ${PROJECT_BINARY_DIR}/man)
    add_test(NAME Install.Completion
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/completion-test.sh $<TARGET_FILE:vardo-cli>
                     ${PROJECT_SOURCE_DIR}/resources/vardo-cli.bash)
endif()

# The Debian package. Library dependencies come from dpkg-shlibdeps; the rest is what the program needs at run
# time beyond linked libraries: the report fonts, the display plugins of Qt, the desktop's mail and URL helpers.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vardo)
set(CPACK_PACKAGE_VENDOR Vardo)
set(CPACK_PACKAGE_CONTACT "${VARDO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "register of a congregation's publishers and their field service reports")
# Debian wants the long description in lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Vardo is a desktop program for the secretary of a local congregation. It
keeps the register of publishers and their monthly field service reports,
prints the congregation analysis, the monthly report to the branch office,
record cards, attendance records and lists, exchanges reports with field
service group overseers and other programs, and keeps the data safe with
backups and monthly snapshots. The user interface is Polish.
.
The package also holds vardo-cli, which works on the same data from the
command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARDO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-crosextra-carlito, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)

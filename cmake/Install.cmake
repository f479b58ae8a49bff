# Installation and the Debian package.
#
# The three programs install themselves into bin/ from their own folders (src/shell, src/cli, src/fsort; fsort
# only once its target exists). This file adds what a desktop needs around them: the help document where the
# installed program looks for it (share/quillmark, next to bin/ under the same prefix), the menu entry, the icon in
# both sizes and the examples; then CPack packs the lot as a Debian package with its dependencies declared.
#
#   cmake --install build --prefix /tmp/qm-install
#   (cd build && cpack)        # build/quillmark_1.0.1_amd64.deb
include(GNUInstallDirs)

if(TARGET quillmark)
    install(FILES ${PROJECT_SOURCE_DIR}/doc/qmk.html DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmark)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/quillmark.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/quillmark-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quillmark.png)
    endforeach()
endif()
# Beside the help document, which names this folder, and not under share/doc, which minimal systems leave out.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillmark/examples
    PATTERN ".gitattributes" EXCLUDE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR "Quillmark")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillmark maintainers <maintainers@quillmark.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tools for e-mail address lists kept in plain text files")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmark is a desktop program for people who keep e-mail addresses in plain text files, one address per\n"
    "line. It removes the addresses of one list from another, merges, splits, sorts and de-duplicates lists,\n"
    "extracts the addresses that contain a keyword, and collects addresses from mail folders, web pages and\n"
    "other text. quillmark-cli runs the same tools from a shell or a script, and fsort sorts a list without\n"
    "duplicates.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Help, Contents and View Output File hand their file to the desktop's default application through xdg-open.
set(QUILLMARK_DEB_DEPENDS "")
if(TARGET quillmark)
    set(QUILLMARK_DEB_DEPENDS "xdg-utils")
endif()
# The libraries the programs link, with the versions this build needs, read from the binaries by dpkg-shlibdeps
# (package dpkg-dev, which build-essential brings). Without it the package would declare no library at all, so
# the list is then written out here, and a warning says so.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_program(QUILLMARK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT QUILLMARK_DPKG_SHLIBDEPS)
    message(WARNING "dpkg-shlibdeps (package dpkg-dev) not found: the Debian package declares a fixed list of "
        "libraries instead of the ones read from the programs.")
    if(QUILLMARK_DEB_DEPENDS)
        string(APPEND QUILLMARK_DEB_DEPENDS ", ")
    endif()
    string(APPEND QUILLMARK_DEB_DEPENDS "libc6, libstdc++6, libgcc-s1")
    if(DIVSUFSORT_LIBRARY)
        string(APPEND QUILLMARK_DEB_DEPENDS ", libdivsufsort3")
    endif()
    if(TARGET quillmark)
        string(APPEND QUILLMARK_DEB_DEPENDS ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4)")
    endif()
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${QUILLMARK_DEB_DEPENDS}")
include(CPack)

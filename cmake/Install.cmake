# Installation as a desktop application, by the freedesktop conventions: the program in bin/,
# its pictures and help book in share/ferrix-ftp (where res/ResourceFiles.cpp looks, relative to
# the program), the menu entry in share/applications and the icon in the hicolor theme.
# `cpack -G DEB` in the build folder makes a Debian package of the same files.
include(GNUInstallDirs)

install(TARGETS ferrix-ftp RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/images ${CMAKE_SOURCE_DIR}/res/help
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ferrix-ftp)
install(FILES ${CMAKE_SOURCE_DIR}/res/ferrix-ftp.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/res/images/icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ferrix-ftp.png)
endforeach()

set(CPACK_PACKAGE_NAME ferrix-ftp)
set(CPACK_PACKAGE_VENDOR "Ferrix Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-pane desktop FTP client")
set(CPACK_PACKAGE_DESCRIPTION "Ferrix FTP shows a directory tree beside a file list for the local machine and for FTP hosts, and copies between them by drag and drop.")
set(CPACK_PACKAGE_CONTACT "Ferrix Software <support@ferrix.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolbar and tree pictures come from the desktop's icon theme, and GTK draws parts of its
# controls (radio buttons, check marks) from SVG pictures: without the SVG loader, which apt
# leaves out with --no-install-recommends, dialogs stay black.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adwaita-icon-theme, librsvg2-common")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme")
set(CPACK_GENERATOR DEB)
include(CPack)

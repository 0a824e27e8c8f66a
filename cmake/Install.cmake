# Installing the program as a desktop application: the executable, its
# desktop entry, the .qu2 file type, icons made from the program's own
# picture, the manual page and the AppStream metadata, in their standard
# places; and the Debian package of all that (cpack -G DEB).
#
# Included from the top-level CMakeLists.txt after the quillet target.

include(GNUInstallDirs)

# --- icons at the usual sizes, from the program's 64 x 64 picture
add_executable(make_icons tools/make_icons.cpp)
target_link_libraries(make_icons PRIVATE qp_platform_host qp_platform_internals)
set(QP_ICON_SIZES 16 24 32 48 64 128 256)
set(QP_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(QP_PROGRAM_PICTURE ${CMAKE_SOURCE_DIR}/src/resources/bitmaps/112.bmp)
set(_icons "")
foreach(size ${QP_ICON_SIZES})
  list(APPEND _icons ${QP_ICON_DIR}/${size}/quillet-pro.png)
endforeach()
add_custom_command(OUTPUT ${_icons}
  COMMAND make_icons ${QP_PROGRAM_PICTURE} ${QP_ICON_DIR} ${QP_ICON_SIZES}
  DEPENDS make_icons ${QP_PROGRAM_PICTURE}
  COMMENT "Making the desktop icons")
add_custom_target(desktop_icons ALL DEPENDS ${_icons})

# --- what is installed
install(TARGETS quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/quillet-pro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/quillet-pro.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES data/com.brambleworks.QuilletPro.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/quillet.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size ${QP_ICON_SIZES})
  install(FILES ${QP_ICON_DIR}/${size}/quillet-pro.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# --- the Debian package
set(CPACK_PACKAGE_NAME quillet-pro)
set(CPACK_PACKAGE_VENDOR "Brambleworks")
# The package has no public address yet; ".invalid" says so rather than
# naming one that could belong to somebody else.
set(CPACK_PACKAGE_CONTACT "Quillet Pro developers <quillet-pro@brambleworks.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hierarchical checklist and outline manager")
set(CPACK_PACKAGE_DESCRIPTION "Quillet Pro keeps named lists of items with check marks, notes,\
 moving, cut/copy/paste of subtrees, undo, find, password protection, text\
 import and export, and backups, in a window that looks like a pocket device.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES ON)
# The libraries the program links come from dpkg-shlibdeps; the fonts it
# draws with are named here (Tahoma-like faces from fonts-wine when there).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, fonts-symbola")
include(CPack)

# Where a Linux desktop expects the program, its menu entry, icons and README,
# and a Debian package of the same (cpack -G DEB in the build folder).
include(GNUInstallDirs)

set(LUMOGRAPH_ICON_SIZES 16 32 48 64 128 256)  # the PNGs scripts/render-icons.sh draws

install(TARGETS lumograph RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/lumograph.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES packaging/lumograph.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS LUMOGRAPH_ICON_SIZES)
  install(FILES packaging/icons/lumograph-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME lumograph.png)
endforeach()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/lumograph)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumograph)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Graphs for calibration reports of Brewer spectrophotometers")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumograph plots the plain-text report files of Brewer spectrophotometers (daily averages and single instrument tests) for calibration reports, one file per tab or a whole station folder at once, and saves the charts as bitmaps. It also runs without a window for scripted charts on a station PC.")
set(CPACK_PACKAGE_CONTACT "Lumograph maintainers <maintainers@lumograph.invalid>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries the program links (Qt Widgets, Gui, Core, the C++ runtime)
# come from dpkg-shlibdeps. It cannot see the font the charts are laid out in.
# The X11 platform plugin comes with libqt6gui6; on Wayland without qt6-wayland
# the window opens through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)

# The Debian package of the Linux program: zelvora_<version>_amd64.deb in the build
# folder, made with
#   cmake --build --preset linux --target zelvora-deb
# (cpack -G DEB in the build folder does the same). It installs the program into
# /usr/bin (stripped), its menu entry and its icon in the hicolor theme, and its help,
# introduction and starter stations into /usr/share/zelvora, where the program looks
# for them when it runs from /usr/bin.
if(NOT TARGET zelvora)
  return()
endif()
include(${PROJECT_SOURCE_DIR}/cmake/version.cmake)
include(GNUInstallDirs)
include(${PROJECT_SOURCE_DIR}/cmake/icons.cmake)  # the icon's sizes, made with the program

install(TARGETS zelvora RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/res/zelvora.html ${PROJECT_SOURCE_DIR}/res/intro.rtf
              ${PROJECT_SOURCE_DIR}/res/starter-stations.m3u
        DESTINATION share/zelvora)
install(FILES ${PROJECT_SOURCE_DIR}/res/linux/zelvora.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/linux/zelvora.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/res/linux/copyright DESTINATION share/doc/zelvora)

# The theme's sizes: the small ones from the 32-pixel icon, the large ones rendered
# from the SVG (cmake/icons.cmake, the target zelvora-icons).
foreach(size ${ZEL_ICON_SIZES})
  install(FILES ${ZEL_ICON_DIR}/${size}/zelvora.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian wants the changelog and the manual page compressed, reproducibly (no name, no
# time stamp).
set(ZEL_GZIPPED)
foreach(f changelog zelvora.1)
  set(gz ${CMAKE_BINARY_DIR}/${f}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND sh -c "gzip -9nc '${PROJECT_SOURCE_DIR}/res/linux/${f}' >'${gz}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/res/linux/${f} VERBATIM)
  list(APPEND ZEL_GZIPPED ${gz})
endforeach()
add_custom_target(zelvora-package-files ALL DEPENDS ${ZEL_GZIPPED})
add_dependencies(zelvora-package-files zelvora-icons)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION share/doc/zelvora)
install(FILES ${CMAKE_BINARY_DIR}/zelvora.1.gz DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvora)
set(CPACK_PACKAGE_VERSION ${ZEL_PACKAGE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Zelvora developers <maintainers@zelvora.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zelvora.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tray launcher for internet radio stations")
# CPack puts the summary first and indents each line of the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zelvora keeps a list of internet radio stations and starts them in a stream
player such as mpv or VLC. It lives in the system tray: its menu plays a
station, its small window stops the player and sets the volume.")
# The libraries it links to, as dpkg-shlibdeps finds them; Qt's X11 platform plugin is
# loaded at run time, so no link names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mpv | vlc | audacious")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mpv-mpris")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

set(ZEL_DEB ${CMAKE_BINARY_DIR}/zelvora_${ZEL_PACKAGE_VERSION}_amd64.deb)
add_custom_target(zelvora-deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS zelvora zelvora-package-files
  COMMENT "Packing ${ZEL_DEB}"
  VERBATIM)

# The Debian package: `cpack -G DEB` in a build configured with the `package` preset, which puts
# the executables and the grip tables together in /usr/lib/korvane (the programs find the grip
# tables beside themselves) and links the two programs into /usr/bin. That directory is not
# writable for a player, so the settings file goes to the player's configuration directory.
# On Windows: a zip of the programs with the grip tables and a short text on their use, by
# `cpack -G ZIP` in the build of the `windows` preset (korvane-cli) or of `windows-gui` (with
# korvane.exe); the latter also makes a setup program of the same files, by `cpack -G NSIS`
# (makensis of Debian's nsis; the setup itself is cmake/NSIS.template.in).
if(WIN32)
  if(TARGET korvane)
    set(CPACK_PACKAGE_FILE_NAME korvane-${PROJECT_VERSION}-windows-x64)
    set(CPACK_PACKAGE_VENDOR "Korvane")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Korvane")
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Korvane")
    set(CPACK_NSIS_DISPLAY_NAME "Korvane")
    set(CPACK_NSIS_PACKAGE_NAME "Korvane ${PROJECT_VERSION}")
    if(KORVANE_ICON)
      set(CPACK_NSIS_MUI_ICON ${KORVANE_ICON})
      set(CPACK_NSIS_MUI_UNIICON ${KORVANE_ICON})
    endif()
    set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)
    # Read by cpack once per generator: the setup is named korvane-<version>-windows-x64-setup.exe.
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack_setup_name.cmake)
    set(KORVANE_DESKTOP_NOTE "
korvane.exe is the desktop program. The setup puts it into the Start menu as \"Korvane\"; from the
zip, unpack it into a folder of its own and start it there. It keeps its settings (korvane.ini)
beside itself, or in %APPDATA%\\Korvane when that folder cannot be written (as below
C:\\Program Files). It needs nothing else: Qt is built into it.
")
  else()
    set(CPACK_PACKAGE_FILE_NAME korvane-cli-${PROJECT_VERSION}-windows-x64)
    set(KORVANE_DESKTOP_NOTE "")
  endif()
  configure_file(data/windows-readme.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION ${KORVANE_INSTALL_APPDIR})
  set(CPACK_STRIP_FILES ON)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_GENERATOR ZIP)
  include(CPack)
  return()
endif()
if(APPLE)
  return()
endif()

if(NOT KORVANE_INSTALL_APPDIR STREQUAL ".")
  foreach(program korvane korvane-cli)
    if(TARGET ${program})
      install(CODE "
        set(link_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(MAKE_DIRECTORY \"\${link_dir}\")
        file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/bin\"
             \"\${CMAKE_INSTALL_PREFIX}/${KORVANE_INSTALL_APPDIR}/${program}\")
        file(CREATE_LINK \"\${target}\" \"\${link_dir}/${program}\" SYMBOLIC)
      ")
    endif()
  endforeach()
endif()

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "Korvane")
set(CPACK_PACKAGE_CONTACT "Korvane maintainers <${KORVANE_FEEDBACK_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "equal cars and grass grip for F1 2002 and F1 Challenge 99-02 LAN races")
set(CPACK_PACKAGE_DESCRIPTION
    "Korvane gives every team of F1 2002 (with its add-ons) or F1 Challenge 99-02 the car
performance of one master team, so that players on a LAN all have the same chances, and
replaces the terrain grip table, so that leaving the track costs time. Every change is
reversible through .org backups beside the game files. Includes korvane-cli for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

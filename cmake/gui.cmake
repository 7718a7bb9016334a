# The desktop program: Qt windows on top of korvane_core and korvane_lancheck.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  include(cmake/qt-windows.cmake)
endif()
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Network Test)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

# The windows, Qt adapters and window texts of every subsystem; the desktop program's main.cpp
# lies among them but is the program's own.
set(KORVANE_UI_SOURCES)
foreach(folder ${KORVANE_FOLDERS})
  file(GLOB sources CONFIGURE_DEPENDS src/${folder}/gui/*.cpp)
  list(APPEND KORVANE_UI_SOURCES ${sources})
endforeach()
list(REMOVE_ITEM KORVANE_UI_SOURCES ${PROJECT_SOURCE_DIR}/src/app/gui/main.cpp)
add_library(korvane_ui STATIC ${KORVANE_UI_SOURCES})
target_link_libraries(korvane_ui PUBLIC korvane_core korvane_lancheck Qt6::Widgets Qt6::Network)
include(cmake/artwork.cmake)
# A static Qt links only the default platform plugin into a program; the window tests run on the
# offscreen one.
get_target_property(qt_core_type Qt6::Core TYPE)
if(qt_core_type STREQUAL "STATIC_LIBRARY")
  target_link_libraries(korvane_ui PUBLIC Qt6::QOffscreenIntegrationPlugin)
endif()
korvane_warnings(korvane_ui)

add_executable(korvane WIN32 src/app/gui/main.cpp)
korvane_windows_manifest(korvane)
korvane_windows_version(korvane
  "Korvane: performance harmonizer and grip module for F1 2002 and F1 Challenge 99-02")
target_link_libraries(korvane PRIVATE korvane_ui)
korvane_warnings(korvane)
if(WIN32)
  include(cmake/icon.cmake)
endif()
install(TARGETS korvane RUNTIME DESTINATION ${KORVANE_INSTALL_APPDIR})

# Linux menus: a desktop entry that starts the installed program where it lies (its settings
# file and grip files are beside it), and the logo as its icon. The paths are written at
# install time, so that `cmake --install --prefix` is honoured.
if(UNIX AND NOT APPLE)
  install(FILES data/logo.svg DESTINATION share/icons/hicolor/scalable/apps RENAME korvane.svg)
  install(CODE "
    get_filename_component(app_dir \"\${CMAKE_INSTALL_PREFIX}/${KORVANE_INSTALL_APPDIR}\" ABSOLUTE)
    set(KORVANE_DIR \"\${app_dir}\")
    set(KORVANE_EXEC \"\\\"\${app_dir}/korvane\\\"\")
    configure_file(\"${CMAKE_SOURCE_DIR}/data/korvane.desktop.in\"
                   \"${CMAKE_BINARY_DIR}/korvane.desktop\" @ONLY)
    file(INSTALL \"${CMAKE_BINARY_DIR}/korvane.desktop\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
  ")
endif()

# Renders every window to PNG files (scripts/screenshots.sh); each shots_*.cpp adds its windows.
file(GLOB KORVANE_SHOT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/screenshots/*.cpp)
add_executable(korvane_screenshots ${KORVANE_SHOT_SOURCES})
target_include_directories(korvane_screenshots PRIVATE ${CMAKE_SOURCE_DIR}/tools/screenshots)
target_link_libraries(korvane_screenshots PRIVATE korvane_ui korvane_fake_games)
korvane_windows_manifest(korvane_screenshots) # the program's code page, so its texts read alike
korvane_warnings(korvane_screenshots)

# Windows: which TLS backend the update check's https requests go through (scripts/test-windows-gui.sh).
if(WIN32)
  add_executable(korvane_tls_backends tools/tls_backends/main.cpp)
  target_link_libraries(korvane_tls_backends PRIVATE Qt6::Network)
  korvane_warnings(korvane_tls_backends)
endif()

# Writes a fake game installation to try the program without the games
# (scripts/make-sample-install.sh).
add_executable(korvane_sample_install tools/sample_install/main.cpp)
target_link_libraries(korvane_sample_install PRIVATE korvane_fake_games)
korvane_warnings(korvane_sample_install)

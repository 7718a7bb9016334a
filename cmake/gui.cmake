# The desktop program: the windows of each floor (src/<folder>/gui/) as a library of their own on
# top of that floor's logic and the windows below, and the program on top of them all.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  include(cmake/qt-windows.cmake)
endif()
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Network Test)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

# korvane_gui_floor(<folder> ON floor... [WINDOWS gui-floor...] [QT target...]): the windows of
# one floor, on the logic of the floors named and the windows of the gui floors named.
function(korvane_gui_floor folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "ON;WINDOWS;QT")
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/gui/*.cpp)
  add_library(korvane_${folder}_gui STATIC ${sources})
  set(reach ${folder})
  foreach(floor ${arg_ON})
    target_link_libraries(korvane_${folder}_gui PUBLIC korvane_${floor})
    list(APPEND reach ${KORVANE_REACH_${floor}})
  endforeach()
  foreach(floor ${arg_WINDOWS})
    target_link_libraries(korvane_${folder}_gui PUBLIC korvane_${floor}_gui)
    list(APPEND reach ${KORVANE_REACH_${floor}_gui})
  endforeach()
  target_link_libraries(korvane_${folder}_gui PUBLIC ${arg_QT})
  list(REMOVE_DUPLICATES reach)
  set(KORVANE_REACH_${folder}_gui ${reach} PARENT_SCOPE)
  file(APPEND ${CMAKE_BINARY_DIR}/generated/floors.cmake "set(REACH_${folder}_gui ${reach})\n")
  korvane_warnings(korvane_${folder}_gui)
endfunction()

korvane_gui_floor(core ON core QT Qt6::Widgets)
include(cmake/artwork.cmake)
# A static Qt links only the default platform plugin into a program; the window tests run on the
# offscreen one.
get_target_property(qt_core_type Qt6::Core TYPE)
if(qt_core_type STREQUAL "STATIC_LIBRARY")
  target_link_libraries(korvane_core_gui PUBLIC Qt6::QOffscreenIntegrationPlugin)
endif()
korvane_gui_floor(harmonizer ON harmonizer WINDOWS core)
korvane_gui_floor(grip ON grip WINDOWS core)
korvane_gui_floor(info ON info WINDOWS core QT Qt6::Network)
korvane_gui_floor(lan ON lan match WINDOWS core)
korvane_gui_floor(app ON match lan WINDOWS harmonizer grip info lan)

add_executable(korvane WIN32 src/app/main.cpp)
korvane_windows_manifest(korvane)
korvane_windows_version(korvane
  "Korvane: performance harmonizer and grip module for F1 2002 and F1 Challenge 99-02")
target_link_libraries(korvane PRIVATE korvane_app_gui)
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
target_link_libraries(korvane_screenshots PRIVATE korvane_app_gui korvane_fake_games)
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

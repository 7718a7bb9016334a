# The desktop program: Qt windows on top of korvane_core.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Network Svg Test)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

add_library(korvane_ui STATIC ${KORVANE_UI_SOURCES})
target_link_libraries(korvane_ui PUBLIC korvane_core Qt6::Widgets Qt6::Network Qt6::Svg)
korvane_warnings(korvane_ui)

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  add_executable(korvane WIN32 src/app/main.cpp)
  target_link_libraries(korvane PRIVATE korvane_ui)
  korvane_warnings(korvane)
  install(TARGETS korvane RUNTIME DESTINATION ${KORVANE_INSTALL_APPDIR})
endif()

# Pictures of the information windows, compiled into the program.
qt_add_resources(korvane_ui info_images PREFIX /info BASE data FILES data/about_logo.svg)

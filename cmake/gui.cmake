# The desktop program: Qt windows on top of korvane_core.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Network Svg Test)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

add_library(korvane_ui STATIC ${KORVANE_UI_SOURCES})
target_link_libraries(korvane_ui PUBLIC korvane_core Qt6::Widgets Qt6::Network Qt6::Svg)
korvane_warnings(korvane_ui)

if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/main.cpp)
  add_executable(korvane WIN32 src/app/main.cpp)
  if(WIN32)
    # Application manifest: no elevation prompt, common controls 6, per-monitor DPI awareness.
    if(MSVC)
      target_sources(korvane PRIVATE src/app/korvane.manifest)
    else()
      enable_language(RC)
      target_sources(korvane PRIVATE src/app/korvane.rc)
    endif()
  endif()
  target_link_libraries(korvane PRIVATE korvane_ui)
  korvane_warnings(korvane)
  install(TARGETS korvane RUNTIME DESTINATION ${KORVANE_INSTALL_APPDIR})
endif()

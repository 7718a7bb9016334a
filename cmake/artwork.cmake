# The program's pictures (logo, flags), built into korvane_core_gui as the resource "korvane". Drawn
# from their SVG sources with Qt Svg where Qt has it. A Qt without it (the Windows cross build)
# gets PNGs instead, rendered here at four times their drawing size by rsvg-convert and scaled
# down by the program (src/core/gui/qt_artwork.cpp).
find_package(Qt6 QUIET OPTIONAL_COMPONENTS Svg)
if(TARGET Qt6::Svg)
  target_sources(korvane_core_gui PRIVATE data/korvane.qrc)
  target_link_libraries(korvane_core_gui PUBLIC Qt6::Svg)
  return()
endif()

find_program(KORVANE_RSVG_CONVERT rsvg-convert REQUIRED)
set(artwork_dir ${CMAKE_BINARY_DIR}/artwork)
set(artwork_files)
foreach(picture logo flag_uk flag_de)
  add_custom_command(
    OUTPUT ${artwork_dir}/${picture}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${artwork_dir}
    COMMAND ${KORVANE_RSVG_CONVERT} --zoom=4 --output=${artwork_dir}/${picture}.png
            ${CMAKE_SOURCE_DIR}/data/${picture}.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/data/${picture}.svg
    VERBATIM)
  list(APPEND artwork_files ${artwork_dir}/${picture}.png)
endforeach()
qt_add_resources(korvane_core_gui korvane PREFIX /korvane BASE ${artwork_dir} FILES ${artwork_files})
target_compile_definitions(korvane_core_gui PRIVATE KORVANE_ARTWORK_PNG)

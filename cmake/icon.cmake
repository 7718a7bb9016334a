# Windows: the logo as the icon of korvane.exe (Explorer, the Start menu shortcut, the taskbar;
# Qt takes the resource IDI_ICON1 as the windows' icon) and of the setup program. rsvg-convert
# draws it at the sizes Windows picks from, icotool (icoutils) packs them into one .ico, the
# largest as PNG. Without the two tools (a build on Windows) the program keeps Windows' plain icon.
find_program(KORVANE_RSVG_CONVERT rsvg-convert)
find_program(KORVANE_ICOTOOL icotool)
if(NOT KORVANE_RSVG_CONVERT OR NOT KORVANE_ICOTOOL)
  message(STATUS "No rsvg-convert or icotool: korvane.exe and the setup get no icon of their own")
  return()
endif()

set(icon_dir ${CMAKE_BINARY_DIR}/icon)
set(KORVANE_ICON ${icon_dir}/korvane.ico)
set(render_commands)
set(small_pngs)
foreach(size 16 24 32 48 256)
  list(APPEND render_commands COMMAND ${KORVANE_RSVG_CONVERT} --width=${size} --height=${size}
       --output=${icon_dir}/logo-${size}.png ${CMAKE_SOURCE_DIR}/data/logo.svg)
  if(NOT size EQUAL 256)
    list(APPEND small_pngs ${icon_dir}/logo-${size}.png)
  endif()
endforeach()
add_custom_command(
  OUTPUT ${KORVANE_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  ${render_commands}
  COMMAND ${KORVANE_ICOTOOL} --create --output=${KORVANE_ICON} ${small_pngs}
          --raw=${icon_dir}/logo-256.png
  DEPENDS ${CMAKE_SOURCE_DIR}/data/logo.svg
  VERBATIM)

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/korvane_icon.rc
     CONTENT "IDI_ICON1 ICON \"${KORVANE_ICON}\"\n")
target_sources(korvane PRIVATE ${CMAKE_BINARY_DIR}/generated/korvane_icon.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/generated/korvane_icon.rc PROPERTIES
                            OBJECT_DEPENDS ${KORVANE_ICON})

# The Qt of the Windows cross build: static, built by scripts/build-qt-windows.sh into a cache
# directory outside the source tree (the same default place as there). Its code generators (moc,
# rcc, uic) are the Linux Qt's of the same version.
set(KORVANE_QT_WINDOWS "$ENV{KORVANE_QT_WINDOWS}" CACHE PATH
    "Qt for Windows built by scripts/build-qt-windows.sh")
if(NOT KORVANE_QT_WINDOWS)
  set(cache_home "$ENV{XDG_CACHE_HOME}")
  if(NOT cache_home)
    set(cache_home "$ENV{HOME}/.cache")
  endif()
  set(KORVANE_QT_WINDOWS "${cache_home}/korvane/qt-6.4.2-mingw-static" CACHE PATH
      "Qt for Windows built by scripts/build-qt-windows.sh" FORCE)
endif()
if(NOT EXISTS "${KORVANE_QT_WINDOWS}/korvane-qt-build.txt")
  message(FATAL_ERROR "No Qt for Windows in ${KORVANE_QT_WINDOWS}: run scripts/build-qt-windows.sh "
                      "(or set KORVANE_QT_WINDOWS to where it put it).")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${KORVANE_QT_WINDOWS}")
list(APPEND CMAKE_PREFIX_PATH "${KORVANE_QT_WINDOWS}")
set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine, for its code generators")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
    "Where the build machine's Qt keeps its CMake files")

# Tests run under Wine through a script that passes Qt's variables on and leaves out the cases
# that cannot run there.
find_program(KORVANE_WINE NAMES wine wine64)
if(KORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
endif()

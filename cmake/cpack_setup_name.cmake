# Read by cpack for each generator it runs (CPACK_PROJECT_CONFIG_FILE): the setup program of the
# Windows build is named apart from the zip of the same files.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()

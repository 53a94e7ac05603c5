# The download: what the install rules install, as a zip for Windows
# (scenario_builder-VERSION-win64.zip, everything in one folder) and as a .tar.gz elsewhere
# (scenario_builder-VERSION-Linux.tar.gz, the program in bin/). `cpack` in the build folder
# makes it.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR TGZ)
endif()

set(CPACK_PACKAGE_NAME scenario_builder)
set(CPACK_PACKAGE_VENDOR scenario_builder)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Scenario builder for a train-driving simulator")
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
